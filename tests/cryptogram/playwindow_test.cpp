#include "app/programwindows.h"
#include "brainloft_resources.h"
#include "cryptogram/cellpanel.h"
#include "cryptogram/cryptogramfile.h"
#include "cryptogram/state.h"
#include "cryptogram/cryptogrammaker.h"
#include "cryptogram/cryptogramwindow.h"
#include "platform/atomicfile.h"
#include "platform/rng.h"
#include "shell/launcherwindow.h"
#include "shell/windows.h"
#include "support/modal.h"
#include "support/testprogram.h"

#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

using namespace cryptogram;

namespace {

MakerLines linesOf(const QStringList& texts)
{
    MakerLines lines;
    for (int i = 0; i < texts.size(); ++i)
        lines[i] = texts[i].toLatin1();
    return lines;
}

class PlayWindowTest : public ::testing::Test {
protected:
    PlayWindowTest()
    {
        InitBrainloftResources();
        all = std::make_unique<ProgramWindows>(*tp.program);
        w = all->windows().fmcrypt;
        w->show();
        Settle();
    }
    ~PlayWindowTest() override
    {
        if (w->isVisible())
            w->close();
    }

    CryptogramState& state() { return all->states().cryptogram; }
    CellPanel* cells() { return w->cells(); }
    QToolButton* button(const char* name) { return w->findChild<QToolButton*>(QString::fromLatin1(name)); }
    QLineEdit* edit(char symbol) { return w->keyEdit(SymbolIndex(symbol)); }
    // The edit of the cipher symbol that stands for plain.
    QLineEdit* editFor(char plain) { return edit(Encipher(state().puzzle.key, plain)); }

    // Row r of the guess (or cipher) cells, trailing blanks dropped.
    QByteArray guessRow(int r, bool cipher = false)
    {
        QByteArray row;
        for (int p = r * 33; p < r * 33 + 33; ++p)
            row += cipher ? cells()->cipher(p) : cells()->guess(p);
        while (row.endsWith(' '))
            row.chop(1);
        return row;
    }
    int lockedCount()
    {
        int n = 0;
        for (int i = 0; i < kSymbols; ++i)
            n += w->keyEdit(i)->isEnabled() ? 0 : 1;
        return n;
    }

    // A seeded puzzle saved as name.sbp (or any file name given with its extension).
    Cryptogram savePuzzle(const QString& file, const QStringList& texts, int skill, std::uint64_t seed = 7)
    {
        Cryptogram puzzle;
        Rng rng(seed);
        BuildCryptogramPuzzle(puzzle, linesOf(texts), skill, rng);
        EXPECT_EQ(SaveCryptogramFileAt(tp.puzzleFile(file), puzzle), 0);
        return puzzle;
    }
    void pick(const QString& row, const char* handler = "BtnLoad")
    {
        WhenModalNamed(QStringLiteral("fmfiles"), [row](QWidget* picker) {
            auto* list = picker->findChild<QListView*>(QStringLiteral("lbfiles"));
            const QModelIndexList items =
                list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, row, 1, Qt::MatchExactly);
            if (items.isEmpty()) {
                ADD_FAILURE() << "no row " << row.toStdString();
                picker->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
                return;
            }
            list->setCurrentIndex(items.first());
            picker->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        });
        button(handler)->click();
    }
    static void nameWhenAsked(const QString& name)
    {
        WhenModalNamed(QStringLiteral("TokStringDialogWindow"), [name](QWidget* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("edText"));
            edit->selectAll();
            QTest::keyClicks(edit, name);
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
        });
    }
    // Types the lines into the maker and builds (or, with build false, confirms Close).
    void runMaker(const QStringList& texts, bool build = true, const QString& name = QString())
    {
        WhenModalNamed(QStringLiteral("fmcmaker"), [=, this](QWidget* dialog) {
            auto* maker = static_cast<CryptogramMaker*>(dialog);
            const QCursor* cursor = QApplication::overrideCursor();
            EXPECT_TRUE(cursor && cursor->shape() == Qt::ArrowCursor) << "no hourglass over the maker";
            if (!texts.isEmpty())
                for (int n = 1; n <= 20; ++n)
                    maker->line(n)->setText(n <= texts.size() ? texts[n - 1] : QString());
            if (!name.isEmpty())
                nameWhenAsked(name);
            if (build) {
                maker->findChild<QPushButton*>(QStringLiteral("btnbuild"))->click();
            } else {
                tp.boxes.answer({true});
                maker->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
            }
        });
    }
    // Answers the next "Puzzle complete" and counts it.
    void expectWinner(int& shown)
    {
        WhenModalNamed(QStringLiteral("FmWinner"), [&shown](QWidget* winner) {
            ++shown;
            EXPECT_EQ(winner->windowTitle(), "Puzzle complete");
            winner->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        });
    }

    TestProgram tp;
    std::unique_ptr<ProgramWindows> all;
    CryptogramWindow* w = nullptr;
};

} // namespace

