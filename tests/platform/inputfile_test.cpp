#include "platform/inputfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using inputfile::Links;

TEST(InputFile, ReadsRegularFilesOnlyAndNeverBlocks)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("file.bin");
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("0123456789");
    }
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(file, dir.filePath("link")));
    ASSERT_TRUE(QFile::link(dir.filePath("fifo"), dir.filePath("link-to-fifo")));
    QDir(dir.path()).mkdir("folder");

    struct Case {
        const char* name;
        qint64 maxBytes;
        Links links;
        bool ok;
        const char* error;
    } cases[] = {
        {"file.bin", 10, Links::Follow, true, ""},
        {"file.bin", 9, Links::Follow, false, "larger than 9 bytes"},
        {"link", 10, Links::Follow, true, ""},
        {"link", 10, Links::Refuse, false, "a link, not a file"},
        {"fifo", 10, Links::Follow, false, "not a regular file"},
        {"link-to-fifo", 10, Links::Follow, false, "not a regular file"},
        {"folder", 10, Links::Follow, false, "a folder, not a file"},
        {"missing", 10, Links::Follow, false, "No such file or directory"},
    };
    for (const Case& c : cases) {
        QByteArray bytes("stale");
        QString error;
        EXPECT_EQ(inputfile::ReadFile(dir.filePath(c.name), c.maxBytes, bytes, &error, c.links), c.ok) << c.name;
        EXPECT_EQ(error, QString::fromLatin1(c.error)) << c.name;
        EXPECT_EQ(bytes, c.ok ? QByteArray("0123456789") : QByteArray()) << c.name;
    }
}

TEST(InputFile, AFileThatGrowsPastItsBoundAfterTheCheckIsRefused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("growing");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("abc");
    f.flush();
    inputfile::InputFile in;
    ASSERT_TRUE(in.open(path, 5));
    EXPECT_EQ(in.size(), 3);
    f.write("defghij");
    f.flush();
    QByteArray bytes;
    EXPECT_FALSE(in.readAll(bytes));
    EXPECT_EQ(in.error(), "larger than 5 bytes");
    EXPECT_TRUE(bytes.isEmpty());
}
