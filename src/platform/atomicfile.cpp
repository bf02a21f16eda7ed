#include "platform/atomicfile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace atomicfile {
namespace {

struct FailureInjection {
    bool active = false;
    qint64 bytesLeft = 0;
    bool failSync = false;
};
thread_local FailureInjection injection;

QString reason(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

void fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

// Writes everything or reports why not.
bool writeAll(int fd, const QByteArray& bytes, int& code)
{
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        qint64 chunk = left;
        if (injection.active) {
            if (injection.bytesLeft <= 0) {
                code = ENOSPC;
                return false;
            }
            chunk = std::min(chunk, injection.bytesLeft);
        }
        const ssize_t n = ::write(fd, data, static_cast<size_t>(chunk));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            code = errno;
            return false;
        }
        if (n == 0) {
            code = EIO;
            return false;
        }
        if (injection.active)
            injection.bytesLeft -= n;
        data += n;
        left -= n;
    }
    return true;
}

// A target may be replaced when it is a regular file or absent; a link, folder, device or pipe
// in its place is refused, so a name planted in a shared folder never redirects a save.
bool targetReplaceable(const QByteArray& target, int& mode, QString* error)
{
    struct stat st {};
    if (::lstat(target.constData(), &st) != 0) {
        if (errno == ENOENT) {
            mode = -1;
            return true;
        }
        fail(error, reason(errno));
        return false;
    }
    if (S_ISLNK(st.st_mode)) {
        fail(error, QStringLiteral("is a symbolic link"));
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        fail(error, S_ISDIR(st.st_mode) ? QStringLiteral("is a folder") : QStringLiteral("is not a regular file"));
        return false;
    }
    mode = static_cast<int>(st.st_mode & 07777);
    return true;
}

struct Temporary {
    QByteArray path;   // the temporary's name, empty once renamed or removed
    QByteArray target;
    bool existed = false;
    QByteArray backup; // a hard link to the old target while a set is being replaced
};

void removeTemporary(Temporary& t)
{
    if (!t.path.isEmpty())
        ::unlink(t.path.constData());
    t.path.clear();
}

// Writes bytes into a new temporary beside target and syncs it.
bool writeTemporary(const QString& target, const QByteArray& bytes, Temporary& t, QString* error)
{
    t.target = QFile::encodeName(target);
    int mode = -1;
    if (!targetReplaceable(t.target, mode, error))
        return false;
    t.existed = mode >= 0;
    QByteArray pattern = QFile::encodeName(QFileInfo(target).absolutePath()) + "/.brainloft-XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        fail(error, reason(errno));
        return false;
    }
    t.path = pattern;
    int code = 0;
    bool ok = writeAll(fd, bytes, code);
    if (ok) {
        if (injection.active && injection.failSync) {
            code = EIO;
            ok = false;
        } else if (::fsync(fd) != 0) {
            code = errno;
            ok = false;
        }
    }
    if (ok) {
        // A replaced file keeps its permissions; a new one gets the usual ones.
        mode_t wanted = 0;
        if (t.existed) {
            wanted = static_cast<mode_t>(mode);
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            wanted = 0666 & ~mask;
        }
        if (::fchmod(fd, wanted) != 0) {
            code = errno;
            ok = false;
        }
    }
    if (::close(fd) != 0 && ok) {
        code = errno;
        ok = false;
    }
    if (!ok) {
        fail(error, reason(code));
        removeTemporary(t);
    }
    return ok;
}

void syncFolderOf(const QByteArray& target)
{
    QByteArray folder = target;
    const int slash = folder.lastIndexOf('/');
    folder = slash > 0 ? folder.left(slash) : QByteArray(slash == 0 ? "/" : ".");
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

FailAfter::FailAfter(qint64 bytes, bool failSync)
{
    injection = {true, bytes, failSync};
}

FailAfter::~FailAfter()
{
    injection = {};
}

bool WriteFile(const QString& path, const QByteArray& bytes, QString* error)
{
    return WriteFiles({{path, bytes}}, error);
}

bool WriteFiles(const QList<std::pair<QString, QByteArray>>& files, QString* error)
{
    QList<Temporary> temps(files.size());
    auto abandon = [&] {
        for (Temporary& t : temps)
            removeTemporary(t);
    };
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (!writeTemporary(files[i].first, files[i].second, temps[i], error)) {
            abandon();
            return false;
        }
    }
    if (temps.size() == 1) {
        Temporary& t = temps.front();
        if (::rename(t.path.constData(), t.target.constData()) != 0) {
            fail(error, reason(errno));
            abandon();
            return false;
        }
        t.path.clear();
        syncFolderOf(t.target);
        return true;
    }

    // Keep each old file reachable under a second name until the whole set is in place.
    auto dropBackups = [&] {
        for (Temporary& t : temps)
            if (!t.backup.isEmpty())
                ::unlink(t.backup.constData());
    };
    for (Temporary& t : temps) {
        if (!t.existed)
            continue;
        QByteArray backup = t.target + ".brainloft-old-XXXXXX";
        const int fd = ::mkstemp(backup.data());
        if (fd >= 0) {
            ::close(fd);
            ::unlink(backup.constData());
        }
        if (fd < 0 || ::link(t.target.constData(), backup.constData()) != 0) {
            fail(error, reason(errno));
            dropBackups();
            abandon();
            return false;
        }
        t.backup = backup;
    }
    for (qsizetype i = 0; i < temps.size(); ++i) {
        Temporary& t = temps[i];
        if (::rename(t.path.constData(), t.target.constData()) != 0) {
            fail(error, reason(errno));
            // Put back what was already replaced.
            for (qsizetype j = 0; j < i; ++j) {
                Temporary& done = temps[j];
                if (done.existed)
                    ::rename(done.backup.constData(), done.target.constData());
                else
                    ::unlink(done.target.constData());
                done.backup.clear();
            }
            dropBackups();
            abandon();
            return false;
        }
        t.path.clear();
    }
    dropBackups();
    syncFolderOf(temps.front().target);
    return true;
}

} // namespace atomicfile
