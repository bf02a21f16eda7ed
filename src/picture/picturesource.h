#pragma once

#include <QByteArray>
#include <QtGlobal>

// Where a decoder reads a picture's bytes: a block of memory, or a file already opened and
// checked (inputfile::InputFile) and read through its descriptor a piece at a time, so that
// the whole file is never held beside the decoded picture. Reads go by offset; a file that
// shrinks meanwhile simply reads short, as a cut file does.
namespace picture {

class PictureSource {
public:
    explicit PictureSource(const QByteArray& bytes);
    PictureSource(int descriptor, qint64 size);

    qint64 size() const { return size_; }

    // Up to length bytes at offset; the count read (short at the end), -1 on a read error.
    qint64 readAt(qint64 offset, void* data, qint64 length) const;
    // All length bytes at offset, or false.
    bool readExactly(qint64 offset, void* data, qint64 length) const;

    // The bytes themselves when they are in memory, else null.
    const char* memory() const { return memory_; }

    // The bytes [offset, offset + length) as a source of their own (an icon's embedded PNG).
    PictureSource part(qint64 offset, qint64 length) const;

private:
    PictureSource() = default;
    QByteArray bytes_; // keeps memory_ alive
    const char* memory_ = nullptr;
    int descriptor_ = -1;
    qint64 base_ = 0;
    qint64 size_ = 0;
};

// Reads a source in order through a buffer of its own.
class SourceReader {
public:
    explicit SourceReader(const PictureSource& source, qint64 start = 0, qint64 bufferSize = 64 * 1024);

    // Up to length bytes; fewer only at the end or on an error (failed() then says so).
    qint64 read(void* data, qint64 length);
    bool readExactly(void* data, qint64 length) { return read(data, length) == length; }
    // Bytes that can be read without another read of the file; refills when empty.
    const unsigned char* peek(qint64& available);
    void skip(qint64 length);
    qint64 position() const { return position_; }
    bool failed() const { return failed_; }

private:
    bool fill();

    const PictureSource& source_;
    QByteArray buffer_;
    qint64 position_;      // of the next byte handed out
    qint64 bufferStart_;   // file offset of buffer_[0]
    qint64 bufferLength_ = 0;
    bool failed_ = false;
};

} // namespace picture
