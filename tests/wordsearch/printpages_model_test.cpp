#include "wordsearch/printpages.h"

#include "testpuzzles.h"

#include <gtest/gtest.h>

using namespace wordsearch;
using namespace wordsearch::testing;

namespace {

const QColor kPurple(180, 16, 203);

// Twenty words of slots 1 to 20 across rows 1 to 20, each from column 1 to column 3.
WordSearchPuzzle twentyWords()
{
    WordSearchPuzzle puzzle;
    for (int x = 1; x <= kField; ++x)
        for (int y = 1; y <= kField; ++y)
            puzzle.grid[x][y] = 'Q';
    for (int n = 1; n <= 20; ++n) {
        puzzle.wordSlots[n - 1].set(QByteArray(1, char('A' + 20 - n)) + "XY");
        puzzle.index.at(1, n, 3, n) = n;
    }
    return puzzle;
}

} // namespace

TEST(PrintPages, TheWordsRunDownTheColumnsSortedAndUnplacedWordsStayOff)
{
    WordSearchPuzzle puzzle = twentyWords();
    puzzle.wordSlots[5] = WordSlot(); // dropped by the builder: no slot, no place on the page
    const printing::PageLayout page = PuzzlePage(puzzle, BarLetters(), QStringLiteral("Spring"));
    EXPECT_EQ(page.size, QSize(455, 585));
    EXPECT_EQ(page.find("lbltitle")->text, "SPRING");

    QStringList words;
    for (int i = 0; i < kPageWords; ++i)
        words << page.find(QStringLiteral("l%1").arg(i))->text;
    QStringList expected = PageWords(puzzle);
    ASSERT_EQ(expected.size(), 19);
    EXPECT_EQ(expected.front(), "AXY");
    EXPECT_FALSE(expected.contains("OXY"));
    while (expected.size() < kPageWords)
        expected << QString();
    EXPECT_EQ(words, expected);

    // Fifteen down under the grid, fifteen beside them, the rest right of the grid.
    const struct {
        int label;
        QPoint at;
    } breaks[] = {{0, {8, 344}}, {14, {8, 552}}, {15, {160, 344}}, {29, {160, 552}}, {30, {312, 40}}, {63, {312, 552}}};
    for (const auto& b : breaks)
        EXPECT_EQ(page.find(QStringLiteral("l%1").arg(b.label))->rect.topLeft(), b.at) << b.label;
}

TEST(PrintPages, ThePuzzleGridIsFramedAndUnmarkedTheKeyShowsEveryPlacedWord)
{
    const WordSearchPuzzle puzzle = twentyWords();
    const LetterPictures letters = BarLetters();
    const QImage grid = PuzzlePage(puzzle, letters, QString()).find("immain")->image;
    const printing::PageLayout keyPage = KeyPage(puzzle, letters, kPurple, QString());
    const QImage key = keyPage.find("immain")->image;
    EXPECT_EQ(keyPage.find("lbltitle")->text, "UNTITLED   <KEY>");
    EXPECT_EQ(keyPage.find("immain")->rect, QRect(78, 64, 300, 300));

    for (const QImage* picture : {&grid, &key}) {
        for (const QPoint edge : {QPoint(0, 0), QPoint(299, 0), QPoint(150, 299), QPoint(0, 150), QPoint(299, 299)})
            EXPECT_EQ(At(*picture, edge.x(), edge.y()), qRgb(0, 0, 0)) << "the frame at " << edge.x() << "," << edge.y();
    }
    for (int n = 1; n <= 20; ++n) {
        const int top = (n - 1) * 15 + 2;
        EXPECT_EQ(At(key, 2 + 15 * 2, top), kPurple.rgb()) << "word " << n << " ends on the key";
        EXPECT_EQ(At(grid, 2 + 15 * 2, top), qRgb(255, 255, 255)) << "and not on the puzzle";
        EXPECT_EQ(At(grid, 7, top + 3), qRgb(0, 0, 0)) << "the letters on the puzzle";
    }
    EXPECT_EQ(PageTitle(QStringLiteral("Spring")), "SPRING");
    EXPECT_EQ(PageTitle(QString()), "UNTITLED");
}
