#pragma once

#include "maze/mazegrid.h"

#include <QImage>
#include <cstdint>

// The maze's pictures: one pixel a cell, stretched by the windows that show them.
namespace maze {

// A white picture of n x n 32-bit pixels (1 x 1 when n < 1).
QImage BlankMazePicture(int n);

// Both pictures of a maze of size n, made n x n and drawn from the grid: the main picture shows
// walls black on white; the key also shows route cells red.
void DrawMazePictures(const MazeGrid& grid, int n, QImage& mainPicture, QImage& keyPicture);

// Paints cell (x, y) of the picture in colour (0x00BBGGRR) when on, white otherwise. A cell
// outside the picture is left alone.
void PaintCursor(QImage& picture, int x, int y, bool on, std::uint32_t colour);

// A maze is shown when the picture's top-left corner, always a wall, is black.
bool ShowsMaze(const QImage& picture);

} // namespace maze
