#include "picture/picturefiles.h"

#include "picture/bmpdecoder.h"
#include "picture/tiles.h"
#include "platform/atomicfile.h"
#include "platform/fileaccess.h"
#include "platform/filenames.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace picture {
namespace {

void PutLe(QByteArray& bytes, int at, quint32 value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xff);
}

bool DecodeBitmap(const QByteArray& bytes, QImage& image, QString& why)
{
    return ReadBitmapOfSize(bytes, QSize(kCanvasWidth, kCanvasHeight), image, why);
}

bool DecodeCells(const QByteArray& bytes, QStringList& cells, QString& why)
{
    if (bytes.size() > kMaxCellsFileBytes) {
        why = QStringLiteral("the list is over 4 KB");
        return false;
    }
    QList<QByteArray> lines = bytes.split('\n');
    if (bytes.endsWith('\n'))
        lines.removeLast();
    if (bytes.isEmpty())
        lines.clear();
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        const bool digits = (line.size() == 1 && line[0] >= '1' && line[0] <= '9')
            || (line.size() == 2 && line[0] >= '1' && line[0] <= '9' && line[1] >= '0' && line[1] <= '9');
        const int k = digits ? line.toInt() : 0;
        if (k < 1 || k > kCells) {
            why = QStringLiteral("line %1 is not a cell number 1 to 48").arg(i + 1);
            return false;
        }
        const QString number = QString::number(k);
        if (!cells.contains(number))
            cells << number;
    }
    return true;
}

} // namespace

QString PicturePathStem(const QString& programFolder, const QString& name)
{
    const QString folder = programFolder + QStringLiteral("Brainloft puzzles");
    const QString ext = filenames::lowerExtension(name);
    if (ext.size() == 5 && ext.startsWith(QLatin1String(".tld")) && ext[4] >= QLatin1Char('1') && ext[4] <= QLatin1Char('4'))
        return folder + QLatin1Char('/') + name.left(name.size() - 1);
    return folder + QLatin1Char('/') + filenames::replaceExtension(name, QStringLiteral(".tlp"));
}

QString PictureFilePath(const QString& stem, int digit)
{
    const QFileInfo info(stem + QString::number(digit));
    return filenames::resolveInFolder(info.path(), info.fileName());
}

QByteArray EncodeBitmap24(const QImage& picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const int w = rgb.width();
    const int h = rgb.height();
    const int stride = (w * 3 + 3) & ~3;
    QByteArray bytes(54 + stride * h, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLe(bytes, 2, static_cast<quint32>(bytes.size()), 4);
    PutLe(bytes, 10, 54, 4);
    PutLe(bytes, 14, 40, 4);
    PutLe(bytes, 18, static_cast<quint32>(w), 4);
    PutLe(bytes, 22, static_cast<quint32>(h), 4);
    PutLe(bytes, 26, 1, 2);
    PutLe(bytes, 28, 24, 2);
    PutLe(bytes, 34, static_cast<quint32>(stride * h), 4);
    PutLe(bytes, 38, 3780, 4); // 96 dots per inch
    PutLe(bytes, 42, 3780, 4);
    char* data = bytes.data() + 54;
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const quint32*>(rgb.constScanLine(h - 1 - y));
        char* out = data + static_cast<qsizetype>(y) * stride;
        for (int x = 0; x < w; ++x) {
            out[3 * x] = static_cast<char>(line[x] & 0xff);
            out[3 * x + 1] = static_cast<char>((line[x] >> 8) & 0xff);
            out[3 * x + 2] = static_cast<char>((line[x] >> 16) & 0xff);
        }
    }
    return bytes;
}

PictureFileBytes EncodePictureFiles(const PictureState& state)
{
    PictureFileBytes files;
    files.board = EncodeBitmap24(JoinTiles(state.boardTiles));
    for (const QString& cell : state.puzzleCells)
        files.cells += cell.toLatin1() + "\r\n";
    files.answer = EncodeBitmap24(JoinTiles(state.answerTiles));
    return files;
}

int DecodePictureFiles(const PictureFileBytes& files, PictureState& state, QString* why, int* failingFile)
{
    QImage board;
    QImage answer;
    QStringList cells;
    QString reason;
    if (!DecodeBitmap(files.board, board, reason)) {
        if (why)
            *why = QStringLiteral("file 1: ") + reason;
        if (failingFile)
            *failingFile = 1;
        return -1;
    }
    if (!DecodeCells(files.cells, cells, reason)) {
        if (why)
            *why = QStringLiteral("file 2: ") + reason;
        if (failingFile)
            *failingFile = 2;
        return -1;
    }
    if (!DecodeBitmap(files.answer, answer, reason)) {
        if (why)
            *why = QStringLiteral("file 3: ") + reason;
        if (failingFile)
            *failingFile = 3;
        return -1;
    }
    state.puzzleCells = cells;
    state.preview = answer;
    for (int k = 1; k <= kCells; ++k) {
        state.answerTiles[k] = CutTile(answer, k);
        state.boardTiles[k] = CutTile(board, k);
    }
    return 0;
}

int SavePictureFiles(const QString& programFolder, const QString& name, const PictureState& state, QString* error)
{
    return SavePictureFilesAt(PicturePathStem(programFolder, name), state, error);
}

int LoadPictureFiles(const QString& programFolder, const QString& name, PictureState& state, QString* why)
{
    return LoadPictureFilesAt(PicturePathStem(programFolder, name), state, why);
}

int SavePictureFilesAt(const QString& stem, const PictureState& state, QString* error, bool openToEveryone)
{
    const PictureFileBytes bytes = EncodePictureFiles(state);
    const QString paths[3] = {PictureFilePath(stem, 1), PictureFilePath(stem, 2), PictureFilePath(stem, 3)};
    if (!atomicfile::WriteFiles({{paths[0], bytes.board}, {paths[1], bytes.cells}, {paths[2], bytes.answer}}, error))
        return -1;
    for (const QString& path : paths)
        if (openToEveryone)
            fileaccess::openToEveryone(path);
    return 0;
}

int LoadPictureFilesAt(const QString& stem, PictureState& state, QString* why)
{
    PictureFileBytes files;
    QByteArray* targets[3] = {&files.board, &files.cells, &files.answer};
    // A bitmap is never larger than a 32-bit 640 x 480 one with a generous header.
    const qint64 limits[3] = {2 * kBitmapBytes, kMaxCellsFileBytes + 1, 2 * kBitmapBytes};
    for (int i = 0; i < 3; ++i) {
        const QString path = PictureFilePath(stem, i + 1);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            if (why)
                *why = QStringLiteral("%1: %2").arg(path, file.errorString());
            return -1;
        }
        *targets[i] = file.read(limits[i]);
        if (file.error() != QFileDevice::NoError) {
            if (why)
                *why = QStringLiteral("%1: %2").arg(path, file.errorString());
            return -1;
        }
    }
    QString reason;
    int failing = 0;
    if (DecodePictureFiles(files, state, &reason, &failing) != 0) {
        if (why)
            *why = PictureFilePath(stem, failing) + QStringLiteral(": ") + reason.mid(8);
        return -1;
    }
    return 0;
}

} // namespace picture
