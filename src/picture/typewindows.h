#pragma once

#include "shell/puzzletypewindows.h"

namespace picture {

// The picture puzzle's windows, for the program's list of puzzle types.
PuzzleTypeWindows Windows();

} // namespace picture
