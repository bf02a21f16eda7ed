#include "platform/rng.h"
#include "wordsearch/builder.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

using namespace wordsearch;

namespace {

using Cell = std::pair<int, int>;

struct Recorder : BuildProgress {
    void wordStarted(const QString& word) override
    {
        order << word;
        if (cancelAfter > 0 && order.size() >= cancelAfter)
            cancel = true;
    }
    void fillStarted() override { fillSeen = true; }
    void progressChanged(int value) override
    {
        maxProgress = std::max(maxProgress, value);
        lastProgress = value;
    }
    void gaugeChanged(int value) override { gauge = value; }
    bool cancelRequested() override { return cancel; }

    QStringList order;
    bool fillSeen = false;
    bool cancel = false;
    int cancelAfter = 0;
    int maxProgress = 0;
    int lastProgress = -1;
    int gauge = 0;
};

// The cells of every placement, read back from the index: word number -> list of runs.
struct Placement {
    int number;
    std::vector<Cell> cells;
};

std::vector<Placement> placements(const WordSearchPuzzle& p)
{
    std::vector<Placement> out;
    for (int x1 = 1; x1 <= 20; ++x1)
        for (int y1 = 1; y1 <= 20; ++y1)
            for (int x2 = 1; x2 <= 20; ++x2)
                for (int y2 = 1; y2 <= 20; ++y2) {
                    const int n = p.index.at(x1, y1, x2, y2);
                    if (!n)
                        continue;
                    const int dx = (x2 > x1) - (x2 < x1);
                    const int dy = (y2 > y1) - (y2 < y1);
                    Placement pl{n, {}};
                    for (int x = x1, y = y1;; x += dx, y += dy) {
                        pl.cells.push_back({x, y});
                        if (x == x2 && y == y2)
                            break;
                    }
                    out.push_back(pl);
                }
    return out;
}

const QStringList kAnimals = {"", "ELEPHANT", "GIRAFFE", "ZEBRA", "LION", "TIGER", "MONKEY", "HIPPO",
                              "RHINOCEROS", "CROCODILE", "OX", "YAK", "EMU", "KANGAROO", "WOMBAT", "KOALA",
                              "PANDA", "OTTER", "BEAVER", "MOOSE", "BISON", "CAMEL", "LLAMA", "ALPACA"};

QStringList fullList()
{
    // Distinct words, so each placement belongs to one word.
    // 64 words, 280 letters: the largest list a build accepts.
    QStringList words;
    const char* base[] = {"ABLE", "BAKE", "CODE", "DUSK", "EMIT", "FROG", "GUST", "HINT"};
    for (int i = 0; i < 64; ++i) {
        QString w = QString::fromLatin1(base[i % 8]);
        w += QChar('A' + (i / 8));
        words << w;
    }
    // 64 words of 5 letters = 320; trim to 280 letters by shortening 40 words to 4 letters
    // (their fourth letter goes, so every word stays different).
    for (int i = 0; i < 40; ++i)
        words[i].remove(3, 1);
    return words;
}

} // namespace

TEST(GridBuilder, PlacesLongestFirstInListOrderAndFillsEveryCell)
{
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        Rng rng(seed);
        WordSearchPuzzle p;
        Recorder rec;
        GridBuilder builder(p, rng, &rec);
        const BuildOutcome out = builder.Build(kAnimals);
        EXPECT_FALSE(out.cancelled);
        EXPECT_TRUE(rec.fillSeen);
        // Longest first; equal lengths keep the list order.
        QStringList expected;
        for (int len = 10; len >= 2; --len)
            for (const QString& w : kAnimals)
                if (w.size() == len)
                    expected << w;
        EXPECT_EQ(rec.order, expected) << "seed " << seed;
        EXPECT_EQ(rec.gauge, static_cast<int>(expected.size()) + 1);
        for (int x = 1; x <= 20; ++x)
            for (int y = 1; y <= 20; ++y)
                ASSERT_TRUE(isLetter(p.grid[x][y])) << x << "," << y << " seed " << seed;
        EXPECT_TRUE(p.wordSlots[0].isEmpty()) << "the empty row is never placed";
    }
}

