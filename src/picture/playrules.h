#pragma once

#include "picture/state.h"

// The play rules of the board and the five storage boxes. Every move goes board -> box ->
// empty cell; pieces are never swapped directly, and a finished picture is not announced.
namespace picture {

// True when cell k (1..48) is one of the puzzle's pieces (not scenery).
bool IsPuzzleCell(const PictureState& state, int k);
// A cell or box holds a piece when its picture is not all black.
bool CellHoldsPiece(const PictureState& state, int k);
bool BoxHoldsPiece(const PictureState& state, int n);
bool AllBoxesFull(const PictureState& state);
bool PieceSelected(const PictureState& state);

// Empties the pieces list, the name, every cell, answer tile and box, and the selection.
void ResetBoard(PictureState& state);

// A click on cell k: with a piece selected, drops it there when the cell of the puzzle is empty
// (its box empties); without, lifts the cell's piece into the first empty box. Either way the
// selection ends.
void LiftOrDrop(PictureState& state, int k);

// A click on storage box n (1..5): selects its piece, or ends the selection when it is empty.
void SelectBox(PictureState& state, int n);

// Drops the board's pictures, which the next showing resets anyway; the preview stays.
void ReleaseBoard(PictureState& state);

} // namespace picture
