#pragma once

#include "printing/pagelayout.h"
#include "wordsearch/puzzle.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPoint>
#include <array>
#include <cstdint>
#include <optional>

// The grid as the play window, the key and the pages show it: the 300 by 300 pictures of
// letters, the marked start cell and the highlight bars of words, and the same grid drawn at
// any resolution with the letters as text and the bars as strokes.
namespace wordsearch {

class WordSearchGame;

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

// A bar between two grid cells, indices 1 to 20.
struct GridBar {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool operator==(const GridBar&) const = default;
};

// What a grid shows, apart from how large: its letters, the bars under them and the marked
// start cell (column and row from 0), bars and mark in the highlight colour.
struct GridDrawing {
    WordGrid grid{};
    QList<GridBar> bars;
    std::optional<QPoint> marked;
    QColor highlight;
};

// The play window's grid: the letters of the puzzle, the bars of the words found so far and the
// start cell while one is marked.
GridDrawing PlayDrawing(const WordSearchPuzzle& puzzle, const WordSearchGame& game, const QColor& highlight);
// The key's grid: every placed word whose slot holds a word, barred.
GridDrawing KeyDrawing(const WordSearchPuzzle& puzzle, const QColor& highlight);
// The letters alone.
GridDrawing LettersDrawing(const WordSearchPuzzle& puzzle);

// The drawing as the 300 by 300 picture of letter pictures: what the play window and the key
// show at 1 device pixel a pixel.
QImage DrawingPicture(const GridDrawing& drawing, const LetterPictures& letters);

// The bold capitals that stand for the letter pictures, sized for a 15-unit cell.
QFont LetterFont();

// Page items that draw the drawing over the 300 by 300 units whose corner is origin: the bars
// as filled squares and round-capped strokes, each row of letters as text centred in its cells
// on top, and a marked cell as a black square with its letter white. The area's own background
// is left to the page.
void AddGridItems(printing::PageLayout& page, const GridDrawing& drawing, QPoint origin,
                  const QString& name = QStringLiteral("immain"));

} // namespace wordsearch
