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
#include "shell/desk.h"
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
        w = (&all->play<CryptogramWindow>(puzzletype::kCryptogram));
        w->show();
        Settle();
    }
    ~PlayWindowTest() override
    {
        if (w->isVisible())
            w->close();
    }

    CryptogramState& state() { return all->play<CryptogramWindow>(puzzletype::kCryptogram).state(); }
    const CryptogramGame& game() { return w->game(); }
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
            row += cipher ? game().cipherCell(p) : game().guessCell(p);
        while (row.endsWith(' '))
            row.chop(1);
        return row;
    }
    // Locked symbols as the key panel shows them; checked against the game.
    int lockedCount()
    {
        int n = 0;
        for (int i = 0; i < kSymbols; ++i) {
            n += w->keyEdit(i)->isEnabled() ? 0 : 1;
            EXPECT_EQ(w->keyEdit(i)->isEnabled(), !game().locked(i));
            EXPECT_EQ(w->keyEdit(i)->text(), QString(QChar::fromLatin1(game().guess(i))));
        }
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


namespace {

// Text is smoothed, so ink is told by its hue: navy leans to blue, maroon to red, a grey to
// neither while still dark.
enum class Hue { navy, maroon, grey };

bool holds(const QImage& image, const QRect& area, Hue hue)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            const int r = qRed(p), g = qGreen(p), b = qBlue(p);
            switch (hue) {
            case Hue::navy:
                if (b - r > 30 && b - g > 30)
                    return true;
                break;
            case Hue::maroon:
                if (r - b > 30 && r - g > 30)
                    return true;
                break;
            case Hue::grey:
                if (qGray(p) < 170 && std::abs(r - g) < 12 && std::abs(g - b) < 12)
                    return true;
                break;
            }
        }
    return false;
}

// The top row of ink in area as a share of its height; 1 when there is none.
double inkTop(const QImage& image, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 200)
                return double(y - area.top()) / area.height();
    return 1;
}

} // namespace

