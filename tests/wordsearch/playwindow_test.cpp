#include "app/programwindows.h"
#include "brainloft_resources.h"
#include "platform/rng.h"
#include "shell/desk.h"
#include "support/modal.h"
#include "support/testprogram.h"
#include "wordsearch/builder.h"
#include "wordsearch/wordsearchfile.h"
#include "wordsearch/wordsearchkeywindow.h"
#include "wordsearch/wordsearchmaker.h"
#include "wordsearch/wordsearchwindow.h"

#include <QFile>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

using namespace wordsearch;

namespace {

constexpr std::uint32_t kPurple = 0xCB10B4; // the stored form of red 180, green 16, blue 203
const QRgb kPurpleRgb = qRgb(180, 16, 203);

const QStringList kWords = {QStringLiteral("CAT"), QStringLiteral("HORSE"), QStringLiteral("MOUSE"),
                            QStringLiteral("ZEBRA"), QStringLiteral("GIRAFFE")};

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

class PlayWindowTest : public ::testing::Test {
protected:
    PlayWindowTest()
    {
        InitBrainloftResources();
        all = std::make_unique<ProgramWindows>(program());
        w = (&all->play<WordSearchWindow>(puzzletype::kWordSearch));
        key = (&all->play<WordSearchWindow>(puzzletype::kWordSearch).key());
        lbItems = w->findChild<QListWidget*>(QStringLiteral("lbItems"));
        imPuzzle = w->findChild<QWidget*>(QStringLiteral("imPuzzle"));
        program().settings.effectiveHighlight = kPurple;
        w->setScreenSizeSource([] { return QSize(1920, 1200); });
        w->show();
        Settle();
    }
    ~PlayWindowTest() override
    {
        if (w->isVisible())
            w->close();
    }

    Program& program() { return *tp.program; }

    // A puzzle of kWords from a seeded build, saved as file in the puzzle folder and loaded.
    WordSearchPuzzle load(const QString& file = QStringLiteral("Animals.wsp"), std::uint64_t seed = 7)
    {
        WordSearchPuzzle puzzle;
        Rng rng(seed);
        GridBuilder builder(puzzle, rng);
        EXPECT_TRUE(builder.Build(kWords).unplaced.isEmpty());
        EXPECT_EQ(SaveWordSearchFileAt(tp.puzzleFile(file), puzzle), 0);
        pick(file.endsWith(QStringLiteral(".wsd")) ? '<' + file.chopped(4) + '>' : file.chopped(4));
        return puzzle;
    }

    // Word n's first and last cells (grid indices 1 to 20).
    static TableEntry ends(const WordSearchPuzzle& puzzle, int n)
    {
        bool ok = false;
        return IndexToTable(puzzle.index, ok)[n - 1];
    }

    QToolButton* button(const char* name) { return w->findChild<QToolButton*>(QString::fromLatin1(name)); }

    // Picks row in the picker as soon as it opens, then runs the handler that opens it.
    void pick(const QString& row, const char* handler = "BtnLoad")
    {
        WhenModalNamed(QStringLiteral("fmfiles"), [row](QWidget* picker) {
            auto* list = picker->findChild<QListView*>(QStringLiteral("lbfiles"));
            const QModelIndexList items =
                list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, row, 1, Qt::MatchExactly);
            if (items.isEmpty()) {
                ADD_FAILURE() << "no row " << row.toStdString() << " in the picker";
                picker->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
                return;
            }
            list->setCurrentIndex(items.first());
            picker->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        });
        button(handler)->click();
    }

    // The middle of grid cell (x, y) as the user sees it.
    QPoint centre(int x, int y) const
    {
        const int cell = 15 * w->zoom();
        return QPoint((x - 1) * cell + cell / 2, (y - 1) * cell + cell / 2);
    }
    void clickCell(int x, int y) { QTest::mouseClick(imPuzzle, Qt::LeftButton, {}, centre(x, y)); }
    void clickPair(const TableEntry& e)
    {
        clickCell(e.x1, e.y1);
        clickCell(e.x2, e.y2);
    }
    QImage screen() const { return imPuzzle->grab().toImage(); }

    QStringList rows() const
    {
        QStringList out;
        for (int i = 0; i < lbItems->count(); ++i)
            out << lbItems->item(i)->text();
        return out;
    }

    TestProgram tp;
    std::unique_ptr<ProgramWindows> all;
    WordSearchWindow* w = nullptr;
    WordSearchKeyWindow* key = nullptr;
    QListWidget* lbItems = nullptr;
    QWidget* imPuzzle = nullptr;
};

} // namespace

