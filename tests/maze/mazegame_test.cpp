// The maze being played: what is on show, the walk with its exit and restart, the flash, and how
// new and loaded mazes set the level and the name.
#include "maze/generator.h"
#include "maze/mazefile.h"
#include "maze/mazegame.h"
#include "platform/rng.h"
#include "route.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

using namespace maze;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

bool allWhite(const QImage& picture)
{
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != kWhite)
                return false;
    return true;
}

class MazeGameTest : public ::testing::Test {
protected:
    void newMaze(int level)
    {
        this->level = level;
        game.NewMaze(this->level, rng);
    }

    MazeState state;
    MazeGame game{state};
    Rng rng{12};
    int level = kEasy;
};

} // namespace

// Before any maze, after the window hid it, and for a file whose corner is no wall: nothing to
// walk. Hiding keeps the key and the cursor.
TEST_F(MazeGameTest, KeysDoNothingWithoutAMazeOnShow)
{
    EXPECT_EQ(game.mainPicture().size(), QSize(kEasy, kEasy));
    EXPECT_TRUE(allWhite(game.mainPicture()) && allWhite(game.keyPicture()));
    const std::function<void()> situations[] = {
        [] {},
        [&] {
            newMaze(kEasy);
            game.Press(Direction::Down);
            const QImage key = game.keyPicture();
            game.HideMaze();
            EXPECT_TRUE(allWhite(game.mainPicture())) << "a hidden maze leaves a blank picture";
            EXPECT_EQ(game.keyPicture(), key);
            EXPECT_EQ(game.cursor().y, 1);
        },
        [&] {
            newMaze(kEasy);
            state.grid.at(0, 0) = mcOpen;
            game.DrawMaze();
        },
    };
    for (std::size_t i = 0; i < std::size(situations); ++i) {
        situations[i]();
        const Cell cursor = game.cursor();
        const QImage key = game.keyPicture();
        EXPECT_FALSE(game.shown()) << i;
        for (auto arrow : {std::optional(Direction::Down), std::optional(Direction::Up), std::optional<Direction>()}) {
            const KeyOutcome outcome = game.Press(arrow);
            EXPECT_FALSE(outcome.moved || outcome.atExit) << i;
        }
        EXPECT_EQ(game.cursor(), cursor) << i;
        EXPECT_EQ(game.keyPicture(), key) << i;
    }
}

TEST_F(MazeGameTest, ANewMazeTakesItsSizeFromTheLevelAndKeepsIt)
{
    struct Case {
        int level;
        int size;
    };
    const Case cases[] = {{kEasy, kEasy}, {kMedium, kMedium}, {kHard, kHard}, {45, kHard}, {0, kHard}, {111, kHard}};
    for (const Case& c : cases) {
        MazeGrid expected;
        Rng same(77);
        ASSERT_EQ(GenerateMaze(expected, c.level, same), c.size);
        rng = Rng(77);
        newMaze(c.level);
        EXPECT_EQ(state.grid, expected) << "the program's generator, its draws in order: " << c.level;
        EXPECT_EQ(game.size(), c.size);
        EXPECT_EQ(level, c.size) << "the level becomes the maze's size";
        EXPECT_TRUE(game.shown());
        EXPECT_EQ(game.mainPicture().size(), QSize(c.size, c.size));
        EXPECT_EQ(game.keyPicture().size(), QSize(c.size, c.size));
        EXPECT_EQ(game.cursor(), (Cell{*FindEntrance(state.grid, c.size), 0}));
        EXPECT_FALSE(game.cursorLit());
        EXPECT_TRUE(game.flashPhase());
    }
}

