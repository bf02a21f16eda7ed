#include "cryptogram/linefilter.h"

namespace cryptogram {

bool TakesCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return u <= 0xFF && u >= 0x20 && !(u >= 0x7F && u <= 0x9F);
}

QChar MakerCapital(QChar c)
{
    const char16_t u = c.unicode();
    if ((u >= u'a' && u <= u'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7))
        return QChar(char16_t(u - 0x20));
    return c;
}

QString FilterMakerLine(const QString& input)
{
    QString line;
    line.reserve(kMaxLineLength);
    for (QChar c : input) {
        if (line.size() == kMaxLineLength)
            break;
        if (TakesCharacter(c))
            line += MakerCapital(c);
    }
    return line;
}

int FirstUntakenCharacter(const QString& line)
{
    for (int i = 0; i < line.size(); ++i)
        if (!TakesCharacter(line.at(i)))
            return i;
    return -1;
}

} // namespace cryptogram
