#include "cli/maker.h"
#include "picture/picturefiles.h"
#include "picture/puzzlebuild.h"
#include "picture/tiles.h"
#include "platform/rng.h"
#include "samplepictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace picture;

namespace {

class PictureVerbs : public ::testing::Test {
protected:
    void SetUp() override
    {
        programFolder = dir.path() + "/program/";
        QDir().mkpath(programFolder);
    }
    int run(const QStringList& args)
    {
        out.clear();
        err.clear();
        QTextStream o(&out), e(&err);
        const int status = RunMaker(args, programFolder, o, e);
        o.flush();
        e.flush();
        return status;
    }
    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }
    QByteArray read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString puzzles() const { return programFolder + "Brainloft puzzles/"; }

    QTemporaryDir dir;
    QString programFolder;
    QString out, err;
};

} // namespace

TEST_F(PictureVerbs, MakesChecksShowsAndExports)
{
    const QString jpeg = write("Lake.JPG", samples::MakeJpeg(samples::Checker(800, 600)));
    ASSERT_EQ(run({"picture", jpeg, "Lake", "--seed", "5"}), 0) << err.toStdString();
    EXPECT_EQ(out, puzzles() + "Lake.tlp1\n");
    const QByteArray board = read(puzzles() + "Lake.tlp1");
    EXPECT_EQ(board.size(), kBitmapBytes);
    ASSERT_EQ(run({"picture", jpeg, "Again", "--seed", "5", "--folder", dir.path()}), 0);
    EXPECT_EQ(read(dir.filePath("Again.tlp1")), board) << "same picture and seed, same files";
    EXPECT_EQ(read(dir.filePath("Again.tlp2")), read(puzzles() + "Lake.tlp2"));

    ASSERT_EQ(run({"check", puzzles() + "Lake.tlp1"}), 0);
    EXPECT_EQ(out, puzzles() + "Lake.tlp1: 0\n");
    ASSERT_EQ(run({"show", puzzles() + "Lake.tlp1"}), 0);
    const QStringList lines = out.split('\n');
    ASSERT_EQ(lines.size(), 9);
    for (int r = 0; r < 6; ++r)
        EXPECT_EQ(lines[r].size(), 8 * 2 + 7) << lines[r].toStdString();
    EXPECT_EQ(lines[6], "");
    EXPECT_EQ(lines[7], "pieces 48 placed 0");

    const QString png = dir.filePath("solved.png");
    ASSERT_EQ(run({"picture-export", puzzles() + "Lake.tlp1", png}), 0) << err.toStdString();
    EXPECT_EQ(out, png + "\n");
    PictureState loaded;
    ASSERT_EQ(LoadPictureFiles(programFolder, "Lake", loaded), 0);
    EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32), loaded.preview);
    EXPECT_EQ(run({"picture-export", puzzles() + "Lake.tlp1"}), 2);
    EXPECT_EQ(run({"picture-export", puzzles() + "Lake.wsp", png}), 2);
    EXPECT_EQ(run({"picture-export", puzzles() + "Gone.tlp1", png}), 1);
}

TEST_F(PictureVerbs, RefusesPicturesAndWritesNothing)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    samples::Checker(32, 32).save(&buffer, "PNG");
    struct Case {
        const char* file;
        QByteArray bytes;
        int status;
        const char* reason;
    };
    const Case cases[] = {
        {"huge.jpg", samples::WithJpegSize(samples::MakeJpeg(samples::Checker(16, 16)), 10001, 10000), 2, "100,000,000 pixels"},
        {"png.jpg", png, 2, "Not a JPEG"},
        {"drawing.wmf", QByteArray("\xd7\xcd\xc6\x9a", 4), 2, "not a WMF picture"},
        {"night.gif", samples::MakeGif({{BlackPicture(64, 48)}}), 2, "all black"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(run({"picture", write(c.file, c.bytes), "Out"}), c.status);
        EXPECT_TRUE(err.contains(c.file) && err.contains(c.reason)) << err.toStdString();
        EXPECT_TRUE(QDir(puzzles()).entryList(QDir::Files).isEmpty());
    }
    EXPECT_EQ(run({"picture", dir.filePath("missing.bmp"), "Out"}), 1);
}

TEST_F(PictureVerbs, ShowNamesEachCellsTile)
{
    PictureState state;
    Rng rng(2);
    ASSERT_TRUE(BuildPicturePuzzle(state, FitPicture(samples::Checker(1280, 480)), rng));
    state.boardTiles = state.answerTiles; // solved...
    state.boardTiles[9] = BlackTile();    // ...but for an empty cell,
    state.boardTiles[10] = state.answerTiles[12]; // a piece from elsewhere,
    state.boardTiles[11] = XTile();       // and one that is no piece at all
    QDir().mkpath(puzzles());
    ASSERT_EQ(SavePictureFiles(programFolder, "Shown", state), 0);
    ASSERT_EQ(run({"show", puzzles() + "Shown.tlp1"}), 0) << err.toStdString();
    const QStringList lines = out.split('\n');
    EXPECT_EQ(lines[0], " x  x  x  x  x  x  x  x");
    EXPECT_EQ(lines[1], " . 12  ? 12 13 14 15 16");
    EXPECT_EQ(lines[5], " x  x  x  x  x  x  x  x");
    EXPECT_EQ(lines[7], "pieces 32 placed 29");

    QFile::remove(puzzles() + "Shown.tlp3");
    EXPECT_EQ(run({"check", puzzles() + "Shown.tlp1"}), 1);
    EXPECT_EQ(out, puzzles() + "Shown.tlp1: -2\n"); // the code every kind gives for a file that cannot be read
    EXPECT_TRUE(err.contains("Shown.tlp3")) << err.toStdString();
    EXPECT_EQ(run({"show", puzzles() + "Shown.tlp1"}), 1);
}
