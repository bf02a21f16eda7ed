#pragma once

#include "wordsearch/gridpicture.h"
#include "wordsearch/puzzle.h"

#include <QImage>

// Small puzzles and letters made by hand for the word-search tests.
namespace wordsearch::testing {

inline QRgb At(const QImage& picture, int x, int y)
{
    return picture.pixel(x, y) | 0xFF000000u;
}

// The top-left pixel of grid cell (x, y)'s inner square (indices 1 to 20): no letter reaches it.
inline QRgb InnerCorner(const QImage& picture, int x, int y)
{
    return At(picture, (x - 1) * 15 + 2, (y - 1) * 15 + 2);
}

// Each letter white with a black bar down column 7 (rows 3 to 11) and one black pixel of its
// own at (3 + i % 8, 3 + i / 8).
inline LetterPictures BarLetters()
{
    LetterPictures letters;
    for (int i = 0; i < 26; ++i) {
        QImage letter(15, 15, QImage::Format_RGB32);
        letter.fill(Qt::white);
        for (int y = 3; y <= 11; ++y)
            letter.setPixel(7, y, qRgb(0, 0, 0));
        letter.setPixel(3 + i % 8, 3 + i / 8, qRgb(0, 0, 0));
        letters[i] = letter;
    }
    return letters;
}

struct PlacedWord {
    const char* text;
    int x1, y1, dx, dy;
    int x2() const { return x1 + (int(qstrlen(text)) - 1) * dx; }
    int y2() const { return y1 + (int(qstrlen(text)) - 1) * dy; }
};

// Word 1 across, word 2 down, word 3 diagonal, in a field of Q; slot 4 and on are empty.
inline constexpr PlacedWord kPlaced[] = {{"LAMP", 2, 2, 1, 0}, {"DESK", 10, 4, 0, 1}, {"SOFA", 4, 12, 1, 1}};

inline WordSearchPuzzle CraftedPuzzle()
{
    WordSearchPuzzle puzzle;
    for (int x = 1; x <= kField; ++x)
        for (int y = 1; y <= kField; ++y)
            puzzle.grid[x][y] = 'Q';
    int n = 0;
    for (const PlacedWord& word : kPlaced) {
        ++n;
        const QByteArray text(word.text);
        for (int i = 0; i < text.size(); ++i)
            puzzle.grid[word.x1 + i * word.dx][word.y1 + i * word.dy] = text[i];
        puzzle.wordSlots[n - 1].set(text);
        puzzle.index.at(word.x1, word.y1, word.x2(), word.y2()) = n;
    }
    return puzzle;
}

} // namespace wordsearch::testing
