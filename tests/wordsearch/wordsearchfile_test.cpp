#include "platform/rng.h"
#include "wordsearch/builder.h"
#include "wordsearch/wordsearchfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace wordsearch;

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

std::uint8_t byteAt(const QByteArray& b, int offset)
{
    return static_cast<std::uint8_t>(b[offset]);
}

WordSearchPuzzle samplePuzzle()
{
    WordSearchPuzzle p;
    ClearPuzzle(p);
    for (int x = 1; x <= 20; ++x)
        for (int y = 1; y <= 20; ++y)
            p.grid[x][y] = static_cast<char>('A' + (x * 7 + y) % 26);
    p.wordSlots[0].set("CAT");
    p.index.at(3, 4, 5, 4) = 1;
    p.wordSlots[1].set("HORSE");
    p.index.at(20, 20, 16, 16) = 2;
    p.wordSlots[3].set("ELEPHANTS");
    p.index.at(1, 9, 1, 1) = 4; // word 3 not placed
    return p;
}

class WordSearchFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        programFolder = dir.path() + "/";
        QDir().mkpath(programFolder + "Brainloft puzzles");
    }
    QString puzzlePath(const QString& file) const { return programFolder + "Brainloft puzzles/" + file; }

    QTemporaryDir dir;
    QString programFolder;
};

} // namespace

TEST_F(WordSearchFileTest, RecordHoldsEachFieldAtItsOffset)
{
    const WordSearchPuzzle p = samplePuzzle();
    ASSERT_EQ(SaveWordSearchFile(programFolder, "Spring", p), 0);
    const QByteArray b = readAll(puzzlePath("Spring.wsp"));
    ASSERT_EQ(b.size(), 1748);
    EXPECT_EQ(b.left(7), QByteArray("\x04\x57\xC2\x53\xB6\x00\x09", 7));
    EXPECT_EQ(b.mid(7, 9), QByteArray(9, '\0'));
    EXPECT_EQ(b.mid(16, 4), QByteArray("\xD4\x06\x00\x00", 4)); // 1748 little-endian
    EXPECT_EQ(b.mid(20, 236), QByteArray(236, '\0'));
    EXPECT_EQ(b[256 + 3 * 22 + 4], p.grid[3][4]);
    EXPECT_EQ(b[256 + 20 * 22 + 1], p.grid[20][1]);
    EXPECT_EQ(b[256 + 0], '\0') << "border cell (0, 0)";
    EXPECT_EQ(b.mid(740, 4), QByteArray("\x03\x04\x05\x04", 4));
    EXPECT_EQ(b.mid(744, 4), QByteArray("\x14\x14\x10\x10", 4));
    EXPECT_EQ(b.mid(748, 4), QByteArray(4, '\0')) << "word 3 was not placed";
    EXPECT_EQ(b.mid(752, 4), QByteArray("\x01\x09\x01\x01", 4));
    EXPECT_EQ(byteAt(b, 996), 3);
    EXPECT_EQ(b.mid(997, 3), QByteArray("CAT"));
    EXPECT_EQ(byteAt(b, 996 + 2 * 11), 0) << "slot 3 is empty";
    EXPECT_EQ(byteAt(b, 996 + 3 * 11), 9);
    EXPECT_EQ(b.mid(1700), QByteArray(48, '\0'));
}

TEST_F(WordSearchFileTest, LoadThenSaveGivesTheSameBytes)
{
    Rng rng(99);
    WordSearchPuzzle built;
    GridBuilder builder(built, rng);
    builder.Build({"", "APPLE", "BANANA", "CHERRY", "DATE", "ELDERBERRY", "FIG", "GRAPE", "KIWI"});
    ASSERT_EQ(SaveWordSearchFile(programFolder, "Fruit", built), 0);
    const QByteArray first = readAll(puzzlePath("Fruit.wsp"));

    WordSearchPuzzle loaded;
    ASSERT_EQ(LoadWordSearchFile(programFolder, "Fruit", loaded), 0);
    EXPECT_EQ(loaded.index, built.index);
    ASSERT_EQ(SaveWordSearchFile(programFolder, "Again", loaded), 0);
    EXPECT_EQ(readAll(puzzlePath("Again.wsp")), first);
}

