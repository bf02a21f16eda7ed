#include "wordsearch/gridpicture.h"

#include "testpuzzles.h"
#include "wordsearch/game.h"

#include <gtest/gtest.h>

using namespace wordsearch;
using namespace wordsearch::testing;

namespace {

// Purple: red, green and blue all differ, so a swapped byte order shows.
const QRgb kPurpleRgb = qRgb(180, 16, 203);
const QColor kPurple(kPurpleRgb);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

int countColour(const QImage& picture, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            n +=At(picture, x, y) == colour;
    return n;
}

bool innerPixel(int offsetX, int offsetY)
{
    return offsetX >= 2 && offsetX <= 12 && offsetY >= 2 && offsetY <= 12;
}

} // namespace

TEST(GridPicture, DrawLettersPutsEachLetterInItsCellAndSkipsOtherValues)
{
    WordGrid grid{};
    for (auto& column : grid)
        column.fill('0');
    grid[2][1] = 'A'; // column 2, row 1: pixel (15, 0)
    grid[20][20] = 'Z';
    grid[5][5] = 'a'; // not a capital: nothing
    grid[0][0] = 'B'; // border: never drawn

    QImage picture = BlankPicture();
    ASSERT_EQ(picture.size(), QSize(300, 300));
    DrawLetters(picture, grid, BarLetters());

    EXPECT_EQ(At(picture, 15 + 7, 5), kBlack);
    EXPECT_EQ(At(picture, 15 + 3, 3), kBlack) << "A's own mark";
    EXPECT_EQ(At(picture, 285 + 7, 285 + 5), kBlack);
    EXPECT_EQ(At(picture, 285 + 4, 285 + 6), kBlack) << "Z's own mark (25: 4, 6)";
    EXPECT_EQ(countColour(picture, kBlack), 2 * 10);
}

TEST(GridPicture, MissingLetterPicturesDrawNothing)
{
    WordGrid grid{};
    grid[1][1] = 'Q';
    QImage picture = BlankPicture();
    DrawLetters(picture, grid, LetterPictures{});
    EXPECT_EQ(countColour(picture, kWhite), 300 * 300);
}

TEST(GridPicture, WordHighlightFillsBothInnerSquaresAndJoinsTheCentres)
{
    QImage picture = BlankPicture();
    PaintWordHighlight(picture, 2, 3, 5, 3, kPurple); // row 3 from column 2 to 5

    const int top = 30;
    for (int cellX : {15, 60})
        for (int dy = 0; dy < 15; ++dy)
            for (int dx = 0; dx < 15; ++dx) {
                // The line runs right from the first centre and left into the last one.
                const bool onLine = dy >= 6 && dy <= 8 && (cellX == 15 ? dx >= 7 : dx <= 7);
                const QRgb expected = innerPixel(dx, dy) || onLine ? kPurpleRgb : kWhite;
                ASSERT_EQ(At(picture, cellX + dx, top + dy), expected) << dx << "," << dy;
            }
    // Between the end cells only the 3-pixel line, nothing outside the bar's ends.
    EXPECT_EQ(At(picture, 35, top + 6), kPurpleRgb);
    EXPECT_EQ(At(picture, 35, top + 8), kPurpleRgb);
    EXPECT_EQ(At(picture, 35, top + 5), kWhite);
    EXPECT_EQ(At(picture, 35, top + 9), kWhite);
    EXPECT_EQ(At(picture, 14, top + 7), kWhite);
    EXPECT_EQ(At(picture, 75, top + 7), kWhite);
}

TEST(GridPicture, DiagonalHighlightIsDrawnWithoutSmoothing)
{
    QImage picture = BlankPicture();
    PaintWordHighlight(picture, 4, 1, 1, 4, kPurple); // up-right to down-left
    EXPECT_EQ(countColour(picture, kWhite) + countColour(picture, kPurpleRgb), 300 * 300)
        << "only the two colours: no blended pixels";
    for (int step = 0; step <= 45; ++step)
        EXPECT_EQ(At(picture, 45 + 7 - step, 7 + step), kPurpleRgb) << step;
}

TEST(GridPicture, MarkInvertsTheInnerSquare)
{
    WordGrid grid{};
    grid[3][2] = 'C';
    grid[4][2] = 'D';
    QImage picture = BlankPicture();
    DrawLetters(picture, grid, BarLetters());
    const QImage before = picture;

    MarkStartCell(picture, 2, 1, kPurple); // grid cell (3, 2)
    const int left = 30, top = 15;
    for (int dy = 0; dy < 15; ++dy)
        for (int dx = 0; dx < 15; ++dx) {
            const QRgb original =At(before, left + dx, top + dy);
            const QRgb now =At(picture, left + dx, top + dy);
            if (!innerPixel(dx, dy))
                ASSERT_EQ(now, original) << dx << "," << dy;
            else if (original == kBlack)
                ASSERT_EQ(now, qRgb(254, 255, 255)) << "the letter turns near-white";
            else
                ASSERT_EQ(now, kBlack) << "the background turns black";
        }
    EXPECT_EQ(picture.copy(45, 15, 15, 15), before.copy(45, 15, 15, 15)) << "the next cell is untouched";
}

