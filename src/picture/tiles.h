#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <array>

// Picture pieces: the fit into the 640 x 480 canvas, the empty test, the cells' areas.
namespace picture {

// An all-black picture of the given size, 32 bits per pixel.
QImage BlackPicture(int width, int height);
QImage BlackTile();

// Every pixel pure black (red, green and blue all 0). A null picture counts as empty.
bool IsEmptyTile(const QImage& picture);

// The 80 x 80 marker of a cell that is not part of the puzzle: black, a red frame, a red X.
const QImage& XTile();

// Cell k (1..48): row (k - 1) / 8, column (k - 1) % 8, 80 x 80 on the canvas.
QRect CellRect(int k);

// Where a picture of this size lands in the letterboxed canvas; an empty rectangle when a side
// comes out as 0 (the canvas then stays black).
QRect FitRect(QSize pictureSize);

// The canvas with picture smooth-scaled into rect (from FitRect of its own upright size), whole
// pixel offsets, bars black. Transparent pixels count as white.
QImage FitIntoCanvas(const QImage& picture, const QRect& rect);

// FitIntoCanvas at FitRect of the picture's own size.
QImage FitPicture(const QImage& picture);

// A copy of the canvas's area of cell k.
QImage CutTile(const QImage& canvas, int k);

// Draws tiles[1..48] into one 640 x 480 picture; a missing tile stays black.
QImage JoinTiles(const std::array<QImage, 49>& tiles);

} // namespace picture
