#include "picture/playrules.h"

#include "picture/tiles.h"

namespace picture {

bool IsPuzzleCell(const PictureState& state, int k)
{
    return state.puzzleCells.contains(QString::number(k));
}

bool CellHoldsPiece(const PictureState& state, int k)
{
    return k >= 1 && k <= kCells && !IsEmptyTile(state.boardTiles[k]);
}

bool BoxHoldsPiece(const PictureState& state, int n)
{
    return n >= 1 && n <= kBoxes && !IsEmptyTile(state.boxes[n]);
}

bool AllBoxesFull(const PictureState& state)
{
    for (int n = 1; n <= kBoxes; ++n)
        if (!BoxHoldsPiece(state, n))
            return false;
    return true;
}

bool PieceSelected(const PictureState& state)
{
    return state.selectedBox != 0;
}

void ResetBoard(PictureState& state)
{
    state.puzzleCells.clear();
    state.pictureName.clear();
    const QImage black = BlackTile();
    for (int k = 1; k <= kCells; ++k) {
        state.boardTiles[k] = black;
        state.answerTiles[k] = black;
    }
    for (int n = 1; n <= kBoxes; ++n)
        state.boxes[n] = black;
    state.selectedBox = 0;
}

void LiftOrDrop(PictureState& state, int k)
{
    if (k >= 1 && k <= kCells && IsPuzzleCell(state, k)) {
        const bool cellEmpty = !CellHoldsPiece(state, k);
        if (PieceSelected(state)) {
            if (cellEmpty) {
                state.boardTiles[k] = state.boxes[state.selectedBox];
                state.boxes[state.selectedBox] = BlackTile();
            }
        } else if (!cellEmpty) {
            for (int n = 1; n <= kBoxes; ++n) {
                if (!BoxHoldsPiece(state, n)) {
                    state.boxes[n] = state.boardTiles[k];
                    state.boardTiles[k] = BlackTile();
                    break;
                }
            }
        }
    }
    state.selectedBox = 0;
}

void SelectBox(PictureState& state, int n)
{
    state.selectedBox = BoxHoldsPiece(state, n) ? n : 0;
}

void ReleaseBoard(PictureState& state)
{
    for (int k = 1; k <= kCells; ++k) {
        state.boardTiles[k] = QImage();
        state.answerTiles[k] = QImage();
    }
    for (int n = 1; n <= kBoxes; ++n)
        state.boxes[n] = QImage();
    state.selectedBox = 0;
}

} // namespace picture
