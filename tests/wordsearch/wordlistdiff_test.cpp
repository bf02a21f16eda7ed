#include "platform/rng.h"
#include "shell/windows.h"
#include "support/modal.h"
#include "support/testprogram.h"
#include "wordsearch/builderrordialog.h"
#include "wordsearch/noticedialog.h"
#include "wordsearch/wordlisteditor.h"
#include "wordsearch/wordsearchmaker.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <random>
#include <iostream>

TEST(WordListDiff, OldWindowAndModelAgree)
{
    int maxRows = 0; bool sawOver = false;
    for (int seed = 1; seed <= 160; ++seed) {
        TestProgram test{7};
        Windows windows;
        wordsearch::WordSearchState state;
        auto generator = std::make_unique<WordSearchMaker>(*test.program, windows, state);
        windows.fmGenerator = generator.get();
        windows.all = {generator.get()};
        auto* cwords = generator->findChild<QListWidget*>("cwords");
        auto* einput = generator->findChild<QLineEdit*>("einput");
        auto* gStatus = generator->findChild<QLabel*>("gStatus");
        auto* btnclear = generator->findChild<QPushButton*>("btnclear");
        wordsearch::WordListEditor model;
        const bool edit = seed % 3 == 0;
        if (edit) {
            const QStringList words = {"ZEBRA", "APPLE", "KIWI", "MANGOSTEEN"};
            for (int i = 0; i < words.size(); ++i)
                state.puzzle.wordSlots[i * 2].set(words[i].toLatin1());
            state.newPuzzle = false;
            model.openWords(words);
        } else {
            state.newPuzzle = true;
            model.reset();
        }
        generator->show();
        Settle();
        std::mt19937 rng(seed);
        QStringList log;
        for (int step = 0; step < 700; ++step) {
            int op = rng() % 100;
            if (seed % 2 == 0 && op >= 62 && op < 78 && model.input().size() < 8)
                op = 0; // long words for the limits
            if (seed % 4 == 1 && model.input().size() >= 2 && rng() % 3 == 0)
                op = 70; // many short words for the row limit
            if (seed % 4 == 1 && op >= 95)
                op = 0;
            QString what;
            if (op < 55) {
                const QChar c = QChar(char16_t(u'a' + rng() % 6));
                what = QString("type ") + c;
                einput->end(false);
                QTest::keyClick(einput, c.toLatin1());
                const QChar letter = wordsearch::WordListEditor::TypedLetter(c, model.input().size());
                if (!letter.isNull())
                    model.inputChanged(model.input() + letter);
            } else if (op < 62) {
                what = "backspace";
                einput->end(false);
                QTest::keyClick(einput, Qt::Key_Backspace);
                if (!model.input().isEmpty())
                    model.inputChanged(model.input().chopped(1));
            } else if (op < 78) {
                what = "enter";
                QTest::keyClick(einput, Qt::Key_Return);
                model.enter();
            } else if (op < 82) {
                what = "escape";
                QTest::keyClick(einput, Qt::Key_Escape);
                model.escape();
            } else if (op < 92) {
                if (cwords->count() == 0)
                    continue;
                const int row = rng() % cwords->count();
                what = QString("click %1").arg(row);
                QListWidgetItem* item = cwords->item(row);
                if (cwords->currentRow() != row) {
                    cwords->setCurrentRow(row);
                    model.selectRow(row);
                }
                const int second = cwords->row(item);
                generator->cwordsClick(second);
                model.clickRow(second);
            } else if (op < 95) {
                what = "insert";
                QTest::keyClick(cwords, Qt::Key_Insert);
                model.insertKey();
            } else if (op < 99) {
                what = "delete";
                QTest::keyClick(cwords, Qt::Key_Delete);
                model.deleteKey();
            } else if (seed % 2 == 1) {
                what = "clear";
                test.boxes.answer({true});
                QTest::mouseClick(btnclear, Qt::LeftButton);
                if (!model.rows().isEmpty())
                    model.clear();
            }
            log << what + " [" + model.rows().join("|") + "] sel " + QString::number(model.selected()) + " ed " + QString::number(model.editedRow()) + " in " + model.input();
            const int row = cwords->currentRow();
            const int selected = row >= 0 && cwords->item(row)->isSelected() ? row : -1;
            QStringList rows;
            for (int i = 0; i < cwords->count(); ++i)
                rows << cwords->item(i)->text();
            const std::string context = "seed " + std::to_string(seed) + " step " + std::to_string(step) + ": " +
                                        log.mid(std::max(0, int(log.size()) - 6)).join(", ").toStdString();
            const std::string old = "old [" + rows.join("|").toStdString() + "] sel " + std::to_string(selected) + " cur " + std::to_string(row) + " in " + einput->text().toStdString();
            ASSERT_EQ(rows, model.rows()) << context << old;
            ASSERT_EQ(selected, model.selected()) << context << old;
            ASSERT_EQ(einput->text(), model.input()) << context;
            ASSERT_EQ(gStatus->text(), model.statusText()) << context;
            ASSERT_EQ(gStatus->palette().color(QPalette::WindowText), model.statusColour()) << context;
            ASSERT_EQ(btnclear->isEnabled(), model.clearEnabled()) << context;
            ASSERT_EQ(generator->overLimit(), model.overLimit()) << context;
            maxRows = std::max<int>(maxRows, model.rows().size());
            sawOver = sawOver || model.overLimit();
        }
        test.boxes.answer({true});
        generator->hide();
    }
    std::cout << "max rows " << maxRows << " over " << sawOver << std::endl;
}
