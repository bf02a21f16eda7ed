#include "picture/picturefiles.h"

#include "shell/program.h"

#include "picture/bmpdecoder.h"
#include "picture/tiles.h"
#include "platform/atomicfile.h"
#include "platform/fileaccess.h"
#include "platform/filenames.h"
#include "platform/inputfile.h"
#include "platform/recordfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <limits>

namespace picture {
namespace {

void PutLe(QByteArray& bytes, int at, quint32 value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xff);
}

quint32 GetLe(const QByteArray& bytes, int at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// Whether an RLE stream (8 or 4 bits a pixel) from offset writes every pixel of every row: the
// platform's reader leaves pixels it is not given unset, and they would reach a saved puzzle.
bool RunsCoverEveryRow(const QByteArray& bytes, qint64 offset, bool fourBits)
{
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qint64 size = bytes.size();
    qint64 at = offset;
    int row = 0;
    int x = 0;
    while (row < kCanvasHeight) {
        if (at + 2 > size)
            return false;
        const int count = b[at];
        const int code = b[at + 1];
        at += 2;
        if (count > 0) { // a run of one value (or two, alternating)
            x += count;
        } else if (code == 0) { // end of a row
            if (x != kCanvasWidth)
                return false;
            ++row;
            x = 0;
            continue;
        } else if (code == 1) { // end of the picture
            return row == kCanvasHeight - 1 && x == kCanvasWidth;
        } else if (code == 2) { // a jump, over pixels left unset
            return false;
        } else { // code pixels given one by one, padded to a whole word
            x += code;
            const qint64 given = fourBits ? (code + 1) / 2 : code;
            at += (given + 1) & ~qint64(1);
        }
        if (x > kCanvasWidth)
            return false;
    }
    return true;
}

// A bitmap must hold all its rows, of whatever kind it is; the platform's reader would leave
// missing ones unset.
bool HoldsAllRows(const QByteArray& bytes)
{
    if (bytes.size() < 26)
        return false;
    const quint32 offset = GetLe(bytes, 10, 4);
    const quint32 headerSize = GetLe(bytes, 14, 4);
    quint32 bits = 0;
    quint32 compression = 0;
    if (headerSize == 12) { // the old core header: no compression
        bits = GetLe(bytes, 24, 2);
    } else if (headerSize >= 40 && bytes.size() >= 54) {
        bits = GetLe(bytes, 28, 2);
        compression = GetLe(bytes, 30, 4);
    } else {
        return false;
    }
    if (compression == 1 && bits == 8)
        return RunsCoverEveryRow(bytes, offset, false);
    if (compression == 2 && bits == 4)
        return RunsCoverEveryRow(bytes, offset, true);
    if (compression != 0 && compression != 3)
        return false;
    const qint64 stride = ((qint64(kCanvasWidth) * bits + 31) / 32) * 4;
    return qint64(offset) + stride * kCanvasHeight <= bytes.size();
}

// 0, or the code a record reader would give: -3 not a bitmap at all, -4 not one of ours. A file
// of ours holds every pixel of every row, whatever kind of bitmap it is.
int DecodeBitmap(const QByteArray& bytes, QImage& image, QString& why)
{
    if (!bytes.startsWith("BM")) {
        why = QStringLiteral("not a bitmap");
        return recordfile::kWrongMagic;
    }
    if (!ReadBitmapOfSize(bytes, QSize(kCanvasWidth, kCanvasHeight), image, why))
        return recordfile::kBadContent;
    if (!HoldsAllRows(bytes)) {
        why = QStringLiteral("the bitmap is cut short");
        image = QImage();
        return recordfile::kBadContent;
    }
    return recordfile::kOk;
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
    const QString folder = ProgramPaths::puzzleFolderIn(programFolder);
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

namespace {

// 0, or -3 / -4 as a record reader gives them, with why and the failing file.
int decodeFiles(const PictureFileBytes& files, PictureState& state, QString& why, int& failingFile)
{
    QImage board;
    QImage answer;
    QStringList cells;
    QString reason;
    if (const int code = DecodeBitmap(files.board, board, reason); code != recordfile::kOk) {
        why = QStringLiteral("file 1: ") + reason;
        failingFile = 1;
        return code;
    }
    if (!DecodeCells(files.cells, cells, reason)) {
        why = QStringLiteral("file 2: ") + reason;
        failingFile = 2;
        return recordfile::kBadContent;
    }
    if (const int code = DecodeBitmap(files.answer, answer, reason); code != recordfile::kOk) {
        why = QStringLiteral("file 3: ") + reason;
        failingFile = 3;
        return code;
    }
    state.puzzleCells = cells;
    state.preview = answer;
    for (int k = 1; k <= kCells; ++k) {
        state.answerTiles[k] = CutTile(answer, k);
        state.boardTiles[k] = CutTile(board, k);
    }
    return recordfile::kOk;
}

// Reads at most limit bytes of a file opened once, without blocking and checked on its descriptor.
bool readFile(const QString& path, qint64 limit, QByteArray& bytes, QString& why)
{
    inputfile::InputFile file;
    const auto links = fileaccess::linksFollowedInData() ? inputfile::Links::Follow : inputfile::Links::Refuse;
    if (!file.open(path, std::numeric_limits<qint64>::max(), links)) {
        why = file.error();
        return false;
    }
    bytes.resize(std::min(file.size(), limit));
    qint64 have = 0;
    while (have < bytes.size()) {
        const qint64 n = file.read(bytes.data() + have, bytes.size() - have);
        if (n < 0) {
            why = file.error();
            return false;
        }
        if (n == 0)
            break;
        have += n;
    }
    bytes.truncate(have);
    return true;
}

} // namespace

int DecodePictureFiles(const PictureFileBytes& files, PictureState& state, QString* why, int* failingFile)
{
    QString reason;
    int failing = 0;
    if (decodeFiles(files, state, reason, failing) == recordfile::kOk)
        return 0;
    if (why)
        *why = reason;
    if (failingFile)
        *failingFile = failing;
    return -1;
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
    const QString paths[3] = {stem + QLatin1Char('1'), stem + QLatin1Char('2'), stem + QLatin1Char('3')};
    atomicfile::Outcome outcome;
    QString reason;
    // Under the folder's lock, each file is the existing one whose name differs only in case.
    if (!atomicfile::WriteFiles({{paths[0], bytes.board}, {paths[1], bytes.cells}, {paths[2], bytes.answer}}, &reason,
                                atomicfile::Match::IgnoringCase, &outcome)) {
        if (error)
            *error = outcome.failedPath.isEmpty() ? reason : outcome.failedPath + QStringLiteral(": ") + reason;
        return -1;
    }
    if (openToEveryone)
        for (const QString& path : outcome.written)
            fileaccess::openToEveryone(path);
    return 0;
}

int LoadPictureFilesAt(const QString& stem, PictureState& state, QString* why, int* readerCode)
{
    // A replacement of the set that a crash cut short is finished first.
    atomicfile::FinishInterruptedSaves(QFileInfo(stem).absolutePath());
    const auto failed = [&](int code, const QString& reason) {
        if (why)
            *why = reason;
        if (readerCode)
            *readerCode = code;
        return -1;
    };
    PictureFileBytes files;
    QByteArray* targets[3] = {&files.board, &files.cells, &files.answer};
    // A bitmap is never larger than a 32-bit 640 x 480 one with a generous header.
    const qint64 limits[3] = {2 * kBitmapBytes, kMaxCellsFileBytes + 1, 2 * kBitmapBytes};
    for (int i = 0; i < 3; ++i) {
        const QString path = PictureFilePath(stem, i + 1);
        QString reason;
        if (!readFile(path, limits[i], *targets[i], reason))
            return failed(recordfile::kReadFailed, path + QStringLiteral(": ") + reason);
    }
    QString reason;
    int failing = 0;
    if (const int code = decodeFiles(files, state, reason, failing); code != recordfile::kOk)
        return failed(code, PictureFilePath(stem, failing) + QStringLiteral(": ") + reason.mid(8));
    if (readerCode)
        *readerCode = recordfile::kOk;
    return 0;
}

} // namespace picture
