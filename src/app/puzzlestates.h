#pragma once

#include "cryptogram/state.h"
#include "maze/state.h"
#include "picture/state.h"
#include "wordsearch/state.h"

// The program-wide data of every puzzle type, one current puzzle each, held for the whole run.
struct PuzzleStates {
    wordsearch::WordSearchState wordSearch;
    cryptogram::CryptogramState cryptogram;
    maze::MazeState maze;
    picture::PictureState picture;
};