// The codes every record reader shares are tested over the three formats (recordfiles_test).
TEST_F(WordSearchFileTest, PlacementTableIsChecked)
{
    bool ok = false;
    const QByteArray record = EncodeWordSearchRecord(samplePuzzle(), ok);
    ASSERT_TRUE(ok);
    QByteArray badEntry = record;
    badEntry[740 + 8] = 5; // entry 3: (5, 0, 7, 9)
    badEntry[740 + 9] = 0;
    badEntry[740 + 10] = 7;
    badEntry[740 + 11] = 9;
    QByteArray outside = record;
    outside[740] = 21;
    QByteArray unplaced = record;
    std::fill(unplaced.begin() + 740, unplaced.begin() + 744, '\0');
    const struct {
        const char* name;
        QByteArray bytes;
        int code;
    } cases[] = {{"bad entry", badEntry, -4}, {"coordinate 21", outside, -4}, {"(0, 0, 0, 0) is not placed", unplaced, 0}};
    for (const auto& c : cases) {
        writeAll(puzzlePath("case.wsp"), c.bytes);
        WordSearchPuzzle p;
        EXPECT_EQ(LoadWordSearchFile(programFolder, "case", p), c.code) << c.name;
    }
}

TEST_F(WordSearchFileTest, HeaderOnlyFileLoadsAsAnEmptyPuzzle)
{
    bool ok = false;
    const QByteArray record = EncodeWordSearchRecord(samplePuzzle(), ok);
    writeAll(puzzlePath("Header.wsp"), record.left(1000));
    WordSearchPuzzle p = samplePuzzle();
    EXPECT_EQ(LoadWordSearchFile(programFolder, "Header", p), 0);
    for (int x = 0; x < 22; ++x)
        for (int y = 0; y < 22; ++y)
            EXPECT_EQ(p.grid[x][y], '\0');
    for (const WordSlot& s : p.wordSlots)
        EXPECT_TRUE(s.isEmpty());
    EXPECT_EQ(p.index.at(3, 4, 5, 4), 0);
}

TEST_F(WordSearchFileTest, PathRuleForUserAndPackagedNames)
{
    EXPECT_EQ(WordSearchFilePath(programFolder, "Spring"), puzzlePath("Spring.wsp"));
    EXPECT_EQ(WordSearchFilePath(programFolder, "Spring.txt"), puzzlePath("Spring.wsp"));
    EXPECT_EQ(WordSearchFilePath(programFolder, "Spring.wsp"), puzzlePath("Spring.wsp"));
    EXPECT_EQ(WordSearchFilePath(programFolder, "Animals.wsd"), puzzlePath("Animals.wsd"));
    EXPECT_EQ(WordSearchFilePath(programFolder, "Animals.WSD"), puzzlePath("Animals.WSD"));

    ASSERT_EQ(SaveWordSearchFileAt(puzzlePath("Animals.wsd"), samplePuzzle()), 0);
    WordSearchPuzzle p;
    EXPECT_EQ(LoadWordSearchFile(programFolder, "Animals.wsd", p), 0);
    EXPECT_EQ(p.wordSlots[1].word(), QByteArray("HORSE"));
}

TEST_F(WordSearchFileTest, UnsavableIndexWritesNothing)
{
    ASSERT_EQ(SaveWordSearchFile(programFolder, "Keep", samplePuzzle()), 0);
    const QByteArray before = readAll(puzzlePath("Keep.wsp"));

    WordSearchPuzzle bad = samplePuzzle();
    bad.index.at(2, 2, 2, 4) = 200;
    EXPECT_EQ(SaveWordSearchFile(programFolder, "Keep", bad), -4);
    EXPECT_EQ(readAll(puzzlePath("Keep.wsp")), before);

}

TEST_F(WordSearchFileTest, RepeatedWordKeepsBothPlacementsThroughSaveAndLoad)
{
    // A word listed twice is placed twice under the number of its first row.
    WordSearchPuzzle p = samplePuzzle();
    p.wordSlots[4].set("CAT");
    p.index.at(10, 10, 12, 10) = 1;
    ASSERT_EQ(SaveWordSearchFile(programFolder, "Twice", p), 0);
    WordSearchPuzzle loaded;
    ASSERT_EQ(LoadWordSearchFile(programFolder, "Twice", loaded), 0);
    const int first = loaded.index.at(3, 4, 5, 4);
    const int second = loaded.index.at(10, 10, 12, 10);
    EXPECT_TRUE((first == 1 && second == 5) || (first == 5 && second == 1)) << first << " " << second;
    EXPECT_EQ(loaded.wordSlots[first - 1].word(), QByteArray("CAT"));
    EXPECT_EQ(loaded.wordSlots[second - 1].word(), QByteArray("CAT"));
}
