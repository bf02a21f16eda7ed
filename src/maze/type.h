#pragma once

#include "shell/puzzletype.h"

namespace maze {

// The maze as the shell and brainloft-make see it.
PuzzleType Type();

} // namespace maze
