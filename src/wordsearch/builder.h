#pragma once

#include "wordsearch/puzzle.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

class Rng;

namespace wordsearch {

// What a running build tells its window, and how the window stops it.
class BuildProgress {
public:
    virtual ~BuildProgress() = default;
    // A word's placement begins: show it and let pending user input through, once.
    virtual void wordStarted(const QString& word) { (void)word; }
    // The fill begins ("Random letters").
    virtual void fillStarted() {}
    virtual void progressChanged(int value) { (void)value; }
    virtual void gaugeChanged(int value) { (void)value; }
    virtual bool cancelRequested() { return false; }
};

struct BuildOutcome {
    bool cancelled = false;
    QStringList unplaced; // in placement order
};

// Direction d steps (kDx[d], kDy[d]) from one letter to the next; 0 is upwards, then clockwise.
constexpr int kDx[8] = {0, 1, 1, 1, 0, -1, -1, -1};
constexpr int kDy[8] = {-1, -1, 0, 1, 1, 1, 0, -1};

constexpr int kProgressMax = 100000;
constexpr int kPasses = 1001;

// Lays a word list into the 20 by 20 grid: longest words first, each at a random place and
// direction, crossing an earlier word where a letter agrees, then fills the empty cells with
// random letters that do not start a listed word next to its second letter.
//
// The grid stands still while a word looks for its place, so every try of a word is drawn from
// the same odds. The builder leans on that: it works out once per word and cell which directions
// fit, and leaves out every draw whose value cannot change what happens (the letter positions
// probed at a cell that cannot take the word, the directions drawn where none fits, and all the
// tries of a word that fits nowhere). The draws it keeps are as fair and as independent as
// before, so every grid comes out with the same odds as from drawing everything; only which
// seed gives which grid differs.
class GridBuilder {
public:
    GridBuilder(WordSearchPuzzle& puzzle, Rng& rng, BuildProgress* progress = nullptr);

    // Clears the puzzle, places every row of 2 to 10 letters (row i is word i + 1) and fills
    // the rest unless cancelled. Rows are capital letters; an empty row is never placed.
    BuildOutcome Build(const QStringList& rows);

    // The steps of a build, open for tests. The rows must have been set by Build or setRows.
    void setRows(const QStringList& rows);
    void PlaceWord(int n, const QByteArray& word);
    void TryDirection(int d, int x, int y, int k);
    void RecordPlacement(int x1, int y1, int x2, int y2);
    void FillEmptyCells();
    bool FillLetterAllowed(int x, int y, char c) const;

    bool placed() const { return placed_; }
    int progress() const { return progress_; }

private:
    // A set of byte values, one bit each.
    using ByteSet = std::array<std::uint64_t, 4>;

    bool cancelled();
    void setProgress(int value);
    void advanceGauge();

    void startWord(const QByteArray& word);
    bool fits(int d, int x, int y, int k) const;
    void lay(int d, int x, int y, int k);
    std::uint8_t fitMask(int x, int y, int k);
    bool crossingAlive(int x, int y);
    bool crossingTry();
    bool emptyCellTry();
    bool drawDirection(std::uint8_t mask, int x, int y, int k);
    void survey(bool& crossingPossible, bool& emptyCellPossible);
    ByteSet neighbours(int x, int y) const;

    WordSearchPuzzle& puzzle_;
    Rng& rng_;
    BuildProgress* observer_;
    std::vector<QByteArray> rows_;
    std::vector<QByteArray> upperRows_;
    // fillBans_[c]: the letters beside which c would start a listed word, reading either way.
    std::array<ByteSet, 256> fillBans_{};
    QByteArray word_;
    QByteArray upperWord_;
    int length_ = 0;
    // crossAt_[c]: the positions 0 to length - 2 of the current word that hold letter c.
    std::array<std::uint16_t, 256> crossAt_{};
    // The directions that fit, per letter position and cell, valid while stamp equals wordSerial_.
    std::array<std::array<std::array<std::uint8_t, kSide>, kSide>, kSlotChars> fitMasks_{};
    std::array<std::array<std::array<std::uint32_t, kSide>, kSide>, kSlotChars> fitStamps_{};
    std::uint32_t wordSerial_ = 0;
    bool placed_ = false;
    bool cancel_ = false;
    int progress_ = 0;
    int gauge_ = 0;
    BuildOutcome outcome_;
};

// The notice lines for words that stand inside other words: "CATALOG contains the word CAT".
QStringList ContainedWordLines(const QStringList& rows);

// The build error line: "We are sorry but there was   1 word" / "... were  3 words".
QString UnplacedMessage(int count);

} // namespace wordsearch
