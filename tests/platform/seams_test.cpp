#include "platform/instanceguard.h"
#include "platform/seams.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TEST(ProcessRunner, RunsTheOpenedFileInItsFolderAndWaitsForItToEnd)
{
    QTemporaryDir dir;
    const auto script = [&](const QString& name, const QByteArray& body, QFile::Permissions permissions) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n" + body + "\n");
        f.close();
        f.setPermissions(permissions);
        return dir.filePath(name);
    };
    const QFile::Permissions runnable = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    const QString installer = script("Puzzleinstaller5.exe", "sleep 0.2\necho installed > installed.txt", runnable);
    const int fd = ::open(QFile::encodeName(installer).constData(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    // Another file renamed over the name after the check: the file opened is still what runs.
    ASSERT_EQ(::rename(QFile::encodeName(script("planted", "echo planted > planted.txt", runnable)).constData(),
                       QFile::encodeName(installer).constData()),
              0);

    RealProcessRunner runner;
    EXPECT_TRUE(runner.runAndWait(installer, fd, dir.path()));
    ::close(fd);
    EXPECT_TRUE(QFile::exists(dir.filePath("installed.txt"))) << "ran in the program folder, and was waited for";
    EXPECT_FALSE(QFile::exists(dir.filePath("planted.txt")));

    const QString notRunnable = script("Puzzleinstaller6.exe", "echo ran > ran6.txt", QFileDevice::ReadOwner);
    const int plain = ::open(QFile::encodeName(notRunnable).constData(), O_RDONLY | O_CLOEXEC);
    if (::geteuid() != 0) {
        EXPECT_FALSE(runner.runAndWait(notRunnable, plain, dir.path())) << "a file that may not run";
        EXPECT_FALSE(QFile::exists(dir.filePath("ran6.txt")));
    }
    ::close(plain);
    EXPECT_FALSE(runner.runAndWait(installer, -1, dir.path())) << "nothing open";
}

TEST(InstanceGuard, OnlyARunningCopyStopsAStart)
{
    QTemporaryDir dir;
    const QString lock = dir.filePath(InstanceGuard::lockName("@Ok Brainloft#"));
    // Left behind, empty, someone else's bytes, a folder, a link, a pipe: none of them stops (or
    // holds up) a start.
    auto plant = [&](const QString& what) {
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        if (what == "folder")
            QDir().mkdir(lock);
        else if (what == "link")
            QFile::link("/nonexistent", lock);
        else if (what == "pipe")
            ASSERT_EQ(::mkfifo(QFile::encodeName(lock).constData(), 0600), 0);
        else if (what != "nothing") {
            QFile f(lock);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(what == "foreign" ? "12345\nhost\nother\n" : "");
        }
    };
    for (const char* what : {"nothing", "empty", "foreign", "folder", "link", "pipe"}) {
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
