#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A word list given as text, one word a line, for the headless maker.
namespace wordsearch {

constexpr int kMaxWords = 64;
constexpr int kMaxLetters = 280;

struct WordListResult {
    QStringList words;  // upper-cased, in file order
    QString error;      // empty when the list is good
    int line = 0;       // the offending line (1-based), 0 when the fault has no line
};

// Blank lines are skipped, surrounding blanks trimmed, letters upper-cased. A word with any
// other character, of one letter or more than ten, more than 64 words or more than 280 letters
// make the list bad.
WordListResult ParseWordList(const QByteArray& text);

} // namespace wordsearch
