#include "app/programwindows.h"
#include "brainloft_resources.h"
#include "platform/rng.h"
#include "shell/windows.h"
#include "support/modal.h"
#include "support/testprogram.h"
#include "wordsearch/builder.h"
#include "wordsearch/wordsearchkeywindow.h"
#include "wordsearch/wordsearchmaker.h"
#include "wordsearch/wordsearchwindow.h"
#include "wordsearch/wordsearchfile.h"

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

constexpr std::uint32_t kPurple = 0xCB10B4; // 0x00BBGGRR: red 180, green 16, blue 203
const QRgb kPurpleRgb = qRgb(180, 16, 203);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);

const QStringList kWords = {QStringLiteral("CAT"), QStringLiteral("HORSE"), QStringLiteral("MOUSE"),
                            QStringLiteral("ZEBRA"), QStringLiteral("GIRAFFE")};

QRgb at(const QImage& picture, int x, int y)
{
    return picture.pixel(x, y) | 0xFF000000u;
}

QImage cellOf(const QImage& picture, int x, int y)
{
    return picture.copy((x - 1) * 15, (y - 1) * 15, 15, 15);
}

QImage letterPicture(char c)
{
    return QImage(QStringLiteral(":/LETTER/") + QChar::fromLatin1(c)).convertToFormat(QImage::Format_RGB32);
}

