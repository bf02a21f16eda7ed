#include "cryptogram/cryptogramfile.h"

#include "cryptogram/cryptogramformat.h"
#include "platform/atomicfile.h"
#include "platform/filenames.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace cryptogram {

using namespace format;

QString CryptogramFilePath(const QString& programFolder, const QString& name)
{
    const QString folder = programFolder + QStringLiteral("Brainloft puzzles");
    if (filenames::lowerExtension(name) == QLatin1String(".sbd"))
        return filenames::resolveInFolder(folder, name);
    return filenames::resolveInFolder(folder, filenames::replaceExtension(name, QStringLiteral(".sbp")));
}

QByteArray EncodeCryptogramRecord(const Cryptogram& puzzle)
{
    QByteArray buffer(kRecordSize, '\0');
    auto* bytes = reinterpret_cast<std::uint8_t*>(buffer.data());
    std::copy(kMagic.begin(), kMagic.end(), bytes + kMagicOffset);
    bytes[kVersionOffset] = kVersionByte5;
    bytes[kVersionOffset + 1] = kVersionByte6;
    qToLittleEndian<quint32>(kRecordSize, bytes + kSizeOffset);
    std::memcpy(bytes + kTextOffset, puzzle.text.data(), puzzle.text.size());
    std::memcpy(bytes + kKeyOffset, puzzle.key.data(), puzzle.key.size());
    std::memcpy(bytes + kHintsOffset, puzzle.hints.data(), puzzle.hints.size());
    return buffer;
}

int DecodeCryptogramRecord(const QByteArray& fileBytes, Cryptogram& puzzle)
{
    // A file shorter than the header has no magic.
    if (fileBytes.size() < kHeaderSize)
        return kWrongMagic;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(fileBytes.constData());
    if (!std::equal(kMagic.begin(), kMagic.end(), bytes + kMagicOffset))
        return kWrongMagic;
    if (qFromLittleEndian<quint32>(bytes + kSizeOffset) != quint32(kRecordSize))
        return kBadContent;
    // A good header on a file cut short is a damaged puzzle, not an empty one.
    if (fileBytes.size() < kRecordSize)
        return kBadContent;
    std::memcpy(puzzle.text.data(), bytes + kTextOffset, puzzle.text.size());
    std::memcpy(puzzle.key.data(), bytes + kKeyOffset, puzzle.key.size());
    std::memcpy(puzzle.hints.data(), bytes + kHintsOffset, puzzle.hints.size());
    return kOk;
}

int SaveCryptogramFileAt(const QString& path, const Cryptogram& puzzle, QString* error)
{
    return atomicfile::WriteFile(path, EncodeCryptogramRecord(puzzle), error) ? kOk : kWriteFailed;
}

int LoadCryptogramFileAt(const QString& path, Cryptogram& puzzle)
{
    // A folder or a pipe in place of a puzzle is no puzzle, and a pipe would block the read.
    if (!QFileInfo(path).isFile())
        return kReadFailed;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return kReadFailed;
    // Only the record's length is ever read, however large the file.
    const QByteArray bytes = file.read(kRecordSize);
    if (bytes.size() < kRecordSize && !file.atEnd())
        return kReadFailed;
    return DecodeCryptogramRecord(bytes, puzzle);
}

int SaveCryptogramFile(const QString& programFolder, const QString& name, const Cryptogram& puzzle)
{
    return SaveCryptogramFileAt(CryptogramFilePath(programFolder, name), puzzle);
}

int LoadCryptogramFile(const QString& programFolder, const QString& name, Cryptogram& puzzle)
{
    return LoadCryptogramFileAt(CryptogramFilePath(programFolder, name), puzzle);
}

} // namespace cryptogram
