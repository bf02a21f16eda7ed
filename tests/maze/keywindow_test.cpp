// The maze key window: it draws the key of the maze being played, reports its size, opens
// beside the maze, steps under other windows' boxes and explains its buttons while inactive.
#include "app/programwindows.h"
#include "brainloft_resources.h"
#include "maze/mazekeywindow.h"
#include "maze/mazewindow.h"
#include "route.h"
#include "support/modal.h"
#include "support/testprogram.h"

#include <QAbstractButton>
#include <QDialog>
#include <QScreen>
#include <QTest>
#include <QToolTip>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

class MazeKeyTest : public ::testing::Test {
protected:
    MazeKeyTest()
    {
        InitBrainloftResources();
        all = std::make_unique<ProgramWindows>(*tp.program);
        maze = (&all->play<MazeWindow>(puzzletype::kMaze));
        key = (&all->play<MazeWindow>(puzzletype::kMaze).key());
        key->setScreenSizeSource([] { return QSize(1000, 800); });
        tp.program->settings.mzlevel = maze::kEasy;
    }
    ~MazeKeyTest() override
    {
        if (maze->isVisible())
            maze->close();
    }
    void click(QWidget* window, const char* name)
    {
        window->findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
    }
    // The maze window shown at corner with a new maze, and its key opened from it.
    void openKeyFromMazeAt(QPoint corner)
    {
        maze->setProperty("autoCentre", false);
        maze->move(corner);
        maze->show();
        tp.boxes.answer({false});
        click(maze, "btnNew");
        click(maze, "btncheat");
        ASSERT_TRUE(key->isVisible());
    }
    bool keyOnTop() const { return key->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint); }

    TestProgram tp{4};
    std::unique_ptr<ProgramWindows> all;
    MazeWindow* maze = nullptr;
    MazeKeyWindow* key = nullptr;
};

} // namespace

TEST_F(MazeKeyTest, DrawsTheKeyOfTheMazeBeingPlayed)
{
    EXPECT_EQ(key->windowTitle(), QStringLiteral("Key"));
    EXPECT_EQ(key->size(), QSize(340, 373));
    EXPECT_TRUE(key->windowFlags() & Qt::WindowStaysOnTopHint);
    openKeyFromMazeAt(QPoint(50, 50));
    const maze::MazeState& state = all->play<MazeWindow>(puzzletype::kMaze).state();
    const QImage shot = key->findChild<QWidget*>(QStringLiteral("imanswer"))->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(300, 300));
    int checked = 0;
    for (int x = 0; x < 30; ++x)
        for (int y = 0; y < 30; ++y) {
            const QRgb expected = state.grid.at(x, y) == maze::mcWall    ? qRgb(0, 0, 0)
                                  : state.grid.at(x, y) == maze::mcRoute ? qRgb(255, 0, 0)
                                                                          : qRgb(255, 255, 255);
            checked += (shot.pixel(x * 10 + 5, y * 10 + 5) | 0xFF000000) == expected;
        }
    EXPECT_EQ(checked, 900);
}

TEST_F(MazeKeyTest, SizeButtonsReportThePictureSizeChangedOrNot)
{
    key->show();
    const std::pair<const char*, const char*> steps[] = {
        {"btnSmaller", "300  300"}, {"btnLarger", "600  600"}, {"btnLarger", "600  600"}, {"btnSmaller", "300  300"}};
    for (const auto& [button, message] : steps) {
        click(key, button);
        ASSERT_FALSE(tp.boxes.boxes.isEmpty());
        EXPECT_EQ(tp.boxes.boxes.last().kind, QStringLiteral("message"));
        EXPECT_EQ(tp.boxes.boxes.last().text, QString::fromLatin1(message)) << button;
        EXPECT_EQ(key->size(), QSize(340, 373) + QSize(300, 300) * (QString::fromLatin1(message).left(3).toInt() / 300 - 1));
    }
    EXPECT_EQ(tp.boxes.boxes.size(), 4);
    click(key, "btnclose");
    EXPECT_FALSE(key->isVisible());
}

TEST_F(MazeKeyTest, FirstOpensBesideTheMazeWhereTheScreenHasRoom)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    maze->show();
    const int frame = maze->frameGeometry().width() - maze->width(); // what the platform adds
    maze->close();
    const int wide = 340 + frame;
    struct Case {
        const char* what;
        QPoint maze;
        QPoint key;
    };
    const Case cases[] = {
        {"right of the maze", area.topLeft() + QPoint(100, 60), area.topLeft() + QPoint(100 + wide + 8, 60)},
        {"left of a maze at the right edge", QPoint(area.right() + 1 - wide, area.top() + 60),
         QPoint(area.right() + 1 - wide - 8 - wide, area.top() + 60)},
    };
    for (const Case& c : cases) {
        ProgramWindows fresh(*tp.program);
        maze = &fresh.play<MazeWindow>(puzzletype::kMaze);
        key = &maze->key();
        openKeyFromMazeAt(c.maze);
        EXPECT_EQ(maze->frameGeometry().topLeft(), c.maze) << c.what;
        EXPECT_EQ(key->frameGeometry().topLeft(), c.key) << c.what;
        EXPECT_FALSE(key->frameGeometry().intersects(maze->frameGeometry())) << c.what;
        maze->close();
    }
    maze = (&all->play<MazeWindow>(puzzletype::kMaze));
    key = (&all->play<MazeWindow>(puzzletype::kMaze).key());
}

TEST_F(MazeKeyTest, AStoredPlaceIsKept)
{
    key->move(123, 145);
    key->setProperty("autoCentre", false);
    openKeyFromMazeAt(QPoint(100, 60));
    EXPECT_EQ(key->pos(), QPoint(123, 145));
}

TEST_F(MazeKeyTest, StepsUnderThePuzzleCompleteBoxAndBackOnTop)
{
    openKeyFromMazeAt(QPoint(50, 50));
    ASSERT_TRUE(keyOnTop());
    bool onTopDuringBox = true;
    bool boxShown = false;
    WhenModalNamed(QStringLiteral("FmWinner"), [&](QWidget* box) {
        boxShown = true;
        onTopDuringBox = keyOnTop();
        static_cast<QDialog*>(box)->accept();
    });
    for (maze::Direction d : maze::RouteToExit(all->play<MazeWindow>(puzzletype::kMaze).state().grid, all->play<MazeWindow>(puzzletype::kMaze).state().size))
        maze->pressKey(d);
    Settle();
    EXPECT_TRUE(boxShown);
    EXPECT_FALSE(onTopDuringBox) << "the key must not hide the box";
    EXPECT_TRUE(keyOnTop()) << "on top again once the box is gone";
}

TEST_F(MazeKeyTest, ButtonsShowTheirHintWhileTheKeyIsInactive)
{
    openKeyFromMazeAt(QPoint(50, 50));
    maze->activateWindow();
    Settle();
    ASSERT_NE(QApplication::activeWindow(), key);
    QWidget* larger = key->findChild<QWidget*>(QStringLiteral("btnLarger"));
    QTest::mouseMove(larger, QPoint(10, 10));
    QTest::mouseMove(larger, QPoint(12, 12));
    for (int i = 0; i < 60 && !QToolTip::isVisible(); ++i)
        QTest::qWait(50);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QStringLiteral("increase the puzzle size"));
    QToolTip::hideText();
}
