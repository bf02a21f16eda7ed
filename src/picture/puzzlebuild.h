#pragma once

#include "picture/state.h"

#include <QImage>

class Rng;

// Turning a fitted 640 x 480 picture into a scrambled board.
namespace picture {

// Pairs the non-empty cells at random and swaps each pair; with an odd count the last piece
// left stays home. Fills puzzleCells.
void ScrambleTiles(PictureState& state, Rng& rng);

// The whole build from a fitted canvas: refused (false, nothing changed) when the canvas is
// all black; otherwise the board is reset keeping the picture's name, cut, copied to the
// answer tiles, scrambled, the scenery cells marked, and the canvas becomes the preview.
bool BuildPicturePuzzle(PictureState& state, const QImage& canvas, Rng& rng);

} // namespace picture
