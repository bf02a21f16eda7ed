#include "platform/atomicfile.h"
#include "platform/inifile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

TEST(IniFile, MissingFileReadsAsDefaults)
{
    IniFile ini(QStringLiteral("/nonexistent/folder/x.ini"));
    ini.load();
    EXPECT_EQ(ini.readInteger("installed", "installer#3"), 0);
    EXPECT_FALSE(ini.readBool("Oakhollow.Data", "Flag"));
    EXPECT_EQ(ini.readString("Software.Brainloft", "FilePath"), QString());
    EXPECT_FALSE(ini.save()) << "a folder that does not exist cannot be written";

    // A pipe in the file's place reads as no file, at once, and is never written through.
    QTemporaryDir dir;
    const QString pipe = dir.filePath("Oakhollow brainloft.ini");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    IniFile planted(pipe);
    planted.load();
    EXPECT_EQ(planted.readInteger("installed", "installer#3"), 0);
    planted.writeInteger("installed", "installer#3", 1);
    EXPECT_FALSE(planted.save());
}

TEST(IniFile, KeysAreWrittenLiterallyAndOtherLinesKept)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("packs.ini");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("; written by an installer\r\n[Installed]\r\nInstaller#2=1\r\nodd line\r\n");
    }
    IniFile ini(path);
    ini.load();
    EXPECT_EQ(ini.readInteger("installed", "installer#2"), 1) << "names compare without regard to case";
    ini.writeInteger("installed", "installer#3", 1);
    ini.writeBool("Oakhollow.Data", "Flag", true);
    ASSERT_TRUE(ini.save());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("; written by an installer\n[Installed]\nInstaller#2=1\nodd line\ninstaller#3=1\n"
                                      "[Oakhollow.Data]\nFlag=1\n"));
}

TEST(IniFile, ValuesAreReadAsTheirTypes)
{
    IniFile ini(QString{});
    ini.parse("[s]\nnum=-12\nbad=abc\nhex=0x1F\nyes=7\nno=0\nspaced =  text with blanks  \n");
    EXPECT_EQ(ini.readInteger("s", "num"), -12);
    EXPECT_EQ(ini.readInteger("s", "bad", 5), 5);
    EXPECT_EQ(ini.readInteger("s", "hex"), 31);
    EXPECT_TRUE(ini.readBool("s", "yes"));
    EXPECT_FALSE(ini.readBool("s", "no", true));
    EXPECT_EQ(ini.readString("s", "spaced"), "text with blanks");
    ini.writeString("s", "path", "two\nlines");
    EXPECT_EQ(ini.readString("s", "path"), "two lines") << "a value never splits a line";
}

TEST(IniFile, FailedSaveKeepsTheOldFile)
{
    QTemporaryDir dir;
    IniFile ini(dir.filePath("Oakhollow.ini"));
    ini.writeString("Software.Brainloft", "FilePath", "/old/");
    ASSERT_TRUE(ini.save());
    const QByteArray before = ini.text();
    ini.writeString("Software.Brainloft", "FilePath", QString(4000, 'x'));
    for (qint64 bytes : {0, 20, 2000}) {
        atomicfile::FailAfter failing(bytes);
        EXPECT_FALSE(ini.save()) << bytes;
        QFile f(ini.path());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), before);
    }
}
