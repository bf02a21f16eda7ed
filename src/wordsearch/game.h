#pragma once

#include "wordsearch/gridpicture.h"
#include "wordsearch/puzzle.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QStringList>

// The word search being played: the words still to find, the words found, the pending
// selection and the keyboard's cell. The play window draws it and forwards clicks and keys.
namespace wordsearch {

// A found word as it was selected: from the first clicked cell to the second (indices 1 to 20).
struct FoundWord {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool operator==(const FoundWord&) const = default;
};

class WordSearchGame {
public:
    enum class Click {
        ignored,   // no puzzle, or outside the field
        marked,    // the first click: the start cell is marked
        missed,    // the second click joined no word still to find
        found,     // the second click found a word
        completed, // ... and it was the last: show the winner, then restart
    };

    // The game reads the puzzle it is given for as long as it lives.
    explicit WordSearchGame(const WordSearchPuzzle& puzzle, LetterPictures letters = LoadLetterPictures());

    // The puzzle as it stands starts afresh: every word of a slot to find, sorted, nothing found,
    // no start cell. The letters on screen are taken from the grid now.
    void restart();

    // A puzzle counts as loaded while words are left to find.
    bool loaded() const { return !remaining_.isEmpty(); }
    const QStringList& remaining() const { return remaining_; }
    const QList<FoundWord>& found() const { return found_; }
    bool waitingForFirstClick() const { return waiting_; }
    QPoint startCell() const { return start_; }
    QPoint endCell() const { return end_; }
    QPoint focusCell() const { return focus_; }

    // A click on a cell (column and row from 0). The keyboard's cell follows it.
    Click click(QPoint cell);
    // Arrows: the keyboard's cell moves one step, stopping at the edges.
    void moveFocus(int dx, int dy);
    // Space or Enter: a click on the keyboard's cell.
    Click clickFocus() { return click(focus_); }
    // Drops a marked start cell without checking a selection.
    void endSelection() { waiting_ = true; }

    // The grid as the player sees it: the letters, the bars of the words found, and the marked
    // start cell inverted, all in the highlight colour given.
    QImage picture(const QColor& highlight) const;
    // The letters alone, as shown by the last restart.
    const QImage& lettersPicture() const { return letters_; }

private:
    // The second click: does a word still to find run between the two cells?
    Click CheckSelection();

    const WordSearchPuzzle& puzzle_;
    LetterPictures letterPictures_;
    QImage letters_;
    QStringList remaining_;
    QList<FoundWord> found_;
    QPoint start_;
    QPoint end_;
    QPoint focus_;
    bool waiting_ = true;
};

} // namespace wordsearch
