#include "wordsearch/builder.h"

#include "platform/rng.h"

#include <algorithm>
#include <bit>

namespace wordsearch {
namespace {

constexpr int kCrossingTries = 50;   // tries 0..50
constexpr int kEmptyCellTries = 51;
constexpr int kDirectionDraws = 16;
constexpr int kProgressStep = 50;
constexpr int kFillRowStep = 4000;
constexpr int kGlobalXDraw = 1000;
constexpr int kCellDrawBound = 1000;

bool inField(int v)
{
    return v >= 1 && v <= kField;
}

} // namespace

GridBuilder::GridBuilder(WordSearchPuzzle& puzzle, Rng& rng, BuildProgress* progress)
    : puzzle_(puzzle), rng_(rng), observer_(progress)
{
}

bool GridBuilder::cancelled()
{
    if (!cancel_ && observer_ && observer_->cancelRequested())
        cancel_ = true;
    return cancel_;
}

void GridBuilder::setProgress(int value)
{
    // A word that uses all its passes runs 100 past the end; the bar stops at its end.
    progress_ = std::min(value, kProgressMax);
    if (observer_)
        observer_->progressChanged(progress_);
}

void GridBuilder::advanceGauge()
{
    ++gauge_;
    if (observer_)
        observer_->gaugeChanged(gauge_);
}

void GridBuilder::setRows(const QStringList& rows)
{
    rows_.clear();
    upperRows_.clear();
    fillBans_ = {};
    for (const QString& row : rows) {
        rows_.push_back(row.toLatin1());
        upperRows_.push_back(rows_.back().toUpper());
        const QByteArray& w = rows_.back();
        if (w.size() < 2)
            continue;
        const auto first = static_cast<unsigned char>(w[0]);
        const auto second = static_cast<unsigned char>(w[1]);
        fillBans_[first][second / 64] |= std::uint64_t(1) << (second % 64);
        fillBans_[second][first / 64] |= std::uint64_t(1) << (first % 64);
    }
}

BuildOutcome GridBuilder::Build(const QStringList& rows)
{
    setRows(rows);
    outcome_ = BuildOutcome{};
    cancel_ = false;
    gauge_ = 0;
    setProgress(0);
    ClearPuzzle(puzzle_);

    for (int length = kSlotChars; length >= 2 && !cancelled(); --length) {
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            if (cancelled())
                break;
            if (rows_[i].size() == length)
                PlaceWord(static_cast<int>(i) + 1, rows_[i]);
        }
    }
    if (!cancelled())
        FillEmptyCells();
    outcome_.cancelled = cancel_;
    return outcome_;
}

void GridBuilder::startWord(const QByteArray& word)
{
    word_ = word;
    upperWord_ = word.toUpper();
    length_ = static_cast<int>(word_.size());
    crossAt_ = {};
    for (int k = 0; k + 1 < length_; ++k)
        crossAt_[static_cast<unsigned char>(word_[k])] |= std::uint16_t(1) << k;
    if (++wordSerial_ == 0) {
        fitStamps_ = {};
        wordSerial_ = 1;
    }
}

void GridBuilder::PlaceWord(int n, const QByteArray& word)
{
    startWord(word);
    placed_ = false;
    if (observer_)
        observer_->wordStarted(QString::fromLatin1(word_));
    // Input gets through only at the start of a word, so that is where a cancel shows; a look
    // once a pass is plenty and keeps the check out of the tries.
    // Words outside 2 to 10 letters never come from a build; they find no place.
    bool crossing = length_ >= 2 && length_ <= kSlotChars;
    bool emptyCell = crossing;
    bool surveyed = false;
    for (int pass = 0; pass < kPasses && !cancelled(); ++pass) {
        // The first pass makes 51 crossing tries; the empty-cell phase leaves the count at 51,
        // so every later pass makes one crossing try before its 51 empty-cell tries.
        const int crossingTries = pass == 0 ? kCrossingTries + 1 : 1;
        for (int t = 0; t < crossingTries && crossing && !placed_; ++t)
            placed_ = crossingTry();
        if (placed_)
            break;
        setProgress(progress_ + kProgressStep);
        int tries = emptyCell ? 0 : kEmptyCellTries;
        while (tries < kEmptyCellTries && !placed_) {
            placed_ = emptyCellTry();
            ++tries;
        }
        if (tries == kEmptyCellTries)
            setProgress(progress_ + kProgressStep);
        if (placed_)
            break;
        if (!surveyed) {
            // Nothing fitted in a whole pass, so the word may fit nowhere: the tries of a phase
            // that cannot place it are left out, draws and all.
            survey(crossing, emptyCell);
            surveyed = true;
        }
    }

    if (cancelled())
        return;
    // The bar's run to the end carries no result; it jumps there.
    setProgress(kProgressMax);
    advanceGauge();
    setProgress(0);
    if (placed_) {
        puzzle_.wordSlots[n - 1].set(word_);
    } else {
        outcome_.unplaced << QString::fromLatin1(word_);
    }
}

