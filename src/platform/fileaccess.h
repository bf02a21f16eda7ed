#pragma once

#include <QString>

// Stands in for the administrator test and the "null access list" of the desktop platform.
namespace fileaccess {

// An administrator here is a process running with effective user id 0.
bool runningAsAdministrator();

// Who "every user" is for the data of a run.
enum class Sharing {
    Everyone,   // a build or unpacked folder: user, group and others read and write
    UsersGroup, // the installed, shared folder: the group "users" reads and writes, others never write
    Private,    // the user's own folder: files stay as they were made
};

// Opens a regular file or folder (never a link) to the given audience: read and write, and search
// on folders; for UsersGroup also set-group-id on folders so that what is made inside keeps the
// group. False on failure.
bool openTo(const QString& path, Sharing sharing);

// openTo with the sharing of the running process (Everyone until set).
bool openToEveryone(const QString& path);
void setProcessSharing(Sharing sharing);
Sharing processSharing();

// The permission bits of every file the program writes, whatever the file it replaces had:
// 0664 in the shared folder, 0644 in the user's own, and what the user's file-creation mask
// leaves of 0666 in a build folder. Never set-id or sticky bits.
unsigned writtenFileMode(Sharing sharing);
unsigned writtenFileMode();

// Whether a data file read by name may be a symbolic link: not while the data is shared with a
// group, whose members could plant one.
bool linksFollowedInData();

} // namespace fileaccess
