#include "maze/generator.h"

#include "platform/rng.h"

#include <algorithm>

namespace maze {

int GenerateMaze(MazeGrid& m, int level, const Draw& random)
{
    const int n = MazeSizeForLevel(level);
    // A draw that strays from its range would move the route off its planned columns.
    auto draw = [&random](int k) { return std::clamp(random(k), 0, k - 1); };

    m.cells.fill(mcOpen);
    for (int y = 2; y < n; y += 2)
        for (int x = 0; x <= n; ++x)
            m.at(x, y) = mcWall;

    // Gaps 5 to 8 apart, each with a crosswall beside it in the corridor above. The pass for
    // row N only touches cells on or past the bottom border.
    for (int y = 2; y <= n; y += 2) {
        int x = (y == 2) ? 3 : 0;
        while (x < n - 4) {
            x += 4 + draw(4);
            m.at(x, y) = mcOpen;
            if (draw(4) <= 1)
                m.at(x - 1, y - 1) = mcWall;
            else
                m.at(x + 1, y - 1) = mcWall;
            x += 1;
        }
    }

    for (int k = 0; k < n; ++k) {
        m.at(k, 0) = mcWall;
        m.at(k, n - 1) = mcWall;
    }
    for (int k = 0; k < n; ++k) {
        m.at(0, k) = mcWall;
        m.at(n - 1, k) = mcWall;
    }

    int x = 6 + draw(n - 12);
    m.at(x, 1) = mcRoute;
    m.at(x, 0) = mcRoute;

    int y = 2;
    while (y < n - 2) {
        int dir = draw(2); // 0 rightwards, 1 leftwards
        const int len = 4 + draw(4);
        // The route's gap is the only opening within two cells of it.
        m.at(x, y) = mcRoute;
        m.at(x + 1, y) = mcWall;
        m.at(x - 1, y) = mcWall;
        m.at(x + 2, y) = mcWall;
        m.at(x - 2, y) = mcWall;
        ++y;
        if (dir == 0 && x > n - len - 1)
            dir = 1;
        else if (dir == 1 && x < len + 1)
            dir = 0;
        const int step = (dir == 0) ? 1 : -1;
        m.at(x - step, y) = mcWall; // the corridor is closed behind the run's start
        for (int i = 0; i < len; ++i) {
            m.at(x, y) = mcRoute;
            x += step;
        }
        ++y;
        x -= step;
    }

    m.at(x, y) = mcRoute;
    m.at(x, y + 1) = mcRoute;
    m.at(x, y + 2) = mcRoute;
    m.at(x + 1, y + 1) = mcWall;
    m.at(x - 1, y + 1) = mcWall;
    return n;
}

int GenerateMaze(MazeGrid& grid, int level, Rng& rng)
{
    return GenerateMaze(grid, level, [&rng](int n) { return rng.random(n); });
}

} // namespace maze
