#include "cryptogram/cryptogramfile.h"
#include "platform/rng.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>


using namespace cryptogram;

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

Cryptogram samplePuzzle()
{
    Cryptogram p;
    MakerLines lines;
    lines[0] = "HELLO, WORLD!";
    lines[1] = "I AM 42.";
    Rng rng(5);
    BuildCryptogramPuzzle(p, lines, 3, rng);
    return p;
}

class CryptogramFileTest : public ::testing::Test {
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

TEST_F(CryptogramFileTest, RecordHoldsEachFieldAtItsOffset)
{
    const Cryptogram p = samplePuzzle();
    ASSERT_EQ(SaveCryptogramFile(programFolder, "Riddle", p), 0);
    const QByteArray b = readAll(puzzlePath("Riddle.sbp"));
    ASSERT_EQ(b.size(), 976);
    EXPECT_EQ(b.left(7), QByteArray("\x04\x57\xC3\x53\xB7\x00\x09", 7));
    EXPECT_EQ(b.mid(7, 9), QByteArray(9, '\0'));
    EXPECT_EQ(b.mid(16, 4), QByteArray("\xD0\x03\x00\x00", 4)); // 976 little-endian
    EXPECT_EQ(b.mid(20, 236), QByteArray(236, '\0'));
    EXPECT_EQ(b.mid(256, 13), QByteArray("HELLO, WORLD!"));
    EXPECT_EQ(b.mid(256 + 33, 8), QByteArray("I AM 42."));
    EXPECT_EQ(b[256 + 660], ' ') << "the spare character";
    EXPECT_EQ(b.mid(917, 36), QByteArray(p.key.data(), 36));
    EXPECT_EQ(b.mid(953, 22), QByteArray(p.hints.data(), 22));
    EXPECT_EQ(b[975], '\0');

    Cryptogram loaded;
    ASSERT_EQ(LoadCryptogramFile(programFolder, "riddle", loaded), 0);
    EXPECT_EQ(loaded.text, p.text);
    EXPECT_EQ(loaded.key, p.key);
    EXPECT_EQ(loaded.hints, p.hints);
    ASSERT_EQ(SaveCryptogramFile(programFolder, "Again", loaded), 0);
    EXPECT_EQ(readAll(puzzlePath("Again.sbp")), b) << "load then save gives the same bytes";
}

// The codes every record reader shares are tested over the three formats (recordfiles_test).
TEST_F(CryptogramFileTest, AnyRecordContentLoadsAndARefusedFileChangesNothing)
{
    const QByteArray record = EncodeCryptogramRecord(samplePuzzle());
    QByteArray foreign = record;
    for (int i = 256; i < 975; ++i)
        foreign[i] = char(i * 7);
    QByteArray maze = record;
    maze[2] = char(0xC4);
    maze[4] = char(0xB8);
    const struct {
        const char* name;
        QByteArray bytes;
        int code;
    } cases[] = {{"foreign bytes", foreign, 0}, {"a maze's header", maze, -3}, {"975 bytes", record.left(975), -4}};
    for (const auto& c : cases) {
        writeAll(puzzlePath("case.sbp"), c.bytes);
        Cryptogram p = samplePuzzle();
        const Cryptogram before = p;
        EXPECT_EQ(LoadCryptogramFile(programFolder, "case", p), c.code) << c.name;
        if (c.code != 0) {
            EXPECT_EQ(p.text, before.text) << c.name << ": a refused file changes nothing";
            EXPECT_EQ(p.key, before.key) << c.name;
        } else {
            EXPECT_EQ(QByteArray(p.text.data(), 661), foreign.mid(256, 661));
        }
    }
}

TEST_F(CryptogramFileTest, PathRuleForUserAndPackagedNames)
{
    EXPECT_EQ(CryptogramFilePath(programFolder, "Riddle"), puzzlePath("Riddle.sbp"));
    EXPECT_EQ(CryptogramFilePath(programFolder, "Quotes.sbd"), puzzlePath("Quotes.sbd"));
    EXPECT_EQ(CryptogramFilePath(programFolder, "Quotes.SBD"), puzzlePath("Quotes.SBD"));
    EXPECT_EQ(CryptogramFilePath(programFolder, "Old.sbp"), puzzlePath("Old.sbp"));
    EXPECT_EQ(CryptogramFilePath(programFolder, "Mr.Smith"), puzzlePath("Mr.sbp")) << "a dotted name loses its last part";

    ASSERT_EQ(SaveCryptogramFileAt(puzzlePath("Quotes.sbd"), samplePuzzle()), 0);
    Cryptogram p;
    EXPECT_EQ(LoadCryptogramFile(programFolder, "Quotes.sbd", p), 0);
    EXPECT_EQ(QByteArray(p.text.data(), 5), QByteArray("HELLO"));
}
