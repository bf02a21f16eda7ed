#pragma once

#include "picture/state.h"
#include "shell/puzzlekind.h"

class Program;

namespace picture {

// The picture puzzle as the shared save and open flows see it: three files, listed by file 1;
// its writer saves state's board, pieces and solved picture.
PuzzleKind PictureKind(Program& program, PictureState& state);

} // namespace picture
