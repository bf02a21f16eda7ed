#include "picture/playrules.h"

#include "picture/tiles.h"

namespace picture {

bool IsPuzzleCell(const PictureState& state, int k)
{
    return state.puzzleCells.contains(QString::number(k));
}

void ResetBoard(PictureState& state)
{
    state.puzzleCells.clear();
    state.pictureName.clear();
    const QImage black = BlackTile();
    for (int k = 1; k <= kCells; ++k) {
        state.cellLabelVisible[k] = true;
        state.cellCursor[k] = kCursorDelete;
        state.boardTiles[k] = black;
        state.answerTiles[k] = black;
    }
    for (int n = 1; n <= kBoxes; ++n) {
        state.boxCursor[n] = kCursorDelete;
        state.boxes[n] = black;
        state.boxLabelVisible[n] = true;
    }
    state.selectedBox = 0;
    state.pieceSelected = false;
    state.transfer = QImage();
}

void UpdateCursors(PictureState& state)
{
    bool boxEmpty[kBoxes + 1] = {};
    bool allBoxesFull = true;
    for (int n = 1; n <= kBoxes; ++n) {
        boxEmpty[n] = IsEmptyTile(state.boxes[n]);
        state.boxLabelVisible[n] = boxEmpty[n];
        allBoxesFull = allBoxesFull && !boxEmpty[n];
    }
    int occupied = kCursorHand;
    int empty = kCursorDelete;
    if (state.pieceSelected) {
        occupied = kCursorDelete;
        empty = kCursorDrop;
    } else if (allBoxesFull) {
        occupied = kCursorDelete;
    }
    for (int k = 1; k <= kCells; ++k) {
        const bool cellEmpty = IsEmptyTile(state.boardTiles[k]);
        const bool piece = IsPuzzleCell(state, k);
        // An empty cell outside the puzzle keeps its label as it was.
        if (!cellEmpty)
            state.cellLabelVisible[k] = false;
        else if (piece)
            state.cellLabelVisible[k] = true;
        state.cellCursor[k] = !piece ? kCursorDelete : (cellEmpty ? empty : occupied);
    }
    for (int n = 1; n <= kBoxes; ++n)
        state.boxCursor[n] = boxEmpty[n] ? kCursorDelete : kCursorPickup;
}

void i1MouseUp(PictureState& state, int k)
{
    if (k >= 1 && k <= kCells && IsPuzzleCell(state, k)) {
        const bool cellEmpty = IsEmptyTile(state.boardTiles[k]);
        if (state.pieceSelected) {
            if (cellEmpty && state.selectedBox >= 1) {
                state.boardTiles[k] = state.transfer;
                state.boxes[state.selectedBox] = BlackTile();
            }
        } else if (!cellEmpty) {
            for (int n = 1; n <= kBoxes; ++n) {
                if (IsEmptyTile(state.boxes[n])) {
                    state.boxes[n] = state.boardTiles[k];
                    state.boardTiles[k] = BlackTile();
                    break;
                }
            }
        }
    }
    state.pieceSelected = false;
    state.selectedBox = 0;
    UpdateCursors(state);
}

void imstoreClick(PictureState& state, int n)
{
    state.selectedBox = 0;
    state.pieceSelected = false;
    if (n >= 1 && n <= kBoxes && !IsEmptyTile(state.boxes[n])) {
        state.pieceSelected = true;
        state.transfer = state.boxes[n];
        state.selectedBox = n;
    }
    // Also after a click on an empty box, so no cell keeps a "drop" cursor that drops nothing.
    UpdateCursors(state);
}

void ReleaseBoard(PictureState& state)
{
    for (int k = 1; k <= kCells; ++k) {
        state.boardTiles[k] = QImage();
        state.answerTiles[k] = QImage();
    }
    for (int n = 1; n <= kBoxes; ++n)
        state.boxes[n] = QImage();
    state.transfer = QImage();
}

} // namespace picture