TEST(GridBuilder, EveryWordRunsStraightInsideTheFieldAndCrossesAtMostOnce)
{
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        Rng rng(seed * 7919);
        WordSearchPuzzle p;
        Recorder rec;
        GridBuilder builder(p, rng, &rec);
        const QStringList rows = seed % 2 ? kAnimals : fullList();
        const BuildOutcome out = builder.Build(rows);

        const std::vector<Placement> all = placements(p);
        int placedWords = 0;
        for (const WordSlot& s : p.wordSlots)
            placedWords += !s.isEmpty();
        EXPECT_EQ(static_cast<int>(all.size()), placedWords);
        EXPECT_EQ(placedWords + out.unplaced.size(), rows.size() - rows.count(QString()));

        // Replay in placement order: each word may reuse at most one earlier cell, never its last.
        std::vector<Placement> ordered;
        for (const QString& w : rec.order)
            for (const Placement& pl : all) {
                const QByteArray word = rows[pl.number - 1].toLatin1();
                bool same = word == w.toLatin1();
                bool taken = false;
                for (const Placement& o : ordered)
                    taken |= o.cells == pl.cells;
                if (same && !taken) {
                    ordered.push_back(pl);
                    break;
                }
            }
        std::set<Cell> used;
        for (const Placement& pl : ordered) {
            const QByteArray word = rows[pl.number - 1].toLatin1();
            ASSERT_EQ(static_cast<int>(pl.cells.size()), word.size());
            int shared = 0;
            for (std::size_t i = 0; i < pl.cells.size(); ++i) {
                const auto [x, y] = pl.cells[i];
                ASSERT_TRUE(x >= 1 && x <= 20 && y >= 1 && y <= 20);
                EXPECT_EQ(p.grid[x][y], word[static_cast<int>(i)]);
                if (used.count(pl.cells[i])) {
                    ++shared;
                    EXPECT_NE(i, pl.cells.size() - 1) << "a word never crosses with its last letter";
                }
            }
            EXPECT_LE(shared, 1) << word.constData() << " seed " << seed;
            used.insert(pl.cells.begin(), pl.cells.end());
        }
    }
}

TEST(GridBuilder, FillLettersNeverStartAListedWordBesideItsSecondLetter)
{
    for (std::uint64_t seed = 1; seed <= 30; ++seed) {
        Rng rng(seed);
        WordSearchPuzzle p;
        GridBuilder builder(p, rng);
        builder.Build(kAnimals);
        std::set<Cell> wordCells;
        for (const Placement& pl : placements(p))
            wordCells.insert(pl.cells.begin(), pl.cells.end());
        for (int x = 1; x <= 20; ++x)
            for (int y = 1; y <= 20; ++y) {
                if (wordCells.count({x, y}) || p.grid[x][y] == 'X')
                    continue;
                const char c = p.grid[x][y];
                for (int dx = -1; dx <= 1; ++dx)
                    for (int dy = -1; dy <= 1; ++dy) {
                        const int nx = x + dx, ny = y + dy;
                        if ((!dx && !dy) || nx < 1 || ny < 1 || nx > 20 || ny > 20)
                            continue;
                        const char n = p.grid[nx][ny];
                        if (n == 'X' && !wordCells.count({nx, ny}))
                            continue;
                        for (const QString& w : kAnimals) {
                            if (w.size() < 2)
                                continue;
                            const char a = w[0].toLatin1(), b = w[1].toLatin1();
                            EXPECT_FALSE((c == a && n == b) || (c == b && n == a))
                                << c << n << " at " << x << "," << y << " seed " << seed;
                        }
                    }
            }
    }
}

TEST(GridBuilder, SameSeedSameGrid)
{
    Rng a(123), b(123);
    WordSearchPuzzle pa, pb;
    GridBuilder(pa, a).Build(kAnimals);
    GridBuilder(pb, b).Build(kAnimals);
    EXPECT_EQ(pa.grid, pb.grid);
    EXPECT_EQ(pa.index, pb.index);
}

TEST(GridBuilder, TenLetterWordGoesFirstEvenWhenListedSecond)
{
    Rng rng(5);
    WordSearchPuzzle p;
    Recorder rec;
    GridBuilder(p, rng, &rec).Build({"OX", "RHINOCEROS"});
    EXPECT_EQ(rec.order, QStringList({"RHINOCEROS", "OX"}));
    EXPECT_EQ(p.wordSlots[0].word(), QByteArray("OX"));
    EXPECT_EQ(p.wordSlots[1].word(), QByteArray("RHINOCEROS"));
}

TEST(GridBuilder, RepeatedWordCarriesItsFirstRowNumber)
{
    Rng rng(11);
    WordSearchPuzzle p;
    GridBuilder(p, rng).Build({"CAT", "DOG", "cat"});
    int ones = 0;
    for (const Placement& pl : placements(p)) {
        EXPECT_NE(pl.number, 3);
        ones += pl.number == 1;
    }
    EXPECT_EQ(ones, 2);
    EXPECT_EQ(p.wordSlots[2].word(), QByteArray("cat")) << "each copy fills its own slot";
}

