// The maze play window, driven through its controls with scripted boxes, and its pictures.
#include "app/programwindows.h"
#include "brainloft_resources.h"
#include "maze/generator.h"
#include "maze/mazefile.h"
#include "maze/mazewindow.h"
#include "maze/mazekeywindow.h"
#include "platform/atomicfile.h"
#include "shell/launcherwindow.h"
#include "shell/windowpositions.h"
#include "support/modal.h"
#include "support/testprogram.h"

#include <QAbstractButton>
#include <QDialog>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <map>
#include <queue>

using namespace maze;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

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

// The keys that walk from the entrance to the exit, found through the step rule.
QList<Qt::Key> routeKeys(const MazeGrid& grid, int n)
{
    const Cell start{*FindEntrance(grid, n), 0};
    std::map<std::pair<int, int>, std::pair<Cell, Qt::Key>> came;
    std::queue<Cell> todo;
    todo.push(start);
    came[{start.x, start.y}] = {start, Qt::Key_unknown};
    const std::pair<Direction, Qt::Key> steps[] = {{Direction::Left, Qt::Key_Left}, {Direction::Up, Qt::Key_Up},
                                                   {Direction::Right, Qt::Key_Right}, {Direction::Down, Qt::Key_Down}};
    while (!todo.empty()) {
        const Cell c = todo.front();
        todo.pop();
        if (IsAtExit(c.y, n)) {
            QList<Qt::Key> keys;
            for (Cell at = c; !(at == start);) {
                const auto& [from, key] = came[{at.x, at.y}];
                keys.prepend(key);
                at = from;
            }
            return keys;
        }
        for (const auto& [direction, key] : steps)
            if (const std::optional<Cell> next = MoveCursor(grid, n, c, direction); next && !came.count({next->x, next->y})) {
                came[{next->x, next->y}] = {c, key};
                todo.push(*next);
            }
    }
    return {};
}

class MazeWindowTest : public ::testing::Test {
protected:
    MazeWindowTest()
    {
        InitBrainloftResources();
        all = std::make_unique<ProgramWindows>(program());
        w = all->windows().fmmaze;
        key = all->windows().fmmzkey;
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
    MazeState& state() { return all->states().maze; }
    void click(const char* name) { w->findChild<QAbstractButton*>(QString::fromLatin1(name))->click(); }
    QImage shownPicture() { return w->findChild<QWidget*>(QStringLiteral("immain"))->grab().toImage(); }

    // A new maze, not saved.
    void newMaze()
    {
        tp.boxes.answer({false});
        click("btnNew");
    }

    // A new maze saved under name; replace answers the replace question when it comes.
    void newMazeSavedAs(const QString& name, std::initializer_list<bool> answers = {true})
    {
        tp.boxes.answer(answers);
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
            auto* list = picker->findChild<QListWidget*>(QStringLiteral("lbfiles"));
            const QList<QListWidgetItem*> items = list->findItems(row, Qt::MatchExactly);
            if (items.isEmpty()) {
                ADD_FAILURE() << "no row " << row.toStdString();
                picker->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
                return;
            }
            list->setCurrentItem(items.first());
            picker->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        });
        click("BtnLoad");
    }

    void press(Qt::Key k) { QTest::keyClick(w, k); }

    TestProgram tp{5};
    std::unique_ptr<ProgramWindows> all;
    MazeWindow* w = nullptr;
    MazeKeyWindow* key = nullptr;
};

} // namespace

