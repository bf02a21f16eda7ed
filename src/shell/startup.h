#pragma once

#include <QString>
#include <QStringList>

class Program;

// What the launcher does once at start: the data folders, the product inventory and the
// permission pass.
namespace startup {

// A folder is usable when a scratch file of a name of its own can be made in it, closed and
// removed again.
bool FolderUsable(const QString& folder);
// Creates the folder (one level) unless it is usable already, and finishes any save in it that a
// crash cut short (atomicfile::FinishInterruptedSaves).
void PrepareFolder(const QString& folder);

// Records the product in the shared inventory "Oakhollow.ini".
void RecordProductInventory(const Program& program);
QString InventoryPath(const Program& program);

// The marker file in the program folder, named after the program ("brainloft" -> "brainloft.ok").
QString PermissionMarkerPath(const Program& program);
// True when the marker records a finished pass for the current program folder.
bool PermissionPassDone(const Program& program);
// The entries the pass opens to every user, relative to the program folder, in order.
QStringList PermissionPassEntries(const Program& program);
// Opens the entries (from PermissionPassEntries) to every user and writes the marker; returns
// the entries that could not be changed. The program's own file is never among them: anyone
// could then replace a program that an administrator runs.
QStringList RunPermissionPass(const Program& program, const QStringList& entries);

} // namespace startup
