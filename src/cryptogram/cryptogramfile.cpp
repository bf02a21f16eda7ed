#include "cryptogram/cryptogramfile.h"

#include "shell/program.h"

#include "cryptogram/cryptogramformat.h"
#include "platform/filenames.h"
#include "platform/recordfile.h"

#include <algorithm>
#include <cstring>

namespace cryptogram {

using namespace format;

namespace {

// puzzle changes only on success.
int decodeRecord(const recordfile::Record& record, Cryptogram& puzzle)
{
    if (record.code != recordfile::kOk)
        return record.code;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(record.bytes.constData());
    std::memcpy(puzzle.text.data(), bytes + kTextOffset, puzzle.text.size());
    std::memcpy(puzzle.key.data(), bytes + kKeyOffset, puzzle.key.size());
    std::memcpy(puzzle.hints.data(), bytes + kHintsOffset, puzzle.hints.size());
    return recordfile::kOk;
}

} // namespace

QString CryptogramFilePath(const QString& programFolder, const QString& name)
{
    const QString folder = ProgramPaths::puzzleFolderIn(programFolder);
    if (filenames::lowerExtension(name) == QLatin1String(".sbd"))
        return filenames::resolveInFolder(folder, name);
    return filenames::resolveInFolder(folder, filenames::replaceExtension(name, QStringLiteral(".sbp")));
}

QByteArray EncodeCryptogramRecord(const Cryptogram& puzzle)
{
    QByteArray buffer = recordfile::NewRecord(kFormat);
    auto* bytes = reinterpret_cast<std::uint8_t*>(buffer.data());
    std::memcpy(bytes + kTextOffset, puzzle.text.data(), puzzle.text.size());
    std::memcpy(bytes + kKeyOffset, puzzle.key.data(), puzzle.key.size());
    std::memcpy(bytes + kHintsOffset, puzzle.hints.data(), puzzle.hints.size());
    return buffer;
}

int DecodeCryptogramRecord(const QByteArray& fileBytes, Cryptogram& puzzle)
{
    return decodeRecord(recordfile::Parse(fileBytes, kFormat), puzzle);
}

int SaveCryptogramFileAt(const QString& path, const Cryptogram& puzzle, QString* error)
{
    return recordfile::Write(path, EncodeCryptogramRecord(puzzle), error);
}

int LoadCryptogramFileAt(const QString& path, Cryptogram& puzzle)
{
    return decodeRecord(recordfile::Read(path, kFormat), puzzle);
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
