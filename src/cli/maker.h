#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

// brainloft-make: the headless puzzle maker. args excludes the program name.
// programFolder ends with '/'; the default puzzle folder lies inside it.
int RunMaker(const QStringList& args, const QString& programFolder, QTextStream& out, QTextStream& err);

// Exit statuses.
namespace makerstatus {
constexpr int kOk = 0;
constexpr int kFailed = 1;      // a file could not be read or written, or a check found a bad file
constexpr int kRefused = 2;     // bad arguments or a bad word list; nothing written
constexpr int kUnplaced = 3;    // the puzzle was written, but some words found no place
} // namespace makerstatus
