#include "platform/folderlock.h"

#include "platform/fileaccess.h"

#include <QFile>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

struct Held {
    int fd = -1;
    int depth = 0;
    QByteArray path;
};

// Locks of this process by folder (device, inode): flock would make a second descriptor of
// the same process wait for the first.
std::recursive_mutex g_mutex;
std::map<std::pair<quint64, quint64>, Held> g_held;
int g_waitMilliseconds = 10000;

QString reason(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

int openLockFile(const QByteArray& path)
{
    const int flags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    int fd = ::open(path.constData(), O_RDWR | O_CREAT | flags, 0600);
    // Another member's lock file in a folder that refuses us its writing: reading does for flock.
    if (fd < 0 && (errno == EACCES || errno == EPERM))
        fd = ::open(path.constData(), O_RDONLY | flags);
    return fd;
}

} // namespace

QString FolderLock::lockFileName()
{
    return QStringLiteral(".brainloft-lock");
}

FolderLock::Wait::Wait(int milliseconds) : previous_(g_waitMilliseconds)
{
    g_waitMilliseconds = milliseconds;
}

FolderLock::Wait::~Wait()
{
    g_waitMilliseconds = previous_;
}

FolderLock::FolderLock(const QString& folder)
{
    g_mutex.lock();
    const QByteArray folderName = QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder);
    struct stat dirStat {};
    if (::stat(folderName.constData(), &dirStat) != 0 || !S_ISDIR(dirStat.st_mode)) {
        error_ = S_ISDIR(dirStat.st_mode) || dirStat.st_mode == 0 ? reason(errno) : QStringLiteral("not a folder");
        g_mutex.unlock();
        return;
    }
    device_ = dirStat.st_dev;
    inode_ = dirStat.st_ino;
    auto held = g_held.find({device_, inode_});
    if (held != g_held.end()) {
        ++held->second.depth;
        locked_ = true;
        return;
    }

    const QByteArray path = folderName + '/' + QFile::encodeName(lockFileName());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(g_waitMilliseconds);
    for (;;) {
        const int fd = openLockFile(path);
        struct stat st {};
        if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            const int code = fd < 0 ? errno : EINVAL;
            if (fd >= 0)
                ::close(fd);
            // A link or anything else planted in its place is no lock of ours: it goes.
            if ((code == ELOOP || code == EINVAL || code == ENXIO) && ::unlink(path.constData()) == 0 &&
                std::chrono::steady_clock::now() < deadline)
                continue;
            error_ = code == EINVAL ? QStringLiteral("the lock file is not a regular file") : reason(code);
            break;
        }
        if (st.st_uid == ::geteuid())
            (void)::fchmod(fd, fileaccess::writtenFileMode());
        bool got = false;
        for (;;) {
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
                got = true;
                break;
            }
            if (errno != EWOULDBLOCK && errno != EINTR) {
                error_ = reason(errno);
                break;
            }
            if (std::chrono::steady_clock::now() >= deadline) {
                error_ = QStringLiteral("another save in the folder did not finish");
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (!got) {
            ::close(fd);
            break;
        }
        // The holder before us may have removed the file: then the lock is on nothing.
        struct stat named {};
        if (::lstat(path.constData(), &named) == 0 && named.st_dev == st.st_dev && named.st_ino == st.st_ino) {
            g_held[{device_, inode_}] = Held{fd, 1, path};
            locked_ = true;
            return;
        }
        ::close(fd);
        if (std::chrono::steady_clock::now() >= deadline) {
            error_ = QStringLiteral("another save in the folder did not finish");
            break;
        }
    }
    g_mutex.unlock();
}

FolderLock::~FolderLock()
{
    if (!locked_)
        return;
    auto held = g_held.find({device_, inode_});
    if (held != g_held.end() && --held->second.depth == 0) {
        struct stat own {};
        struct stat named {};
        if (::fstat(held->second.fd, &own) == 0 && ::lstat(held->second.path.constData(), &named) == 0 &&
            own.st_dev == named.st_dev && own.st_ino == named.st_ino)
            ::unlink(held->second.path.constData());
        ::close(held->second.fd);
        g_held.erase(held);
    }
    g_mutex.unlock();
}
