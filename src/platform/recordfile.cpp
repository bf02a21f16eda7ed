#include "platform/recordfile.h"

#include "platform/atomicfile.h"
#include "platform/fileaccess.h"
#include "platform/inputfile.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <limits>

namespace recordfile {

QByteArray NewRecord(const Format& format)
{
    QByteArray record(format.recordSize, '\0');
    auto* bytes = reinterpret_cast<std::uint8_t*>(record.data());
    bytes[kMagicOffset] = static_cast<std::uint8_t>(format.magic.size());
    std::copy(format.magic.begin(), format.magic.end(), bytes + kMagicOffset + 1);
    bytes[kVersionOffset] = kVersionByte5;
    bytes[kVersionOffset + 1] = kVersionByte6;
    qToLittleEndian<quint32>(static_cast<quint32>(format.recordSize), bytes + kSizeOffset);
    return record;
}

Record Parse(const QByteArray& fileBytes, const Format& format)
{
    std::array<std::uint8_t, kHeaderSize> header{};
    const qsizetype have = fileBytes.size();
    if (have >= kHeaderSize || format.shortHeader == ShortHeader::ReadsAsFarAsItGoes)
        std::memcpy(header.data(), fileBytes.constData(), static_cast<std::size_t>(std::min<qsizetype>(have, kHeaderSize)));
    if (header[kMagicOffset] != format.magic.size() ||
        !std::equal(format.magic.begin(), format.magic.end(), header.begin() + kMagicOffset + 1))
        return {kWrongMagic, {}};
    if (qFromLittleEndian<quint32>(header.data() + kSizeOffset) != static_cast<quint32>(format.recordSize))
        return {kBadContent, {}};
    if (have >= format.recordSize)
        return {kOk, fileBytes.left(format.recordSize)};
    if (format.shortRecord == ShortRecord::Damaged)
        return {kBadContent, {}};
    // Only the header counts from a record cut short; the rest reads as zeros.
    QByteArray record(format.recordSize, '\0');
    std::memcpy(record.data(), header.data(), header.size());
    return {kOk, record};
}

Record Read(const QString& path, const Format& format)
{
    inputfile::InputFile file;
    const auto links = fileaccess::linksFollowedInData() ? inputfile::Links::Follow : inputfile::Links::Refuse;
    // Only the record's length is ever read, however large the file.
    if (!file.open(path, std::numeric_limits<qint64>::max(), links))
        return {kReadFailed, {}};
    QByteArray bytes(format.recordSize, '\0');
    qint64 have = 0;
    while (have < format.recordSize) {
        const qint64 n = file.read(bytes.data() + have, format.recordSize - have);
        if (n < 0)
            return {kReadFailed, {}};
        if (n == 0)
            break;
        have += n;
    }
    bytes.truncate(have);
    return Parse(bytes, format);
}

int Write(const QString& path, const QByteArray& record, QString* error)
{
    return atomicfile::WriteFile(path, record, error, atomicfile::Match::IgnoringCase) ? kOk : kWriteFailed;
}

} // namespace recordfile
