#include "wordsearch/game.h"

#include <algorithm>

namespace wordsearch {

WordSearchGame::WordSearchGame(const WordSearchPuzzle& puzzle, LetterPictures letters)
    : puzzle_(puzzle), letterPictures_(std::move(letters)), letters_(BlankPicture())
{
}

void WordSearchGame::restart()
{
    remaining_.clear();
    for (const WordSlot& slot : puzzle_.wordSlots)
        if (!slot.isEmpty())
            remaining_ << QString::fromLatin1(slot.word());
    std::sort(remaining_.begin(), remaining_.end());
    found_.clear();
    letters_ = LettersPicture(puzzle_.grid, letterPictures_);
    waiting_ = true;
    start_ = QPoint(0, 0);
}

WordSearchGame::Click WordSearchGame::click(QPoint cell)
{
    if (cell.x() < 0 || cell.y() < 0 || cell.x() >= kField || cell.y() >= kField)
        return Click::ignored;
    focus_ = cell;
    if (!loaded())
        return Click::ignored;
    if (waiting_) {
        start_ = cell;
        waiting_ = false;
        return Click::marked;
    }
    end_ = cell;
    waiting_ = true;
    return CheckSelection();
}

WordSearchGame::Click WordSearchGame::CheckSelection()
{
    // Either order of the two ends finds the word.
    const int x1 = start_.x() + 1, y1 = start_.y() + 1;
    const int x2 = end_.x() + 1, y2 = end_.y() + 1;
    int n = puzzle_.index.at(x1, y1, x2, y2);
    if (n == 0)
        n = puzzle_.index.at(x2, y2, x1, y1);
    if (n < 1 || n > kSlotCount)
        return Click::missed;
    // A word found already is no longer listed; the same word in two slots is listed twice.
    if (!remaining_.removeOne(QString::fromLatin1(puzzle_.wordSlots[n - 1].word())))
        return Click::missed;
    found_ << FoundWord{x1, y1, x2, y2};
    return remaining_.isEmpty() ? Click::completed : Click::found;
}

void WordSearchGame::moveFocus(int dx, int dy)
{
    const QPoint next = focus_ + QPoint(dx, dy);
    if (next.x() >= 0 && next.y() >= 0 && next.x() < kField && next.y() < kField)
        focus_ = next;
}

QImage WordSearchGame::picture(const QColor& highlight) const
{
    QImage picture = letters_;
    // Every bar has one colour and the letters go on top of all: the order of the bars does
    // not show.
    for (const FoundWord& word : found_)
        PaintWordHighlight(picture, word.x1, word.y1, word.x2, word.y2, highlight);
    if (!found_.isEmpty())
        OverlayLetters(picture, letters_);
    if (!waiting_)
        MarkStartCell(picture, start_.x(), start_.y(), highlight);
    return picture;
}

} // namespace wordsearch
