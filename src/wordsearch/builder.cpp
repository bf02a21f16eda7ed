#include "wordsearch/builder.h"

#include "platform/rng.h"

#include <algorithm>

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
    for (const QString& row : rows)
        rows_.push_back(row.toLatin1());
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

void GridBuilder::PlaceWord(int n, const QByteArray& word)
{
    word_ = word;
    const int length = static_cast<int>(word_.size());
    placed_ = false;
    int tries = 0;
    if (observer_)
        observer_->wordStarted(QString::fromLatin1(word_));

    const auto drawDirections = [&](int x, int y, int k) {
        for (int draw = 0; draw < kDirectionDraws && !placed_; ++draw) {
            if (cancelled())
                return;
            TryDirection(rng_.random(8), x, y, k);
        }
    };

    for (int pass = 0; pass < kPasses && !placed_ && !cancelled(); ++pass) {
        // Crossing: a random cell whose letter the word holds, anywhere but in its last place.
        do {
            const int x = rng_.random(kField) + 1;
            const int y = rng_.random(kField) + 1;
            const char c = puzzle_.grid[x][y];
            int found = 0;
            for (int probe = 0; probe < length * 5; ++probe) {
                const int j = rng_.random(length - 1) + 1;
                if (word_[j - 1] == c) {
                    found = j;
                    break;
                }
            }
            if (found)
                drawDirections(x, y, found - 1);
            ++tries;
        } while (tries <= kCrossingTries && !placed_ && !cancelled());

        if (placed_)
            break;
        // Empty cells: the word starts in a free cell.
        setProgress(progress_ + kProgressStep);
        tries = 0;
        for (;;) {
            const int x = rng_.random(kField) + 1;
            const int y = rng_.random(kField) + 1;
            if (cancelled())
                break;
            if (puzzle_.grid[x][y] == kEmptyCell)
                drawDirections(x, y, 0);
            ++tries;
            if (tries >= kEmptyCellTries) {
                setProgress(progress_ + kProgressStep);
                break;
            }
            if (placed_)
                break;
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

void GridBuilder::TryDirection(int d, int x, int y, int k)
{
    const int length = static_cast<int>(word_.size());
    const int dx = kDx[d];
    const int dy = kDy[d];
    const int x1 = x - k * dx;
    const int y1 = y - k * dy;
    const int x2 = x + (length - 1 - k) * dx;
    const int y2 = y + (length - 1 - k) * dy;
    if (!inField(x1) || !inField(y1) || !inField(x2) || !inField(y2))
        return;

    const char kept = puzzle_.grid[x][y];
    puzzle_.grid[x][y] = kEmptyCell;
    for (int i = 0; i < length; ++i) {
        if (puzzle_.grid[x + (i - k) * dx][y + (i - k) * dy] != kEmptyCell) {
            puzzle_.grid[x][y] = kept;
            return;
        }
    }
    for (int i = 0; i < length; ++i)
        puzzle_.grid[x + (i - k) * dx][y + (i - k) * dy] = word_[i];
    placed_ = true;
    RecordPlacement(x1, y1, x2, y2);
}

void GridBuilder::RecordPlacement(int x1, int y1, int x2, int y2)
{
    // A word listed twice carries the number of its first row in both placements.
    const QByteArray upper = word_.toUpper();
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].toUpper() == upper) {
            puzzle_.index.at(x1, y1, x2, y2) = static_cast<std::uint8_t>(i + 1);
            return;
        }
    }
}

void GridBuilder::FillEmptyCells()
{
    if (observer_)
        observer_->fillStarted();
    setProgress(0);
    int draws = 0;
    for (int y = 1; y <= kField; ++y) {
        for (int x = 1; x <= kField; ++x) {
            int cellDraws = 0;
            while (puzzle_.grid[x][y] == kEmptyCell) {
                const char c = static_cast<char>('A' + rng_.random(26));
                if (FillLetterAllowed(x, y, c))
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
    static constexpr int nx[8] = {1, 1, 0, -1, -1, -1, 0, 1};
    static constexpr int ny[8] = {0, 1, 1, 1, 0, -1, -1, -1};
    const auto neighbourHolds = [&](char letter) {
        for (int i = 0; i < 8; ++i) {
            const int cx = x + nx[i];
            const int cy = y + ny[i];
            if (cx < 0 || cy < 0 || cx >= kSide || cy >= kSide || !inField(cx) || !inField(cy))
                continue; // the border holds no letter
            const char held = puzzle_.grid[cx][cy];
            if (held != kEmptyCell && held == letter)
                return true;
        }
        return false;
    };
    for (const QByteArray& w : rows_) {
        if (w.size() < 2)
            continue;
        if ((c == w[0] && neighbourHolds(w[1])) || (c == w[1] && neighbourHolds(w[0])))
            return false;
    }
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
