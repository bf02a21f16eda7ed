#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

// The fixed-record puzzle files (word search, cryptogram, maze): one record of a fixed size
// whose first 256 bytes are a shared header: byte 0 = 4 (the magic's length), the type's 4-byte
// magic in bytes 1 to 4, byte 5 = 0, byte 6 = 9, the record size as unsigned 32-bit
// little-endian in bytes 16 to 19. A reader knows a file by its magic, then by the record size.
namespace recordfile {

// Reader and writer results.
constexpr int kOk = 0;
constexpr int kWriteFailed = -1; // the file could not be made or written
constexpr int kReadFailed = -2;  // it cannot be opened or read, or is no regular file
constexpr int kWrongMagic = -3;  // not a file of this type
constexpr int kBadContent = -4;  // wrong record size or invalid content

constexpr int kHeaderSize = 256;
constexpr int kMagicOffset = 0;
constexpr int kVersionOffset = 5; // bytes 5 and 6 hold 0 and 9; written, never examined
constexpr std::uint8_t kVersionByte5 = 0;
constexpr std::uint8_t kVersionByte6 = 9;
constexpr int kSizeOffset = 16;

// A file shorter than the header: read as holding none of it (so its magic is wrong), or as
// far as it goes.
enum class ShortHeader { ReadsAsEmpty, ReadsAsFarAsItGoes };
// A file with a good header that ends before its record does: the missing bytes read as zero,
// or the file is damaged (-4).
enum class ShortRecord { ZeroFilled, Damaged };

struct Format {
    std::array<std::uint8_t, 4> magic;
    int recordSize;
    ShortHeader shortHeader;
    ShortRecord shortRecord;
};

struct Record {
    int code = kReadFailed;
    QByteArray bytes; // exactly recordSize bytes when code is kOk
};

// A zeroed record with its header.
QByteArray NewRecord(const Format& format);

// Checks a file's bytes (only the first recordSize are looked at): kOk with the record, or
// kWrongMagic or kBadContent.
Record Parse(const QByteArray& fileBytes, const Format& format);

// Opens path once, without blocking (a pipe in its place is refused, never waited on), checks
// on the descriptor that it is a regular file, reads at most the record from that descriptor and
// parses it. Links are refused where the data is shared (fileaccess::linksFollowedInData).
Record Read(const QString& path, const Format& format);

// Writes a record into the puzzle folder as every puzzle is saved: atomically, and under the
// folder's lock, replacing an existing file whose name differs only in case. kOk or
// kWriteFailed; error, when given, receives the reason.
int Write(const QString& path, const QByteArray& record, QString* error = nullptr);

} // namespace recordfile
