#pragma once

#include "picture/state.h"

#include <array>

// How the play window shows the board beside its pictures: the "Empty" label of each cell and
// box and the mouse cursor over each. A label of an empty cell outside the puzzle keeps what it
// showed before, so the look follows the game step by step rather than being drawn from it.
namespace picture {

// Indices of the program's cursor table.
constexpr int kCursorHand = 1;    // a piece that can be lifted
constexpr int kCursorPickup = 17; // a stored piece that can be selected
constexpr int kCursorDrop = 18;   // a cell that takes the selected piece
constexpr int kCursorDelete = 23; // nothing can be done here

struct BoardLook {
    BoardLook(); // as after ResetLook

    // Index 0 is unused, as in the state.
    std::array<bool, kCells + 1> cellLabelShown{};
    std::array<int, kCells + 1> cellCursor{};
    std::array<bool, kBoxes + 1> boxLabelShown{};
    std::array<int, kBoxes + 1> boxCursor{};
};

// Every label shown and every cursor "delete": the look of an emptied board.
void ResetLook(BoardLook& look);

// After every click and load: each label follows whether its cell or box holds a piece (an empty
// cell outside the puzzle keeps its label), and each cursor says what a click would do.
void UpdateCursors(const PictureState& state, BoardLook& look);

} // namespace picture
