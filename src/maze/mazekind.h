#pragma once

#include "maze/state.h"
#include "shell/puzzlekind.h"

class Program;

namespace maze {

// The maze as the shared save and open flows see it: user files only; its writer saves
// state's grid with the maze's own size.
PuzzleKind MazeKind(Program& program, const MazeState& state);

} // namespace maze