TEST_F(PlayWindowTest, DrawsTheGameAndForwardsKeysAndCheats)
{
    EXPECT_EQ(w->windowTitle(), "Glyphwhirl          ");
    EXPECT_EQ(w->size(), QSize(745, 525));
    EXPECT_EQ(tp.program->activePuzzleType, 2);
    for (char symbol : QByteArray("AS0")) {
        const QString name = QStringLiteral("ed") + QChar(symbol).toLower();
        EXPECT_EQ(w->findChild<QLineEdit*>(name), edit(symbol)) << name.toStdString();
    }
    EXPECT_EQ(lockedCount(), 36) << "locked until a puzzle is shown";

    savePuzzle("Riddle.sbp", {"QUIZ QUEEN", "I AM 42."}, 0);
    pick("Riddle");
    EXPECT_EQ(w->windowTitle(), "Glyphwhirl          Riddle");
    EXPECT_EQ(guessRow(1), "_ __ __.");
    EXPECT_EQ(lockedCount(), 0);

    QLineEdit* q = editFor('Q');
    EXPECT_GT(inkTop(cells()->grab().toImage(), cells()->guessRect(0)), 0.6) << "a blank line to fill";
    QTest::keyClick(q, 'e');
    EXPECT_EQ(guessRow(0), "E___ E____") << "every Q at once";
    EXPECT_LT(inkTop(cells()->grab().toImage(), cells()->guessRect(0)), 0.4) << "the letter is drawn";
    q->setFocus();
    QTest::keyClick(q, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(q, Qt::Key_Backspace);
    EXPECT_EQ(q->text(), "E");
    QTest::keyClick(q, Qt::Key_Delete);
    EXPECT_EQ(guessRow(0), "____ _____");
    QTest::mouseClick(q, Qt::LeftButton, {}, QPoint(20, 10));
    if (SymbolIndex(Encipher(state().puzzle.key, 'Q')) < 26) {
        EXPECT_EQ(q->cursorPosition(), 0) << "letter edits keep the caret in front";
    }

    // A cheat locks one symbol; a locked box greys its letter as a disabled edit does, while an
    // open box shows its guess in maroon.
    button("btncheat")->click();
    EXPECT_EQ(lockedCount(), 1);
    int locked = 0;
    while (!game().locked(locked))
        ++locked;
    const int open = locked == 0 ? 1 : 0;
    QTest::keyClick(w->keyEdit(open), 'x');
    const QImage lockedBox = w->keyEdit(locked)->grab().toImage();
    const QImage openBox = w->keyEdit(open)->grab().toImage();
    EXPECT_TRUE(holds(openBox, openBox.rect(), Hue::maroon));
    EXPECT_FALSE(holds(lockedBox, lockedBox.rect(), Hue::maroon));
    EXPECT_TRUE(holds(lockedBox, lockedBox.rect().adjusted(3, 3, -3, -3), Hue::grey));
}

TEST_F(PlayWindowTest, CellsPaintNavyOverMaroon)
{
    QStringList full;
    for (int r = 0; r < 20; ++r)
        full << QString(33, QChar('A' + r));
    savePuzzle("Full.sbp", full, 0);
    pick("Full");
    const QImage image = cells()->grab().toImage();
    for (int p = 0; p < 660; ++p) {
        ASSERT_TRUE(holds(image, cells()->cipherRect(p), Hue::navy)) << "cipher cell " << p;
        ASSERT_FALSE(holds(image, cells()->cipherRect(p), Hue::maroon)) << "cipher cell " << p;
        ASSERT_TRUE(holds(image, cells()->guessRect(p), Hue::maroon)) << "guess cell " << p;
        ASSERT_FALSE(holds(image, cells()->guessRect(p), Hue::navy)) << "guess cell " << p;
    }
}

TEST_F(PlayWindowTest, SolvingShowsTheWinnerOverTheSolvedPuzzle)
{
    savePuzzle("Riddle.sbp", {"AB 12"}, 0);
    pick("Riddle");
    int winners = 0;
    bool solvedInView = false;
    WhenModalNamed(QStringLiteral("FmWinner"), [&](QWidget* winner) {
        ++winners;
        EXPECT_EQ(winner->windowTitle(), "Puzzle complete");
        solvedInView = guessRow(0) == "AB 12" && editFor('2')->text() == "2";
        winner->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    });
    for (char c : QByteArray("AB12"))
        QTest::keyClick(editFor(c), c);
    EXPECT_EQ(winners, 1);
    EXPECT_TRUE(solvedInView);
    EXPECT_EQ(guessRow(0), "__ __") << "the same puzzle again";
    EXPECT_EQ(editFor('2')->text(), "_");
}

TEST_F(PlayWindowTest, NewPuzzleSavedUnsavedCancelledOrNotSaved)
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
    EXPECT_EQ(lockedCount(), 3) << "three hints at level 3";
    Cryptogram saved;
    ASSERT_EQ(LoadCryptogramFile(tp.programFolder(), "Fox", saved), 0);
    EXPECT_EQ(saved.key, state().puzzle.key);
    EXPECT_EQ(saved.hints, state().puzzle.hints);

    tp.program->settings.cgSkill = 0;
    runMaker({"ANYTHING"}, false);
    button("btnNew")->click();
    EXPECT_EQ(w->windowTitle(), "Glyphwhirl          ");
    EXPECT_EQ(lockedCount(), 36);
    EXPECT_EQ(guessRow(0), "");

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

    // Nothing to solve: one winner, then it stays as shown.
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

TEST_F(PlayWindowTest, CloseEmptiesAndShowsTheLauncher)
{
    savePuzzle("Riddle.sbp", {"HELLO"}, 0);
    pick("Riddle");
    w->close();
    EXPECT_TRUE(all->desk().launcher->isVisible());
    EXPECT_EQ(guessRow(0), "");
    EXPECT_EQ(state().puzzle.text[0], ' ');
    w->show();
    EXPECT_EQ(w->windowTitle(), "Glyphwhirl          ");
    EXPECT_EQ(lockedCount(), 36);
}
