#include "platform/seams.h"

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
