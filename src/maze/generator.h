#pragma once

#include "maze/mazegrid.h"

#include <functional>

class Rng;

namespace maze {

// One draw: a whole number in [0, n).
using Draw = std::function<int(int n)>;

// Fills the grid with a new maze for the level (see MazeSizeForLevel) and returns its size N.
// Wall rows lie on even rows, corridors on odd ones; the route of 2-cells runs from the entrance
// in row 0 to the exit in row N - 1, and cells up to column N + 3 and row N may be written.
// The draws come in a fixed order: per gap its step then its crosswall side (each from 4);
// the entrance (from N - 12); per route wall row its direction (from 2) then its length (from 4).
int GenerateMaze(MazeGrid& grid, int level, const Draw& random);
int GenerateMaze(MazeGrid& grid, int level, Rng& rng);

} // namespace maze
