#pragma once

#include "wordsearch/puzzle.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
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
    bool cancelled();
    void setProgress(int value);
    void advanceGauge();

    WordSearchPuzzle& puzzle_;
    Rng& rng_;
    BuildProgress* observer_;
    std::vector<QByteArray> rows_;
    QByteArray word_;
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
