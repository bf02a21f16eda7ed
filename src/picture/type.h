#pragma once

#include "shell/puzzletype.h"

namespace picture {

// The picture puzzle as the shell and brainloft-make see it.
PuzzleType Type();

} // namespace picture
