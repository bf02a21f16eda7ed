#pragma once

#include "cryptogram/cryptogram.h"

#include <QByteArray>
#include <QString>

// A cryptogram's text given as a UTF-8 file for the headless maker: line n is maker line n.
namespace cryptogram {

struct TextFileResult {
    MakerLines lines;   // Latin-1, capitals, as the maker's line edits would hold them
    QString error;      // empty when the text is good
    int line = 0;       // the offending line (1-based)
};

// LF or CR LF line ends; a UTF-8 byte-order mark is skipped. Refused: a character the line
// filter does not take, a line over 33 characters, a non-empty line after line 20, and a blank
// line 1 (the maker would not build it).
TextFileResult ParseCryptogramText(const QByteArray& utf8);

} // namespace cryptogram