TEST(GridBuilder, WordWithNoRoomIsReportedAndTheRestGoesOn)
{
    Rng rng(3);
    WordSearchPuzzle p;
    Recorder rec;
    GridBuilder builder(p, rng, &rec);
    ClearPuzzle(p);
    for (int x = 1; x <= 20; ++x)
        for (int y = 1; y <= 20; ++y)
            p.grid[x][y] = 'Z';
    builder.setRows({"CAT"});
    builder.PlaceWord(1, "CAT");
    EXPECT_FALSE(builder.placed());
    EXPECT_TRUE(p.wordSlots[0].isEmpty());
    EXPECT_EQ(rec.gauge, 1);
    EXPECT_EQ(rec.maxProgress, kProgressMax);
    EXPECT_EQ(builder.progress(), 0);
}

TEST(GridBuilder, CancelStopsPlacementAndSkipsTheFill)
{
    Rng rng(8);
    WordSearchPuzzle p;
    Recorder rec;
    rec.cancelAfter = 3;
    const BuildOutcome out = GridBuilder(p, rng, &rec).Build(kAnimals);
    EXPECT_TRUE(out.cancelled);
    EXPECT_FALSE(rec.fillSeen);
    EXPECT_EQ(rec.order.size(), 3);
    int filled = 0;
    for (int x = 1; x <= 20; ++x)
        for (int y = 1; y <= 20; ++y)
            filled += p.grid[x][y] != '0';
    EXPECT_LT(filled, 30) << "only the two words placed before the cancel are in the grid";
    int slotsUsed = 0;
    for (const WordSlot& s : p.wordSlots)
        slotsUsed += !s.isEmpty();
    EXPECT_EQ(slotsUsed, 2);
}

TEST(GridBuilder, FillRuleLooksAtTheEightNeighboursOnly)
{
    Rng rng(1);
    WordSearchPuzzle p;
    ClearPuzzle(p);
    GridBuilder builder(p, rng);
    builder.setRows({"", "CAT", "Q"});
    p.grid[5][5] = 'C';
    EXPECT_FALSE(builder.FillLetterAllowed(6, 6, 'A')) << "A beside C reads CA";
    EXPECT_FALSE(builder.FillLetterAllowed(4, 5, 'A'));
    EXPECT_TRUE(builder.FillLetterAllowed(7, 5, 'A')) << "two cells away";
    EXPECT_TRUE(builder.FillLetterAllowed(6, 6, 'B'));
    p.grid[5][5] = 'A';
    EXPECT_FALSE(builder.FillLetterAllowed(5, 6, 'C')) << "C beside A reads AC backwards";
    EXPECT_TRUE(builder.FillLetterAllowed(1, 1, 'C')) << "the border holds no letter";
}

TEST(GridBuilder, CellThatNoLetterSuitsStillGetsFilled)
{
    // Every letter L is the first letter of "L" + "A", and the cells sit among A's: no letter
    // suits them, so each ends with 'X' instead of an endless draw.
    QStringList rows;
    for (char c = 'A'; c <= 'Z'; ++c)
        rows << QString(QChar(c)) + "A";
    Rng rng(4);
    WordSearchPuzzle p;
    ClearPuzzle(p);
    GridBuilder builder(p, rng);
    builder.setRows(rows);
    for (int x = 1; x <= 20; ++x)
        for (int y = 1; y <= 20; ++y)
            p.grid[x][y] = 'A';
    p.grid[5][5] = '0';
    p.grid[15][15] = '0';
    builder.FillEmptyCells();
    EXPECT_EQ(p.grid[5][5], 'X');
    EXPECT_EQ(p.grid[15][15], 'X');
}

TEST(BuildMessages, ExactTexts)
{
    EXPECT_EQ(UnplacedMessage(1), "We are sorry but there was   1 word");
    EXPECT_EQ(UnplacedMessage(3), "We are sorry but there were  3 words");
    EXPECT_EQ(UnplacedMessage(64), "We are sorry but there were  64 words");
    EXPECT_EQ(ContainedWordLines({"", "CAT", "CATALOG"}), QStringList{"CATALOG contains the word CAT"});
    EXPECT_EQ(ContainedWordLines({"CAT", "CAT"}), QStringList{"CAT contains the word CAT"});
    EXPECT_EQ(ContainedWordLines({"CAT", "cat", "DOG"}),
              QStringList({"cat contains the word CAT", "CAT contains the word cat"}));
    EXPECT_TRUE(ContainedWordLines({"CAT", "DOG", "BIRD"}).isEmpty());
}
