#pragma once

#include "wordsearch/puzzle.h"

#include <QColor>
#include <QImage>
#include <array>
#include <cstdint>

// The 300 by 300 pictures of the play window and the key: letters, the marked start cell and
// the highlight bars of words.
namespace wordsearch {

constexpr int kCellPixels = 15;
constexpr int kPicturePixels = kField * kCellPixels; // 300

// The letter pictures A to Z, 15 by 15, black on white; a missing one is a null image.
using LetterPictures = std::array<QImage, 26>;

// Reads ":/LETTER/A" to ":/LETTER/Z". A letter whose resource is missing draws nothing.
LetterPictures LoadLetterPictures();

// A white 300 by 300 picture with 32-bit pixels.
QImage BlankPicture();

// Draws the letter of every field cell holding 'A' to 'Z' at ((x - 1) * 15, (y - 1) * 15).
void DrawLetters(QImage& picture, const WordGrid& grid, const LetterPictures& letters);

// Inverts the inner 11 by 11 pixels of a cell (column and row from 0) so the letter shows white
// on black; a highlight there turns near-black.
void MarkStartCell(QImage& picture, int column, int row, const QColor& highlight);

// The bar of a found word between grid cells (x1, y1) and (x2, y2), indices 1 to 20: both inner
// squares filled and a 3-pixel line from centre to centre, in plain colour without smoothing.
void PaintWordHighlight(QImage& picture, int x1, int y1, int x2, int y2, const QColor& highlight);

// Lays letters over target at (0, 0); white pixels of letters are transparent.
void OverlayLetters(QImage& target, const QImage& letters);

// The letters of the grid on a blank picture.
QImage LettersPicture(const WordGrid& grid, const LetterPictures& letters);

// The answer key: a blank picture with the bar of every placed word whose slot holds a word,
// and the letters on top.
QImage KeyPicture(const WordSearchPuzzle& puzzle, const QImage& letters, const QColor& highlight);

} // namespace wordsearch
