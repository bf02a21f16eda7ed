#pragma once

#include "maze/mazegrid.h"

#include <QImage>

// The maze's pictures: one pixel a cell, stretched by the windows that show them.
namespace maze {

// A white picture of n x n 32-bit pixels (1 x 1 when n < 1).
QImage BlankMazePicture(int n);

// Both pictures of a maze of size n, made n x n and drawn from the grid: the main picture shows
// walls black on white; the key also shows route cells red.
void DrawMazePictures(const MazeGrid& grid, int n, QImage& mainPicture, QImage& keyPicture);

} // namespace maze
