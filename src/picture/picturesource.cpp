#include "picture/picturesource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace picture {

PictureSource::PictureSource(const QByteArray& bytes)
    : bytes_(bytes), memory_(bytes_.constData()), size_(bytes_.size())
{
}

PictureSource::PictureSource(int descriptor, qint64 size)
    : descriptor_(descriptor), size_(std::max<qint64>(0, size))
{
}

qint64 PictureSource::readAt(qint64 offset, void* data, qint64 length) const
{
    if (offset < 0 || length < 0)
        return -1;
    if (offset >= size_ || length == 0)
        return 0;
    length = std::min(length, size_ - offset);
    if (memory_) {
        std::memcpy(data, memory_ + offset, static_cast<std::size_t>(length));
        return length;
    }
    qint64 done = 0;
    while (done < length) {
        const ssize_t n = ::pread(descriptor_, static_cast<char*>(data) + done, static_cast<std::size_t>(length - done),
                                  static_cast<off_t>(base_ + offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return done > 0 ? done : -1;
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

bool PictureSource::readExactly(qint64 offset, void* data, qint64 length) const
{
    return readAt(offset, data, length) == length;
}

PictureSource PictureSource::part(qint64 offset, qint64 length) const
{
    PictureSource part;
    offset = std::clamp<qint64>(offset, 0, size_);
    length = std::clamp<qint64>(length, 0, size_ - offset);
    if (memory_) {
        part.bytes_ = bytes_;
        part.memory_ = memory_ + offset;
    } else {
        part.descriptor_ = descriptor_;
        part.base_ = base_ + offset;
    }
    part.size_ = length;
    return part;
}

SourceReader::SourceReader(const PictureSource& source, qint64 start, qint64 bufferSize)
    : source_(source), position_(start), bufferStart_(start)
{
    if (!source.memory())
        buffer_.resize(bufferSize);
}

bool SourceReader::fill()
{
    if (source_.memory()) {
        bufferStart_ = position_;
        bufferLength_ = std::max<qint64>(0, source_.size() - position_);
        return bufferLength_ > 0;
    }
    bufferStart_ = position_;
    const qint64 n = source_.readAt(position_, buffer_.data(), buffer_.size());
    if (n < 0) {
        failed_ = true;
        bufferLength_ = 0;
        return false;
    }
    bufferLength_ = n;
    return n > 0;
}

const unsigned char* SourceReader::peek(qint64& available)
{
    if (position_ < bufferStart_ || position_ >= bufferStart_ + bufferLength_) {
        if (!fill()) {
            available = 0;
            return nullptr;
        }
    }
    available = bufferStart_ + bufferLength_ - position_;
    const char* base = source_.memory() ? source_.memory() + bufferStart_ : buffer_.constData();
    return reinterpret_cast<const unsigned char*>(base + (position_ - bufferStart_));
}

qint64 SourceReader::read(void* data, qint64 length)
{
    qint64 done = 0;
    while (done < length) {
        qint64 available = 0;
        const unsigned char* bytes = peek(available);
        if (!bytes)
            break;
        const qint64 n = std::min(available, length - done);
        std::memcpy(static_cast<char*>(data) + done, bytes, static_cast<std::size_t>(n));
        done += n;
        position_ += n;
    }
    return done;
}

void SourceReader::skip(qint64 length)
{
    position_ += std::max<qint64>(0, length);
}

} // namespace picture
