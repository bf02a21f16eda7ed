#pragma once

#include "shell/puzzletype.h"

namespace wordsearch {

// The word search as the shell and brainloft-make see it.
PuzzleType Type();

} // namespace wordsearch
