#pragma once

#include "shell/puzzletypewindows.h"

namespace cryptogram {

// The cryptogram's windows, for the program's list of puzzle types.
PuzzleTypeWindows Windows();

} // namespace cryptogram