TEST(GridPicture, MarkingAHighlightedCellTurnsItsHighlightNearBlack)
{
    WordGrid grid{};
    grid[1][1] = 'E';
    grid[2][2] = 'F';
    QImage letters = BlankPicture();
    DrawLetters(letters, grid, BarLetters());
    QImage picture = letters;
    PaintWordHighlight(picture, 1, 1, 2, 2, kPurple);
    OverlayLetters(picture, letters);

    MarkStartCell(picture, 0, 0, kPurple);
    EXPECT_EQ(At(picture, 7, 5), qRgb(254, 255, 255)) << "letter";
    EXPECT_EQ(At(picture, 3, 3), qRgb(1, 0, 0)) << "highlight as near-black";
    EXPECT_EQ(At(picture, 0, 0), kWhite) << "outside the inner square";
}

TEST(GridPicture, OverlayKeepsTheTargetWhereTheLettersAreWhite)
{
    QImage target = BlankPicture();
    target.fill(kPurpleRgb);
    QImage letters = BlankPicture();
    letters.setPixel(10, 20, kBlack);
    letters.setPixel(11, 20, qRgb(254, 255, 255)); // near-white is not transparent
    OverlayLetters(target, letters);
    EXPECT_EQ(At(target, 10, 20), kBlack);
    EXPECT_EQ(At(target, 11, 20), qRgb(254, 255, 255));
    EXPECT_EQ(countColour(target, kPurpleRgb), 300 * 300 - 2);
}

TEST(GridPicture, KeyShowsPlacedWordsWithTheirLettersOnTop)
{
    WordSearchPuzzle puzzle;
    for (int x = 1; x <= kField; ++x)
        for (int y = 1; y <= kField; ++y)
            puzzle.grid[x][y] = 'A' + (x + y) % 26;
    puzzle.wordSlots[0].set("XYZ");
    puzzle.index.at(1, 1, 3, 1) = 1;
    puzzle.index.at(10, 10, 10, 12) = 2; // slot 2 empty: not placed, not painted
    puzzle.index.at(20, 20, 18, 18) = 3;
    puzzle.wordSlots[2].set("PQR");

    QImage letters = BlankPicture();
    DrawLetters(letters, puzzle.grid, BarLetters());
    const QImage key = KeyPicture(puzzle, letters, kPurple);

    ASSERT_EQ(key.size(), QSize(300, 300));
    EXPECT_EQ(At(key, 2, 2), kPurpleRgb);
    EXPECT_EQ(At(key, 30 + 12, 12), kPurpleRgb);
    EXPECT_EQ(At(key, 7, 5), kBlack) << "letter above the bar";
    EXPECT_EQ(At(key, 285 + 2, 285 + 2), kPurpleRgb);
    EXPECT_EQ(At(key, 255 + 12, 255 + 12), kPurpleRgb);
    EXPECT_EQ(At(key, 135 + 2, 135 + 2), kWhite) << "word 2 is not placed";
    EXPECT_EQ(At(key, 135 + 7, 165 + 2), kWhite);

    puzzle.wordSlots[0].length = 0;
    puzzle.wordSlots[2].length = 0;
    const QImage blankKey = KeyPicture(puzzle, letters, kPurple);
    EXPECT_EQ(blankKey, letters) << "no words: the letters alone";
}

// What the play window and the key show, described once: painted as letter pictures it is the
// very picture the game and the key paint; the found words are its bars, the start cell its mark.
TEST(GridPicture, DrawingsOfThePlayAndTheKeyPaintTheirPictures)
{
    const WordSearchPuzzle puzzle = CraftedPuzzle();
    const LetterPictures letters = BarLetters();
    WordSearchGame game(puzzle, letters);
    game.restart();
    game.click({4, 1}); // LAMP from its last letter
    ASSERT_EQ(game.click({1, 1}), WordSearchGame::Click::found);
    game.click({9, 3}); // DESK's first letter marked

    const GridDrawing play = PlayDrawing(puzzle, game, kPurple);
    EXPECT_EQ(play.bars, (QList<GridBar>{GridBar{5, 2, 2, 2}}));
    EXPECT_EQ(play.marked, QPoint(9, 3));
    EXPECT_EQ(DrawingPicture(play, letters), game.picture(kPurple));
    game.endSelection();
    EXPECT_EQ(PlayDrawing(puzzle, game, kPurple).marked, std::nullopt);
    EXPECT_EQ(DrawingPicture(PlayDrawing(puzzle, game, kPurple), letters), game.picture(kPurple));

    const GridDrawing key = KeyDrawing(puzzle, kPurple);
    EXPECT_EQ(key.bars.size(), 3);
    EXPECT_EQ(DrawingPicture(key, letters), KeyPicture(puzzle, LettersPicture(puzzle.grid, letters), kPurple));
    EXPECT_EQ(DrawingPicture(LettersDrawing(puzzle), letters), LettersPicture(puzzle.grid, letters));
}
