#include "maze/mazefile.h"

#include "shell/program.h"

#include "maze/mazeformat.h"
#include "platform/filenames.h"
#include "platform/recordfile.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace maze {
namespace {

using namespace format;

bool isCellValue(std::int32_t v)
{
    return v == mcOpen || v == mcWall || v == mcRoute;
}

// Nothing is kept unless the whole record is sound: a size the grid cannot hold or a cell
// the program never writes would show another maze than the one saved.
int decodeRecord(const recordfile::Record& record, MazeGrid& grid, int& n)
{
    if (record.code != recordfile::kOk)
        return record.code;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(record.bytes.constData());
    const qint32 size = qFromLittleEndian<qint32>(bytes + kMazeSizeOffset);
    if (size < 1 || size > kMaxSize)
        return recordfile::kBadContent;
    MazeGrid read;
    for (int i = 0; i < kGridCells; ++i) {
        const qint32 cell = qFromLittleEndian<qint32>(bytes + kCellsOffset + i * kCellBytes);
        if (!isCellValue(cell))
            return recordfile::kBadContent;
        read.cells[static_cast<std::size_t>(i)] = cell;
    }
    grid = read;
    n = size;
    return recordfile::kOk;
}

} // namespace

QString MazeFilePath(const QString& programFolder, const QString& name)
{
    return filenames::resolveInFolder(ProgramPaths::puzzleFolderIn(programFolder), filenames::replaceExtension(name, QStringLiteral(".mzp")));
}

QByteArray EncodeMazeRecord(const MazeGrid& grid, int n)
{
    QByteArray buffer = recordfile::NewRecord(kFormat);
    auto* bytes = reinterpret_cast<std::uint8_t*>(buffer.data());
    for (int i = 0; i < kGridCells; ++i)
        qToLittleEndian<qint32>(grid.cells[static_cast<std::size_t>(i)], bytes + kCellsOffset + i * kCellBytes);
    qToLittleEndian<qint32>(n, bytes + kMazeSizeOffset);
    return buffer;
}

int DecodeMazeRecord(const QByteArray& fileBytes, MazeGrid& grid, int& n)
{
    return decodeRecord(recordfile::Parse(fileBytes, kFormat), grid, n);
}

int SaveMazeFileAt(const QString& path, const MazeGrid& grid, int n, QString* error)
{
    return recordfile::Write(path, EncodeMazeRecord(grid, n), error);
}

int LoadMazeFileAt(const QString& path, MazeGrid& grid, int& n)
{
    return decodeRecord(recordfile::Read(path, kFormat), grid, n);
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
