#include "picture/boardlook.h"

#include "picture/playrules.h"

namespace picture {

BoardLook::BoardLook()
{
    ResetLook(*this);
}

void ResetLook(BoardLook& look)
{
    look.cellLabelShown.fill(true);
    look.cellCursor.fill(kCursorDelete);
    look.boxLabelShown.fill(true);
    look.boxCursor.fill(kCursorDelete);
}

void UpdateCursors(const PictureState& state, BoardLook& look)
{
    int occupied = kCursorHand;
    int empty = kCursorDelete;
    if (PieceSelected(state)) {
        occupied = kCursorDelete;
        empty = kCursorDrop;
    } else if (AllBoxesFull(state)) {
        occupied = kCursorDelete;
    }
    for (int k = 1; k <= kCells; ++k) {
        const bool piece = CellHoldsPiece(state, k);
        const bool inPuzzle = IsPuzzleCell(state, k);
        if (piece)
            look.cellLabelShown[k] = false;
        else if (inPuzzle)
            look.cellLabelShown[k] = true;
        look.cellCursor[k] = !inPuzzle ? kCursorDelete : (piece ? occupied : empty);
    }
    for (int n = 1; n <= kBoxes; ++n) {
        const bool piece = BoxHoldsPiece(state, n);
        look.boxLabelShown[n] = !piece;
        look.boxCursor[n] = piece ? kCursorPickup : kCursorDelete;
    }
}

} // namespace picture
