#include "support/makerharness.h"
#include "wordsearch/wordsearchfile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class MakerTest : public MakerHarness {
protected:
    QString writeList(const QByteArray& text, const QString& name = "list.txt") { return put(name, text); }
};

} // namespace

TEST_F(MakerTest, BuildsIntoThePuzzleFolderAndIsReproducibleWithASeed)
{
    const QString list = writeList("cat\ndog\n\n  horse \nelephant\n");
    ASSERT_EQ(run({"wordsearch", list, "Animals", "--seed", "42"}), 0) << err.toStdString();
    const QString path = programFolder + "Brainloft puzzles/Animals.wsp";
    EXPECT_EQ(out, path + "\n");
    EXPECT_TRUE(err.isEmpty());
    const QByteArray first = read(path);
    ASSERT_EQ(first.size(), 1748);

    ASSERT_EQ(run({"wordsearch", list, "Again", "--seed", "42", "--folder", dir.path()}), 0);
    EXPECT_EQ(read(dir.filePath("Again.wsp")), first) << "same list and seed, same file";
    ASSERT_EQ(run({"wordsearch", list, "Other", "--seed", "43", "--folder", dir.path()}), 0);
    EXPECT_NE(read(dir.filePath("Other.wsp")), first);

    // File order is row order: word 1 is CAT, word 3 HORSE.
    wordsearch::WordSearchPuzzle p;
    ASSERT_EQ(wordsearch::LoadWordSearchFileAt(path, p), 0);
    EXPECT_EQ(p.wordSlots[0].word(), QByteArray("CAT"));
    EXPECT_EQ(p.wordSlots[2].word(), QByteArray("HORSE"));
}

TEST_F(MakerTest, BadListsAreRefusedAndNothingIsWritten)
{
    struct Case {
        QByteArray text;
        QString expected;
    } cases[] = {
        {"cat\nd0g\n", "list.txt:2: a word may hold only the letters A to Z"},
        {"cat\n\na\n", "list.txt:3: single letters are not allowed"},
        {"abcdefghijk\n", "list.txt:1: a word may have at most 10 letters"},
        {QByteArray("ab\n").repeated(65), "list.txt:65: a list may hold at most 64 words"},
        {QByteArray("abcdefghij\n").repeated(28) + "xy\n", "list.txt:29: a list may hold at most 280 letters"},
        {"\n\n", "list.txt: the list holds no words"},
    };
    for (const Case& c : cases) {
        const QString list = writeList(c.text);
        EXPECT_EQ(run({"wordsearch", list, "Bad", "--folder", dir.path()}), 2);
        EXPECT_TRUE(err.endsWith(c.expected + "\n")) << err.toStdString();
        EXPECT_EQ(err.count('\n'), 1) << "one line";
        EXPECT_FALSE(QFile::exists(dir.filePath("Bad.wsp")));
    }
    EXPECT_EQ(run({"wordsearch", dir.filePath("missing.txt"), "Bad"}), 1) << "an input that cannot be read";
    for (const char* name : {"a/b", ".", "..", ".hidden", "a\x7f" "b", "a\x01" "b", "tab\tname", "bad\xef\xbf\xbd"}) {
        EXPECT_EQ(run({"wordsearch", writeList("cat\n"), QString::fromUtf8(name)}), 2) << name;
        EXPECT_FALSE(err.contains(QChar(1)) || err.contains(QChar(0x7f)) || err.contains(QChar('\t'))) << "no raw controls";
    }
    EXPECT_EQ(run({"wordsearch", writeList("cat\n"), "Good", "--seed", "-1"}), 2);
    EXPECT_EQ(run({"wordsearch", writeList("cat\n"), "Good", "--retry", "x"}), 2);
    EXPECT_EQ(run({"wordsearch", writeList("cat\n"), "Good", "--colour"}), 2);
}

TEST_F(MakerTest, FolderThatCannotBeWrittenFailsClearly)
{
    const QString list = writeList("cat\n");
    EXPECT_EQ(run({"wordsearch", list, "X", "--folder", dir.filePath("nowhere")}), 1);
    EXPECT_TRUE(err.contains("does not exist"));
    QDir().mkpath(dir.filePath("ro/X.wsp")); // a folder where the file should go
    EXPECT_EQ(run({"wordsearch", list, "X", "--folder", dir.filePath("ro")}), 1);
    EXPECT_TRUE(err.contains("could not save " + dir.filePath("ro/X.wsp") + ": is a folder")) << err.toStdString();
    EXPECT_EQ(run({"wordsearch", list, "X", "--folder", list}), 1);
    EXPECT_TRUE(err.contains("is not a folder"));
}

