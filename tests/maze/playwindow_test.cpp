// The maze play window: it draws the maze being played, forwards keys and runs the save, load,
// cheat and size buttons with their boxes. The rules themselves are tested on the model.
#include "app/programwindows.h"
#include "brainloft_resources.h"
#include "maze/generator.h"
#include "maze/mazefile.h"
#include "maze/mazekeywindow.h"
#include "maze/mazewindow.h"
#include "platform/atomicfile.h"
#include "platform/rng.h"
#include "route.h"
#include "shell/settingsstore.h"
#include "shell/windowpositions.h"
#include "support/modal.h"
#include "support/testprogram.h"

#include <QAbstractButton>
#include <QDialog>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace maze;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kGreen = 0xFF00FF00;

// Closes every "Puzzle complete" that opens while it lives, and counts them.
class WinnerCloser {
public:
    WinnerCloser()
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (modal && modal->isVisible() && modal->objectName() == QLatin1String("FmWinner")) {
                ++count;
                modal->accept();
            }
        });
        timer_.start();
    }
    int count = 0;

private:
    QTimer timer_;
};

Qt::Key qtKey(Direction d)
{
    return d == Direction::Left    ? Qt::Key_Left
           : d == Direction::Up    ? Qt::Key_Up
           : d == Direction::Right ? Qt::Key_Right
                                   : Qt::Key_Down;
}

class MazeWindowTest : public ::testing::Test {
protected:
    MazeWindowTest()
    {
        InitBrainloftResources();
        all = std::make_unique<ProgramWindows>(program());
        w = (&all->play<MazeWindow>(puzzletype::kMaze));
        key = (&all->play<MazeWindow>(puzzletype::kMaze).key());
        program().settings.mzlevel = kEasy;
        w->setScreenSizeSource([] { return QSize(1920, 1200); });
        w->show();
        Settle();
    }
    ~MazeWindowTest() override
    {
        if (w->isVisible())
            w->close();
    }

    Program& program() { return *tp.program; }
    MazeState& state() { return all->play<MazeWindow>(puzzletype::kMaze).state(); }
    void click(const char* name) { w->findChild<QAbstractButton*>(QString::fromLatin1(name))->click(); }
    QImage shownPicture() { return w->findChild<QWidget*>(QStringLiteral("immain"))->grab().toImage(); }
    void press(Qt::Key k) { QTest::keyClick(w, k); }

    // A new maze, not saved.
    void newMaze()
    {
        tp.boxes.answer({false});
        click("btnNew");
    }

    // A new maze saved under name.
    void newMazeSavedAs(const QString& name)
    {
        tp.boxes.answer({true});
        WhenModalNamed(QStringLiteral("TokStringDialogWindow"), [name](QWidget* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("edText"));
            edit->selectAll();
            QTest::keyClicks(edit, name);
            dialog->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
        });
        click("btnNew");
    }

    void pick(const QString& row)
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
        click("BtnLoad");
    }

    // Cells of the picture at 600 pixels that do not show the game's picture, the cursor's cell
    // in the cursor colour when it is lit.
    int cellsNotShowingTheGame()
    {
        const QImage shot = shownPicture();
        const QImage& picture = w->game().mainPicture();
        const int n = picture.width();
        const int cell = 600 / n;
        int wrong = 0;
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                const bool cursor = w->game().cursorLit() && w->game().cursor() == Cell{x, y};
                const QRgb expected = cursor ? kGreen : picture.pixel(x, y);
                for (const QPoint at : {QPoint(x * cell, y * cell), QPoint(x * cell + cell - 1, y * cell + cell - 1)})
                    wrong += (shot.pixel(at) | 0xFF000000) != expected;
            }
        return wrong;
    }

    TestProgram tp{5};
    std::unique_ptr<ProgramWindows> all;
    MazeWindow* w = nullptr;
    MazeKeyWindow* key = nullptr;
};

} // namespace