bool GridBuilder::crossingTry()
{
    // A random cell whose letter the word holds, anywhere but in its last place. The probes of
    // a cell where no crossing fits cannot change the outcome, so they are not drawn.
    const int x = rng_.random(kField) + 1;
    const int y = rng_.random(kField) + 1;
    const auto c = static_cast<unsigned char>(puzzle_.grid[x][y]);
    const std::uint16_t at = crossAt_[c];
    if (!at || !crossingAlive(x, y))
        return false;
    int k = -1;
    if (length_ == 2) {
        k = 0; // random(1) is always 0
    } else {
        for (int probe = 0; probe < length_ * 5; ++probe) {
            const int j = rng_.random(length_ - 1);
            if (at >> j & 1) {
                k = j;
                break;
            }
        }
    }
    return k >= 0 && drawDirection(fitMask(x, y, k), x, y, k);
}

bool GridBuilder::emptyCellTry()
{
    // The word starts in a free cell.
    const int x = rng_.random(kField) + 1;
    const int y = rng_.random(kField) + 1;
    return puzzle_.grid[x][y] == kEmptyCell && drawDirection(fitMask(x, y, 0), x, y, 0);
}

bool GridBuilder::drawDirection(std::uint8_t mask, int x, int y, int k)
{
    // Up to 16 directions, repeats possible, the first that fits wins. Where none fits the
    // draws cannot matter and are left out; otherwise one 64-bit output holds all 16 as 3-bit
    // fields, each as fair as random(8) and independent of the others.
    if (!mask)
        return false;
    std::uint64_t bits = rng_.bits();
    for (int draw = 0; draw < kDirectionDraws; ++draw, bits >>= 3) {
        const int d = static_cast<int>(bits & 7);
        if (mask >> d & 1) {
            lay(d, x, y, k);
            return true;
        }
    }
    return false;
}

bool GridBuilder::fits(int d, int x, int y, int k) const
{
    const int dx = kDx[d];
    const int dy = kDy[d];
    const int x1 = x - k * dx;
    const int y1 = y - k * dy;
    const int x2 = x + (length_ - 1 - k) * dx;
    const int y2 = y + (length_ - 1 - k) * dy;
    if (!inField(x1) || !inField(y1) || !inField(x2) || !inField(y2))
        return false;
    // Every cell but (x, y) must be free: a word shares at most the one chosen cell.
    for (int i = 0; i < length_; ++i)
        if (i != k && puzzle_.grid[x1 + i * dx][y1 + i * dy] != kEmptyCell)
            return false;
    return true;
}

void GridBuilder::lay(int d, int x, int y, int k)
{
    const int dx = kDx[d];
    const int dy = kDy[d];
    const int x1 = x - k * dx;
    const int y1 = y - k * dy;
    const char* letters = word_.constData();
    for (int i = 0; i < length_; ++i)
        puzzle_.grid[x1 + i * dx][y1 + i * dy] = letters[i];
    RecordPlacement(x1, y1, x1 + (length_ - 1) * dx, y1 + (length_ - 1) * dy);
}

std::uint8_t GridBuilder::fitMask(int x, int y, int k)
{
    if (fitStamps_[k][x][y] != wordSerial_) {
        std::uint8_t mask = 0;
        for (int d = 0; d < 8; ++d)
            mask |= static_cast<std::uint8_t>(fits(d, x, y, k) << d);
        fitMasks_[k][x][y] = mask;
        fitStamps_[k][x][y] = wordSerial_;
    }
    return fitMasks_[k][x][y];
}

bool GridBuilder::crossingAlive(int x, int y)
{
    for (std::uint16_t at = crossAt_[static_cast<unsigned char>(puzzle_.grid[x][y])]; at; at &= at - 1)
        if (fitMask(x, y, std::countr_zero(at)))
            return true;
    return false;
}