TEST_F(PlayWindowTest, DrawsItsGameAndHandsItTheClicks)
{
    EXPECT_EQ(program().activePuzzleType, 3);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Lettermoor     "));
    EXPECT_EQ(w->size(), QSize(521, 343));
    clickCell(1, 1);
    EXPECT_TRUE(w->waitingForFirstClick()) << "no puzzle: nothing to mark";

    const WordSearchPuzzle puzzle = load();
    EXPECT_EQ(rows(), sorted(kWords));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Lettermoor     Animals"));
    EXPECT_EQ(screen(), w->game().lettersPicture().convertToFormat(screen().format())) << "the letters, at 300 pixels";

    const TableEntry cat = ends(puzzle, 1);
    clickCell(cat.x2, cat.y2); // the last letter first
    EXPECT_FALSE(w->waitingForFirstClick());
    EXPECT_EQ(imPuzzle->cursor().shape(), Qt::WhatsThisCursor);
    const QPoint inner((cat.x2 - 1) * 15 + 2, (cat.y2 - 1) * 15 + 2);
    EXPECT_EQ(screen().pixel(inner), qRgb(0, 0, 0)) << "the marked cell shows inverted";
    clickCell(cat.x1, cat.y1);
    EXPECT_EQ(imPuzzle->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(rows(), sorted(kWords.mid(1)));
    EXPECT_EQ(screen().pixel(inner), kPurpleRgb) << "the word found, in the highlight colour";
    EXPECT_EQ(screen(), w->picture().convertToFormat(screen().format()));
    EXPECT_TRUE(tp.boxes.boxes.isEmpty());
}

TEST_F(PlayWindowTest, ArrowsShowOnScreenAtEverySizeAndSpaceClicks)
{
    const WordSearchPuzzle puzzle = load();
    QApplication::setActiveWindow(w);
    for (int zoom = 1; zoom <= 3; ++zoom) {
        ASSERT_EQ(w->zoom(), zoom);
        imPuzzle->setFocus();
        for (const Qt::Key arrow : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up}) {
            const QImage before = screen();
            QTest::keyClick(imPuzzle, arrow);
            EXPECT_NE(screen(), before) << "zoom " << zoom << ", key " << arrow;
        }
        button("btnLarger")->click();
    }
    EXPECT_EQ(w->focusCell(), QPoint(0, 0));
    EXPECT_EQ(w->picture(), w->game().lettersPicture()) << "the box is on the screen only";

    const TableEntry cat = ends(puzzle, 1);
    const auto walkTo = [&](int x, int y) {
        while (w->focusCell().x() != x - 1)
            QTest::keyClick(imPuzzle, w->focusCell().x() < x - 1 ? Qt::Key_Right : Qt::Key_Left);
        while (w->focusCell().y() != y - 1)
            QTest::keyClick(imPuzzle, w->focusCell().y() < y - 1 ? Qt::Key_Down : Qt::Key_Up);
    };
    walkTo(cat.x1, cat.y1);
    QTest::keyClick(imPuzzle, Qt::Key_Space);
    walkTo(cat.x2, cat.y2);
    QTest::keyClick(imPuzzle, Qt::Key_Return);
    EXPECT_FALSE(rows().contains(QStringLiteral("CAT")));
    QTest::keyClick(imPuzzle, Qt::Key_Tab);
    EXPECT_TRUE(lbItems->hasFocus()) << "Tab goes from the grid to the list";
}

TEST_F(PlayWindowTest, AClickGivesTheGridTheKeysAtTheClickedLetter)
{
    load();
    QApplication::setActiveWindow(w);
    lbItems->setFocus();
    clickCell(5, 7);
    EXPECT_TRUE(imPuzzle->hasFocus());
    EXPECT_EQ(w->focusCell(), QPoint(4, 6));
    QTest::keyClick(imPuzzle, Qt::Key_Right);
    EXPECT_EQ(w->focusCell(), QPoint(5, 6));
}

TEST_F(PlayWindowTest, FindingTheLastWordShowsPuzzleCompleteAndStartsAgain)
{
    const WordSearchPuzzle puzzle = load();
    for (int n = 1; n < kWords.size(); ++n)
        clickPair(ends(puzzle, n));
    ASSERT_EQ(rows(), QStringList{QStringLiteral("GIRAFFE")});

    bool shown = false;
    WhenModalNamed(QStringLiteral("FmWinner"), [&](QWidget* winner) {
        shown = true;
        EXPECT_EQ(winner->windowTitle(), QStringLiteral("Puzzle complete"));
        const auto* label2 = winner->findChild<QLabel*>(QStringLiteral("Label2"));
        EXPECT_EQ(label2->text(), QStringLiteral("Your puzzle will now be reset and you will be returned to the main window."));
        EXPECT_EQ(lbItems->count(), 0);
        winner->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    });
    clickPair(ends(puzzle, 5));
    EXPECT_TRUE(shown);
    EXPECT_EQ(rows(), sorted(kWords));
    EXPECT_EQ(w->picture(), w->game().lettersPicture()) << "no highlights left";
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Lettermoor     Animals"));
}

