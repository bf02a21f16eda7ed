#pragma once

#include "picture/state.h"

// The play rules of the board and the five storage boxes. Every move goes board -> box ->
// empty cell; the labels and cursors in the state follow each click.
namespace picture {

// True when cell k (1..48) is one of the puzzle's pieces.
bool IsPuzzleCell(const PictureState& state, int k);

// Empties the pieces list, the name, every cell, answer tile and box; all labels shown, every
// cursor "delete", nothing selected.
void ResetBoard(PictureState& state);

// Refreshes the "Empty" labels and chooses each cell's and box's cursor.
void UpdateCursors(PictureState& state);

// A left-button release over cell k.
void i1MouseUp(PictureState& state, int k);

// A click on storage box n (1..5).
void imstoreClick(PictureState& state, int n);

// Drops the board's pictures, which the next showing resets anyway; the preview stays.
void ReleaseBoard(PictureState& state);

} // namespace picture
