#pragma once

#include "shell/puzzletypewindows.h"

namespace maze {

// The maze's windows, for the program's list of puzzle types.
PuzzleTypeWindows Windows();

} // namespace maze
