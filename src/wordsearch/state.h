#pragma once

#include "wordsearch/puzzle.h"

#include <QString>

namespace wordsearch {

// The word-search subsystem's program-wide data: the current puzzle and what goes with it.
struct WordSearchState {
    WordSearchPuzzle puzzle;
    QString currentName;    // without extension; empty for an unsaved new puzzle
    bool newPuzzle = true;  // the generator starts empty (true) or edits the loaded words
};

} // namespace wordsearch
