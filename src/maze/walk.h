#pragma once

#include "maze/mazegrid.h"

#include <optional>

// How the player's cursor enters, moves through and leaves a maze of size n.
namespace maze {

// The arrow keys' codes.
enum class Direction { Left = 37, Up = 38, Right = 39, Down = 40 };

struct Cell {
    int x = 0;
    int y = 0;
    bool operator==(const Cell&) const = default;
};

// The first x in 0..n whose cell (x, 0) is a route cell; none when no cell is.
std::optional<int> FindEntrance(const MazeGrid& grid, int n);

// The cell one step from `from`, when that cell is floor (0 or 2) and lies in columns 0..n-1 and
// rows 0..n; none otherwise. Down needs y < n and up y >= 1.
std::optional<Cell> MoveCursor(const MazeGrid& grid, int n, Cell from, Direction direction);

// True at the exit: the only floor of the bottom border row (or below it).
constexpr bool IsAtExit(int y, int n)
{
    return y >= n - 1;
}

} // namespace maze