void GridBuilder::survey(bool& crossingPossible, bool& emptyCellPossible)
{
    crossingPossible = false;
    emptyCellPossible = false;
    for (int x = 1; x <= kField; ++x)
        for (int y = 1; y <= kField; ++y) {
            if (puzzle_.grid[x][y] == kEmptyCell)
                emptyCellPossible = emptyCellPossible || fitMask(x, y, 0);
            else
                crossingPossible = crossingPossible || crossingAlive(x, y);
        }
}

void GridBuilder::TryDirection(int d, int x, int y, int k)
{
    if (fits(d, x, y, k)) {
        lay(d, x, y, k);
        placed_ = true;
    }
}

void GridBuilder::RecordPlacement(int x1, int y1, int x2, int y2)
{
    // A word listed twice carries the number of its first row in both placements.
    for (std::size_t i = 0; i < upperRows_.size(); ++i) {
        if (upperRows_[i] == upperWord_) {
            puzzle_.index.at(x1, y1, x2, y2) = static_cast<std::uint8_t>(i + 1);
            return;
        }
    }
}

GridBuilder::ByteSet GridBuilder::neighbours(int x, int y) const
{
    static constexpr int nx[8] = {1, 1, 0, -1, -1, -1, 0, 1};
    static constexpr int ny[8] = {0, 1, 1, 1, 0, -1, -1, -1};
    ByteSet held{};
    for (int i = 0; i < 8; ++i) {
        const int cx = x + nx[i];
        const int cy = y + ny[i];
        if (!inField(cx) || !inField(cy))
            continue; // the border holds no letter
        const auto c = static_cast<unsigned char>(puzzle_.grid[cx][cy]);
        if (c != static_cast<unsigned char>(kEmptyCell))
            held[c / 64] |= std::uint64_t(1) << (c % 64);
    }
    return held;
}

void GridBuilder::FillEmptyCells()
{
    if (observer_)
        observer_->fillStarted();
    setProgress(0);
    int draws = 0;
    for (int y = 1; y <= kField; ++y) {
        for (int x = 1; x <= kField; ++x) {
            if (puzzle_.grid[x][y] != kEmptyCell)
                continue;
            // The neighbours stay as they are while this cell draws its letter.
            const ByteSet held = neighbours(x, y);
            int cellDraws = 0;
            while (puzzle_.grid[x][y] == kEmptyCell) {
                const char c = static_cast<char>('A' + rng_.random(26));
                const ByteSet& bans = fillBans_[static_cast<unsigned char>(c)];
                if (!((bans[0] & held[0]) | (bans[1] & held[1]) | (bans[2] & held[2]) | (bans[3] & held[3])))
                    puzzle_.grid[x][y] = c;
                ++draws;
                ++cellDraws;
                // The 1000th draw of the fill, and a cell no letter suits, take 'X'.
                if (draws == kGlobalXDraw || cellDraws == kCellDrawBound)
                    puzzle_.grid[x][y] = 'X';
            }
        }
        setProgress(progress_ + kFillRowStep);
    }
    setProgress(kProgressMax);
    advanceGauge();
}

bool GridBuilder::FillLetterAllowed(int x, int y, char c) const
{
    // c is refused when it is the first letter of a listed word and the second stands beside
    // it, or the other way round.
    const ByteSet held = neighbours(x, y);
    const ByteSet& bans = fillBans_[static_cast<unsigned char>(c)];
    for (int i = 0; i < 4; ++i)
        if (bans[i] & held[i])
            return false;
    return true;
}

QStringList ContainedWordLines(const QStringList& rows)
{
    QStringList lines;
    for (int i = 0; i < rows.size(); ++i) {
        for (int j = 0; j < rows.size(); ++j) {
            if (i == j || rows[i].isEmpty() || rows[j].isEmpty())
                continue;
            if (rows[j].contains(rows[i], Qt::CaseInsensitive)) {
                const QString line = rows[j] + QStringLiteral(" contains the word ") + rows[i];
                if (!lines.contains(line))
                    lines << line;
            }
        }
    }
    return lines;
}

QString UnplacedMessage(int count)
{
    return QStringLiteral("We are sorry but there ") + (count == 1 ? QStringLiteral("was   ") : QStringLiteral("were  ")) +
           QString::number(count) + (count == 1 ? QStringLiteral(" word") : QStringLiteral(" words"));
}

} // namespace wordsearch
