#include "wordsearch/wordlisteditor.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace wordsearch {

QColor WordListEditor::statusColour() const
{
    switch (tone_) {
    case Tone::low:
        return QColor(128, 128, 0);
    case Tone::over:
        return QColor(255, 0, 0);
    case Tone::singleLetter:
        return QColor(84, 9, 208);
    case Tone::available:
        break;
    }
    return QColor(0, 128, 0);
}

QString WordListEditor::rowText(int row) const
{
    return row >= 0 && row < rows_.size() ? rows_[row] : QString();
}

void WordListEditor::select(int row)
{
    selected_ = row >= 0 && row < rows_.size() ? row : -1;
}

void WordListEditor::insertRow(int at, const QString& text)
{
    rows_.insert(at, text);
    if (selected_ >= at)
        ++selected_;
}

void WordListEditor::removeRow(int at)
{
    rows_.removeAt(at);
    // A list with one selected row selects the next row when that row goes, else the one before.
    if (selected_ > at)
        --selected_;
    else if (selected_ == at && at >= rows_.size())
        selected_ = rows_.isEmpty() ? -1 : at - 1;
}

void WordListEditor::sortRows()
{
    // The selection stays with its row's word.
    std::vector<int> order(rows_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) { return rows_[a] < rows_[b]; });
    QStringList sorted;
    int selected = -1;
    for (int i = 0; i < int(order.size()); ++i) {
        sorted << rows_[order[i]];
        if (order[i] == selected_)
            selected = i;
    }
    rows_ = sorted;
    selected_ = selected;
}

void WordListEditor::setStatus(const QString& text, Tone tone)
{
    status_ = text;
    tone_ = tone;
}

void WordListEditor::UpdateStatus()
{
    int letters = 0;
    for (const QString& row : rows_)
        letters += static_cast<int>(row.size());
    const int remaining = kMaxLetters - letters;
    clearEnabled_ = remaining != kMaxLetters;

    const auto plural = [](int n) { return n == 1 ? QStringLiteral(" character") : QStringLiteral(" characters"); };
    if (remaining < 0)
        setStatus(QString::number(-remaining) + plural(-remaining) + QStringLiteral(" over limit"), Tone::over);
    else
        setStatus(QString::number(remaining) + plural(remaining) + QStringLiteral(" available"),
                  remaining < 10 ? Tone::low : Tone::available);
}

int WordListEditor::EnsureRow()
{
    if (selected_ >= 0)
        return selected_;
    if (rows_.isEmpty())
        rows_ << QString();
    else if (!rows_.contains(QString()) && rows_.size() < kMaxRows && !overLimit())
        // A list opened for editing has no empty row; a new word must not overwrite the first one.
        insertRow(0, QString());
    select(0);
    // Editing of row 0 begins here; Escape brings back what it held.
    saved_ = rowText(0);
    return 0;
}

void WordListEditor::setInput(const QString& text)
{
    input_ = text;
    inputChanged(text);
}

void WordListEditor::inputChanged(const QString& text)
{
    input_ = text;
    const int index = EnsureRow();
    rows_[index] = input_;
    edited_ = index;
    UpdateStatus();
}

void WordListEditor::escape()
{
    setInput(saved_);
}

bool WordListEditor::enter()
{
    if (input_.size() == 1) {
        refuseSingleLetter();
        return false;
    }
    const int index = EnsureRow();
    CommitRow(index, input_);
    select(0);
    setInput(rowText(selected_));
    saved_ = input_;
    return true;
}

void WordListEditor::refuseSingleLetter()
{
    setStatus(QStringLiteral("Single characters are not allowed!"), Tone::singleLetter);
    const int row = edited_ >= 0 && rowText(edited_) == input_ ? edited_ : static_cast<int>(rows_.indexOf(input_));
    if (row >= 0)
        select(row);
}

void WordListEditor::CommitRow(int index, const QString& text)
{
    if (!text.trimmed().isEmpty())
        rows_[index] = text;
    else if (rows_.size() > 1)
        removeRow(index);
    else
        rows_[index] = text;

    if (!rowText(0).isEmpty() && rows_.size() < kMaxRows && !overLimit())
        insertRow(0, QString());
    sortRows();
    edited_ = selected_;
}

void WordListEditor::SwitchRow(int newIndex)
{
    if (input_ != saved_ && edited_ >= 0 && edited_ < rows_.size()) {
        const bool picked = newIndex >= 0 && newIndex < rows_.size();
        const QString pickedText = rowText(newIndex);
        CommitRow(edited_, rowText(edited_));
        // The sort may have moved the picked word.
        select(picked ? static_cast<int>(rows_.indexOf(pickedText)) : -1);
    }
    const int row = selected_;
    if (row >= 0)
        setInput(rowText(row));
    edited_ = row;
    saved_ = rowText(row);
}

bool WordListEditor::selectRow(int row)
{
    select(row);
    return clickRow(row);
}

bool WordListEditor::clickRow(int row)
{
    if (input_.size() == 1) {
        refuseSingleLetter();
        return false;
    }
    SwitchRow(row);
    return true;
}

bool WordListEditor::insertKey()
{
    if (rows_.size() >= kMaxRows)
        return false;
    SwitchRow(0);
    select(0);
    edited_ = 0;
    setInput(rowText(0));
    return true;
}

void WordListEditor::deleteKey()
{
    int row = selected_;
    if (row < 0)
        return;
    if (row == 0)
        rows_[0].clear();
    else
        removeRow(row);
    if (row >= rows_.size())
        row = static_cast<int>(rows_.size()) - 1;
    select(row);
    edited_ = row;
    setInput(rowText(row));
}

void WordListEditor::clear()
{
    rows_.clear();
    selected_ = -1;
    edited_ = -1;
    saved_.clear();
    setInput(QString());
    EnsureRow();
}

void WordListEditor::reset()
{
    rows_.clear();
    selected_ = -1;
    edited_ = -1;
    saved_.clear();
    setInput(QString());
}

void WordListEditor::openWords(const QStringList& words)
{
    rows_ = words;
    selected_ = -1;
    UpdateStatus();
    edited_ = -1;
    saved_.clear();
    input_.clear();
    clearEnabled_ = !rows_.isEmpty();
}

void WordListEditor::dropRows()
{
    rows_.clear();
    selected_ = -1;
    edited_ = -1;
}

QChar WordListEditor::TypedLetter(QChar typed, int fieldLength)
{
    const bool letter = (typed >= u'A' && typed <= u'Z') || (typed >= u'a' && typed <= u'z');
    if (!letter || fieldLength >= kMaxWordLength)
        return QChar();
    return typed.toUpper();
}

QString WordListEditor::CleanedWord(const QString& text, int& cursor)
{
    QString cleaned;
    int kept = 0;
    for (int i = 0; i < text.size() && cleaned.size() < kMaxWordLength; ++i) {
        const QChar c = text.at(i);
        if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z')) {
            cleaned += c.toUpper();
            if (i < cursor)
                ++kept;
        }
    }
    cursor = kept;
    return cleaned;
}

} // namespace wordsearch
