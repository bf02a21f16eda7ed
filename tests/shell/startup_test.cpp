#include "platform/inifile.h"
#include "shell/startup.h"
#include "support/testprogram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

mode_t modeOf(const QString& path)
{
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}

void touch(const QString& path, const QByteArray& bytes = "x")
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(Startup, FoldersAreCreatedOnlyWhenNotUsable)
{
    TestProgram t(1, false);
    const QString puzzles = t.program->paths.puzzleFolder();
    EXPECT_FALSE(startup::FolderUsable(puzzles));
    startup::PrepareFolder(puzzles);
    EXPECT_TRUE(QFileInfo(puzzles).isDir());
    EXPECT_TRUE(startup::FolderUsable(puzzles));
    EXPECT_TRUE(QDir(puzzles).entryList(QDir::Files | QDir::Hidden | QDir::System).isEmpty())
        << "the scratch file is removed again";

    // Names planted where a fixed scratch name would go, a link or a folder, change nothing.
    ASSERT_TRUE(QFile::link("/nonexistent", puzzles + "/MYLIB000.TMP"));
    ASSERT_TRUE(QDir(puzzles).mkdir(".brainloft-000000"));
    EXPECT_TRUE(startup::FolderUsable(puzzles));

    // Only one level is created: a folder inside a missing folder stays missing, silently.
    startup::PrepareFolder(t.programFolder() + "missing/deeper");
    EXPECT_FALSE(QFileInfo(t.programFolder() + "missing").exists());
}

TEST(Startup, PreparingAFolderFinishesASaveACrashCutShort)
{
    TestProgram t;
    const QString puzzles = t.program->paths.puzzleFolder();
    touch(puzzles + "/Lake.tlp1", "old");
    touch(puzzles + "/.brainloft-Ab12Cd", "new");
    touch(puzzles + "/.brainloft-journal-Ef34Gh", "brainloft journal 1\nrename\t.brainloft-Ab12Cd\tLake.tlp1\nend\n");
    touch(puzzles + "/.brainloft-Ij56Kl", "a dead writer's"); // nothing names it
    startup::PrepareFolder(puzzles);
    EXPECT_EQ(QDir(puzzles).entryList(QDir::Files | QDir::Hidden | QDir::System), QStringList{"Lake.tlp1"});
    QFile f(puzzles + "/Lake.tlp1");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "new");
}

TEST(Startup, InventoryRecordsTheProductAndAMovedFolder)
{
    TestProgram t;
    startup::RecordProductInventory(*t.program);
    IniFile ini(startup::InventoryPath(*t.program));
    ini.load();
    EXPECT_EQ(ini.readString("Software.Brainloft", "Version"), "2.0.1");
    EXPECT_EQ(ini.readString("Software.Brainloft", "Hint"), "Make or play a vairety of puzzles");
    EXPECT_EQ(ini.readString("Software.Brainloft", "AcceptUsername"), "0");
    EXPECT_EQ(ini.readString("Software.Brainloft", "AcceptPassword"), "0");
    EXPECT_EQ(ini.readString("Software.Brainloft", "AcceptFilename"), "0");
    EXPECT_EQ(ini.readString("Software.Brainloft", "ListApplication"), "1");
    EXPECT_EQ(ini.readString("Software.Brainloft", "FilePath"), t.programFolder());
    EXPECT_FALSE(ini.readString("Software.Brainloft", "LastRun").isEmpty());
    EXPECT_TRUE(ini.text().contains("[Software]\nBrainloft=\n"));
    EXPECT_TRUE(ini.text().contains("[AllSoftware]\nBrainloft=\n"));
    EXPECT_EQ(ini.readString("Software.Brainloft", "OldPath"), QString()) << "first run: nothing moved";

    const QString lastRun = ini.readString("Software.Brainloft", "LastRun");
    ini.writeString("Software.Brainloft", "FilePath", "/old/place/");
    ASSERT_TRUE(ini.save());
    startup::RecordProductInventory(*t.program);
    ini.load();
    EXPECT_EQ(ini.readString("Software.Brainloft", "OldPath"), "/old/place/");
    EXPECT_EQ(ini.readString("Software.Brainloft", "OldPathDate"), lastRun);
    EXPECT_EQ(modeOf(ini.path()) & 0666, 0666);
}

TEST(Startup, PermissionPassOpensDataButNeverTheProgram)
{
    TestProgram t;
    const Program& p = *t.program;
    touch(p.paths.programFile);
    QFile(p.paths.programFile).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    touch(p.paths.musicFolder() + "/Carousel.MID");
    touch(p.paths.musicFolder() + "/notes.txt");
    touch(p.paths.puzzleFile("Spring.wsp"));
    touch(p.paths.puzzleFile("Animals.wsd"));
    touch(p.paths.puzzleFile("Quote.sbp"));
    touch(p.paths.puzzleFile("Kitten.tlp1"));
    touch(p.paths.puzzleFile("readme.txt"));
    ::chmod(QFile::encodeName(p.paths.puzzleFile("readme.txt")).constData(), 0600);

    const QStringList entries = startup::PermissionPassEntries(p);
    EXPECT_EQ(entries,
              QStringList({"Brainloft music", "Brainloft music/Carousel.MID", "Brainloft puzzles",
                           "Brainloft puzzles/Animals.wsd", "Brainloft puzzles/Kitten.tlp1",
                           "Brainloft puzzles/Quote.sbp", "Brainloft puzzles/Spring.wsp"}));
    EXPECT_FALSE(startup::PermissionPassDone(p));
    EXPECT_TRUE(startup::RunPermissionPass(p, entries).isEmpty());
    EXPECT_EQ(modeOf(p.paths.musicFolder()) & 0777, 0777);
    EXPECT_EQ(modeOf(p.paths.puzzleFile("Spring.wsp")) & 0666, 0666);
    EXPECT_EQ(modeOf(p.paths.puzzleFile("readme.txt")), mode_t(0600)) << "files that are not puzzles are left alone";
    EXPECT_EQ(modeOf(p.paths.programFile) & 0022, 0) << "nobody else may replace the program";

    EXPECT_TRUE(startup::PermissionPassDone(p));
    IniFile marker(startup::PermissionMarkerPath(p));
    marker.load();
    EXPECT_EQ(marker.path(), p.paths.programFolder + "brainloft.ok");
    EXPECT_EQ(marker.readString("Oakhollow.Data", "Flag"), "1");
    EXPECT_EQ(marker.readString("Oakhollow.Data", "Path"), p.paths.programFolder);
}

TEST(Startup, MarkerForAnotherFolderMeansThePassIsNotDone)
{
    TestProgram t;
    const Program& p = *t.program;
    IniFile marker(startup::PermissionMarkerPath(p));
    marker.writeBool("Oakhollow.Data", "Flag", true);
    marker.writeString("Oakhollow.Data", "Path", "/elsewhere/");
    ASSERT_TRUE(marker.save());
    EXPECT_FALSE(startup::PermissionPassDone(p));

    QString upper = p.paths.programFolder.toUpper();
    upper.chop(1); // no trailing separator: one is added before comparing
    marker.writeString("Oakhollow.Data", "Path", upper);
    ASSERT_TRUE(marker.save());
    EXPECT_TRUE(startup::PermissionPassDone(p)) << "compared without regard to case";

    marker.writeBool("Oakhollow.Data", "Flag", false);
    ASSERT_TRUE(marker.save());
    EXPECT_FALSE(startup::PermissionPassDone(p));
}
