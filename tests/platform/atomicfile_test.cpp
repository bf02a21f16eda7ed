#include "platform/atomicfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

TEST(AtomicFile, ReplacesKeepsModeAndRefusesWhatIsNoRegularFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.bin");
    QString error;
    ASSERT_TRUE(atomicfile::WriteFile(path, "old", &error)) << error.toStdString();
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    ASSERT_TRUE(atomicfile::WriteFile(path, "new contents"));
    EXPECT_EQ(readAll(path), "new contents");
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u) << "a replaced file keeps its permissions";

    ASSERT_TRUE(QFile::link(path, dir.filePath("link.bin")));
    EXPECT_FALSE(atomicfile::WriteFile(dir.filePath("link.bin"), "x", &error));
    EXPECT_EQ(error, "is a symbolic link");
    ASSERT_TRUE(QDir(dir.path()).mkdir("sub"));
    EXPECT_FALSE(atomicfile::WriteFile(dir.filePath("sub"), "x", &error));
    EXPECT_EQ(error, "is a folder");
    EXPECT_FALSE(atomicfile::WriteFile(dir.filePath("none/a.bin"), "x", &error));
    EXPECT_EQ(error, "No such file or directory");
    EXPECT_EQ(readAll(path), "new contents");
}

TEST(AtomicFile, SetIsWrittenAllOrNone)
{
    QTemporaryDir dir;
    const QString one = dir.filePath("p.tlp1"), two = dir.filePath("p.tlp2"), three = dir.filePath("p.tlp3");
    ASSERT_TRUE(atomicfile::WriteFiles({{one, "1old"}, {two, "2old"}}));
    const QByteArray big(5000, 'x');
    // Failing in the second or third file, or at a sync, leaves the old set and no stray file.
    for (const auto& [bytes, atSync] : {std::pair{0, false}, {5000, false}, {9000, false}, {15000, true}}) {
        atomicfile::FailAfter failing(bytes, atSync);
        QString error;
        EXPECT_FALSE(atomicfile::WriteFiles({{one, big}, {two, big}, {three, big}}, &error)) << bytes;
        EXPECT_EQ(error, atSync ? "Input/output error" : "No space left on device");
        EXPECT_EQ(readAll(one), "1old");
        EXPECT_EQ(readAll(two), "2old");
        EXPECT_FALSE(QFile::exists(three));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2) << bytes;
    }
    ASSERT_TRUE(atomicfile::WriteFiles({{one, "1"}, {two, "2"}, {three, "3"}}));
    EXPECT_EQ(readAll(one) + readAll(two) + readAll(three), "123");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
}
