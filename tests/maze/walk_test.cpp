// The cursor's step rule, the entrance scan and the exit test.
#include "maze/walk.h"

#include <gtest/gtest.h>

using namespace maze;

namespace {

// Rows from y = 0: '#' wall, '.' route, anything else floor.
MazeGrid gridFromRows(std::initializer_list<const char*> rows)
{
    MazeGrid g;
    int y = 0;
    for (const char* row : rows) {
        for (int x = 0; row[x]; ++x)
            g.at(x, y) = row[x] == '#' ? mcWall : row[x] == '.' ? mcRoute : mcOpen;
        ++y;
    }
    return g;
}

// A loaded maze of size 5 with an open left side and an open cell past its right border.
const MazeGrid kSmall = gridFromRows({
    "#.###",
    "  . #",
    "## # ",
    "#  . ",
    "###.#",
    "   . ",
});

} // namespace

TEST(MoveCursor, StepRule)
{
    using D = Direction;
    struct Case {
        const char* name;
        Cell from;
        D direction;
        std::optional<Cell> to;
    };
    const Case cases[] = {
        {"up at the entrance", {1, 0}, D::Up, std::nullopt},
        {"down into row 1", {1, 0}, D::Down, Cell{1, 1}},
        {"onto a route cell", {1, 1}, D::Right, Cell{2, 1}},
        {"into a wall", {3, 1}, D::Right, std::nullopt},
        {"down into a wall", {1, 1}, D::Down, std::nullopt},
        {"to the open left side", {1, 1}, D::Left, Cell{0, 1}},
        {"never left of column 0", {0, 1}, D::Left, std::nullopt},
        {"never right of column N-1", {4, 3}, D::Right, std::nullopt},
        {"into the exit", {3, 3}, D::Down, Cell{3, 4}},
        {"into row N", {3, 4}, D::Down, Cell{3, 5}},
        {"never below row N", {3, 5}, D::Down, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MoveCursor(kSmall, 5, c.from, c.direction), c.to) << c.name;
}

TEST(MoveCursor, StaysInTheGridFromItsEdges)
{
    MazeGrid open; // all floor
    EXPECT_EQ(MoveCursor(open, kMaxSize, {kMaxSize - 1, kMaxSize}, Direction::Right), std::nullopt);
    EXPECT_EQ(MoveCursor(open, kMaxSize, {5, kMaxSize}, Direction::Down), std::nullopt);
    EXPECT_EQ(MoveCursor(open, kMaxSize, {5, kMaxSize - 1}, Direction::Down), (Cell{5, kMaxSize}));
}

TEST(FindEntrance, FirstRouteCellOfRowZeroUpToColumnN)
{
    EXPECT_EQ(FindEntrance(kSmall, 5), 1);
    MazeGrid g = gridFromRows({"######"});
    EXPECT_EQ(FindEntrance(g, 5), std::nullopt);
    g.at(5, 0) = mcRoute;
    EXPECT_EQ(FindEntrance(g, 5), 5);
    EXPECT_EQ(FindEntrance(g, 4), std::nullopt);
}

TEST(IsAtExit, FromTheBottomBorderRowDown)
{
    EXPECT_FALSE(IsAtExit(0, 30));
    EXPECT_FALSE(IsAtExit(28, 30));
    EXPECT_TRUE(IsAtExit(29, 30));
    EXPECT_TRUE(IsAtExit(30, 30));
}
