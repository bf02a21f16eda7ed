// The maze generator: scripted draws pin whole mazes, and seeded runs keep every promised shape.
#include "maze/generator.h"
#include "maze/walk.h"
#include "platform/rng.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include <cstdlib>
#include <queue>
#include <string>
#include <vector>

using namespace maze;

namespace {

// Rows 0..N, columns 0..N+3: '#' wall, '.' route, ' ' floor.
QStringList picture(const MazeGrid& g, int n)
{
    QStringList rows;
    for (int y = 0; y <= n; ++y) {
        QString row;
        for (int x = 0; x <= n + 3; ++x)
            row += g.at(x, y) == mcWall ? '#' : g.at(x, y) == mcRoute ? '.' : ' ';
        rows << row;
    }
    return rows;
}

const QStringList kAllFirstDraws = {
        "######.#######################    ",
        "#     .    #    #    #    #  #    ",
        "######.##### #### #### #### ###   ",
        "#  # #....   #    #    #    ##    ",
        "#### ####.#### #### #### ######   ",
        "#  #    #....#    #    #    ##    ",
        "#### #### ##.###### #### ######   ",
        "#  #    #  #....  #    #    ##    ",
        "#### #### #####.### #### ######   ",
        "#  #    #    ##....    #    ##    ",
        "#### #### #### ###.##### ######   ",
        "#  #    #    #   #.... #    ##    ",
        "#### #### #### ######.## ######   ",
        "#  #    #    #    # #....   ##    ",
        "#### #### #### #### ####.######   ",
        "#  #    #    #    #    #....##    ",
        "#### #### #### #### #### ##.###   ",
        "#  #    #    #    #    #....##    ",
        "#### #### #### #### ####.######   ",
        "#  #    #    #    #    #....##    ",
        "#### #### #### #### #### ##.###   ",
        "#  #    #    #    #    #....##    ",
        "#### #### #### #### ####.######   ",
        "#  #    #    #    #    #....##    ",
        "#### #### #### #### #### ##.###   ",
        "#  #    #    #    #    #....##    ",
        "#### #### #### #### ####.######   ",
        "#  #    #    #    #    #....##    ",
        "#### #### #### #### #### ##.###   ",
        "###########################.##    ",
        "                           .      ",
};

const QStringList kAllLastDraws = {
        "#######################.######    ",
        "#          #       #   .   # #    ",
        "########## ####### ####.## ####   ",
        "#       #       #.......#    #  # ",
        "####### #########.##### #######   ",
        "#       #  .......#     #    #  # ",
        "####### ###.### ####### #######   ",
        "#    .......#   #       #    #  # ",
        "#####.######### ####### #######   ",
        "#   #.......    #       #    #  # ",
        "####### ###.### ####### #######   ",
        "#    .......#   #       #    #  # ",
        "#####.######### ####### #######   ",
        "#   #.......    #       #    #  # ",
        "####### ###.### ####### #######   ",
        "#    .......#   #       #    #  # ",
        "#####.######### ####### #######   ",
        "#   #.......    #       #    #  # ",
        "####### ###.### ####### #######   ",
        "#    .......#   #       #    #  # ",
        "#####.######### ####### #######   ",
        "#   #.......    #       #    #  # ",
        "####### ###.### ####### #######   ",
        "#    .......#   #       #    #  # ",
        "#####.######### ####### #######   ",
        "#   #.......    #       #    #  # ",
        "####### ###.### ####### #######   ",
        "#    .......#   #       #    #  # ",
        "#####.# ####### ####### #######   ",
        "#####.########################  # ",
        "     .                            ",
};

} // namespace

TEST(GenerateMaze, ScriptedDrawsPinWholeMazes)
{
    MazeGrid g;
    ASSERT_EQ(GenerateMaze(g, 30, [](int) { return 0; }), 30);
    EXPECT_EQ(picture(g, 30), kAllFirstDraws);
    ASSERT_EQ(GenerateMaze(g, 30, [](int n) { return n - 1; }), 30);
    EXPECT_EQ(picture(g, 30), kAllLastDraws);
}

TEST(GenerateMaze, DrawsComeInTheirFixedOrder)
{
    for (int level : {kEasy, kMedium, kHard}) {
        Rng rng(static_cast<std::uint64_t>(level));
        std::vector<int> ranges;
        MazeGrid g;
        GenerateMaze(g, level, [&](int n) {
            ranges.push_back(n);
            return rng.random(n);
        });
        // Gaps: step and side from 4 each; the entrance; per route wall row direction and length.
        const int routeRows = level / 2 - 2;
        ASSERT_GT(ranges.size(), static_cast<std::size_t>(1 + 2 * routeRows));
        const std::size_t entrance = ranges.size() - 1 - 2 * routeRows;
        EXPECT_EQ(entrance % 2, 0u) << level;
        for (std::size_t i = 0; i < entrance; ++i)
            ASSERT_EQ(ranges[i], 4) << level << " draw " << i;
        EXPECT_EQ(ranges[entrance], level - 12);
        for (std::size_t i = entrance + 1; i < ranges.size(); i += 2) {
            EXPECT_EQ(ranges[i], 2);
            EXPECT_EQ(ranges[i + 1], 4);
        }
    }
}

