#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

// How big the play window's and the key's grid is drawn, where a click lands in the grid, and
// where the key opens: rules of the two windows without the windows.
namespace wordsearch {

// The grid is drawn 300, 600 or 900 pixels square: zoom 1, 2 or 3.
int ZoomOf(int picturePixels);

// The picture size for a window whose picture area is room pixels wide: the largest that fits,
// since stored bounds carry the window's frame as well.
int PicturePixelsForRoom(int room);

// Smaller: 900 becomes 600, anything else 300.
int SmallerPicture(int pixels);

// Larger for the play window, whose client area is the picture plus margin: it grows only when
// the screen less the frame has room in both directions.
int LargerPlayPicture(int pixels, QSize screen, QSize frame, QSize margin);

// Larger for the key: from 300 it grows unless the screen less the frame lacks room both ways;
// from 600 unless the screen less 50 pixels lacks room both ways.
int LargerKeyPicture(int pixels, QSize screen, QSize frame, QSize margin);

// The grid cell (column and row from 0) under a pixel of the grid as drawn at zoom; none when
// the pixel lies outside the field.
std::optional<QPoint> CellAt(QPoint pixel, int zoom);

} // namespace wordsearch
