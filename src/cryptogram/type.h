#pragma once

#include "shell/puzzletype.h"

namespace cryptogram {

// The cryptogram as the shell and brainloft-make see it.
PuzzleType Type();

} // namespace cryptogram
