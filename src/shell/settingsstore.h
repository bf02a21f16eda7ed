#pragma once

#include <QString>
#include <memory>

class Program;
class QSettings;

// The per-user store of settings and window positions: an INI file read through QSettings, laid
// out like the registry key it stands for. Every value is text: integers in signed decimal,
// booleans "1"/"0". Failures to open, read or write the store are never reported: reads fall
// back to their defaults and writes are lost.

// "Software/Oakhollow/Brainloft/" + subkey + "/" + value, the full name of a value.
QString ProductKey(const QString& subkey, const QString& value);

// The store kept in file, in the format every reader and writer of it uses; null when there is
// no file to keep it in (no home folder).
std::unique_ptr<QSettings> OpenSettingsStore(const QString& file);

// A store far larger than the program ever writes is no store of ours: it is renamed to
// file + ".bad" so that the defaults apply. True when that happened.
bool SetAsideOversizedStore(const QString& file);
constexpr qint64 kLargestSettingsStore = 1024 * 1024;

// Reads the Main values into program.settings and derives the effective highlight colour.
// Values are taken as stored, without range checks.
void LoadSettings(Program& program);
// Writes the eight Main values from program.settings.
void SaveSettings(const Program& program);

// A value that is missing, empty, not plain text or not a decimal integer within int range
// (blanks included) reads as def.
int ReadRegistryInteger(const QSettings& store, const QString& key, int def);
// The integer read with default 1 or 0; any non-zero value is true.
bool ReadRegistryBool(const QSettings& store, const QString& key, bool def);
// A missing value, or one that does not read back as plain text, gives def.
QString ReadRegistryString(const QSettings& store, const QString& key, const QString& def = QString());

void WriteRegistryInteger(QSettings& store, const QString& key, int value);
void WriteRegistryBool(QSettings& store, const QString& key, bool value);
void WriteRegistryString(QSettings& store, const QString& key, const QString& value);