class PlayWindowTest : public ::testing::Test {
protected:
    PlayWindowTest()
    {
        InitBrainloftResources();
        all = std::make_unique<ProgramWindows>(program());
        w = all->windows().fmmain;
        key = all->windows().fmanswers;
        lbItems = w->findChild<QListWidget*>(QStringLiteral("lbItems"));
        imPuzzle = w->findChild<QLabel*>(QStringLiteral("imPuzzle"));
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

    // A puzzle of kWords from a seeded build, saved as file (inside the puzzle folder).
    WordSearchPuzzle savePuzzle(const QString& file, std::uint64_t seed = 7)
    {
        WordSearchPuzzle puzzle;
        Rng rng(seed);
        GridBuilder builder(puzzle, rng);
        const BuildOutcome outcome = builder.Build(kWords);
        EXPECT_TRUE(outcome.unplaced.isEmpty());
        EXPECT_EQ(SaveWordSearchFileAt(tp.puzzleFile(file), puzzle), 0);
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

    // A click in the middle of grid cell (x, y) as the user sees it.
    void clickCell(int x, int y)
    {
        const int cell = 15 * w->zoom();
        QTest::mouseClick(imPuzzle, Qt::LeftButton, {}, QPoint((x - 1) * cell + cell / 2, (y - 1) * cell + cell / 2));
    }
    void clickPair(int x1, int y1, int x2, int y2)
    {
        clickCell(x1, y1);
        clickCell(x2, y2);
    }

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
    QLabel* imPuzzle = nullptr;
};

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

} // namespace

TEST_F(PlayWindowTest, OpensEmptyWithItsButtonsAndSize)
{
    EXPECT_EQ(program().activePuzzleType, 3);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Lettermoor     "));
    EXPECT_EQ(w->size(), QSize(521, 343));
    EXPECT_EQ(imPuzzle->size(), QSize(300, 300));
    EXPECT_EQ(lbItems->width(), 206);
    EXPECT_EQ(lbItems->count(), 0);

    const std::pair<const char*, const char*> hints[] = {
        {"btnNew", "Create new puzzle"},
        {"BtnLoad", "Load a saved puzzle"},
        {"SpeedButton4", "Edit a saved puzzle"},
        {"btncheat", "(Cheat!) Show the key"},
        {"btnprint", "Print the currently loaded puzzle"},
        {"btnSmaller", "Decrease the puzzle size"},
        {"btnLarger", "Increase the puzzle size"},
        {"btnoptions", "Set properties"},
        {"btnmusic", "Turn music ON/OFF"},
        {"btnnext", "Skip to the next song"},
        {"SpeedButton1", "Instructions"},
        {"btnclose", "Close"},
    };
    for (const auto& [name, hint] : hints) {
        QToolButton* b = button(name);
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(b->toolTip(), QString::fromLatin1(hint));
        EXPECT_EQ(b->size(), QSize(25, 25));
        EXPECT_FALSE(b->icon().isNull()) << name;
    }

    // Without a puzzle clicks mark nothing and the key stays hidden.
    const QImage before = w->picture();
    clickCell(1, 1);
    EXPECT_TRUE(w->waitingForFirstClick());
    EXPECT_EQ(w->picture(), before);
    button("btncheat")->click();
    EXPECT_FALSE(key->isVisible());
}

TEST_F(PlayWindowTest, LoadsAUserPuzzleAndAPackagedOne)
{
    const WordSearchPuzzle user = savePuzzle(QStringLiteral("Animals.wsp"));
    pick(QStringLiteral("Animals"));
    EXPECT_EQ(rows(), sorted(kWords));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Lettermoor     Animals"));
    EXPECT_EQ(all->states().wordSearch.currentName, QStringLiteral("Animals"));
    EXPECT_EQ(all->states().wordSearch.puzzle.grid, user.grid);
    for (int x : {1, 9, 20})
        for (int y : {1, 13, 20})
            EXPECT_EQ(cellOf(w->picture(), x, y), letterPicture(user.grid[x][y])) << x << "," << y;
    EXPECT_EQ(w->picture(), w->letterCopy());

    const WordSearchPuzzle packaged = savePuzzle(QStringLiteral("Pack.wsd"), 99);
    pick(QStringLiteral("<Pack>"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Lettermoor     Pack"));
    EXPECT_EQ(all->states().wordSearch.puzzle.grid, packaged.grid);
    EXPECT_EQ(rows(), sorted(kWords));
    EXPECT_TRUE(tp.boxes.boxes.isEmpty());
}

TEST_F(PlayWindowTest, ARightPairInEitherOrderHighlightsTheWordAndStrikesIt)
{
    const WordSearchPuzzle puzzle = savePuzzle(QStringLiteral("Animals.wsp"));
    pick(QStringLiteral("Animals"));

    const TableEntry cat = ends(puzzle, 1);
    clickCell(cat.x1, cat.y1);
    EXPECT_FALSE(w->waitingForFirstClick());
    EXPECT_EQ(imPuzzle->cursor().shape(), Qt::WhatsThisCursor);
    clickCell(cat.x2, cat.y2);
    EXPECT_TRUE(w->waitingForFirstClick());
    EXPECT_EQ(imPuzzle->cursor().shape(), Qt::ArrowCursor);
    EXPECT_FALSE(rows().contains(QStringLiteral("CAT")));
    EXPECT_EQ(rows().size(), kWords.size() - 1);

    // Both end cells: the highlight behind the letter, the letter itself still black.
    for (const auto& [x, y] : {std::pair{cat.x1, cat.y1}, std::pair{cat.x2, cat.y2}}) {
        const QImage letter = letterPicture(puzzle.grid[x][y]);
        const QImage cell = cellOf(w->picture(), x, y);
        for (int dy = 2; dy <= 12; ++dy)
            for (int dx = 2; dx <= 12; ++dx)
                ASSERT_EQ(at(cell, dx, dy), at(letter, dx, dy) == kBlack ? kBlack : kPurpleRgb)
                    << x << "," << y << " at " << dx << "," << dy;
    }

    const TableEntry horse = ends(puzzle, 2);
    clickPair(horse.x2, horse.y2, horse.x1, horse.y1); // last letter first
    EXPECT_FALSE(rows().contains(QStringLiteral("HORSE")));
    EXPECT_EQ(at(w->picture(), (horse.x1 - 1) * 15 + 2, (horse.y1 - 1) * 15 + 2), kPurpleRgb);

    // Finding a word again changes nothing.
    const QImage found = w->picture();
    clickPair(cat.x1, cat.y1, cat.x2, cat.y2);
    EXPECT_EQ(w->picture(), found);
    EXPECT_EQ(rows().size(), kWords.size() - 2);
    EXPECT_TRUE(tp.boxes.boxes.isEmpty());
}

TEST_F(PlayWindowTest, TheKeyboardFindsAWordToo)
{
    const WordSearchPuzzle puzzle = savePuzzle(QStringLiteral("Animals.wsp"));
    pick(QStringLiteral("Animals"));
    QApplication::setActiveWindow(w);
    imPuzzle->setFocus();
    ASSERT_TRUE(imPuzzle->hasFocus());
    const QImage shown = imPuzzle->pixmap().toImage();
    EXPECT_NE(shown.pixel(1, 1), w->picture().pixel(1, 1)) << "the focus cell is visible";
    EXPECT_EQ(w->picture().pixel(1, 1), cellOf(w->picture(), 1, 1).pixel(1, 1)) << "but not in the picture";

    // Walk to a cell: arrows stop at the edges.
    auto walkTo = [&](int x, int y) {
        for (int i = 0; i < 20; ++i) {
            QTest::keyClick(imPuzzle, Qt::Key_Left);
            QTest::keyClick(imPuzzle, Qt::Key_Up);
        }
        EXPECT_EQ(w->focusCell(), QPoint(0, 0));
        for (int i = 1; i < x; ++i)
            QTest::keyClick(imPuzzle, Qt::Key_Right);
        for (int i = 1; i < y; ++i)
            QTest::keyClick(imPuzzle, Qt::Key_Down);
    };
    const TableEntry cat = ends(puzzle, 1);
    walkTo(cat.x1, cat.y1);
    QTest::keyClick(imPuzzle, Qt::Key_Space);
    EXPECT_FALSE(w->waitingForFirstClick());
    walkTo(cat.x2, cat.y2);
    QTest::keyClick(imPuzzle, Qt::Key_Return);
    EXPECT_FALSE(rows().contains(QStringLiteral("CAT")));
    EXPECT_EQ(imPuzzle->focusPolicy(), Qt::StrongFocus);
    QTest::keyClick(imPuzzle, Qt::Key_Tab);
    EXPECT_TRUE(lbItems->hasFocus()) << "Tab goes from the grid to the list";
}

TEST_F(PlayWindowTest, WrongPairsAndInnerLettersFindNothing)
{
    const WordSearchPuzzle puzzle = savePuzzle(QStringLiteral("Animals.wsp"));
    pick(QStringLiteral("Animals"));
    const QImage before = w->picture();

    // Two cells that no word joins.
    ASSERT_EQ(puzzle.index.at(1, 1, 20, 20) + puzzle.index.at(20, 20, 1, 1), 0);
    clickPair(1, 1, 20, 20);
    EXPECT_EQ(w->picture(), before);

    // The first and third letters of MOUSE.
    const TableEntry mouse = ends(puzzle, 3);
    const int dx = (mouse.x2 > mouse.x1) - (mouse.x2 < mouse.x1);
    const int dy = (mouse.y2 > mouse.y1) - (mouse.y2 < mouse.y1);
    clickPair(mouse.x1, mouse.y1, mouse.x1 + 2 * dx, mouse.y1 + 2 * dy);
    EXPECT_EQ(w->picture(), before);
    EXPECT_EQ(rows(), sorted(kWords));
    EXPECT_TRUE(w->waitingForFirstClick());
    EXPECT_TRUE(tp.boxes.boxes.isEmpty());
}

TEST_F(PlayWindowTest, MarkingAFoundWordsCellThenUnmarkingRestoresItExactly)
{
    const WordSearchPuzzle puzzle = savePuzzle(QStringLiteral("Animals.wsp"));
    pick(QStringLiteral("Animals"));
    const TableEntry zebra = ends(puzzle, 4);
    clickPair(zebra.x1, zebra.y1, zebra.x2, zebra.y2);
    const QImage found = w->picture();

    clickCell(zebra.x1, zebra.y1);
    const QImage marked = cellOf(w->picture(), zebra.x1, zebra.y1);
    EXPECT_EQ(at(marked, 2, 2), qRgb(1, 0, 0)) << "highlight parked in near-black";
    EXPECT_NE(marked, cellOf(found, zebra.x1, zebra.y1));

    clickCell(zebra.x1, zebra.y1); // the second click ends the selection, finding nothing
    EXPECT_EQ(w->picture(), found);
}

TEST_F(PlayWindowTest, FindingTheLastWordShowsPuzzleCompleteAndStartsAgain)
{
    const WordSearchPuzzle puzzle = savePuzzle(QStringLiteral("Animals.wsp"));
    pick(QStringLiteral("Animals"));
    for (int n = 1; n < kWords.size(); ++n) {
        const TableEntry e = ends(puzzle, n);
        clickPair(e.x1, e.y1, e.x2, e.y2);
    }
    ASSERT_EQ(rows(), QStringList{QStringLiteral("GIRAFFE")});

    bool shown = false;
    WhenModalNamed(QStringLiteral("FmWinner"), [&](QWidget* winner) {
        shown = true;
        EXPECT_EQ(winner->windowTitle(), QStringLiteral("Puzzle complete"));
        EXPECT_EQ(winner->size(), QSize(463, 187));
        const auto* label1 = winner->findChild<QLabel*>(QStringLiteral("Label1"));
        const auto* label2 = winner->findChild<QLabel*>(QStringLiteral("Label2"));
        EXPECT_TRUE(label1->text().startsWith(QStringLiteral("Congratulations, You have now completed this puzzle.")));
        EXPECT_TRUE(label1->text().endsWith(QStringLiteral("Don't forget to try them all!")));
        EXPECT_TRUE(label1->wordWrap());
        EXPECT_EQ(label2->text(),
                  QStringLiteral("Your puzzle will now be reset and you will be returned to the main window."));
        EXPECT_EQ(lbItems->count(), 0);
        winner->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    });
    const TableEntry last = ends(puzzle, 5);
    clickPair(last.x1, last.y1, last.x2, last.y2);

    EXPECT_TRUE(shown);
    EXPECT_EQ(rows(), sorted(kWords));
    EXPECT_EQ(w->picture(), w->letterCopy()) << "no highlights left";
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Lettermoor     Animals"));
}

TEST_F(PlayWindowTest, AFailedLoadWarnsAndLeavesTheWindowEmpty)
{
    savePuzzle(QStringLiteral("Animals.wsp"));
    pick(QStringLiteral("Animals"));
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

TEST_F(PlayWindowTest, EditingAndClosingTheGeneratorUnbuiltLeavesTheWindowEmpty)
{
    savePuzzle(QStringLiteral("Animals.wsp"));
    QStringList generatorRows;
    bool newPuzzle = true;
    WhenModalNamed(QStringLiteral("fmGenerator"), [&](QWidget* generator) {
        generatorRows = static_cast<WordSearchMaker*>(generator)->rows();
        newPuzzle = all->states().wordSearch.newPuzzle;
        tp.boxes.answer({true}); // "If you close the generator now..." Yes
        generator->close();
    });
    pick(QStringLiteral("Animals"), "SpeedButton4");

    EXPECT_FALSE(newPuzzle);
    EXPECT_EQ(sorted(generatorRows.filter(QRegularExpression(QStringLiteral(".+")))), sorted(kWords));
    EXPECT_EQ(lbItems->count(), 0);
    EXPECT_EQ(w->picture(), BlankPicture());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Lettermoor     "));
    EXPECT_TRUE(all->states().wordSearch.newPuzzle);
}

TEST_F(PlayWindowTest, NewOpensTheGeneratorOnAnEmptyPuzzle)
{
    savePuzzle(QStringLiteral("Animals.wsp"));
    pick(QStringLiteral("Animals"));
    bool emptyWhileOpen = false;
    WhenModalNamed(QStringLiteral("fmGenerator"), [&](QWidget* generator) {
        emptyWhileOpen = lbItems->count() == 0 && all->states().wordSearch.newPuzzle;
        tp.boxes.answer({true});
        generator->close();
    });
    button("btnNew")->click();
    EXPECT_TRUE(emptyWhileOpen);
    EXPECT_EQ(lbItems->count(), 0);
}

TEST_F(PlayWindowTest, ZoomFollowsTheScreenRoomInBothDirections)
{
    savePuzzle(QStringLiteral("Animals.wsp"));
    pick(QStringLiteral("Animals"));

    w->setScreenSizeSource([] { return QSize(1280, 800); });
    w->move(300, 200);
    button("btnLarger")->click();
    EXPECT_EQ(w->zoom(), 2);
    EXPECT_EQ(w->size(), QSize(821, 643));
    const QRect area = w->screen()->availableGeometry(), frame = w->frameGeometry();
    EXPECT_TRUE(frame.right() <= area.right() || frame.left() == area.left()) << "moved back inside as far as it fits";
    EXPECT_TRUE(frame.bottom() <= area.bottom() || frame.top() == area.top());
    EXPECT_NE(frame.topLeft(), QPoint(300, 200));
    EXPECT_EQ(imPuzzle->size(), QSize(600, 600));
    button("btnLarger")->click();
    EXPECT_EQ(w->zoom(), 2) << "900 never fits 800 pixels high";

    // At zoom 2 a click at (45, 10) is column 1, row 0.
    QTest::mouseClick(imPuzzle, Qt::LeftButton, {}, QPoint(45, 10));
    EXPECT_EQ(w->startCell(), QPoint(1, 0));
    EXPECT_EQ(at(w->picture(), 15, 0), at(w->letterCopy(), 15, 0)) << "outside the inner square";
    EXPECT_NE(cellOf(w->picture(), 2, 1), cellOf(w->letterCopy(), 2, 1)) << "cell (2, 1) is marked";
    QTest::mouseClick(imPuzzle, Qt::LeftButton, {}, QPoint(45, 10));

    w->setScreenSizeSource([] { return QSize(1920, 1200); });
    button("btnLarger")->click();
    EXPECT_EQ(w->zoom(), 3);
    EXPECT_EQ(w->size(), QSize(1121, 943));
    button("btnLarger")->click();
    EXPECT_EQ(w->zoom(), 3);
    button("btnSmaller")->click();
    EXPECT_EQ(w->zoom(), 2);
    button("btnSmaller")->click();
    EXPECT_EQ(w->zoom(), 1);
    button("btnSmaller")->click();
    EXPECT_EQ(w->size(), QSize(521, 343));

    // Room in one direction only is not enough.
    w->setScreenSizeSource([] { return QSize(1920, 643); });
    button("btnLarger")->click();
    EXPECT_EQ(w->zoom(), 1);
}

TEST_F(PlayWindowTest, PrintWithoutAPuzzleWarns)
{
    button("btnprint")->click();
    ASSERT_EQ(tp.boxes.boxes.size(), 1);
    EXPECT_EQ(tp.boxes.boxes[0].title, QStringLiteral("Print notice"));
    EXPECT_EQ(tp.boxes.boxes[0].text,
              QStringLiteral("You must create a puzzle or have one\nloaded before you can print it!"));
}

TEST_F(PlayWindowTest, OptionsEndsAPendingSelection)
{
    savePuzzle(QStringLiteral("Animals.wsp"));
    pick(QStringLiteral("Animals"));
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

TEST_F(PlayWindowTest, MusicButtonFollowsAndSetsThePlaySetting)
{
    QToolButton* music = button("btnmusic");
    EXPECT_TRUE(music->isCheckable());
    EXPECT_FALSE(music->isChecked());
    music->click();
    EXPECT_TRUE(program().settings.play);
    w->close();
    w->show();
    EXPECT_TRUE(music->isChecked());
    music->click();
    EXPECT_FALSE(program().settings.play);
}

TEST_F(PlayWindowTest, ClosingReturnsToTheLauncherAndClosesTheKey)
{
    savePuzzle(QStringLiteral("Animals.wsp"));
    pick(QStringLiteral("Animals"));
    button("btncheat")->click();
    ASSERT_TRUE(key->isVisible());
    QWidget* launcher = all->windows().byName(QStringLiteral("fmpuzzletype"));
    launcher->hide();

    button("btnclose")->click();
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(key->isVisible());
    EXPECT_TRUE(launcher->isVisible());
}

TEST_F(PlayWindowTest, ASizeFromOutsidePicksTheMatchingZoom)
{
    // Stored bounds of the last run arrive as a resize once the fixed size is lifted.
    w->setMinimumSize(0, 0);
    w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    w->resize(821, 643);
    EXPECT_EQ(w->zoom(), 2);
    EXPECT_EQ(imPuzzle->size(), QSize(600, 600));
    w->close();
    w->show();
    EXPECT_EQ(w->zoom(), 2);

    w->setMinimumSize(0, 0);
    w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    w->resize(700, 500);
    EXPECT_EQ(w->zoom(), 1);
    EXPECT_EQ(w->size(), QSize(521, 343));
}
