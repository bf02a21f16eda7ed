#pragma once

#include "maze/mazegrid.h"

namespace maze {

// The maze subsystem's program-wide data: the one grid and the size of the maze in it. The size
// comes from the generation or load that filled the grid, never from the level setting, so a
// level changed under a shown maze cannot change how that maze is drawn or walked.
struct MazeState {
    MazeGrid grid;
    int size = 0; // N; 0 until a maze has been made or loaded
};

} // namespace maze
