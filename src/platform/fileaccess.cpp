#include "platform/fileaccess.h"

#include <QFile>
#include <QString>

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fileaccess {
namespace {

Sharing g_processSharing = Sharing::Everyone;

mode_t widened(mode_t mode, bool folder, Sharing sharing)
{
    if (sharing == Sharing::Everyone) {
        mode |= S_IRUSR | S_IWUSR | S_IRGRP | S_IWGRP | S_IROTH | S_IWOTH;
        if (folder)
            mode |= S_IXUSR | S_IXGRP | S_IXOTH;
        return mode;
    }
    mode = (mode | S_IRUSR | S_IWUSR | S_IRGRP | S_IWGRP) & ~mode_t(S_IWOTH);
    if (folder)
        mode |= S_IXUSR | S_IXGRP | S_ISGID;
    return mode;
}

// The process's file-creation mask, read without changing it (umask() would change it for every
// thread for a moment).
mode_t creationMask()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("Umask:")) {
                bool ok = false;
                const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
                if (ok)
                    return static_cast<mode_t>(mask & 0777);
            }
        }
    }
    return 022;
}

} // namespace

unsigned writtenFileMode(Sharing sharing)
{
    switch (sharing) {
    case Sharing::UsersGroup:
        return 0664;
    case Sharing::Private:
        return 0644;
    case Sharing::Everyone:
        break;
    }
    return 0666 & ~creationMask();
}

unsigned writtenFileMode()
{
    return writtenFileMode(g_processSharing);
}

bool linksFollowedInData()
{
    return g_processSharing != Sharing::UsersGroup;
}

bool runningAsAdministrator()
{
    return ::geteuid() == 0;
}

bool openTo(const QString& path, Sharing sharing)
{
    // Opened without following a link, so a name swapped for a link never opens its target.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && (S_ISREG(st.st_mode) || S_ISDIR(st.st_mode));
    if (ok && sharing == Sharing::UsersGroup) {
        // Best effort: a file made outside the shared folder's group joins it when its owner may.
        if (const struct group* users = ::getgrnam("users"); users && st.st_gid != users->gr_gid)
            (void)::fchown(fd, static_cast<uid_t>(-1), users->gr_gid);
    }
    if (ok && sharing != Sharing::Private)
        ok = ::fchmod(fd, widened(st.st_mode, S_ISDIR(st.st_mode), sharing) & 07777) == 0;
    ::close(fd);
    return ok;
}

bool openToEveryone(const QString& path)
{
    return openTo(path, g_processSharing);
}

void setProcessSharing(Sharing sharing)
{
    g_processSharing = sharing;
}

Sharing processSharing()
{
    return g_processSharing;
}

} // namespace fileaccess