TEST_F(MazeGameTest, ArrowsWalkTheRouteToOneExitThenTheSameMazeStartsAgain)
{
    newMaze(kEasy);
    level = kHard; // as the options window would: the shown maze keeps its own size
    const MazeGrid grid = state.grid;
    const Cell entrance = game.cursor();

    EXPECT_FALSE(game.Press(Direction::Up).moved) << "up at the entrance";
    EXPECT_FALSE(game.Press(std::nullopt).moved) << "another key";
    EXPECT_EQ(game.cursor(), entrance);
    EXPECT_FALSE(game.cursorLit());
    EXPECT_TRUE(game.Press(Direction::Down).moved);
    EXPECT_EQ(game.cursor(), (Cell{entrance.x, 1}));
    EXPECT_TRUE(game.cursorLit()) << "a move lights the new cell";
    game.Press(Direction::Up);

    const std::vector<Direction> route = RouteToExit(state.grid, kEasy);
    ASSERT_FALSE(route.empty());
    for (std::size_t i = 0; i + 1 < route.size(); ++i) {
        const KeyOutcome outcome = game.Press(route[i]);
        ASSERT_TRUE(outcome.moved);
        ASSERT_FALSE(outcome.atExit);
        ASSERT_LT(game.cursor().x, kEasy);
        ASSERT_LT(game.cursor().y, kEasy);
    }
    EXPECT_TRUE(game.Press(route.back()).atExit);
    const Cell exit = game.cursor();
    EXPECT_EQ(exit.y, kEasy - 1);
    const KeyOutcome queued = game.Press(Direction::Down);
    EXPECT_FALSE(queued.moved || queued.atExit) << "a key queued behind the winning one waits for the restart";
    EXPECT_EQ(game.cursor(), exit);

    game.Restart();
    EXPECT_EQ(game.cursor(), entrance);
    EXPECT_FALSE(game.cursorLit());
    EXPECT_TRUE(game.shown());
    EXPECT_EQ(state.grid, grid);
    EXPECT_TRUE(game.Press(Direction::Down).moved);
}

TEST_F(MazeGameTest, TheCursorFlashesInPhaseAndAMoveLightsItAtOnce)
{
    newMaze(kEasy);
    struct Step {
        const char* what;
        bool lit;
        bool phase;
    };
    std::vector<std::pair<std::function<void()>, Step>> steps = {
        {[&] { game.Flash(); }, {"first tick", true, false}},
        {[&] { game.Flash(); }, {"second tick", false, true}},
        {[&] { game.Flash(); }, {"third tick", true, false}},
        {[&] { game.Press(Direction::Down); }, {"a move in the dark phase", true, false}},
        {[&] { game.Flash(); }, {"tick after the move", false, true}},
        {[&] { game.Flash(); }, {"next tick", true, false}},
        {[&] { game.HideCursor(); }, {"hidden for print", false, false}},
        {[&] { game.Press(std::nullopt); }, {"another key", false, false}},
    };
    for (const auto& [act, expected] : steps) {
        act();
        EXPECT_EQ(game.cursorLit(), expected.lit) << expected.what;
        EXPECT_EQ(game.flashPhase(), expected.phase) << expected.what;
    }
}

TEST_F(MazeGameTest, LoadingSetsLevelAndNameOrLeavesNothingOnShow)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    QDir().mkpath(folder + QStringLiteral("Brainloft puzzles"));
    MazeGrid big;
    Rng other(21);
    ASSERT_EQ(SaveMazeFile(folder, QStringLiteral("Big"), big, GenerateMaze(big, kHard, other)), 0);
    QFile bad(folder + QStringLiteral("Brainloft puzzles/Bad.mzp"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray("\x04\x57\xC4\x53\xB8", 5));
    bad.close();

    newMaze(kMedium);
    game.setName(QStringLiteral("Earlier"));
    const MazeGrid earlier = state.grid;
    struct Case {
        const char* picked;
        int code;
    };
    const Case failures[] = {{"Bad.mzp", -4}, {"Gone.mzp", -2}};
    for (const Case& c : failures) {
        level = kHard;
        while (!game.cursorLit())
            game.Flash();
        EXPECT_EQ(game.LoadMaze(folder, QString::fromLatin1(c.picked), level), c.code) << c.picked;
        EXPECT_FALSE(game.shown());
        EXPECT_TRUE(game.name().isEmpty());
        EXPECT_EQ(level, kEasy) << "a failed load leaves the level easy";
        EXPECT_EQ(state.grid, earlier) << "a file not read whole changes nothing";
        EXPECT_EQ(game.size(), kMedium);
        EXPECT_TRUE(allWhite(game.mainPicture()) && allWhite(game.keyPicture()));
        EXPECT_FALSE(game.cursorLit());
        EXPECT_FALSE(game.flashPhase());
    }

    level = kEasy;
    EXPECT_EQ(game.LoadMaze(folder, QStringLiteral("Big.mzp"), level), 0);
    EXPECT_TRUE(game.shown());
    EXPECT_EQ(game.name(), QStringLiteral("Big"));
    EXPECT_EQ(level, kHard) << "a loaded maze sets the level";
    EXPECT_EQ(state.grid, big);
    EXPECT_EQ(game.mainPicture().size(), QSize(kHard, kHard));
    EXPECT_EQ(game.cursor(), (Cell{*FindEntrance(big, kHard), 0}));
    EXPECT_TRUE(game.flashPhase());
}
