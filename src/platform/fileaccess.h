#pragma once

#include <QString>

// Stands in for the administrator test and the "null access list" of the desktop platform.
namespace fileaccess {

// An administrator here is a process running with effective user id 0.
bool runningAsAdministrator();

// Adds read and write for user, group and others (and search on folders). False on failure.
bool openToEveryone(const QString& path);

} // namespace fileaccess
