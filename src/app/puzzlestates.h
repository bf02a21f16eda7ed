#pragma once

#include "maze/state.h"
#include "wordsearch/state.h"

// The program-wide data of every puzzle type, one current puzzle each, held for the whole run.
struct PuzzleStates {
    wordsearch::WordSearchState wordSearch;
    maze::MazeState maze;
};
