#pragma once

#include <QByteArray>
#include <QString>

// Reading a file that someone else may control: it is opened once, without blocking (a FIFO in
// its place cannot hang us), checked on the descriptor to be a regular file of a sane size, and
// read from that same descriptor, so a name swapped between the check and the read changes
// nothing.
namespace inputfile {

enum class Links {
    Follow, // a link to a regular file is read like the file
    Refuse, // a link in the last component is refused
};

// An open, checked input; closes itself.
class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    InputFile(InputFile&& other) noexcept;
    InputFile& operator=(InputFile&& other) noexcept;

    // Opens path for reading and checks it is a regular file of at most maxBytes. False with a
    // reason ("No such file or directory", "not a regular file", "larger than N bytes", ...).
    bool open(const QString& path, qint64 maxBytes, Links links = Links::Follow);

    bool isOpen() const { return fd_ >= 0; }
    int descriptor() const { return fd_; }
    qint64 size() const { return size_; }     // as fstat saw it at open
    quint64 device() const { return device_; }
    quint64 inode() const { return inode_; }
    const QString& error() const { return error_; }

    // Reads up to length bytes at the current offset; -1 on an error (error() says why).
    qint64 read(char* data, qint64 length);
    // Reads the rest of the file; one that has grown past the bound meanwhile is refused.
    bool readAll(QByteArray& bytes);
    void close();

private:
    int fd_ = -1;
    qint64 size_ = 0;
    qint64 maxBytes_ = 0;
    quint64 device_ = 0;
    quint64 inode_ = 0;
    QString error_;
};

// Opens, checks and reads path whole in one go; bytes is empty after a failure, and error, when
// given, receives the reason.
bool ReadFile(const QString& path, qint64 maxBytes, QByteArray& bytes, QString* error = nullptr,
              Links links = Links::Follow);

} // namespace inputfile