TEST_F(MazeWindowTest, NewMazeAndItsSaveFlow)
{
    newMaze();
    EXPECT_EQ(tp.boxes.titles(), QStringList{QStringLiteral("Save puzzle")});
    EXPECT_TRUE(w->game().shown());
    EXPECT_TRUE(w->flashing());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Windlepath     "));

    newMazeSavedAs(QStringLiteral("Spring"));
    EXPECT_EQ(tp.boxes.texts().last(), QStringLiteral("Your puzzle has now been saved"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Windlepath     Spring"));
    MazeGrid saved;
    int n = 0;
    ASSERT_EQ(LoadMazeFileAt(tp.puzzleFile(QStringLiteral("Spring.mzp")), saved, n), 0);
    EXPECT_EQ(saved, state().grid);

    {
        atomicfile::FailAfter failing(0);
        newMazeSavedAs(QStringLiteral("Autumn"));
    }
    EXPECT_EQ(tp.boxes.texts().last(), QStringLiteral("Your puzzle could not be saved"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Windlepath     Spring")) << "a failed write keeps the name";
    EXPECT_FALSE(QFile::exists(tp.puzzleFile(QStringLiteral("Autumn.mzp"))));

    newMaze();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Windlepath     ")) << "No clears the name";
    EXPECT_EQ(tp.boxes.unusedAnswers(), 0);
}

TEST_F(MazeWindowTest, DrawsTheGameAndForwardsKeysToOneWinAndARestart)
{
    program().settings.mazeCursor = 0x00FF00; // green, read at each paint
    newMaze();
    click("btnLarger");
    ASSERT_EQ(w->zoom(), 2);
    EXPECT_EQ(cellsNotShowingTheGame(), 0);
    EXPECT_EQ(shownPicture().pixel(0, 0) | 0xFF000000, kBlack);

    const Cell entrance = w->game().cursor();
    // One flash lights the cursor.
    QMetaObject::invokeMethod(w->findChild<QTimer*>(QStringLiteral("tmflash")), "timeout");
    ASSERT_TRUE(w->game().cursorLit());
    EXPECT_EQ(shownPicture().pixel(entrance.x * 20 + 10, 10) | 0xFF000000, kGreen);
    EXPECT_EQ(cellsNotShowingTheGame(), 0);

    press(Qt::Key_Down);
    EXPECT_EQ(w->game().cursor(), (Cell{entrance.x, 1}));
    EXPECT_EQ(cellsNotShowingTheGame(), 0);
    EXPECT_EQ(shownPicture().pixel(entrance.x * 20 + 10, 10) | 0xFF000000, kWhite) << "the cell left";
    press(Qt::Key_A);
    EXPECT_EQ(w->game().cursor(), (Cell{entrance.x, 1}));
    press(Qt::Key_Up);

    WinnerCloser winners;
    const std::vector<Direction> route = RouteToExit(state().grid, state().size);
    ASSERT_FALSE(route.empty());
    for (std::size_t i = 0; i + 1 < route.size(); ++i)
        press(qtKey(route[i]));
    EXPECT_EQ(winners.count, 0);
    // An auto-repeated arrow waiting in the queue when the exit is reached must not win again.
    QCoreApplication::postEvent(w, new QKeyEvent(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), true));
    press(qtKey(route.back()));
    Settle();
    EXPECT_EQ(winners.count, 1);
    EXPECT_EQ(w->game().cursor(), entrance) << "the same maze starts again";
    EXPECT_TRUE(w->flashing());
    EXPECT_EQ(cellsNotShowingTheGame(), 0);
}

TEST_F(MazeWindowTest, OpensWithoutAMazeAndThenCheatAndPrintDoNothing)
{
    EXPECT_EQ(program().activePuzzleType, 4);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Windlepath     "));
    EXPECT_EQ(w->size(), QSize(340, 373));
    click("btncheat");
    EXPECT_FALSE(key->isVisible());
    click("btnprint");
    ASSERT_EQ(tp.boxes.boxes.size(), 1);
    EXPECT_EQ(tp.boxes.boxes[0].kind, QStringLiteral("warning"));
    EXPECT_EQ(tp.boxes.boxes[0].title, QStringLiteral("Print error"));
    EXPECT_EQ(tp.boxes.boxes[0].text, QStringLiteral("You must create or load a maze before you can print one!"));

    newMaze();
    click("btncheat");
    EXPECT_TRUE(key->isVisible());
    w->close();
    EXPECT_FALSE(key->isVisible());
    w->show();
    EXPECT_FALSE(w->game().shown()) << "the picture does not survive reopening";
    EXPECT_FALSE(w->flashing());
    const QImage shot = shownPicture();
    EXPECT_EQ(shot.pixel(0, 0) | 0xFF000000, kWhite);
    EXPECT_EQ(shot.pixel(299, 299) | 0xFF000000, kWhite);
}

TEST_F(MazeWindowTest, LoadsAMazeOrShowsTheLoadError)
{
    newMazeSavedAs(QStringLiteral("Good"));
    click("btncheat");
    QFile bad(tp.puzzleFile(QStringLiteral("Bad.mzp")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray("\x04\x57\xC4\x53\xB8", 5));
    bad.close();
    program().settings.mzlevel = kHard;

    pick(QStringLiteral("Bad"));
    EXPECT_EQ(tp.boxes.titles().last(), QStringLiteral("Load error"));
    EXPECT_EQ(tp.boxes.texts().last(), QStringLiteral("We are sorry but this puzzle could not be loaded!"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Windlepath     "));
    EXPECT_FALSE(w->flashing());
    EXPECT_EQ(program().settings.mzlevel, kEasy);
    EXPECT_EQ(key->findChild<QWidget*>(QStringLiteral("imanswer"))->grab().toImage().pixel(0, 0) | 0xFF000000, kWhite);
    key->close();
    click("btncheat");
    EXPECT_FALSE(key->isVisible()) << "nothing to cheat on";

    MazeGrid big;
    Rng rng(21);
    ASSERT_EQ(SaveMazeFileAt(tp.puzzleFile(QStringLiteral("Big.mzp")), big, GenerateMaze(big, kHard, rng)), 0);
    pick(QStringLiteral("Big"));
    EXPECT_EQ(state().grid, big);
    EXPECT_EQ(program().settings.mzlevel, kHard);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Windlepath     Big"));
    EXPECT_TRUE(w->flashing());
}

TEST_F(MazeWindowTest, SizeButtonsResizeTheWindowAndItsPicture)
{
    w->setScreenSizeSource([] { return QSize(1000, 800); });
    const std::pair<const char*, QSize> steps[] = {
        {"btnLarger", {640, 673}}, {"btnLarger", {640, 673}}, {"btnSmaller", {340, 373}}};
    for (const auto& [button, client] : steps) {
        click(button);
        EXPECT_EQ(w->size(), client) << button;
        EXPECT_EQ(w->findChild<QWidget*>(QStringLiteral("immain"))->width(), client.width() - 40);
        EXPECT_EQ(w->zoom(), (client.width() - 40) / 300);
    }
}

// Stored sizes are of the outer frame, which a hidden window does not know yet: the window picks
// its picture size from them and keeps its own fixed size, so it never grows by its frame.
TEST_F(MazeWindowTest, StoredBoundsPickThePictureSizeAndKeepTheFixedSize)
{
    struct Case {
        QSize stored;
        QSize client;
    };
    const Case cases[] = {
        {{340, 373}, {340, 373}}, {{342, 394}, {340, 373}}, {{356, 549}, {340, 373}},
        {{642, 694}, {640, 673}}, {{940, 973}, {940, 973}}, {{944, 998}, {940, 973}},
    };
    QSettings store(tp.root.filePath(QStringLiteral("bounds.ini")), QSettings::IniFormat);
    for (const Case& c : cases)
        for (const char* name : {"fmmaze", "fmmzkey"}) {
            const QString window = QString::fromLatin1(name);
            WriteRegistryInteger(store, ProductKey(window, QStringLiteral("width")), c.stored.width());
            WriteRegistryInteger(store, ProductKey(window, QStringLiteral("height")), c.stored.height());
            Desk none;
            std::unique_ptr<QWidget> shown;
            if (window == QLatin1String("fmmaze"))
                shown = std::make_unique<MazeWindow>(program(), none);
            else
                shown = std::make_unique<MazeKeyWindow>(program(), none);
            LoadWindowPositions(store, {{window, shown.get()}});
            shown->show();
            EXPECT_EQ(shown->size(), c.client) << name << " stored " << c.stored.width() << "x" << c.stored.height();
            EXPECT_EQ(shown->minimumSize(), c.client) << name << ": a fixed size";
            EXPECT_EQ(shown->maximumSize(), c.client) << name << ": a fixed size";
            shown->close();
        }
}
