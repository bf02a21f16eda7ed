#include "brainloft_resources.h"
#include "cli/maker.h"
#include "platform/atomicfile.h"
#include "shell/tunes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class TuneVerbsTest : public ::testing::Test {
protected:
    int run(const QStringList& args)
    {
        out.clear();
        err.clear();
        QTextStream o(&out), e(&err);
        const int status = RunMaker(args, dir.path() + "/", o, e);
        o.flush();
        e.flush();
        return status;
    }
    void put(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QTemporaryDir dir;
    QString out, err;
};

} // namespace

TEST_F(TuneVerbsTest, TunesWritesTheProgramsFilesAndKeepsOnesThere)
{
    InitBrainloftResources();
    const QString target = dir.filePath("music");
    QDir().mkdir(target);
    put(target + "/STRINGS.mid", "mine");
    EXPECT_EQ(run({"tunes", target}), 0) << err.toStdString();
    const QStringList lines = out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 14);
    EXPECT_EQ(lines[0], "written " + target + "/Carousel.MID");
    EXPECT_EQ(lines[2], "kept " + target + "/STRINGS.mid");
    for (const tunes::CarriedTune& tune : tunes::CarriedTunes()) {
        QFile f(target + "/" + tune.fileName);
        if (tune.resource == "music3")
            continue;
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << tune.fileName.toStdString();
        EXPECT_EQ(f.readAll(), *tunes::CompiledTune(tune.resource));
    }
    EXPECT_EQ(run({"tunes", target}), 0);
    EXPECT_EQ(out.count("kept "), 14) << "never replaced";

    EXPECT_EQ(run({"tunes", dir.filePath("new")}), 0) << "a missing folder is made";
    EXPECT_EQ(run({"tunes", dir.filePath("no/such/folder")}), 1);
    EXPECT_TRUE(err.contains("cannot make the folder")) << err.toStdString();
    EXPECT_EQ(run({"tunes"}), 2);
    EXPECT_EQ(run({"tunes", "a", "b"}), 2);
    {
        atomicfile::FailAfter failing(0);
        EXPECT_EQ(run({"tunes", dir.filePath("failing")}), 1);
    }
    EXPECT_EQ(err.count("could not write"), 14);
}

TEST_F(TuneVerbsTest, CheckAndShowReadTunes)
{
    InitBrainloftResources();
    ASSERT_EQ(run({"tunes", dir.filePath("m")}), 0);
    const QString carousel = dir.filePath("m/Carousel.MID");
    put(dir.filePath("junk.rmi"), "junk");
    put(dir.filePath("cut.Mid"), tunes::CompiledTune("music1")->left(100));
    EXPECT_EQ(run({"check", carousel, dir.filePath("junk.rmi"), dir.filePath("cut.Mid"), dir.filePath("gone.mid")}), 1);
    EXPECT_EQ(out, carousel + ": 0\n" + dir.filePath("junk.rmi") + ": -3\n" + dir.filePath("cut.Mid") + ": -4\n" +
                       dir.filePath("gone.mid") + ": -2\n");

    EXPECT_EQ(run({"show", carousel}), 0);
    EXPECT_EQ(out, "format 1, 4 tracks, 70344 ticks, 52.3 s, 371 notes\n");
    EXPECT_EQ(run({"show", dir.filePath("junk.rmi")}), 1);
    EXPECT_TRUE(err.contains("cannot be read as a tune (code -3)")) << err.toStdString();
}
