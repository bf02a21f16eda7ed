#pragma once

#include <QString>

// What a line of the cryptogram's text may hold, for the maker's line edits and the headless
// maker alike: one Latin-1 byte a character, small letters made capitals, at most 33 characters.
namespace cryptogram {

constexpr int kMaxLineLength = 33;

// Latin-1 and no control character (0 to 31, 127 to 159).
bool TakesCharacter(QChar c);

// a to z and à to þ (but ÷) as capitals; ß, ÿ and µ have no Latin-1 capital and stay.
QChar MakerCapital(QChar c);

// The input with untaken characters dropped, capitals made and anything past 33 cut off.
QString FilterMakerLine(const QString& input);

// The position of the first untaken character of line, -1 when every one is taken.
int FirstUntakenCharacter(const QString& line);

} // namespace cryptogram
