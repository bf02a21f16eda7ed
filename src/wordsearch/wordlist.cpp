#include "wordsearch/wordlist.h"

namespace wordsearch {

WordListResult ParseWordList(const QByteArray& text)
{
    WordListResult result;
    int letters = 0;
    const QList<QByteArray> lines = text.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const int lineNumber = i + 1;
        const QByteArray word = lines[i].trimmed().toUpper();
        if (word.isEmpty())
            continue;
        for (char c : word) {
            if (c < 'A' || c > 'Z') {
                result.error = QStringLiteral("a word may hold only the letters A to Z");
                result.line = lineNumber;
                return result;
            }
        }
        if (word.size() == 1) {
            result.error = QStringLiteral("single letters are not allowed");
            result.line = lineNumber;
            return result;
        }
        if (word.size() > 10) {
            result.error = QStringLiteral("a word may have at most 10 letters");
            result.line = lineNumber;
            return result;
        }
        if (result.words.size() == kMaxWords) {
            result.error = QStringLiteral("a list may hold at most 64 words");
            result.line = lineNumber;
            return result;
        }
        letters += static_cast<int>(word.size());
        if (letters > kMaxLetters) {
            result.error = QStringLiteral("a list may hold at most 280 letters");
            result.line = lineNumber;
            return result;
        }
        result.words << QString::fromLatin1(word);
    }
    if (result.words.isEmpty())
        result.error = QStringLiteral("the list holds no words");
    return result;
}

} // namespace wordsearch
