#pragma once

#include <array>
#include <cstdint>

namespace maze {

// The grid is always 111 cells square; a maze uses its top-left N x N cells, and the generator
// leaves a few cells just past its right and bottom border.
constexpr int kGridSide = 111;
constexpr int kGridCells = kGridSide * kGridSide;
constexpr int kMaxSize = kGridSide - 1; // the largest N a file may hold

// Cell values.
constexpr std::int32_t mcOpen = 0;  // floor
constexpr std::int32_t mcWall = 1;
constexpr std::int32_t mcRoute = 2; // floor on the route from entrance to exit

// The levels the options offer; each is also the maze's size N.
constexpr int kEasy = 30;
constexpr int kMedium = 60;
constexpr int kHard = 100;

// Cell (x, y), x the column and y the row, is element x * 111 + y, the order of the file.
struct MazeGrid {
    std::array<std::int32_t, kGridCells> cells{};

    static bool contains(int x, int y) { return x >= 0 && x < kGridSide && y >= 0 && y < kGridSide; }
    std::int32_t& at(int x, int y) { return cells[static_cast<std::size_t>(x * kGridSide + y)]; }
    std::int32_t at(int x, int y) const { return cells[static_cast<std::size_t>(x * kGridSide + y)]; }

    bool operator==(const MazeGrid&) const = default;
};

// The size a new maze gets for a level setting: the level itself when it is one of the three,
// otherwise the hard size, so a stray stored value can never lay a maze outside the grid.
constexpr int MazeSizeForLevel(int level)
{
    return (level == kEasy || level == kMedium || level == kHard) ? level : kHard;
}

} // namespace maze
