#include "shell/puzzlepacks.h"
#include "support/testprogram.h"

#include <QFile>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

void touch(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
}

const char* const kPackText = "'Puzzle pack 3' installer has been located. Do you want to run this installer now? \n"
                              "If so click YES. If these puzzles have already been installed\n"
                              "or you wish to install them at a later time,  click NO.";

} // namespace

TEST(PuzzlePacks, EachInstallerIsOfferedOnceAndRememberedWhateverTheAnswer)
{
    TestProgram t;
    Program& p = *t.program;
    touch(puzzlepacks::InstallerPath(p, 3));
    EXPECT_EQ(puzzlepacks::InstallerPath(p, 3), t.programFolder() + "Puzzleinstaller3.exe");

    t.boxes.answer({false});
    puzzlepacks::OfferPuzzlePacks(p, false);
    ASSERT_EQ(t.boxes.boxes.size(), 1);
    EXPECT_EQ(t.boxes.boxes[0].kind, "question");
    EXPECT_EQ(t.boxes.boxes[0].title, "Install puzzle pack 3");
    EXPECT_EQ(t.boxes.boxes[0].text, kPackText);
    EXPECT_TRUE(t.processes.runs.isEmpty()) << "No runs nothing";
    EXPECT_EQ(puzzlepacks::ReadPackAsked(p, 3), 1);

    QFile ini(puzzlepacks::BookkeepingPath(p));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_EQ(ini.readAll(), QByteArray("[installed]\ninstaller#3=1\n"));

    puzzlepacks::OfferPuzzlePacks(p, false);
    EXPECT_EQ(t.boxes.boxes.size(), 1) << "a later showing does not ask again";

    t.boxes.answer({true});
    puzzlepacks::OfferPuzzlePacks(p, true);
    EXPECT_EQ(t.boxes.boxes.size(), 2) << "asking for all offers it again";
    EXPECT_EQ(t.processes.runs, QStringList{t.programFolder() + "Puzzleinstaller3.exe"});
    EXPECT_EQ(t.processes.folders, QStringList{t.programFolder()});
}

TEST(PuzzlePacks, InstallerThatWillNotStartIsStillMarked)
{
    TestProgram t;
    Program& p = *t.program;
    touch(puzzlepacks::InstallerPath(p, 12));
    t.processes.startable = false;
    t.boxes.answer({true});
    puzzlepacks::OfferPuzzlePacks(p, false);
    EXPECT_EQ(t.processes.runs.size(), 1);
    EXPECT_EQ(t.boxes.boxes.size(), 1) << "a failed start is not reported";
    EXPECT_EQ(puzzlepacks::ReadPackAsked(p, 12), 1);
}

TEST(PuzzlePacks, OnlyNumbersOneToAThousandInRisingOrder)
{
    TestProgram t;
    Program& p = *t.program;
    for (const char* name : {"Puzzleinstaller1000.exe", "Puzzleinstaller1001.exe", "Puzzleinstaller2.exe",
                             "Puzzleinstaller0.exe", "Puzzleinstaller03.exe", "Puzzleinstaller7.txt"})
        touch(t.programFolder() + name);
    puzzlepacks::OfferPuzzlePacks(p, false);
    EXPECT_EQ(t.boxes.titles(), QStringList({"Install puzzle pack 2", "Install puzzle pack 1000"}));
    EXPECT_EQ(puzzlepacks::ReadPackAsked(p, 1001), 0);
}

TEST(PuzzlePacks, OnlyInstallersNoOtherUserCouldHavePlantedAreOffered)
{
    TestProgram t;
    Program& p = *t.program;
    const auto place = [&](int n, mode_t mode) {
        const QString path = puzzlepacks::InstallerPath(p, n);
        touch(path);
        ::chmod(QFile::encodeName(path).constData(), mode);
        return path;
    };
    place(1, 0755);
    place(2, 0775); // the group could have changed it
    place(3, 0757); // anyone could have changed it
    ASSERT_TRUE(QFile::link(place(9, 0755), puzzlepacks::InstallerPath(p, 4)));
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(QFile::encodeName(place(5, 0755)).constData(), 4242, 4242), 0); // another user's
    }

    t.boxes.answer({true});
    puzzlepacks::OfferPuzzlePacks(p, true);
    EXPECT_EQ(t.boxes.titles(), QStringList({"Install puzzle pack 1", "Install puzzle pack 9"}));
    EXPECT_EQ(t.processes.runs, QStringList{puzzlepacks::InstallerPath(p, 1)});
    EXPECT_EQ(puzzlepacks::ReadPackAsked(p, 2), 0) << "a refused installer is not even asked about";
}

// The installer that was checked is the one that runs: another user's file renamed over it while
// the question is open (the folder is the group's) runs nothing of theirs.
TEST(PuzzlePacks, AFileSwappedInWhileTheQuestionIsOpenDoesNotRun)
{
    TestProgram t;
    Program& p = *t.program;
    const QString installer = puzzlepacks::InstallerPath(p, 4);
    {
        QFile f(installer);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\necho the pack\n");
    }
    ::chmod(QFile::encodeName(installer).constData(), 0755);
    const QString planted = t.programFolder() + "planted";
    {
        QFile f(planted);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\necho someone else\n");
    }
    ::chmod(QFile::encodeName(planted).constData(), 0777);
    t.boxes.onBox = [&](const ScriptedBoxes::Box&) {
        ASSERT_EQ(::rename(QFile::encodeName(planted).constData(), QFile::encodeName(installer).constData()), 0);
    };
    t.boxes.answer({true});
    puzzlepacks::OfferPuzzlePacks(p, false);
    ASSERT_EQ(t.processes.contents.size(), 1);
    EXPECT_EQ(t.processes.contents[0], QByteArray("#!/bin/sh\necho the pack\n"));
}
