#include "cryptogram/textfile.h"

#include "cryptogram/linefilter.h"

#include <QList>

#include <algorithm>

namespace cryptogram {

TextFileResult ParseCryptogramText(const QByteArray& utf8)
{
    TextFileResult result;
    QByteArray bytes = utf8;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QList<QByteArray> rows = bytes.split('\n');
    if (rows.size() > 1 && rows.last().isEmpty())
        rows.removeLast(); // the end of the last line, not a line of its own
    const auto refuse = [&result](int line, const QString& error) {
        result.error = error;
        result.line = line;
        result.lines = MakerLines();
        return result;
    };
    for (int i = 0; i < rows.size(); ++i) {
        const int lineNumber = i + 1;
        QByteArray raw = rows[i];
        if (raw.endsWith('\r'))
            raw.chop(1);
        const QString line = QString::fromUtf8(raw);
        const int untaken = FirstUntakenCharacter(line);
        if (untaken >= 0) {
            const char16_t u = line.at(untaken).unicode();
            const QString code = QString::number(u, 16).toUpper().rightJustified(4, QLatin1Char('0'));
            return refuse(lineNumber,
                          QStringLiteral("character %1 (U+%2) cannot be typed into a line").arg(untaken + 1).arg(code));
        }
        if (line.size() > kMaxLineLength)
            return refuse(lineNumber, QStringLiteral("a line may have at most 33 characters"));
        if (i >= kRows) {
            if (!line.isEmpty())
                return refuse(lineNumber, QStringLiteral("a puzzle has at most 20 lines"));
            continue;
        }
        result.lines[i] = FilterMakerLine(line).toLatin1();
    }
    const QByteArray& first = result.lines[0];
    if (std::all_of(first.begin(), first.end(), [](char c) { return static_cast<unsigned char>(c) <= 32; }))
        return refuse(1, QStringLiteral("the first line is blank; the puzzle starts with it"));
    return result;
}

} // namespace cryptogram
