#pragma once

#include <QChar>
#include <QColor>
#include <QString>
#include <QStringList>

// The generator's word list as the user edits it: the rows, the selected row, the edit field
// that edits it letter by letter, and the status line that counts the letters left. The
// generator window shows it and forwards typing, clicks and keys.
namespace wordsearch {

class WordListEditor {
public:
    static constexpr int kMaxRows = 64;
    static constexpr int kMaxLetters = 280;
    static constexpr int kMaxWordLength = 10;

    enum class Tone { available, low, over, singleLetter };

    const QStringList& rows() const { return rows_; }
    int selected() const { return selected_; } // -1 when no row is selected
    int editedRow() const { return edited_; }
    const QString& input() const { return input_; }
    const QString& statusText() const { return status_; }
    Tone tone() const { return tone_; }
    QColor statusColour() const;
    bool overLimit() const { return tone_ == Tone::over; }
    bool clearEnabled() const { return clearEnabled_; }

    // The edit field now holds text (typed, deleted or pasted): the selected row follows it.
    void inputChanged(const QString& text);
    // Escape: the edited row goes back to what it held when its editing began.
    void escape();
    // Enter: commits the field to its row and starts a new word in the empty top row. False
    // when the field holds a single letter, which cannot be committed.
    bool enter();
    // The list's selection moved to row (a press on it, or the arrow keys), then as clickRow.
    bool selectRow(int row);
    // A click on a row: the edited row is committed when it changed and the selected row is
    // edited next. False, and the edited row selected again, while the field holds one letter.
    bool clickRow(int row);
    // The Insert key in the list: back to the top row. False when the list is full.
    bool insertKey();
    // The Delete key in the list: the selected row goes, except the top row, which is emptied.
    void deleteKey();
    // Clear, once the user has agreed: no words left.
    void clear();
    // A new puzzle: no words, the empty top row selected.
    void reset();
    // A loaded puzzle's words, in slot order, with no empty row and nothing selected.
    void openWords(const QStringList& words);
    // A finished build empties the list.
    void dropRows();
    // The status line with its refusal of single letters, as Build shows it.
    void refuseSingleLetter();

    // The letter a typed character gives the field, or a null character when it is dropped.
    static QChar TypedLetter(QChar typed, int fieldLength);
    // What else reaches the field (a paste, a drop) cut down to what typing could give;
    // cursor moves with the characters kept before it.
    static QString CleanedWord(const QString& text, int& cursor);

private:
    void UpdateStatus();
    int EnsureRow();
    void CommitRow(int index, const QString& text);
    void SwitchRow(int newIndex);
    void setInput(const QString& text);
    void setStatus(const QString& text, Tone tone);
    QString rowText(int row) const;
    void select(int row);
    void insertRow(int at, const QString& text);
    void removeRow(int at);
    void sortRows();

    QStringList rows_;
    int selected_ = -1;
    int edited_ = -1;
    QString saved_;  // the edited row's text when its editing began
    QString input_;
    QString status_ = QStringLiteral("??? characters available");
    Tone tone_ = Tone::available;
    bool clearEnabled_ = false;
};

} // namespace wordsearch
