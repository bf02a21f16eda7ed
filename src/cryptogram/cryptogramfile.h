#pragma once

#include "cryptogram/cryptogram.h"

#include <QByteArray>
#include <QString>

// The cryptogram puzzle file: `.sbp` for the user's puzzles, `.sbd` for packaged ones.
namespace cryptogram {

// A `.sbd` name resolves in the puzzle folder as it stands; any other name becomes
// puzzle folder + name with its extension replaced by ".sbp". programFolder ends with '/'.
QString CryptogramFilePath(const QString& programFolder, const QString& name);

// The 976-byte record of a puzzle.
QByteArray EncodeCryptogramRecord(const Cryptogram& puzzle);

// Reads a record from the bytes of a file: 0, -3 (not a cryptogram) or -4 (wrong record size,
// or a file cut short). puzzle is changed only on success.
int DecodeCryptogramRecord(const QByteArray& fileBytes, Cryptogram& puzzle);

// Replaces the file at path with the record, all or nothing: 0, or -1 with the reason in error.
int SaveCryptogramFileAt(const QString& path, const Cryptogram& puzzle, QString* error = nullptr);
// Reads the record at path: 0, -2 (missing, not a plain file, unreadable), -3 or -4.
int LoadCryptogramFileAt(const QString& path, Cryptogram& puzzle);

// The same through the path rule.
int SaveCryptogramFile(const QString& programFolder, const QString& name, const Cryptogram& puzzle);
int LoadCryptogramFile(const QString& programFolder, const QString& name, Cryptogram& puzzle);

} // namespace cryptogram
