#pragma once

// The arrows that walk a maze from its entrance to its exit, found through the step rule.
#include "maze/walk.h"

#include <map>
#include <queue>
#include <vector>

namespace maze {

inline std::vector<Direction> RouteToExit(const MazeGrid& grid, int n)
{
    const std::optional<int> entrance = FindEntrance(grid, n);
    if (!entrance)
        return {};
    const Cell start{*entrance, 0};
    std::map<std::pair<int, int>, std::pair<Cell, Direction>> came;
    std::queue<Cell> todo;
    todo.push(start);
    came[{start.x, start.y}] = {start, Direction::Down};
    while (!todo.empty()) {
        const Cell c = todo.front();
        todo.pop();
        if (IsAtExit(c.y, n)) {
            std::vector<Direction> arrows;
            for (Cell at = c; !(at == start);) {
                const auto& [from, arrow] = came[{at.x, at.y}];
                arrows.insert(arrows.begin(), arrow);
                at = from;
            }
            return arrows;
        }
        for (Direction d : {Direction::Left, Direction::Up, Direction::Right, Direction::Down})
            if (const std::optional<Cell> next = MoveCursor(grid, n, c, d); next && !came.count({next->x, next->y})) {
                came[{next->x, next->y}] = {c, d};
                todo.push(*next);
            }
    }
    return {};
}

} // namespace maze
