#pragma once

#include "wordsearch/puzzle.h"

#include <QByteArray>
#include <QString>

// The word-search puzzle file: `.wsp` for the user's puzzles, `.wsd` for packaged ones.
namespace wordsearch {

// A `.wsd` name resolves in the puzzle folder as it stands; any other name becomes
// puzzle folder + name with its extension replaced by ".wsp". programFolder ends with '/'.
QString WordSearchFilePath(const QString& programFolder, const QString& name);

// The 1748-byte record of a puzzle; ok is false when the index holds a byte that is no word number.
QByteArray EncodeWordSearchRecord(const WordSearchPuzzle& puzzle, bool& ok);

// Reads a record from the bytes of a file, as the file reader does: 0, -3 or -4.
// table, when given, receives the file's placement table.
int DecodeWordSearchRecord(const QByteArray& fileBytes, WordSearchPuzzle& puzzle, PlacementTable* table = nullptr);

// Writes the record to path atomically: 0, -1 or -4.
// error, when given, receives the reason a write failed.
int SaveWordSearchFileAt(const QString& path, const WordSearchPuzzle& puzzle, QString* error = nullptr);
// Reads the record at path: 0, -2, -3 or -4.
int LoadWordSearchFileAt(const QString& path, WordSearchPuzzle& puzzle, PlacementTable* table = nullptr);

// The same through the path rule.
int SaveWordSearchFile(const QString& programFolder, const QString& name, const WordSearchPuzzle& puzzle);
int LoadWordSearchFile(const QString& programFolder, const QString& name, WordSearchPuzzle& puzzle);

} // namespace wordsearch
