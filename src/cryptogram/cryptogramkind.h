#pragma once

#include "shell/puzzlekind.h"

class Program;

namespace cryptogram {
struct CryptogramState;
}

// The cryptogram for the shared save and open flows: `.sbp` and packaged `.sbd` files.
PuzzleKind CryptogramKind(Program& program, cryptogram::CryptogramState& state);
