#pragma once

#include <QString>

// Name helpers shared by every puzzle type's path rule.
namespace filenames {

// The extension of the last path component, from its last dot, lower-cased ("" when none).
QString lowerExtension(const QString& name);

// Drops everything from the last dot of the last path component (if any) and appends ext.
QString replaceExtension(const QString& name, const QString& ext);

// True when name holds a character that a puzzle name may not hold (\ / : * ? " < > | .).
bool isRefusedNameCharacter(QChar c);

// The path of fileName inside folder, matched without regard to case as the puzzle folder's
// names are: an exact match first, then any file whose name differs only in case, else
// folder/fileName as given.
QString resolveInFolder(const QString& folder, const QString& fileName);

} // namespace filenames