TEST_F(PlayWindowTest, LoadsPackagedPuzzlesAndAFailedLoadLeavesTheWindowEmpty)
{
    const WordSearchPuzzle packaged = load(QStringLiteral("Pack.wsd"), 99);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Lettermoor     Pack"));
    EXPECT_EQ(all->play<WordSearchWindow>(puzzletype::kWordSearch).state().puzzle.grid, packaged.grid);

    QFile broken(tp.puzzleFile(QStringLiteral("Broken.wsp")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("P1\n15 15\n");
    broken.close();
    pick(QStringLiteral("Broken"));
    ASSERT_EQ(tp.boxes.boxes.size(), 1);
    EXPECT_EQ(tp.boxes.boxes[0].kind, QStringLiteral("warning"));
    EXPECT_EQ(tp.boxes.boxes[0].title, QStringLiteral("Load error"));
    EXPECT_EQ(tp.boxes.boxes[0].text, QStringLiteral("We are sorry but this puzzle could not be loaded!"));
    EXPECT_EQ(lbItems->count(), 0);
    EXPECT_EQ(w->picture(), BlankPicture());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Lettermoor     "));
}

TEST_F(PlayWindowTest, NewAndAnUnbuiltEditLeaveTheWindowEmpty)
{
    load();
    QStringList generatorRows;
    bool newPuzzle = true;
    WhenModalNamed(QStringLiteral("fmGenerator"), [&](QWidget* generator) {
        generatorRows = static_cast<WordSearchMaker*>(generator)->rows();
        newPuzzle = all->play<WordSearchWindow>(puzzletype::kWordSearch).state().newPuzzle;
        tp.boxes.answer({true}); // "If you close the generator now..." Yes
        generator->close();
    });
    pick(QStringLiteral("Animals"), "SpeedButton4");
    EXPECT_FALSE(newPuzzle);
    EXPECT_EQ(sorted(generatorRows), sorted(kWords)) << "the loaded words, to edit";
    EXPECT_EQ(lbItems->count(), 0);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Lettermoor     "));
    EXPECT_TRUE(all->play<WordSearchWindow>(puzzletype::kWordSearch).state().newPuzzle);

    load();
    bool emptyWhileOpen = false;
    WhenModalNamed(QStringLiteral("fmGenerator"), [&](QWidget* generator) {
        emptyWhileOpen = lbItems->count() == 0 && all->play<WordSearchWindow>(puzzletype::kWordSearch).state().newPuzzle;
        tp.boxes.answer({true});
        generator->close();
    });
    button("btnNew")->click();
    EXPECT_TRUE(emptyWhileOpen);
    EXPECT_EQ(lbItems->count(), 0);
}

TEST_F(PlayWindowTest, SizesFollowTheButtonsAndStoredBoundsAndClicksFollowTheSize)
{
    load();
    w->setScreenSizeSource([] { return QSize(1280, 800); });
    button("btnLarger")->click();
    EXPECT_EQ(w->size(), QSize(821, 643));
    EXPECT_EQ(imPuzzle->size(), QSize(600, 600));
    button("btnLarger")->click();
    EXPECT_EQ(w->zoom(), 2) << "900 never fits 800 pixels high";
    QTest::mouseClick(imPuzzle, Qt::LeftButton, {}, QPoint(45, 10));
    EXPECT_EQ(w->startCell(), QPoint(1, 0));
    QTest::mouseClick(imPuzzle, Qt::LeftButton, {}, QPoint(45, 10));
    button("btnSmaller")->click();
    EXPECT_EQ(w->size(), QSize(521, 343));

    // Stored bounds of the last run arrive as a resize once the fixed size is lifted.
    w->setMinimumSize(0, 0);
    w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    w->resize(1121, 943);
    EXPECT_EQ(w->zoom(), 3);
    w->close();
    w->show();
    EXPECT_EQ(w->zoom(), 3);
    w->setMinimumSize(0, 0);
    w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    w->resize(700, 500);
    EXPECT_EQ(w->size(), QSize(521, 343));
}

TEST_F(PlayWindowTest, OptionsEndsAPendingSelection)
{
    load();
    const QImage before = w->picture();
    clickCell(4, 4);
    WhenModalNamed(QStringLiteral("fmoptions"), [](QWidget* options) {
        options->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
    });
    button("btnoptions")->click();
    EXPECT_TRUE(w->waitingForFirstClick());
    EXPECT_EQ(w->picture(), before);
    EXPECT_EQ(imPuzzle->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(PlayWindowTest, MusicFollowsItsButtonAndClosingReturnsToTheLauncher)
{
    QToolButton* music = button("btnmusic");
    music->click();
    EXPECT_TRUE(program().settings.play);
    w->close();
    w->show();
    EXPECT_TRUE(music->isChecked());
    music->click();
    EXPECT_FALSE(program().settings.play);

    load();
    button("btncheat")->click();
    ASSERT_TRUE(key->isVisible());
    QWidget* launcher = all->desk().byName(QStringLiteral("fmpuzzletype"));
    launcher->hide();
    button("btnclose")->click();
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(key->isVisible());
    EXPECT_TRUE(launcher->isVisible());
}