TEST_F(MakerTest, NamesMatchWithoutCaseAndInputsComeWithAMarkOrThroughAPipe)
{
    ASSERT_EQ(run({"wordsearch", writeList("\xEF\xBB\xBF" "cat\ndog\n"), "Spring", "--seed", "1"}), 0) << err.toStdString();
    const QString spring = programFolder + "Brainloft puzzles/Spring.wsp";
    ASSERT_EQ(run({"wordsearch", writeList("cow\nhen\n"), "spring", "--seed", "1"}), 0);
    EXPECT_EQ(out, spring + "\n") << "the existing file is replaced under its own name";
    EXPECT_EQ(QDir(programFolder + "Brainloft puzzles").entryList(QDir::Files), QStringList{"Spring.wsp"});
    EXPECT_EQ(run({"show", spring}), 0);
    EXPECT_TRUE(out.contains(" COW ") && out.contains(" HEN "));

    QProcess maker;
    maker.start(BRAINLOFT_MAKE, {"wordsearch", "-", "Piped", "--folder", dir.path(), "--seed", "3"});
    maker.write("ant\nbee\n");
    maker.closeWriteChannel();
    ASSERT_TRUE(maker.waitForFinished(30000));
    EXPECT_EQ(maker.exitCode(), 0) << maker.readAllStandardError().toStdString();
    EXPECT_TRUE(QFile::exists(dir.filePath("Piped.wsp")));
}

TEST_F(MakerTest, SeedsKeepGivingTheSameFiles)
{
    // Pinned: a change that moves one draw or one byte of the record shows here.
    const QString list = writeList("cat\ndog\nhorse\nelephant\nzebra\n");
    for (const auto& [seed, sha] : {std::pair{"42", "4c6eec04b808ef74a296ba2a20224ee9a3e46ace"},
                                   {"7", "a291b955add0d5e5c3624f5dc0d42be211ca1560"}}) {
        ASSERT_EQ(run({"wordsearch", list, "Pin", "--folder", dir.path(), "--seed", seed}), 0);
        EXPECT_EQ(QCryptographicHash::hash(read(dir.filePath("Pin.wsp")), QCryptographicHash::Sha1).toHex(), sha) << seed;
    }
}

TEST_F(MakerTest, CheckPrintsEachReadersCode)
{
    const QString list = writeList("cat\ndog\n");
    ASSERT_EQ(run({"wordsearch", list, "Good", "--folder", dir.path(), "--seed", "1"}), 0);
    QFile bad(dir.filePath("bad.wsd"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a puzzle");
    bad.close();
    const QString good = dir.filePath("Good.wsp");
    EXPECT_EQ(run({"check", good}), 0);
    EXPECT_EQ(out, good + ": 0\n");
    EXPECT_EQ(run({"check", good, dir.filePath("bad.wsd"), dir.filePath("gone.wsp")}), 1);
    EXPECT_EQ(out, good + ": 0\n" + dir.filePath("bad.wsd") + ": -3\n" + dir.filePath("gone.wsp") + ": -2\n");
    EXPECT_EQ(run({"check", dir.filePath("notes.txt")}), 2);
    EXPECT_TRUE(err.contains("unknown kind"));
}

TEST_F(MakerTest, ShowPrintsGridAndWords)
{
    wordsearch::WordSearchPuzzle p;
    wordsearch::ClearPuzzle(p);
    for (int x = 1; x <= 20; ++x)
        for (int y = 1; y <= 20; ++y)
            p.grid[x][y] = 'Q';
    p.grid[1][1] = 'C';
    p.grid[2][1] = 'A';
    p.grid[3][1] = 'T';
    p.grid[20][20] = '?';
    p.wordSlots[1].set("CAT");
    p.index.at(1, 1, 3, 1) = 2;
    p.wordSlots[4].set("LOST");
    const QString path = dir.filePath("Show.wsp");
    ASSERT_EQ(wordsearch::SaveWordSearchFileAt(path, p), 0);
    ASSERT_EQ(run({"show", path}), 0);
    const QStringList lines = out.split('\n');
    ASSERT_EQ(lines.size(), 20 + 1 + 2 + 1);
    EXPECT_EQ(lines[0], "CATQQQQQQQQQQQQQQQQQ");
    EXPECT_EQ(lines[19], "QQQQQQQQQQQQQQQQQQQ.");
    EXPECT_EQ(lines[20], "");
    EXPECT_EQ(lines[21], "2 CAT 1,1 3,1");
    EXPECT_EQ(lines[22], "5 LOST - -");

    EXPECT_EQ(run({"show", dir.filePath("missing.wsp")}), 1);
    EXPECT_TRUE(err.contains("cannot be read"));
}

TEST_F(MakerTest, HelpForTheProgramAndEachVerb)
{
    for (const QStringList& args : {QStringList{"--help"}, QStringList{"wordsearch", "--help"},
                                    QStringList{"check", "--help"}, QStringList{"show", "--help"}}) {
        EXPECT_EQ(run(args), 0);
        EXPECT_TRUE(out.startsWith("Usage: brainloft-make")) << args.join(' ').toStdString();
    }
    EXPECT_EQ(run({}), 2);
    EXPECT_EQ(run({"frobnicate"}), 2);
}

TEST_F(MakerTest, TheRealProgramUsesThePuzzleFolderBesideIt)
{
    QProcess maker;
    maker.start(BRAINLOFT_MAKE, {"--help"});
    ASSERT_TRUE(maker.waitForFinished(30000));
    EXPECT_EQ(maker.exitCode(), 0);
    EXPECT_TRUE(maker.readAllStandardOutput().contains("wordsearch LIST NAME"));
}
