#include "platform/instanceguard.h"
#include "platform/seams.h"

#include <QDir>

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ProcessRunner, RunsAnInstallerInItsFolderAndWaitsForItToEnd)
{
    QTemporaryDir dir;
    const QString installer = dir.filePath("Puzzleinstaller5.exe");
    QFile script(installer);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nsleep 0.2\necho installed > installed.txt\n");
    script.close();
    script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    RealProcessRunner runner;
    EXPECT_TRUE(runner.runAndWait(installer, dir.path()));
    EXPECT_TRUE(QFile::exists(dir.filePath("installed.txt"))) << "ran in the program folder, and was waited for";

    EXPECT_FALSE(runner.runAndWait(dir.filePath("Puzzleinstaller6.exe"), dir.path())) << "a missing installer";
}

TEST(InstanceGuard, OnlyARunningCopyStopsAStart)
{
    QTemporaryDir dir;
    const QString lock = dir.filePath(InstanceGuard::lockName("@Ok Brainloft#"));
    // Left behind, empty, someone else's bytes, a folder, a link: none of them stops a start.
    auto plant = [&](const QString& what) {
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        if (what == "folder")
            QDir().mkdir(lock);
        else if (what == "link")
            QFile::link("/nonexistent", lock);
        else if (what != "nothing") {
            QFile f(lock);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(what == "foreign" ? "12345\nhost\nother\n" : "");
        }
    };
    for (const char* what : {"nothing", "empty", "foreign", "folder", "link"}) {
        plant(what);
        InstanceGuard first("@Ok Brainloft#", dir.path());
        EXPECT_TRUE(first.acquire()) << what;
    }
    plant("nothing");
    {
        InstanceGuard running("@Ok Brainloft#", dir.path());
        ASSERT_TRUE(running.acquire());
        InstanceGuard second("@Ok Brainloft#", dir.path());
        EXPECT_FALSE(second.acquire()) << "a running copy holds it";
    }
    InstanceGuard afterExit("@Ok Brainloft#", dir.path());
    EXPECT_TRUE(afterExit.acquire()) << "the lock goes with its holder";
}