TEST_F(PlayWindowTest, LayoutCellsAndKeyPanel)
{
    EXPECT_EQ(w->windowTitle(), "Glyphwhirl          ");
    EXPECT_EQ(w->size(), QSize(745, 525));
    EXPECT_EQ(tp.program->activePuzzleType, 2);
    EXPECT_EQ(button("btncheat")->toolTip(), "Add an aditional letter to the answer key and puzzle");
    EXPECT_EQ(button("btnclose")->geometry(), QRect(296, 4, 25, 25));
    auto* scroll = w->findChild<QScrollArea*>("ScrollBox1");
    EXPECT_EQ(scroll->geometry(), QRect(160, 35, 577, 485));
    EXPECT_EQ(scroll->verticalScrollBar()->singleStep(), 48);
    EXPECT_EQ(cells()->size(), QSize(519, 961));

    const int W = cells()->cellWidth();
    const int H = cells()->cellHeight();
    EXPECT_EQ(W, QFontMetrics(cells()->font()).horizontalAdvance('W'));
    EXPECT_EQ(cells()->cipherRect(2 * 33 + 5), QRect(W * 5 + 8, 3 * (H * 2 + 8) - H, W, H));
    EXPECT_EQ(cells()->guessRect(19 * 33 + 32), QRect(W * 32 + 8, 3 * (H * 19 + 8), W, H));

    const struct {
        char symbol;
        QRect geometry;
    } edits[] = {{'A', {40, 11, 25, 24}}, {'H', {40, 192, 25, 24}}, {'S', {112, 11, 25, 24}}, {'0', {112, 451, 25, 24}}};
    for (const auto& e : edits) {
        const QString name = QStringLiteral("ed") + QChar(e.symbol).toLower();
        auto* byName = w->findChild<QLineEdit*>(name);
        ASSERT_EQ(byName, edit(e.symbol)) << name.toStdString();
        EXPECT_EQ(byName->geometry(), e.geometry) << name.toStdString();
        EXPECT_EQ(byName->text(), "_");
        EXPECT_FALSE(byName->isEnabled()) << "locked until a puzzle is shown";
    }
}