TEST(GenerateMaze, LevelOutsideTheThreeGeneratesTheHardSize)
{
    for (int level : {0, -5, 31, 59, 110, 111, 100000}) {
        MazeGrid g;
        Rng rng(3);
        EXPECT_EQ(GenerateMaze(g, level, rng), kHard) << level;
    }
}

// Checks one generated maze of size n; returns the first broken rule, or "" when all hold.
std::string brokenRule(const MazeGrid& g, int n)
{
    for (int x = 0; x < kGridSide; ++x)
        for (int y = 0; y < kGridSide; ++y)
            if ((x > n + 3 || y > n) && g.at(x, y) != mcOpen)
                return "a cell written past column N + 3 or row N";

    std::vector<int> openTop, openBottom;
    for (int x = 0; x < n; ++x) {
        if (g.at(x, 0) != mcWall)
            openTop.push_back(x);
        if (g.at(x, n - 1) != mcWall)
            openBottom.push_back(x);
    }
    if (openTop.size() != 1 || openBottom.size() != 1)
        return "top and bottom borders need one opening each";
    const int entrance = openTop[0];
    const int exit = openBottom[0];
    if (g.at(entrance, 0) != mcRoute || g.at(exit, n - 1) != mcRoute || g.at(exit, n) != mcRoute)
        return "entrance or exit is no route cell";
    if (entrance < 6 || entrance > n - 7 || g.at(entrance, 1) != mcRoute)
        return "entrance outside columns 6..N-7 or not leading into row 1";
    for (int y = 0; y < n; ++y)
        if (g.at(0, y) != mcWall || g.at(n - 1, y) != mcWall)
            return "side border open";

    std::vector<int> routeGap(static_cast<std::size_t>(n), -1);
    for (int y = 2; y <= n - 2; y += 2) {
        std::vector<int> gaps;
        for (int x = 1; x < n - 1; ++x) {
            if (g.at(x, y) == mcRoute) {
                if (routeGap[y] >= 0)
                    return "two route gaps in a wall row";
                routeGap[y] = x;
            } else if (g.at(x, y) == mcOpen) {
                gaps.push_back(x);
            }
        }
        if (routeGap[y] < 2 || routeGap[y] > n - 2)
            return "wall row without a route gap in columns 2..N-2";
        if (!gaps.empty() && gaps[0] < (y == 2 ? 7 : 4))
            return "first gap too far left";
        for (std::size_t i = 1; i < gaps.size(); ++i)
            if (gaps[i] - gaps[i - 1] < 5)
                return "gaps closer than 5";
        for (int x : gaps)
            if (y < n - 2 && std::abs(x - routeGap[y]) <= 2)
                return "a gap within two cells of a route gap";
    }
    if (routeGap[n - 2] != exit)
        return "exit not under the last route gap";

    for (int x = 0; x < n; ++x)
        if (g.at(x, 1) == mcRoute && x != entrance)
            return "row 1 holds route beyond the entrance";
    for (int y = 3; y <= n - 3; y += 2) {
        std::vector<int> run;
        for (int x = 0; x < n; ++x)
            if (g.at(x, y) == mcRoute)
                run.push_back(x);
        if (run.size() < 4 || run.size() > 7 || run.back() - run.front() + 1 != static_cast<int>(run.size()))
            return "corridor route is not one run of 4..7";
        if (run.front() < 2 || run.back() > n - 2)
            return "run outside columns 2..N-2";
        if (routeGap[y - 1] != run.front() && routeGap[y - 1] != run.back())
            return "run does not start under the gap above";
        const bool rightwards = routeGap[y - 1] == run.front();
        const int behind = rightwards ? run.front() - 1 : run.back() + 1;
        if (g.at(behind, y) != mcWall)
            return "no crosswall behind the run";
        const int end = rightwards ? run.back() : run.front();
        if (routeGap[y + 1] != end)
            return "run does not end above the gap below";
    }

    // The route cells alone join entrance and exit.
    std::vector<bool> seen(static_cast<std::size_t>(kGridCells));
    std::queue<Cell> todo;
    todo.push({entrance, 0});
    seen[static_cast<std::size_t>(entrance * kGridSide)] = true;
    bool reached = false;
    while (!todo.empty()) {
        const Cell c = todo.front();
        todo.pop();
        reached = reached || (c.x == exit && c.y == n - 1);
        const Cell next[] = {{c.x + 1, c.y}, {c.x - 1, c.y}, {c.x, c.y + 1}, {c.x, c.y - 1}};
        for (const Cell& d : next)
            if (d.x >= 0 && d.x < n && d.y >= 0 && d.y < n && g.at(d.x, d.y) == mcRoute &&
                !seen[static_cast<std::size_t>(d.x * kGridSide + d.y)]) {
                seen[static_cast<std::size_t>(d.x * kGridSide + d.y)] = true;
                todo.push(d);
            }
    }
    return reached ? "" : "route cells do not join entrance and exit";
}

TEST(GenerateMaze, EverySeededMazeKeepsItsShape)
{
    for (int level : {kEasy, kMedium, kHard})
        for (std::uint64_t seed = 1; seed <= 300; ++seed) {
            Rng rng(seed);
            MazeGrid g;
            g.cells.fill(7); // the clear must reach every cell
            ASSERT_EQ(GenerateMaze(g, level, rng), level);
            ASSERT_EQ(brokenRule(g, level), "") << "level " << level << " seed " << seed;
        }
}
