#pragma once

#include "shell/puzzletypewindows.h"

namespace wordsearch {

// The word search's windows, for the program's list of puzzle types.
PuzzleTypeWindows Windows();

} // namespace wordsearch