TEST_F(PlayWindowTest, TypingDeleteAndOtherKeys)
{
    savePuzzle("Riddle.sbp", {"QUIZ QUEEN", "I AM 42."}, 0);
    pick("Riddle");
    EXPECT_EQ(w->windowTitle(), "Glyphwhirl          Riddle");
    EXPECT_EQ(guessRow(0), "____ _____");
    EXPECT_EQ(guessRow(1), "_ __ __.");
    EXPECT_EQ(lockedCount(), 0);

    QLineEdit* q = editFor('Q');
    QTest::keyClick(q, 'e');
    EXPECT_EQ(q->text(), "E");
    EXPECT_EQ(guessRow(0), "E___ E____") << "every Q at once";
    QTest::keyClick(q, Qt::Key_Backspace);
    QTest::keyClick(q, Qt::Key_Space);
    QTest::keyClick(q, '!');
    QTest::keyClick(q, Qt::Key_Left);
    EXPECT_EQ(q->text(), "E") << "other keys change nothing";
    QTest::keyClick(q, Qt::Key_Delete);
    EXPECT_EQ(q->text(), "_");
    EXPECT_EQ(guessRow(0), "____ _____");
    QTest::keyClick(editFor('4'), '7');
    EXPECT_EQ(guessRow(1), "_ __ 7_.") << "a digit is a guess";
    QTest::keyClick(editFor('4'), '_');
    EXPECT_EQ(guessRow(1), "_ __ __.") << "the underscore clears a guess";

    QLineEdit* letter = nullptr;
    for (char c : QByteArray("QUIZEN"))
        if (SymbolIndex(Encipher(state().puzzle.key, c)) < 26)
            letter = editFor(c);
    ASSERT_NE(letter, nullptr);
    QTest::keyClick(letter, 'e');
    QTest::mouseClick(letter, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(letter->cursorPosition(), 0) << "letter edits keep the caret in front";
    EXPECT_TRUE(letter->selectedText().isEmpty());
    QTest::keyClick(q, 'e');
    q->setFocus();
    QTest::keyClick(q, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(q->text(), "E");
}

TEST_F(PlayWindowTest, NewPuzzleAtLevelThreeShowsThreeLockedHints)
{
    tp.program->settings.cgSkill = 3;
    tp.boxes.answer({true});
    runMaker({"THE QUICK FOX"}, true, "Fox"); // ten distinct symbols
    button("btnNew")->click();
    ASSERT_EQ(tp.boxes.titles().front(), "Save puzzle");
    EXPECT_EQ(tp.boxes.texts().back(), "Your puzzle has now been saved");
    EXPECT_EQ(QFile(tp.puzzleFile("Fox.sbp")).size(), 976);
    EXPECT_EQ(w->windowTitle(), "Glyphwhirl          Fox");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    EXPECT_EQ(lockedCount(), 3);
    QByteArray shown;
    for (int j = 0; j < 3; ++j) {
        const char cipher = state().puzzle.hints[j];
        const char plain = state().puzzle.hints[11 + j];
        EXPECT_EQ(edit(cipher)->text(), QString(QChar(plain)));
        EXPECT_FALSE(edit(cipher)->isEnabled());
        shown += plain;
    }
    const QByteArray row = guessRow(0);
    const QByteArray text("THE QUICK FOX");
    for (int c = 0; c < text.size(); ++c)
        EXPECT_EQ(row[c], shown.contains(text[c]) ? text[c] : (text[c] == ' ' ? ' ' : '_'));

    Cryptogram saved;
    ASSERT_EQ(LoadCryptogramFile(tp.programFolder(), "Fox", saved), 0);
    EXPECT_EQ(saved.key, state().puzzle.key);
    EXPECT_EQ(saved.hints, state().puzzle.hints);
}

TEST_F(PlayWindowTest, SolvingShowsTheWinnerOnceAndRestarts)
{
    const Cryptogram puzzle = savePuzzle("Riddle.sbp", {"HELLO, WORLD!"}, 2);
    pick("Riddle");
    int winners = 0;
    for (char c : QByteArray("HELOWRD")) {
        QLineEdit* e = editFor(c);
        if (!e->isEnabled())
            continue;
        if (c == 'D')
            expectWinner(winners);
        QTest::keyClick(e, c);
    }
    EXPECT_EQ(winners, 1);
    EXPECT_EQ(lockedCount(), 2) << "the same puzzle again, its hints alone filled in";
    QByteArray expected = "_____, _____!";
    for (int j = 0; j < 2; ++j)
        for (int c = 0; c < expected.size(); ++c)
            if (QByteArray("HELLO, WORLD!")[c] == puzzle.hints[11 + j])
                expected[c] = puzzle.hints[11 + j];
    EXPECT_EQ(guessRow(0), expected);
}

TEST_F(PlayWindowTest, CheatsRevealUntilSolved)
{
    savePuzzle("Riddle.sbp", {"AB 12"}, 0);
    pick("Riddle");
    QTest::keyClick(editFor('A'), 'z');
    bool solvedAsShown = false;
    WhenModalNamed(QStringLiteral("FmWinner"), [&](QWidget* winner) {
        solvedAsShown = guessRow(0) == "AB 12" && editFor('A')->text() == "A"; // the wrong guess is overwritten
        winner->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    });
    int cheats = 0;
    while (!solvedAsShown && cheats < 36) {
        button("btncheat")->click();
        ++cheats;
        if (!solvedAsShown) {
            EXPECT_EQ(lockedCount(), cheats) << "one symbol a cheat, used in the text or not";
        }
    }
    EXPECT_TRUE(solvedAsShown);
    EXPECT_GE(cheats, 4);
    EXPECT_EQ(guessRow(0), "__ __") << "restarted with no hints";
    EXPECT_EQ(lockedCount(), 0);
}

TEST_F(PlayWindowTest, LoadShowsStoredHintsAndFailedLoadEmpties)
{
    tp.program->settings.cgSkill = 0;
    const Cryptogram puzzle = savePuzzle("Quotes.sbd", {"PACKAGED PUZZLE 7"}, 5);
    pick("<Quotes>");
    EXPECT_EQ(w->windowTitle(), "Glyphwhirl          Quotes");
    EXPECT_EQ(lockedCount(), 5) << "the file's hints, whatever the level";
    QByteArray enciphered;
    for (char c : QByteArray("PACKAGED"))
        enciphered += Encipher(puzzle.key, c);
    EXPECT_EQ(guessRow(0, true).left(8), enciphered);

    QFile::resize(tp.puzzleFile("Quotes.sbd"), 500);
    pick("<Quotes>");
    ASSERT_EQ(tp.boxes.boxes.size(), 1);
    EXPECT_EQ(tp.boxes.boxes[0].title, "Load error");
    EXPECT_EQ(tp.boxes.boxes[0].text, "We are sorry but this puzzle could not be loaded!");
    EXPECT_EQ(w->windowTitle(), "Glyphwhirl          ");
    EXPECT_EQ(guessRow(0), "");
    EXPECT_EQ(lockedCount(), 36);
    EXPECT_EQ(state().puzzle.key, CipherKey{});
    button("btncheat")->click();
    EXPECT_EQ(lockedCount(), 36) << "nothing to reveal";
}

TEST_F(PlayWindowTest, EditBuildsANewKeyAndCancelledEditEmpties)
{
    tp.program->settings.cgSkill = 1;
    const Cryptogram before = savePuzzle("Riddle.sbp", {"  HELLO THERE"}, 3);
    tp.boxes.answer({true, true});
    WhenModalNamed(QStringLiteral("fmcmaker"), [this](QWidget* dialog) {
        auto* maker = static_cast<CryptogramMaker*>(dialog);
        EXPECT_EQ(maker->lineText(1), "HELLO THERE") << "leading blanks are lost on edit";
        EXPECT_EQ(state().currentName, "Riddle");
        nameWhenAsked(QString()); // the loaded name is offered
        maker->findChild<QPushButton*>(QStringLiteral("btnbuild"))->click();
    });
    pick("Riddle", "SpeedButton4");
    ASSERT_EQ(tp.boxes.titles().mid(0, 2), (QStringList{"Save puzzle", "Replace 'RIDDLE' ?"}));
    EXPECT_EQ(w->windowTitle(), "Glyphwhirl          Riddle");
    EXPECT_NE(state().puzzle.key, before.key) << "a new key for the same text";
    EXPECT_EQ(QByteArray(state().puzzle.text.data(), 11), "HELLO THERE");
    EXPECT_EQ(lockedCount(), 1);
    Cryptogram saved;
    ASSERT_EQ(LoadCryptogramFile(tp.programFolder(), "Riddle", saved), 0);
    EXPECT_EQ(saved.key, state().puzzle.key);

    runMaker({}, false);
    pick("Riddle", "SpeedButton4");
    EXPECT_EQ(w->windowTitle(), "Glyphwhirl          ");
    EXPECT_EQ(lockedCount(), 36);
    EXPECT_EQ(guessRow(0), "");
    EXPECT_TRUE(state().currentName.isEmpty());
}

TEST_F(PlayWindowTest, NewCancelledOrUnsavedOrFailedSave)
{
    tp.program->settings.cgSkill = 0;
    runMaker({"ANYTHING"}, false);
    button("btnNew")->click();
    EXPECT_EQ(w->windowTitle(), "Glyphwhirl          ");
    EXPECT_EQ(lockedCount(), 36);

    state().currentName = "Old";
    tp.boxes.answer({false});
    runMaker({"NOT SAVED"});
    button("btnNew")->click();
    EXPECT_EQ(w->windowTitle(), "Glyphwhirl          ") << "No at Save puzzle leaves it untitled";
    EXPECT_EQ(guessRow(0), "___ _____");

    savePuzzle("Keep.sbp", {"OLD"}, 0);
    const QByteArray old = [&] {
        QFile f(tp.puzzleFile("Keep.sbp"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    tp.boxes.answer({true, true});
    runMaker({"NEW ONE"}, true, "Keep");
    {
        atomicfile::FailAfter full(100);
        button("btnNew")->click();
    }
    EXPECT_EQ(tp.boxes.texts().back(), "Your puzzle could not be saved");
    QFile f(tp.puzzleFile("Keep.sbp"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), old);
    EXPECT_EQ(guessRow(0), "___ ___") << "the new puzzle plays";
}

TEST_F(PlayWindowTest, NothingToSolveShowsOneWinnerAndStays)
{
    int winners = 0;
    expectWinner(winners);
    tp.boxes.answer({false});
    runMaker({"!?!", "__"});
    button("btnNew")->click();
    Settle();
    EXPECT_EQ(winners, 1);
    EXPECT_EQ(guessRow(0), "!?!");
    EXPECT_EQ(lockedCount(), 36);
}

TEST_F(PlayWindowTest, CellsPaintNavyOverMaroon)
{
    QStringList full;
    for (int r = 0; r < 20; ++r)
        full << QString(33, QChar('A' + r));
    savePuzzle("Full.sbp", full, 0);
    pick("Full");
    const QImage image = cells()->grab().toImage();
    // Text is smoothed, so ink is told by its hue: navy leans to blue, maroon to red, the
    // panel's grey to neither.
    const auto holds = [&image](const QRect& cell, bool navy) {
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x) {
                const QRgb p = image.pixel(x, y);
                const int lead = navy ? qBlue(p) : qRed(p);
                const int other = navy ? qRed(p) : qBlue(p);
                if (lead - other > 30 && lead - qGreen(p) > 30)
                    return true;
            }
        return false;
    };
    for (int p = 0; p < 660; ++p) {
        ASSERT_TRUE(holds(cells()->cipherRect(p), true)) << "cipher cell " << p;
        ASSERT_FALSE(holds(cells()->cipherRect(p), false)) << "cipher cell " << p;
        ASSERT_TRUE(holds(cells()->guessRect(p), false)) << "guess cell " << p;
        ASSERT_FALSE(holds(cells()->guessRect(p), true)) << "guess cell " << p;
    }
}

TEST_F(PlayWindowTest, CloseEmptiesAndShowsTheLauncher)
{
    savePuzzle("Riddle.sbp", {"HELLO"}, 0);
    pick("Riddle");
    w->close();
    EXPECT_TRUE(all->windows().fmpuzzletype->isVisible());
    EXPECT_EQ(guessRow(0), "");
    EXPECT_EQ(state().puzzle.text[0], ' ');
    w->show();
    EXPECT_EQ(w->windowTitle(), "Glyphwhirl          ");
    EXPECT_EQ(lockedCount(), 36);
}
