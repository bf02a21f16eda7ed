#include "picture/picturefiles.h"
#include "platform/atomicfile.h"
#include "picture/puzzlebuild.h"
#include "picture/tiles.h"
#include "platform/rng.h"
#include "samplepictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <sys/wait.h>
#include <unistd.h>

using namespace picture;

namespace {

quint32 Le(const QByteArray& b, int at, int size)
{
    quint32 v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
}

void PutLe(QByteArray& b, int at, quint32 v, int size)
{
    for (int i = 0; i < size; ++i)
        b[at + i] = static_cast<char>(v >> (8 * i));
}

QRgb Band(int x, int colours)
{
    const int i = (x / 80) % colours;
    return qRgb(i * 255 / std::max(1, colours - 1), 255 - 30 * i, i % 2 ? 200 : 0);
}

// A 640 x 480 bitmap of vertical 80-pixel bands at any depth: 1, 4, 8 with a palette
// (compression 1 = RLE8, 2 = RLE4), 16 (5-5-5), 24 or 32.
QByteArray Bitmap(int bits, int compression = 0)
{
    const int w = 640, h = 480;
    const int colours = bits == 1 ? 2 : bits == 4 ? 8 : 8;
    const bool paletted = bits <= 8;
    const int paletteBytes = paletted ? 4 * (1 << bits) : 0;
    QByteArray pixels;
    for (int y = 0; y < h; ++y) {
        QByteArray row;
        if (compression == 1) {
            for (int x = 0; x < w; x += 80)
                row += char(80), row += char((x / 80) % colours);
            row += QByteArray("\0\0", 2);
        } else if (compression == 2) {
            for (int x = 0; x < w; x += 80) {
                const int i = (x / 80) % colours;
                row += char(80), row += char((i << 4) | i);
            }
            row += QByteArray("\0\0", 2);
        } else {
            quint64 acc = 0;
            int accBits = 0;
            for (int x = 0; x < w; ++x) {
                const int i = (x / 80) % colours;
                const QRgb c = Band(x, colours);
                quint32 value = 0;
                if (paletted)
                    value = static_cast<quint32>(i);
                else if (bits == 16)
                    value = ((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3);
                else
                    value = c & 0xffffffu;
                if (bits < 8) {
                    acc = (acc << bits) | value;
                    accBits += bits;
                    if (accBits == 8)
                        row += char(acc), acc = 0, accBits = 0;
                } else {
                    for (int b = 0; b < bits / 8; ++b)
                        row += char(value >> (8 * b));
                }
            }
            while (row.size() % 4)
                row += '\0';
        }
        pixels += row;
    }
    if (compression)
        pixels += QByteArray("\0\1", 2);
    QByteArray bytes(54 + paletteBytes, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLe(bytes, 10, static_cast<quint32>(54 + paletteBytes), 4);
    PutLe(bytes, 14, 40, 4);
    PutLe(bytes, 18, w, 4);
    PutLe(bytes, 22, h, 4);
    PutLe(bytes, 26, 1, 2);
    PutLe(bytes, 28, static_cast<quint32>(bits), 2);
    PutLe(bytes, 30, static_cast<quint32>(compression), 4);
    PutLe(bytes, 34, static_cast<quint32>(pixels.size()), 4);
    for (int i = 0; paletted && i < (1 << bits); ++i) {
        const QRgb c = Band(80 * i, colours);
        PutLe(bytes, 54 + 4 * i, c & 0xffffffu, 4);
    }
    bytes += pixels;
    PutLe(bytes, 2, static_cast<quint32>(bytes.size()), 4);
    return bytes;
}

PictureState BuiltState(std::uint64_t seed = 3)
{
    PictureState state;
    Rng rng(seed);
    EXPECT_TRUE(BuildPicturePuzzle(state, FitPicture(samples::Checker(1280, 480)), rng));
    return state;
}

QByteArray CellLines(int from, int to)
{
    QByteArray text;
    for (int k = from; k <= to; ++k)
        text += QByteArray::number(k) + "\r\n";
    return text;
}

} // namespace

TEST(PictureFiles, BytesAtTheirOffsets)
{
    const PictureState state = BuiltState();
    const PictureFileBytes files = EncodePictureFiles(state);
    EXPECT_EQ(files.cells, CellLines(9, 40));
    for (const QByteArray* bitmap : {&files.board, &files.answer}) {
        ASSERT_EQ(bitmap->size(), kBitmapBytes);
        EXPECT_TRUE(bitmap->startsWith("BM"));
        EXPECT_EQ(Le(*bitmap, 2, 4), 921654u);
        EXPECT_EQ(Le(*bitmap, 10, 4), 54u);
        EXPECT_EQ(Le(*bitmap, 14, 4), 40u);
        EXPECT_EQ(Le(*bitmap, 18, 4), 640u);
        EXPECT_EQ(Le(*bitmap, 22, 4), 480u);
        EXPECT_EQ(Le(*bitmap, 26, 2), 1u);
        EXPECT_EQ(Le(*bitmap, 28, 2), 24u);
        EXPECT_EQ(Le(*bitmap, 30, 4), 0u);
        // The top-left pixel is the first of the last row stored: the X tile's red frame.
        const int topLeft = 54 + 479 * 1920;
        EXPECT_EQ(Le(*bitmap, topLeft, 3), 0xff0000u);
    }
    QStringList full;
    for (int k = 1; k <= 48; ++k)
        full << QString::number(k);
    PictureState whole;
    whole.puzzleCells = full;
    EXPECT_EQ(EncodePictureFiles(whole).cells, CellLines(1, 48));
}

TEST(PictureFiles, RoundTripKeepsBoardAnswerPiecesAndPreview)
{
    const PictureState built = BuiltState();
    PictureState loaded;
    loaded.boxes[2] = XTile(); // boxes keep what they hold
    QString why;
    ASSERT_EQ(DecodePictureFiles(EncodePictureFiles(built), loaded, &why), 0) << why.toStdString();
    EXPECT_EQ(loaded.puzzleCells, built.puzzleCells);
    for (int k = 1; k <= kCells; ++k) {
        EXPECT_EQ(loaded.boardTiles[k], built.boardTiles[k]) << k;
        EXPECT_EQ(loaded.answerTiles[k], built.answerTiles[k]) << k;
    }
    EXPECT_EQ(loaded.preview, JoinTiles(built.answerTiles));
    EXPECT_EQ(loaded.boxes[2], XTile());
}

TEST(PictureFiles, EveryBitmapDepthLoads)
{
    const int depths[][2] = {{1, 0}, {4, 0}, {8, 0}, {16, 0}, {24, 0}, {32, 0}, {8, 1}, {4, 2}};
    for (const auto& d : depths) {
        SCOPED_TRACE(testing::Message() << d[0] << " bits, compression " << d[1]);
        PictureFileBytes files{Bitmap(d[0], d[1]), "1\r\n", Bitmap(d[0], d[1])};
        PictureState state;
        QString why;
        ASSERT_EQ(DecodePictureFiles(files, state, &why), 0) << why.toStdString();
        const int colours = d[0] == 1 ? 2 : 8;
        for (int k : {1, 2, 8, 48}) {
            const QRgb expected = Band(CellRect(k).left(), colours);
            const QRgb got = state.boardTiles[k].pixel(40, 40);
            const int tolerance = d[0] == 16 ? 8 : 0;
            EXPECT_LE(std::abs(qRed(got) - qRed(expected)), tolerance) << k;
            EXPECT_LE(std::abs(qGreen(got) - qGreen(expected)), tolerance) << k;
            EXPECT_LE(std::abs(qBlue(got) - qBlue(expected)), tolerance) << k;
        }
    }
}

TEST(PictureFiles, DamagedSetsAreRefusedWholeAndChangeNothing)
{
    const PictureFileBytes good = EncodePictureFiles(BuiltState());
    QByteArray wide = good.board;
    PutLe(wide, 18, 641, 4);
    // Bitmaps that leave rows or pixels out, of every kind: run-length coded ones ended early or
    // jumping over pixels, and one with the old core header cut short.
    const QByteArray runs = Bitmap(8, 1);
    const QByteArray runsEndedEarly = runs.left(runs.size() - 2 - 18 * 10) + QByteArray("\0\1", 2);
    QByteArray runsWithAJump = runs;
    runsWithAJump.replace(54 + 1024, 2, QByteArray("\0\2\x50\0", 4));
    QByteArray core("BM\0\0\0\0\0\0\0\0", 10);
    core += QByteArray("\x1a\0\0\0\x0c\0\0\0\x80\x02\xe0\x01\x01\0\x18\0", 16);
    core += QByteArray(1920 * 100, '\x40');
    struct Case {
        const char* name;
        PictureFileBytes files;
        int code;
    };
    const Case cases[] = {
        {"good", good, 0},
        {"LF endings, no last ending, repeats", {good.board, "9\n10\n9\n11", good.answer}, 0},
        {"empty list: no pieces", {good.board, "", good.answer}, 0},
        {"file 1 not a bitmap", {good.cells, good.cells, good.answer}, -1},
        {"file 3 a PNG", {good.board, good.cells, QByteArray("\x89PNG\r\n\x1a\n", 8)}, -1},
        {"641 x 480", {wide, good.cells, good.answer}, -1},
        {"truncated bitmap", {good.board.left(5000), good.cells, good.answer}, -1},
        {"runs ended early", {runsEndedEarly, good.cells, good.answer}, -1},
        {"runs jumping over pixels", {good.board, good.cells, runsWithAJump}, -1},
        {"core header cut short", {core, good.cells, good.answer}, -1},
        {"leading zero", {good.board, "05\r\n", good.answer}, -1},
        {"leading blank", {good.board, " 5\r\n", good.answer}, -1},
        {"sign", {good.board, "+5\r\n", good.answer}, -1},
        {"zero", {good.board, "0\r\n", good.answer}, -1},
        {"49", {good.board, "49\r\n", good.answer}, -1},
        {"an empty line", {good.board, "5\r\n\r\n6\r\n", good.answer}, -1},
        {"a lone CR", {good.board, "5\r6\r\n", good.answer}, -1},
        {"over 4 KB", {good.board, QByteArray("1\r\n").repeated(1366), good.answer}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PictureState state;
        state.puzzleCells << "7";
        QString why;
        EXPECT_EQ(DecodePictureFiles(c.files, state, &why), c.code) << why.toStdString();
        if (c.code != 0) {
            EXPECT_EQ(state.puzzleCells, QStringList{"7"});
            EXPECT_TRUE(IsEmptyTile(state.preview));
            EXPECT_TRUE(why.startsWith("file ")) << why.toStdString();
        }
    }
}

TEST(PictureFiles, PathStemForUserAndPackagedNames)
{
    const QString folder = "/p/";
    EXPECT_EQ(PicturePathStem(folder, "Lake"), "/p/Brainloft puzzles/Lake.tlp");
    EXPECT_EQ(PicturePathStem(folder, "Lake.tlp1"), "/p/Brainloft puzzles/Lake.tlp");
    EXPECT_EQ(PicturePathStem(folder, "my.lake"), "/p/Brainloft puzzles/my.tlp");
    EXPECT_EQ(PicturePathStem(folder, "House.TLD1"), "/p/Brainloft puzzles/House.TLD");
    EXPECT_EQ(PicturePathStem(folder, "house.tld4"), "/p/Brainloft puzzles/house.tld");
    EXPECT_EQ(PicturePathStem(folder, "house.tld5"), "/p/Brainloft puzzles/house.tlp");
}

TEST(PictureFiles, LoadNeedsAllThreeFiles)
{
    QTemporaryDir dir;
    const QString program = dir.path() + "/";
    QDir().mkpath(program + "Brainloft puzzles");
    const PictureFileBytes files = EncodePictureFiles(BuiltState());
    const QByteArray* bytes[3] = {&files.board, &files.cells, &files.answer};
    for (int missing = 0; missing <= 3; ++missing) {
        SCOPED_TRACE(missing);
        for (int i = 0; i < 3; ++i) {
            const QString path = program + "Brainloft puzzles/House.TLD" + QString::number(i + 1);
            QFile::remove(path);
            if (i + 1 == missing)
                continue;
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(*bytes[i]);
        }
        PictureState state;
        QString why;
        EXPECT_EQ(LoadPictureFiles(program, "House.TLD1", state, &why), missing ? -1 : 0);
        if (missing) {
            EXPECT_TRUE(why.contains("House.TLD" + QString::number(missing))) << why.toStdString();
        }
    }
}

TEST(PictureFiles, SaveIsAllOrNone)
{
    QTemporaryDir dir;
    const QString program = dir.path() + "/";
    QDir().mkpath(program + "Brainloft puzzles");
    const PictureState first = BuiltState(3);
    ASSERT_EQ(SavePictureFiles(program, "Lake", first), 0);
    const PictureFileBytes old = EncodePictureFiles(first);
    const PictureState second = BuiltState(4);
    const qint64 cellsSize = EncodePictureFiles(second).cells.size();
    struct Case {
        qint64 failAfter;
        bool failSync;
    };
    const Case cases[] = {{0, false}, {kBitmapBytes + 1, false}, {kBitmapBytes + cellsSize + 10, false}, {1 << 30, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failAfter);
        {
            atomicfile::FailAfter failing(c.failAfter, c.failSync);
            QString error;
            EXPECT_EQ(SavePictureFiles(program, "lake", second, &error), -1);
            EXPECT_FALSE(error.isEmpty());
        }
        PictureState loaded;
        ASSERT_EQ(LoadPictureFiles(program, "Lake", loaded), 0);
        EXPECT_EQ(EncodePictureFiles(loaded).board, old.board);
        EXPECT_EQ(QDir(program + "Brainloft puzzles").entryList(QDir::Files | QDir::Hidden),
                  (QStringList{"Lake.tlp1", "Lake.tlp2", "Lake.tlp3"}));
    }
    ASSERT_EQ(SavePictureFiles(program, "lake", second), 0); // the existing set, whatever its case
    PictureState loaded;
    ASSERT_EQ(LoadPictureFiles(program, "Lake", loaded), 0);
    EXPECT_EQ(loaded.puzzleCells, second.puzzleCells);
    EXPECT_EQ(EncodePictureFiles(loaded).board, EncodePictureFiles(second).board);
    EXPECT_EQ(QFileInfo(program + "Brainloft puzzles/Lake.tlp2").permissions() & QFile::WriteOther, QFile::WriteOther);
}

// Killed between the renames of a save, the set is finished by the next load: never the board
// of one picture with the answer of another.
TEST(PictureFiles, ALoadFinishesASaveThatACrashCutShort)
{
    QTemporaryDir dir;
    const QString program = dir.path() + "/";
    QDir().mkpath(program + "Brainloft puzzles");
    const PictureState first = BuiltState(3);
    const PictureState second = BuiltState(4);
    ASSERT_EQ(SavePictureFiles(program, "Lake", first), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        atomicfile::OnStep die([](int, const char* what) {
            if (std::string(what) == "renamed")
                ::_exit(0); // after the first file of three is in place
        });
        SavePictureFiles(program, "Lake", second);
        ::_exit(1);
    }
    int status = 1;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    PictureState loaded;
    ASSERT_EQ(LoadPictureFiles(program, "Lake", loaded), 0);
    EXPECT_EQ(EncodePictureFiles(loaded).board, EncodePictureFiles(second).board);
    EXPECT_EQ(EncodePictureFiles(loaded).answer, EncodePictureFiles(second).answer);
    EXPECT_EQ(QDir(program + "Brainloft puzzles").entryList(QDir::Files | QDir::Hidden),
              (QStringList{"Lake.tlp1", "Lake.tlp2", "Lake.tlp3"}));
}
