#include "platform/rng.h"
#include "wordsearch/builder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>
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

namespace {

// A grid drawn as text, row by row from the top: '.' an empty cell, a letter a letter, and any
// cell the picture leaves out a 'Z'.
void drawGrid(WordSearchPuzzle& p, const std::vector<std::string>& rows, int left, int top)
{
    ClearPuzzle(p);
    for (int x = 1; x <= 20; ++x)
        for (int y = 1; y <= 20; ++y)
            p.grid[x][y] = 'Z';
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            p.grid[left + int(c)][top + int(r)] = rows[r][c] == '.' ? '0' : rows[r][c];
}

std::string gridText(const WordGrid& g)
{
    std::string text;
    for (int y = 1; y <= 20; ++y)
        for (int x = 1; x <= 20; ++x)
            text += g[x][y];
    return text;
}

// The placement rules drawn one by one, every draw as written, with nothing left out: the model
// the builder's outcomes are held against. Returns the grid afterwards, or
// "unplaced". The grid tells the placement apart, as no word in the cases reads the same backwards.
std::string placeByTheRules(WordGrid g, const QByteArray& w, Rng& rng)
{
    const int L = int(w.size());
    bool placed = false;
    const auto tryDirection = [&](int d, int x, int y, int k) {
        const int x1 = x - k * kDx[d], y1 = y - k * kDy[d];
        const int x2 = x + (L - 1 - k) * kDx[d], y2 = y + (L - 1 - k) * kDy[d];
        if (x1 < 1 || x1 > 20 || y1 < 1 || y1 > 20 || x2 < 1 || x2 > 20 || y2 < 1 || y2 > 20)
            return;
        const char kept = g[x][y];
        g[x][y] = '0';
        for (int i = 0; i < L; ++i)
            if (g[x1 + i * kDx[d]][y1 + i * kDy[d]] != '0') {
                g[x][y] = kept;
                return;
            }
        for (int i = 0; i < L; ++i)
            g[x1 + i * kDx[d]][y1 + i * kDy[d]] = w[i];
        placed = true;
    };
    const auto directions = [&](int x, int y, int k) {
        for (int draw = 0; draw < 16 && !placed; ++draw)
            tryDirection(rng.random(8), x, y, k);
    };
    int tries = 0;
    for (int pass = 0; pass < 1001 && !placed; ++pass) {
        do {
            const int x = rng.random(20) + 1, y = rng.random(20) + 1;
            int found = 0;
            for (int probe = 0; probe < L * 5 && !found; ++probe) {
                const int j = rng.random(L - 1) + 1;
                if (w[j - 1] == g[x][y])
                    found = j;
            }
            if (found)
                directions(x, y, found - 1);
            ++tries;
        } while (tries <= 50 && !placed);
        if (placed)
            break;
        tries = 0;
        for (;;) {
            const int x = rng.random(20) + 1, y = rng.random(20) + 1;
            if (g[x][y] == '0')
                directions(x, y, 0);
            if (++tries >= 51 || placed)
                break;
        }
    }
    return placed ? gridText(g) : "unplaced";
}

// The builder's outcome in the same terms.
std::string placeByTheBuilder(WordSearchPuzzle& p, const QByteArray& w, Rng& rng)
{
    GridBuilder builder(p, rng);
    builder.setRows({QString::fromLatin1(w)});
    builder.PlaceWord(1, w);
    return builder.placed() ? gridText(p.grid) : "unplaced";
}

// The chi-square value above which two samples of equal size come from different odds with
// 99.9 % certainty (Wilson and Hilferty's approximation).
double chiSquareLimit(int freedom)
{
    const double f = freedom, z = 3.0902;
    return f * std::pow(1 - 2 / (9 * f) + z * std::sqrt(2 / (9 * f)), 3);
}

} // namespace

TEST(GridBuilder, PlacesWithTheOddsOfDrawingEveryTry)
{
    // The builder leaves out draws that cannot change a try's outcome; the grids must still come
    // with the odds of the rules drawn one by one. Each case is a crowded grid ('Z' everywhere
    // but the picture) where a word has a handful of places.
    struct Case {
        const char* word;
        std::vector<std::string> picture;
        int left, top;
        int seeds;
    } cases[] = {
        // One crossing in two directions; about one build in thirteen finds no place, which
        // shows how many crossing tries each pass makes.
        {"CAT", {".A."}, 9, 10, 1000},
        // Crossings and free cells mixed, directions fitting unevenly.
        {"CAT", {"...Z", "....", "A..Z", "..ZZ", "ZZZA", "ZZ.."}, 3, 2, 3000},
        // A letter twice in the word: which of them lands on the crossing is drawn, and each
        // gives other places; a free column besides.
        {"BANANA", {"...A....Z.", "ZZZZZZZZZ.", "ZZZZZZZZZ.", "ZZZZZZZZZ.", "ZZZZZZZZZ.", "ZZZZZZZZZ.", "ZZZZZZZZZ."},
         3, 3, 3000},
        // A two-letter word crosses only with its first letter.
        {"OX", {"O.O", ".Z.", "X.O"}, 18, 18, 3000},
    };
    for (const Case& c : cases) {
        std::map<std::string, std::pair<int, int>> counts; // outcome -> (rules, builder)
        WordSearchPuzzle p;
        for (int s = 1; s <= c.seeds; ++s) {
            drawGrid(p, c.picture, c.left, c.top);
            Rng byRules(s), byBuilder(1000000 + s);
            ++counts[placeByTheRules(p.grid, c.word, byRules)].first;
            ++counts[placeByTheBuilder(p, c.word, byBuilder)].second;
        }
        // Rare outcomes pooled, so that every class expects at least ten of each.
        double chi = 0;
        int classes = 0, pooledA = 0, pooledB = 0;
        for (const auto& [outcome, ab] : counts) {
            if (ab.first + ab.second < 20) {
                pooledA += ab.first;
                pooledB += ab.second;
                continue;
            }
            chi += double(ab.first - ab.second) * (ab.first - ab.second) / (ab.first + ab.second);
            ++classes;
        }
        if (pooledA + pooledB > 0) {
            chi += double(pooledA - pooledB) * (pooledA - pooledB) / (pooledA + pooledB);
            ++classes;
        }
        ASSERT_GE(classes, 3) << c.word << ": too few outcomes to compare";
        EXPECT_LT(chi, chiSquareLimit(classes - 1)) << c.word << " over " << classes << " outcomes";
    }
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
