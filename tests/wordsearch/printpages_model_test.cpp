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
    const printing::PageLayout page = PuzzlePage(puzzle, QStringLiteral("Spring"));
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

TEST(PrintPages, TheGridIsItsRowsOfLettersTheKeyAddsABarForEveryPlacedWord)
{
    const WordSearchPuzzle puzzle = CraftedPuzzle();
    const printing::PageLayout puzzlePage = PuzzlePage(puzzle, QString());
    const printing::PageLayout keyPage = KeyPage(puzzle, kPurple, QString());
    EXPECT_EQ(keyPage.find("lbltitle")->text, "UNTITLED   <KEY>");
    EXPECT_EQ(PageTitle(QStringLiteral("Spring")), "SPRING");
    EXPECT_EQ(PageTitle(QString()), "UNTITLED");

    // Inside the black panel: the grid's 300 units at its corner plus 2, each row one line of
    // cells, and on the key each word's two end squares and the stroke between their centres.
    const struct {
        const printing::PageLayout* page;
        QPoint grid;
        int bars;
    } cases[] = {{&puzzlePage, {6, 40}, 0}, {&keyPage, {78, 64}, 3}};
    for (const auto& c : cases) {
        QStringList rows;
        QList<QLineF> strokes;
        int squares = 0;
        for (const printing::PageItem& item : c.page->items) {
            if (item.name != "immain")
                continue;
            if (item.kind == printing::PageItem::Kind::text) {
                EXPECT_EQ(item.rect, QRect(c.grid + QPoint(0, 15 * rows.size()), QSize(15, 15)));
                EXPECT_EQ(item.cellPitch, 15);
                rows << item.text;
            } else if (item.kind == printing::PageItem::Kind::line) {
                EXPECT_EQ(item.colour, kPurple);
                strokes << item.line.translated(-QPointF(c.grid));
            } else if (item.colour == kPurple) {
                ++squares;
            }
        }
        ASSERT_EQ(rows.size(), kField);
        for (int y = 1; y <= kField; ++y)
            for (int x = 1; x <= kField; ++x)
                EXPECT_EQ(rows[y - 1][x - 1], QChar::fromLatin1(puzzle.grid[x][y]));
        EXPECT_EQ(squares, 2 * c.bars);
        ASSERT_EQ(strokes.size(), c.bars);
        for (int n = 0; n < c.bars; ++n) {
            const PlacedWord& word = kPlaced[n];
            EXPECT_TRUE(strokes.contains(QLineF((word.x1 - 1) * 15 + 7.5, (word.y1 - 1) * 15 + 7.5,
                                                (word.x2() - 1) * 15 + 7.5, (word.y2() - 1) * 15 + 7.5)))
                << word.text;
        }
    }
}