TEST(MazeWindowFromLauncher, WindlepathOpensTheMazeWindow)
{
    InitBrainloftResources();
    TestProgram tp(3);
    ProgramWindows all(*tp.program);
    Windows& windows = all.windows();
    windows.fmpuzzletype->show();
    windows.fmpuzzletype->findChild<QRadioButton*>(QStringLiteral("rgpuzzletype_3"))->click();
    windows.fmpuzzletype->findChild<QAbstractButton*>(QStringLiteral("ColorBtn1"))->click();
    ASSERT_TRUE(windows.fmmaze->isVisible());
    EXPECT_FALSE(windows.fmpuzzletype->isVisible());
    EXPECT_EQ(tp.program->activePuzzleType, 4);
    EXPECT_EQ(windows.fmmaze->windowTitle(), QStringLiteral("Windlepath     "));
    EXPECT_EQ(windows.fmmaze->size(), QSize(340, 373));
    EXPECT_FALSE(windows.fmmaze->mazePresent());
    windows.fmmaze->close();
    EXPECT_TRUE(windows.fmpuzzletype->isVisible());
}

TEST_F(MazeWindowTest, NewMazeAndItsSaveFlow)
{
    newMaze();
    EXPECT_EQ(tp.boxes.titles(), QStringList{QStringLiteral("Save puzzle")});
    EXPECT_TRUE(w->mazePresent());
    EXPECT_EQ(state().size, kEasy);
    EXPECT_EQ(w->picture().size(), QSize(kEasy, kEasy));
    EXPECT_EQ(key->picture().size(), QSize(kEasy, kEasy));
    EXPECT_TRUE(w->flashing());
    EXPECT_EQ(w->cursor(), (Cell{*FindEntrance(state().grid, kEasy), 0}));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Windlepath     "));

    newMazeSavedAs(QStringLiteral("Spring"));
    EXPECT_EQ(tp.boxes.texts().last(), QStringLiteral("Your puzzle has now been saved"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Windlepath     Spring"));
    MazeGrid saved;
    int n = 0;
    ASSERT_EQ(LoadMazeFileAt(tp.puzzleFile(QStringLiteral("Spring.mzp")), saved, n), 0);
    EXPECT_EQ(saved, state().grid);

    newMazeSavedAs(QStringLiteral("spring"), {true, true});
    EXPECT_TRUE(tp.boxes.titles().contains(QStringLiteral("Replace 'SPRING' ?")));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Windlepath     spring"));

    {
        atomicfile::FailAfter failing(0);
        newMazeSavedAs(QStringLiteral("Autumn"));
    }
    EXPECT_EQ(tp.boxes.texts().last(), QStringLiteral("Your puzzle could not be saved"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Windlepath     spring")) << "a failed write keeps the name";
    EXPECT_FALSE(QFile::exists(tp.puzzleFile(QStringLiteral("Autumn.mzp"))));

    newMaze();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Windlepath     ")) << "No clears the name";
    EXPECT_EQ(tp.boxes.unusedAnswers(), 0);
}

TEST_F(MazeWindowTest, ArrowsWalkTheRouteToOneWinAndARestart)
{
    newMaze();
    const Cell entrance = w->cursor();
    press(Qt::Key_Up);
    EXPECT_EQ(w->cursor(), entrance) << "up at the entrance";
    for (Qt::Key other : {Qt::Key_A, Qt::Key_Space, Qt::Key_Return})
        press(other);
    EXPECT_EQ(w->cursor(), entrance) << "other keys move nothing";
    press(Qt::Key_Down);
    EXPECT_EQ(w->cursor(), (Cell{entrance.x, 1}));
    press(Qt::Key_Up);

    WinnerCloser winners;
    const QList<Qt::Key> keys = routeKeys(state().grid, state().size);
    ASSERT_FALSE(keys.isEmpty());
    for (int i = 0; i + 1 < keys.size(); ++i)
        press(keys[i]);
    EXPECT_EQ(winners.count, 0);
    // An auto-repeated arrow waiting in the queue when the exit is reached must not win again.
    QCoreApplication::postEvent(w, new QKeyEvent(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), true));
    press(keys.last());
    Settle();
    EXPECT_EQ(winners.count, 1);
    EXPECT_EQ(w->cursor(), entrance) << "the same maze starts again";
    EXPECT_TRUE(w->flashing());
    EXPECT_TRUE(w->mazePresent());
}

TEST_F(MazeWindowTest, WithoutAMazeKeysCheatAndPrintDoNothing)
{
    // At first the grid is empty and the maze size unset: keys neither walk nor win.
    WinnerCloser winners;
    const Cell before = w->cursor();
    for (Qt::Key k : {Qt::Key_Right, Qt::Key_Down, Qt::Key_A})
        press(k);
    Settle();
    EXPECT_EQ(w->cursor(), before);
    EXPECT_EQ(winners.count, 0);

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
    EXPECT_FALSE(w->mazePresent()) << "the picture does not survive reopening";
    EXPECT_FALSE(w->flashing());
    for (Qt::Key k : routeKeys(state().grid, state().size))
        press(k);
    EXPECT_EQ(w->cursor().y, 0) << "the old grid is not walked unseen";
    EXPECT_EQ(winners.count, 0);
}

TEST_F(MazeWindowTest, FailedLoadEmptiesTheWindowAndSetsEasy)
{
    newMazeSavedAs(QStringLiteral("Good"));
    click("btncheat");
    QFile bad(tp.puzzleFile(QStringLiteral("Bad.mzp")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray("\x04\x57\xC4\x53\xB8", 5));
    bad.close();
    const MazeGrid grid = state().grid;
    program().settings.mzlevel = kHard;

    pick(QStringLiteral("Bad"));
    EXPECT_EQ(tp.boxes.titles().last(), QStringLiteral("Load error"));
    EXPECT_EQ(tp.boxes.texts().last(), QStringLiteral("We are sorry but this puzzle could not be loaded!"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Windlepath     "));
    EXPECT_FALSE(w->flashing());
    EXPECT_FALSE(w->mazePresent());
    EXPECT_EQ(key->picture().pixel(0, 0), kWhite);
    EXPECT_EQ(program().settings.mzlevel, kEasy);
    EXPECT_EQ(state().grid, grid);
    EXPECT_EQ(state().size, kEasy);
    key->close();
    click("btncheat");
    EXPECT_FALSE(key->isVisible()) << "nothing to cheat on";
}

TEST_F(MazeWindowTest, LoadingAHardMazeAtEasyMakesTheLevelHard)
{
    MazeGrid big;
    Rng rng(21);
    ASSERT_EQ(SaveMazeFileAt(tp.puzzleFile(QStringLiteral("Big.mzp")), big, GenerateMaze(big, kHard, rng)), 0);
    pick(QStringLiteral("Big"));
    EXPECT_EQ(state().size, kHard);
    EXPECT_EQ(state().grid, big);
    EXPECT_EQ(program().settings.mzlevel, kHard);
    EXPECT_EQ(w->picture().size(), QSize(kHard, kHard));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Windlepath     Big"));
    EXPECT_TRUE(w->flashing());
    EXPECT_EQ(w->cursor(), (Cell{*FindEntrance(big, kHard), 0}));
}

TEST_F(MazeWindowTest, ALevelChangedUnderAShownMazeChangesNothingOfIt)
{
    newMaze();
    program().settings.mzlevel = kHard; // as the options window would
    WinnerCloser winners;
    for (Qt::Key k : routeKeys(state().grid, kEasy)) {
        press(k);
        ASSERT_LT(w->cursor().x, kEasy);
        ASSERT_LE(w->cursor().y, kEasy);
    }
    Settle();
    EXPECT_EQ(winners.count, 1);
    EXPECT_EQ(w->picture().size(), QSize(kEasy, kEasy));
    EXPECT_EQ(w->cursor().y, 0);
    newMaze();
    EXPECT_EQ(state().size, kHard) << "the level picks the next maze's size";
}

TEST_F(MazeWindowTest, ALevelNoMazeHasGeneratesHard)
{
    program().settings.mzlevel = 45;
    newMaze();
    EXPECT_EQ(state().size, kHard);
    EXPECT_EQ(program().settings.mzlevel, kHard);
}

TEST_F(MazeWindowTest, SizeButtonsKeepToTheScreen)
{
    struct Step {
        const char* button;
        QSize client;
        int zoom;
    };
    w->setScreenSizeSource([] { return QSize(1000, 800); });
    const Step smallScreen[] = {
        {"btnLarger", {640, 673}, 2}, {"btnLarger", {640, 673}, 2}, {"btnSmaller", {340, 373}, 1}};
    for (const Step& s : smallScreen) {
        click(s.button);
        EXPECT_EQ(w->size(), s.client) << s.button;
        EXPECT_EQ(w->zoom(), s.zoom);
    }
    w->setScreenSizeSource([] { return QSize(1920, 1200); });
    const Step bigScreen[] = {{"btnLarger", {640, 673}, 2}, {"btnLarger", {940, 973}, 3}, {"btnLarger", {940, 973}, 3},
                              {"btnSmaller", {640, 673}, 2}, {"btnSmaller", {340, 373}, 1}, {"btnSmaller", {340, 373}, 1}};
    for (const Step& s : bigScreen) {
        click(s.button);
        EXPECT_EQ(w->size(), s.client) << s.button;
        EXPECT_EQ(w->zoom(), s.zoom);
    }
}

TEST_F(MazeWindowTest, StoredBoundsBringBackBothPictureSizes)
{
    click("btnLarger");
    click("btnLarger");
    key->setScreenSizeSource([] { return QSize(1920, 1200); });
    key->show();
    key->findChild<QAbstractButton*>(QStringLiteral("btnLarger"))->click();
    QSettings store(tp.root.filePath(QStringLiteral("bounds.ini")), QSettings::IniFormat);
    SaveWindowPositions(store, {{QStringLiteral("fmmaze"), w}, {QStringLiteral("fmmzkey"), key}});

    ProgramWindows next(program());
    MazeWindow* maze = next.windows().fmmaze;
    LoadWindowPositions(store, {{QStringLiteral("fmmaze"), maze}, {QStringLiteral("fmmzkey"), next.windows().fmmzkey}});
    maze->show();
    EXPECT_EQ(maze->size(), QSize(940, 973));
    EXPECT_EQ(maze->zoom(), 3);
    next.windows().fmmzkey->show();
    EXPECT_EQ(next.windows().fmmzkey->size(), QSize(640, 673));
    maze->close();
}

TEST_F(MazeWindowTest, CellsAreCrispAndTheCursorFlashes)
{
    program().settings.mazeCursor = 0x00FF00; // green, read at each paint
    newMaze();
    click("btnLarger");
    const Cell at = w->cursor();
    w->tmflashTimer();
    EXPECT_EQ(w->picture().pixel(at.x, at.y), 0xFF00FF00);
    w->tmflashTimer();
    EXPECT_EQ(w->picture().pixel(at.x, at.y), kWhite);
    press(Qt::Key_Down);
    EXPECT_EQ(w->picture().pixel(at.x, 1), 0xFF00FF00) << "a move paints the new cell on whatever the phase";
    EXPECT_EQ(w->picture().pixel(at.x, 0), kWhite);
    w->tmflashTimer();
    w->tmflashTimer();
    EXPECT_EQ(w->picture().pixel(at.x, 1), kWhite);
    press(Qt::Key_Up);

    // At 600 pixels a cell of a 30 maze is a 20-pixel block of one colour.
    const QImage shot = shownPicture();
    ASSERT_EQ(shot.size(), QSize(600, 600));
    const QImage& picture = w->picture();
    int mismatches = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 600; ++x)
            mismatches += (shot.pixel(x, y) | 0xFF000000) != picture.pixel(x / 20, y / 20);
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(shot.pixel(0, 0) | 0xFF000000, kBlack);
    EXPECT_EQ(shot.pixel(at.x * 20 + 10, 10) | 0xFF000000, 0xFF00FF00) << "the cursor at the entrance";
}
