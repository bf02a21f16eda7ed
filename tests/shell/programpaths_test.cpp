#include "platform/fileaccess.h"
#include "shell/program.h"
#include "shell/startup.h"
#include "support/testprogram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

mode_t modeOf(const QString& path)
{
    struct stat st {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}

// A machine in a temporary folder: the program in bin/ or build/, the shared and private folders.
struct Machine {
    QTemporaryDir root;
    QString at(const QString& name) const { return root.path() + "/" + name; }
    InstallLayout layout() const { return {at("bin"), at("shared"), at("home/data")}; }
    ProgramPaths place(const QString& programIn) const
    {
        ProgramPaths p;
        p.executableFolder = at(programIn) + "/";
        p.placeData(layout());
        return p;
    }
    Machine()
    {
        for (const char* folder : {"bin", "build", "shared"})
            QDir().mkpath(at(folder));
    }
};

} // namespace

TEST(ProgramPaths, DataStaysBesideAProgramRunFromItsBuildFolder)
{
    Machine m;
    const ProgramPaths p = m.place("build");
    EXPECT_EQ(p.programFolder, m.at("build/"));
    EXPECT_EQ(p.puzzleFolder(), m.at("build/Brainloft puzzles"));
    EXPECT_EQ(p.sharing, fileaccess::Sharing::Everyone);
    EXPECT_FALSE(QFileInfo::exists(m.at("shared/Brainloft puzzles"))) << "the shared folder is left alone";
}

TEST(ProgramPaths, InstalledProgramSharesTheDataFolderWithTheGroup)
{
    Machine m;
    ProgramPaths p = m.place("bin");
    EXPECT_EQ(p.programFolder, m.at("shared/"));
    EXPECT_EQ(p.musicFolder(), m.at("shared/Brainloft music"));
    EXPECT_EQ(p.sharing, fileaccess::Sharing::UsersGroup);
    for (const char* folder : {"shared/Brainloft puzzles", "shared/Brainloft music"}) {
        EXPECT_TRUE(QFileInfo(m.at(folder)).isDir()) << folder;
        EXPECT_EQ(modeOf(m.at(folder)) & 02072, 02070) << folder << ": the group writes, others never";
    }
    EXPECT_FALSE(QFileInfo::exists(m.at("shared/MYLIB000.TMP")));

    // The program found through a link to its folder is still the installed one.
    ASSERT_TRUE(QFile::link(m.at("bin"), m.at("games")));
    p = m.place("games");
    EXPECT_EQ(p.programFolder, m.at("shared/"));

    // The marker goes with the data, never beside the installed program.
    p.programFile = m.at("bin/brainloft");
    NoClock clock;
    ScriptedBoxes boxes;
    ScriptedProcesses processes;
    Program program(p, boxes, clock, processes);
    EXPECT_EQ(startup::PermissionMarkerPath(program), m.at("shared/brainloft.ok"));
}

TEST(ProgramPaths, UnusableSharedFolderFallsBackToTheUsersOwn)
{
    struct Case {
        const char* what;
        std::function<void(const Machine&)> spoil;
    };
    const std::vector<Case> cases = {
        {"missing", [](const Machine& m) { QDir(m.at("shared")).removeRecursively(); }},
        {"a file", [](const Machine& m) { QDir(m.at("shared")).removeRecursively(); QFile(m.at("shared")).open(QIODevice::WriteOnly); }},
        {"a link", [](const Machine& m) { QDir(m.at("shared")).removeRecursively(); QFile::link(m.at("build"), m.at("shared")); }},
        {"puzzles planted as a link", [](const Machine& m) { QFile::link(m.at("build"), m.at("shared/Brainloft puzzles")); }},
        {"music planted as a file", [](const Machine& m) { QFile(m.at("shared/Brainloft music")).open(QIODevice::WriteOnly); }},
        {"not writable", [](const Machine& m) { ::chmod(QFile::encodeName(m.at("shared")).constData(), 0555); }},
    };
    for (const Case& c : cases) {
        if (std::string(c.what) == "not writable" && ::geteuid() == 0)
            continue; // the superuser writes anywhere
        Machine m;
        c.spoil(m);
        const ProgramPaths p = m.place("bin");
        EXPECT_EQ(p.programFolder, m.at("home/data/")) << c.what;
        EXPECT_EQ(p.sharing, fileaccess::Sharing::Private) << c.what;
        EXPECT_TRUE(QFileInfo(m.at("home/data")).isDir()) << c.what;
        EXPECT_TRUE(QDir(m.at("build")).isEmpty()) << c.what << ": nothing is written through a link";
        ::chmod(QFile::encodeName(m.at("shared")).constData(), 0755);
    }
}

TEST(FileAccess, EachSharingOpensItsAudienceOnly)
{
    struct Case {
        fileaccess::Sharing sharing;
        mode_t file;
        mode_t folder;
    };
    // From a 0602 file (others write) and a 0700 folder.
    const Case cases[] = {
        {fileaccess::Sharing::Everyone, 0666, 0777},
        {fileaccess::Sharing::UsersGroup, 0660, 02770},
        {fileaccess::Sharing::Private, 0602, 0700},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString file = dir.filePath("Spring.wsp");
        const QString folder = dir.filePath("Brainloft puzzles");
        QFile(file).open(QIODevice::WriteOnly);
        QDir().mkdir(folder);
        ::chmod(QFile::encodeName(file).constData(), 0602);
        ::chmod(QFile::encodeName(folder).constData(), 0700);
        EXPECT_TRUE(fileaccess::openTo(file, c.sharing));
        EXPECT_TRUE(fileaccess::openTo(folder, c.sharing));
        EXPECT_EQ(modeOf(file), c.file) << int(c.sharing);
        EXPECT_EQ(modeOf(folder), c.folder) << int(c.sharing);

        // A link is never followed: its target keeps its mode.
        const QString link = dir.filePath("link.wsp");
        ASSERT_TRUE(QFile::link(folder, link));
        ::chmod(QFile::encodeName(folder).constData(), 0700);
        EXPECT_FALSE(fileaccess::openTo(link, c.sharing));
        EXPECT_EQ(modeOf(folder), mode_t(0700));
    }
    EXPECT_FALSE(fileaccess::openTo("/nonexistent/Spring.wsp", fileaccess::Sharing::Private));
}
