// The `.mzp` file: bytes at their offsets and what its reader checks beyond the shared header.
#include "maze/generator.h"
#include "maze/mazefile.h"
#include "platform/rng.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace maze;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray withInt32(QByteArray bytes, int offset, qint32 value)
{
    qToLittleEndian<qint32>(value, bytes.data() + offset);
    return bytes;
}

class MazeFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        programFolder = dir.path() + "/";
        QDir().mkpath(programFolder + "Brainloft puzzles");
        Rng rng(11);
        size = GenerateMaze(grid, kEasy, rng);
        grid.at(3, 5) = mcRoute;
        grid.at(kMaxSize, kMaxSize) = mcWall;
    }
    QString puzzlePath(const QString& file) const { return programFolder + "Brainloft puzzles/" + file; }

    QTemporaryDir dir;
    QString programFolder;
    MazeGrid grid;
    int size = 0;
};

} // namespace

TEST_F(MazeFileTest, RecordHoldsEachFieldAtItsOffset)
{
    ASSERT_EQ(SaveMazeFile(programFolder, "Spring", grid, size), 0);
    const QByteArray b = readAll(puzzlePath("Spring.mzp"));
    ASSERT_EQ(b.size(), 49544);
    EXPECT_EQ(b.left(20), QByteArray("\x04\x57\xC4\x53\xB8\x00\x09\0\0\0\0\0\0\0\0\0\x88\xC1\x00\x00", 20));
    EXPECT_EQ(b.mid(20, 236), QByteArray(236, '\0'));
    EXPECT_EQ(b.mid(256, 4), QByteArray("\x01\0\0\0", 4)) << "corner (0, 0) is wall";
    EXPECT_EQ(b.mid(1608, 4), QByteArray("\x02\0\0\0", 4)) << "cell (3, 5)";
    EXPECT_EQ(b.mid(49536, 4), QByteArray("\x01\0\0\0", 4)) << "cell (110, 110)";
    EXPECT_EQ(b.mid(49540, 4), QByteArray("\x1E\0\0\0", 4)) << "N = 30";
}

TEST_F(MazeFileTest, SaveLoadSaveGivesTheSameBytes)
{
    ASSERT_EQ(SaveMazeFile(programFolder, "First", grid, size), 0);
    MazeGrid loaded;
    int n = 60;
    ASSERT_EQ(LoadMazeFile(programFolder, "First", loaded, n), 0);
    EXPECT_EQ(loaded, grid);
    EXPECT_EQ(n, 30);
    ASSERT_EQ(SaveMazeFile(programFolder, "Second", loaded, n), 0);
    EXPECT_EQ(readAll(puzzlePath("Second.mzp")), readAll(puzzlePath("First.mzp")));
}

TEST_F(MazeFileTest, ContentIsCheckedAndRefusalsChangeNothing)
{
    const QByteArray record = EncodeMazeRecord(grid, size);
    QByteArray foreign = record;
    foreign[2] = char(0xC2); // a word search's magic
    struct Case {
        const char* name;
        QByteArray bytes;
        int code;
    };
    const Case cases[] = {
        {"one byte 04", QByteArray(1, '\x04'), -3},
        {"foreign magic", foreign, -3},
        {"only the magic", record.left(5), -4},
        {"N 0", withInt32(record, 49540, 0), -4},
        {"N 111", withInt32(record, 49540, 111), -4},
        {"N -1", withInt32(record, 49540, -1), -4},
        {"first cell 3", withInt32(record, 256, 3), -4},
        {"last cell -1", withInt32(record, 49536, -1), -4},
        {"a middle cell 3", withInt32(record, 256 + 4 * 6000, 3), -4},
        {"N 110", withInt32(record, 49540, 110), 0},
    };
    for (const Case& c : cases) {
        writeAll(puzzlePath("case.mzp"), c.bytes);
        MazeGrid g;
        g.cells.fill(mcWall);
        const MazeGrid before = g;
        int n = 60;
        const int code = LoadMazeFile(programFolder, "case", g, n);
        EXPECT_EQ(code, c.code) << c.name;
        if (code != 0) {
            EXPECT_EQ(g, before) << c.name;
            EXPECT_EQ(n, 60) << c.name;
        } else {
            EXPECT_EQ(g, grid) << c.name;
        }
    }
}

TEST_F(MazeFileTest, PathRuleReplacesTheExtensionAndMatchesCaseBlind)
{
    EXPECT_EQ(MazeFilePath(programFolder, "Spring"), puzzlePath("Spring.mzp"));
    EXPECT_EQ(MazeFilePath(programFolder, "Spring.txt"), puzzlePath("Spring.mzp"));
    EXPECT_EQ(MazeFilePath(programFolder, "a.b.mzp"), puzzlePath("a.b.mzp"));
    writeAll(puzzlePath("WINTER.MZP"), EncodeMazeRecord(grid, size));
    MazeGrid g;
    int n = 0;
    EXPECT_EQ(LoadMazeFile(programFolder, "winter", g, n), 0);
    EXPECT_EQ(n, 30);
}
