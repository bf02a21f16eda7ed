#include "platform/inputfile.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace inputfile {
namespace {

QString systemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

} // namespace

InputFile::~InputFile()
{
    close();
}

InputFile::InputFile(InputFile&& other) noexcept
{
    *this = std::move(other);
}

InputFile& InputFile::operator=(InputFile&& other) noexcept
{
    if (this != &other) {
        close();
        fd_ = other.fd_;
        size_ = other.size_;
        maxBytes_ = other.maxBytes_;
        device_ = other.device_;
        inode_ = other.inode_;
        error_ = std::move(other.error_);
        other.fd_ = -1;
    }
    return *this;
}

bool InputFile::open(const QString& path, qint64 maxBytes, Links links)
{
    close();
    error_.clear();
    if (path.isEmpty()) {
        error_ = QStringLiteral("no file name");
        return false;
    }
    int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    if (links == Links::Refuse)
        flags |= O_NOFOLLOW;
    const QByteArray name = QFile::encodeName(path);
    int fd;
    do
        fd = ::open(name.constData(), flags);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        error_ = errno == ELOOP && links == Links::Refuse ? QStringLiteral("a link, not a file") : systemError(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        error_ = systemError(errno);
        ::close(fd);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        error_ = S_ISDIR(st.st_mode) ? QStringLiteral("a folder, not a file") : QStringLiteral("not a regular file");
        ::close(fd);
        return false;
    }
    if (st.st_size > maxBytes) {
        error_ = QStringLiteral("larger than %1 bytes").arg(maxBytes);
        ::close(fd);
        return false;
    }
    // Reads from here on may block as on any regular file; only the open had to not.
    const int fileFlags = ::fcntl(fd, F_GETFL);
    if (fileFlags >= 0)
        ::fcntl(fd, F_SETFL, fileFlags & ~O_NONBLOCK);
    fd_ = fd;
    size_ = st.st_size;
    maxBytes_ = maxBytes;
    device_ = st.st_dev;
    inode_ = st.st_ino;
    return true;
}

qint64 InputFile::read(char* data, qint64 length)
{
    if (fd_ < 0) {
        error_ = QStringLiteral("not open");
        return -1;
    }
    ssize_t n;
    do
        n = ::read(fd_, data, static_cast<size_t>(length));
    while (n < 0 && errno == EINTR);
    if (n < 0)
        error_ = systemError(errno);
    return n;
}

bool InputFile::readAll(QByteArray& bytes)
{
    bytes.clear();
    if (fd_ < 0) {
        error_ = QStringLiteral("not open");
        return false;
    }
    // Read to the end, but never past the bound: a file that grows meanwhile is refused.
    qint64 have = 0;
    bytes.resize(std::min(size_, maxBytes_) + 1);
    for (;;) {
        if (have == bytes.size()) {
            if (have > maxBytes_)
                break;
            bytes.resize(std::min<qint64>(maxBytes_ + 1, have * 2 + 4096));
        }
        const qint64 n = read(bytes.data() + have, bytes.size() - have);
        if (n < 0) {
            bytes.clear();
            return false;
        }
        if (n == 0)
            break;
        have += n;
    }
    if (have > maxBytes_) {
        bytes.clear();
        error_ = QStringLiteral("larger than %1 bytes").arg(maxBytes_);
        return false;
    }
    bytes.truncate(have);
    return true;
}

void InputFile::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool ReadFile(const QString& path, qint64 maxBytes, QByteArray& bytes, QString* error, Links links)
{
    bytes.clear();
    InputFile file;
    const bool ok = file.open(path, maxBytes, links) && file.readAll(bytes);
    if (!ok && error)
        *error = file.error();
    return ok;
}

} // namespace inputfile
