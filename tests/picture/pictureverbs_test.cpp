#include "support/makerharness.h"
#include "picture/picturefiles.h"
#include "picture/puzzlebuild.h"
#include "picture/tiles.h"
#include "platform/rng.h"
#include "samplepictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace picture;

namespace {

class PictureVerbs : public MakerHarness {
protected:
    QString write(const QString& name, const QByteArray& bytes) { return put(name, bytes); }
    QString puzzles() const { return puzzlePath(QString()); }
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

namespace {

// A 320 x 240 metafile holding one word in black letters 80 units high, and nothing else.
QByteArray metafileWithText()
{
    const auto ints = [](const QList<int>& values) {
        QByteArray b;
        for (int v : values)
            for (int shift = 0; shift < 32; shift += 8)
                b += char((quint32(v) >> shift) & 0xFF);
        return b;
    };
    QByteArray records;
    int count = 1;
    const auto record = [&](int type, const QByteArray& data) {
        records += ints({type, int(8 + data.size())}) + data;
        ++count;
    };
    record(17, ints({1})); // SETMAPMODE MM_TEXT
    record(18, ints({1})); // SETBKMODE TRANSPARENT
    QByteArray face = QByteArray("S\0a\0n\0s\0", 8).leftJustified(64, '\0');
    // EXTCREATEFONTINDIRECTW: handle, height, width, escapement, orientation, weight, then italic,
    // underline, strike-out, charset, precisions, quality, pitch (a byte each) and the face.
    record(82, ints({1, -80, 0, 0, 0, 700}) + QByteArray(8, '\0') + face);
    record(37, ints({1})); // SELECTOBJECT
    const QByteArray word = QByteArray("H\0E\0L\0L\0O\0\0\0", 12);
    // EXTTEXTOUTW: bounds, graphics mode, scales, reference point, characters, string offset,
    // options, clip rectangle, spacing offset; then the string and each character's advance.
    const int textAt = 76;
    const int spacingAt = textAt + int(word.size());
    record(84, ints({0, 0, 320, 240, 1, 0, 0, 20, 60, 5, textAt, 0, 0, 0, 320, 240, spacingAt}) + word +
                   ints({56, 56, 56, 56, 56}));
    record(14, ints({0, 16, 20})); // EOF
    QByteArray header = ints({0, 0, 319, 239, 0, 0, 320 * 2540 / 96, 240 * 2540 / 96, 0x464D4520, 0x10000, 0, count});
    header += QByteArray("\x05\0\0\0", 4) + ints({0, 0, 0, 1024, 768, 271, 203});
    QByteArray file = ints({1, int(8 + header.size())}) + header + records;
    const QByteArray size = ints({int(file.size())});
    file.replace(48, 4, size);
    return file;
}

// The share of a picture's pixels that are dark.
double darkShare(const QImage& image)
{
    qint64 dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 96;
    return double(dark) / (image.width() * image.height());
}

} // namespace

TEST_F(PictureVerbs, TheRealMakerDrawsAMetafilesText)
{
    const QString emf = write("Hello.emf", metafileWithText());
    QProcess maker;
    maker.start(BRAINLOFT_MAKE, {"picture", emf, "Hello", "--seed", "1", "--folder", dir.path()});
    ASSERT_TRUE(maker.waitForFinished(60000));
    ASSERT_EQ(maker.exitCode(), 0) << maker.readAllStandardError().toStdString();
    maker.start(BRAINLOFT_MAKE, {"picture-export", dir.filePath("Hello.tlp1"), dir.filePath("hello.png")});
    ASSERT_TRUE(maker.waitForFinished(60000));
    ASSERT_EQ(maker.exitCode(), 0);
    const double drawn = darkShare(QImage(dir.filePath("hello.png")));
    EXPECT_GT(drawn, 0.01) << "the word is drawn";

    // Without a QGuiApplication (this test's own) the text is left out: the rest is white.
    ASSERT_EQ(run({"picture", emf, "Bare", "--seed", "1", "--folder", dir.path()}), 0) << err.toStdString();
    ASSERT_EQ(run({"picture-export", dir.filePath("Bare.tlp1"), dir.filePath("bare.png")}), 0);
    EXPECT_LT(darkShare(QImage(dir.filePath("bare.png"))), drawn / 10);
}
