#pragma once

#include "shell/puzzlekind.h"
#include "wordsearch/state.h"

class Program;

namespace wordsearch {

// The word search as the shared save and open flows see it; its writer saves state's puzzle.
PuzzleKind WordSearchKind(Program& program, WordSearchState& state);

} // namespace wordsearch
