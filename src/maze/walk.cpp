#include "maze/walk.h"

namespace maze {

std::optional<int> FindEntrance(const MazeGrid& grid, int n)
{
    for (int x = 0; x <= n && x < kGridSide; ++x)
        if (grid.at(x, 0) == mcRoute)
            return x;
    return std::nullopt;
}

std::optional<Cell> MoveCursor(const MazeGrid& grid, int n, Cell from, Direction direction)
{
    Cell to = from;
    switch (direction) {
    case Direction::Down:
        if (from.y >= n)
            return std::nullopt;
        ++to.y;
        break;
    case Direction::Up:
        if (from.y < 1)
            return std::nullopt;
        --to.y;
        break;
    case Direction::Right:
        ++to.x;
        break;
    case Direction::Left:
        --to.x;
        break;
    }
    // A loaded maze may have an open side; the cursor never leaves the maze's columns and rows.
    if (to.x < 0 || to.x > n - 1 || to.y < 0 || to.y > n || !MazeGrid::contains(to.x, to.y))
        return std::nullopt;
    const std::int32_t cell = grid.at(to.x, to.y);
    if (cell != mcOpen && cell != mcRoute)
        return std::nullopt;
    return to;
}

} // namespace maze
