#include "maze/mazefile.h"

#include "maze/mazeformat.h"
#include "platform/atomicfile.h"
#include "platform/filenames.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace maze {
namespace {

using namespace format;

const QString kPuzzleFolder = QStringLiteral("Brainloft puzzles");

bool isCellValue(std::int32_t v)
{
    return v == mcOpen || v == mcWall || v == mcRoute;
}

} // namespace

QString MazeFilePath(const QString& programFolder, const QString& name)
{
    return filenames::resolveInFolder(programFolder + kPuzzleFolder, filenames::replaceExtension(name, QStringLiteral(".mzp")));
}

QByteArray EncodeMazeRecord(const MazeGrid& grid, int n)
{
    QByteArray buffer(kRecordSize, '\0');
    auto* bytes = reinterpret_cast<std::uint8_t*>(buffer.data());
    std::copy(kMagic.begin(), kMagic.end(), bytes + kMagicOffset);
    bytes[kVersionOffset] = kVersionByte5;
    bytes[kVersionOffset + 1] = kVersionByte6;
    qToLittleEndian<quint32>(kRecordSize, bytes + kSizeOffset);
    for (int i = 0; i < kGridCells; ++i)
        qToLittleEndian<qint32>(grid.cells[static_cast<std::size_t>(i)], bytes + kCellsOffset + i * kCellBytes);
    qToLittleEndian<qint32>(n, bytes + kMazeSizeOffset);
    return buffer;
}

int DecodeMazeRecord(const QByteArray& fileBytes, MazeGrid& grid, int& n)
{
    // The header is read over a buffer that already holds the length byte, so a file too short
    // to hold its own signature fails the signature test.
    std::array<std::uint8_t, kHeaderSize> header{};
    header[0] = kMagic[0];
    std::memcpy(header.data(), fileBytes.constData(), static_cast<std::size_t>(std::min<qsizetype>(fileBytes.size(), kHeaderSize)));
    if (!std::equal(kMagic.begin(), kMagic.end(), header.begin() + kMagicOffset))
        return kWrongMagic;
    if (qFromLittleEndian<quint32>(header.data() + kSizeOffset) != quint32(kRecordSize))
        return kBadContent;
    if (fileBytes.size() < kRecordSize)
        return kBadContent;

    // Nothing is kept unless the whole record is sound: a size the grid cannot hold or a cell
    // the program never writes would show another maze than the one saved.
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(fileBytes.constData());
    const qint32 size = qFromLittleEndian<qint32>(bytes + kMazeSizeOffset);
    if (size < 1 || size > kMaxSize)
        return kBadContent;
    MazeGrid read;
    for (int i = 0; i < kGridCells; ++i) {
        const qint32 cell = qFromLittleEndian<qint32>(bytes + kCellsOffset + i * kCellBytes);
        if (!isCellValue(cell))
            return kBadContent;
        read.cells[static_cast<std::size_t>(i)] = cell;
    }
    grid = read;
    n = size;
    return kOk;
}

int SaveMazeFileAt(const QString& path, const MazeGrid& grid, int n, QString* error)
{
    return atomicfile::WriteFile(path, EncodeMazeRecord(grid, n), error) ? kOk : kWriteFailed;
}

int LoadMazeFileAt(const QString& path, MazeGrid& grid, int& n)
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
    return DecodeMazeRecord(bytes, grid, n);
}

int SaveMazeFile(const QString& programFolder, const QString& name, const MazeGrid& grid, int n)
{
    return SaveMazeFileAt(MazeFilePath(programFolder, name), grid, n);
}

int LoadMazeFile(const QString& programFolder, const QString& name, MazeGrid& grid, int& n)
{
    return LoadMazeFileAt(MazeFilePath(programFolder, name), grid, n);
}

} // namespace maze
