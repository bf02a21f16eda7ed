#include "platform/instanceguard.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

InstanceGuard::InstanceGuard(const QString& marker, const QString& folder)
{
    QString dir = folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) : folder;
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QDir().mkpath(dir);
    path_ = QDir(dir).filePath(lockName(marker));
}

InstanceGuard::~InstanceGuard()
{
    if (fd_ >= 0)
        ::close(fd_);
}

QString InstanceGuard::lockName(const QString& marker)
{
    QString name = marker;
    name.replace(QLatin1Char('\\'), QLatin1Char('!'));
    name.replace(QLatin1Char('/'), QLatin1Char('!'));
    return name + QStringLiteral(".lock");
}

bool InstanceGuard::acquire()
{
    // Nothing is ever written to the lock file; it only carries the lock. A pipe planted in its
    // place (the fallback folder is shared) must not hold the start up.
    const int fd = ::open(QFile::encodeName(path_).constData(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (fd < 0)
        return true;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return true;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        fd_ = fd;
        return true;
    }
    const bool held = errno == EWOULDBLOCK;
    ::close(fd);
    return !held;
}
