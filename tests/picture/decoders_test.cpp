#include "picture/bmpdecoder.h"
#include "picture/gifdecoder.h"
#include "picture/icodecoder.h"
#include "picture/jpegdecoder.h"
#include "picture/picturefiles.h"
#include "picture/pictureloader.h"
#include "picture/pngdecoder.h"
#include "picture/puzzlebuild.h"
#include "picture/tiles.h"
#include "platform/rng.h"
#include "samplepictures.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

using namespace picture;

namespace {

// Left half red, right half blue, a green block in the top-left corner.
QImage Marked(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, x < w / 4 && y < h / 4 ? qRgb(0, 255, 0) : x < w / 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    return image;
}

// Blocks of `colours` distinct colours, a few pixels each: exact through any palette that size.
QImage Blocks(int w, int h, int colours)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int i = (x / 3 + y / 2 * 5) % colours;
            image.setPixel(x, y, qRgb(i * 255 / std::max(1, colours - 1), (i * 97) % 256, 255 - i * 13));
        }
    return image;
}

// A photograph's worth of detail with a black band over the first row of cells.
QImage Photo(int w, int h)
{
    QImage image = samples::Checker(w, h);
    QPainter painter(&image);
    QLinearGradient glow(0, 0, w, h);
    glow.setColorAt(0, QColor(255, 255, 255, 90));
    glow.setColorAt(1, QColor(0, 0, 0, 60));
    painter.fillRect(image.rect(), glow);
    painter.setPen(QPen(QColor(250, 240, 30), 3));
    for (int i = 0; i < 12; ++i)
        painter.drawLine(i * w / 12, h / 4, w - i * w / 24, h);
    painter.fillRect(0, 0, w, h / 6 + 2, Qt::black);
    return image;
}

bool Near(QRgb a, QRgb b, int tolerance = 40)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// The largest difference of any channel, alpha included.
int MaxDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 1000;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    int worst = 0;
    for (int j = 0; j < x.height(); ++j)
        for (int i = 0; i < x.width(); ++i) {
            const QRgb p = x.pixel(i, j), q = y.pixel(i, j);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q)),
                              std::abs(qAlpha(p) - qAlpha(q))});
        }
    return worst;
}

double Rms(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 1000;
    double sum = 0;
    for (int j = 0; j < a.height(); ++j)
        for (int i = 0; i < a.width(); ++i) {
            const QRgb p = a.pixel(i, j), q = b.pixel(i, j);
            sum += std::pow(qRed(p) - qRed(q), 2) + std::pow(qGreen(p) - qGreen(q), 2) + std::pow(qBlue(p) - qBlue(q), 2);
        }
    return std::sqrt(sum / (3.0 * a.width() * a.height()));
}

QByteArray Encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.write(image);
    return bytes;
}

QStringList Pieces(const QImage& canvas)
{
    PictureState state;
    Rng rng(1);
    BuildPicturePuzzle(state, canvas, rng);
    return state.puzzleCells;
}

} // namespace

TEST(JpegDecoder, KindsOfJpegFitTheirHeaderSize)
{
    struct Case {
        const char* name;
        samples::JpegOptions options;
        QRgb topLeft, topRight; // colours seen in the fitted canvas
    };
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255), green = qRgb(0, 255, 0);
    const Case cases[] = {
        {"baseline", {}, green, blue},
        {"progressive", {true}, green, blue},
        {"grey", {false, samples::JpegColour::Grey}, qRgb(150, 150, 150), qRgb(29, 29, 29)},
        {"cmyk", {false, samples::JpegColour::Cmyk}, green, blue},
        {"ycck progressive", {true, samples::JpegColour::Ycck}, green, blue},
        {"orientation 1", {false, samples::JpegColour::Rgb, 1}, green, blue},
        {"orientation 2 (mirrored)", {false, samples::JpegColour::Rgb, 2}, blue, green},
        {"orientation 3 (upside down)", {false, samples::JpegColour::Rgb, 3}, blue, red},
        {"orientation 6 (turned right)", {false, samples::JpegColour::Rgb, 6}, red, green},
        {"orientation 8 (turned left)", {false, samples::JpegColour::Rgb, 8}, blue, blue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray jpeg = samples::MakeJpeg(Marked(800, 600), c.options);
        const FittedPicture fitted = FitPictureBytes(jpeg, ".jpg");
        ASSERT_EQ(fitted.status, DecodeStatus::Ok) << fitted.reason.toStdString();
        const bool turned = c.options.orientation >= 5;
        EXPECT_EQ(fitted.uprightSize, turned ? QSize(600, 800) : QSize(800, 600));
        const QRect rect = FitRect(fitted.uprightSize);
        EXPECT_TRUE(Near(fitted.canvas.pixel(rect.left() + 10, rect.top() + 10), c.topLeft)) << std::hex << fitted.canvas.pixel(rect.left() + 10, rect.top() + 10);
        EXPECT_TRUE(Near(fitted.canvas.pixel(rect.right() - 10, rect.top() + 10), c.topRight)) << std::hex << fitted.canvas.pixel(rect.right() - 10, rect.top() + 10);
        if (turned) {
            EXPECT_EQ(fitted.canvas.pixel(rect.left() - 1, 240) & 0xffffffu, 0u);
        }
    }
}

TEST(JpegDecoder, ScalesByEighthsButFitsLikeTheHeader)
{
    const QByteArray jpeg = samples::MakeJpeg(samples::Checker(4001, 3000), {false, samples::JpegColour::Rgb, 0, 60});
    DecodedPicture decoded;
    ASSERT_EQ(DecodeJpeg(jpeg, [](QSize s) { return FitRect(s).size(); }, decoded), DecodeStatus::Ok);
    EXPECT_EQ(decoded.image.size(), QSize(1001, 750)); // 2/8: the smallest covering 640 x 479
    EXPECT_EQ(decoded.uprightSize, QSize(4001, 3000));
    const FittedPicture fitted = FitPictureBytes(jpeg, ".JPEG");
    ASSERT_EQ(fitted.status, DecodeStatus::Ok);
    for (int x = 0; x < 640; x += 7) {
        EXPECT_NE(fitted.canvas.pixel(x, 478) & 0xffffffu, 0u);
        EXPECT_EQ(fitted.canvas.pixel(x, 479) & 0xffffffu, 0u);
    }
}

// A progressive file holds the same coefficients as a baseline one of the same quality, sent in
// scans; the decoder stops once the scans the scale reads have come, and what it shows stays
// within a few levels of the whole file's picture, with the same pieces.
TEST(JpegDecoder, ProgressiveFilesStopAtTheScansTheScaleNeeds)
{
    struct Case {
        const char* name;
        samples::JpegOptions options;
        int eighths;
        int scansRead;
    };
    samples::JpegOptions dcFirst{true, samples::JpegColour::Rgb, 0, 85};
    dcFirst.dcFirst = true;
    samples::JpegOptions dcFirstFullColour = dcFirst;
    dcFirstFullColour.subsampled = false;
    samples::JpegOptions greyDcFirst = dcFirst;
    greyDcFirst.colour = samples::JpegColour::Grey;
    const Case cases[] = {
        // DC, Cb 1-63, Cr 1-63, Y 1-5, Y 6-63: at 1/8 the half-size colour reads its lowest terms.
        {"DC first, 1/8", dcFirst, 1, 3},
        {"DC first, 2/8: luminance terms up to 1 x 1", dcFirst, 2, 4},
        {"DC first, 4/8: luminance terms up to 3 x 3", dcFirst, 4, 5},
        {"DC first, full-size colour, 1/8: the DC alone", dcFirstFullColour, 1, 1},
        {"grey, DC first, 1/8", greyDcFirst, 1, 1},
        // The library's script halves the DC and refines the colour last but for luminance.
        {"library script, 1/8", {true, samples::JpegColour::Rgb, 0, 85}, 1, 9},
        {"library script, 8/8", {true, samples::JpegColour::Rgb, 0, 85}, 8, 10},
    };
    const QImage photo = Photo(1280, 960);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        samples::JpegOptions baselineOptions = c.options;
        baselineOptions.progressive = false;
        const QByteArray progressive = samples::MakeJpeg(photo, c.options);
        const QByteArray baseline = samples::MakeJpeg(photo, baselineOptions);
        const auto target = [&](QSize s) { return s * c.eighths / 8; };
        DecodedPicture fromScans, whole;
        ASSERT_EQ(DecodeJpeg(progressive, target, fromScans), DecodeStatus::Ok) << fromScans.reason.toStdString();
        ASSERT_EQ(DecodeJpeg(baseline, target, whole), DecodeStatus::Ok);
        EXPECT_EQ(fromScans.scansRead, c.scansRead);
        EXPECT_EQ(fromScans.image.size(), photo.size() * c.eighths / 8);
        EXPECT_LE(Rms(fromScans.image, whole.image), 2.5);
        const QImage shown = FitIntoCanvas(fromScans.image, FitRect(photo.size()));
        const QImage today = FitIntoCanvas(whole.image, FitRect(photo.size()));
        EXPECT_LE(Rms(shown, today), 2.5);
        EXPECT_EQ(Pieces(shown), Pieces(today));
    }
}

TEST(BitmapReaders, EveryKindReadsPixelForPixel)
{
    using samples::BmpHeader;
    using samples::BmpPacking;
    QImage see = Blocks(37, 23, 12).convertToFormat(QImage::Format_ARGB32);
    for (int x = 0; x < 37; ++x) {
        see.setPixel(x, 0, qRgba(0, 0, 0, 0));
        see.setPixel(x, 1, qRgba(200, 10, 10, 128));
    }
    QImage seeIcon = see.copy(0, 0, 32, 23);
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* ext;
        QImage expected;
        int tolerance;
    };
    const QImage two = Blocks(37, 23, 2), sixteen = Blocks(37, 23, 16), many = Blocks(37, 23, 200);
    const Case cases[] = {
        {"bmp core header, 1 bit", samples::MakeBmp(two, {1, BmpHeader::Core}), ".bmp", two, 0},
        {"bmp core header, 8 bits", samples::MakeBmp(many, {8, BmpHeader::Core}), ".bmp", many, 0},
        {"bmp core header, 24 bits", samples::MakeBmp(many, {24, BmpHeader::Core}), ".bmp", many, 0},
        {"bmp 1 bit", samples::MakeBmp(two, {1}), ".bmp", two, 0},
        {"bmp 4 bits", samples::MakeBmp(sixteen, {4}), ".bmp", sixteen, 0},
        {"bmp 4 bits run-length", samples::MakeBmp(sixteen, {4, BmpHeader::Info, BmpPacking::Rle}), ".bmp", sixteen, 0},
        {"bmp 8 bits run-length", samples::MakeBmp(many, {8, BmpHeader::Info, BmpPacking::Rle}), ".bmp", many, 0},
        {"bmp 16 bits 5-5-5", samples::MakeBmp(many, {16}), ".bmp", many, 8},
        {"bmp 16 bits masks 5-6-5", samples::MakeBmp(many, {16, BmpHeader::Info, BmpPacking::Bitfields}), ".bmp", many, 8},
        {"bmp 24 bits top-down", samples::MakeBmp(many, {24, BmpHeader::Info, BmpPacking::Plain, true}), ".bmp", many, 0},
        {"bmp 8 bits top-down", samples::MakeBmp(many, {8, BmpHeader::Info, BmpPacking::Plain, true}), ".bmp", many, 0},
        {"bmp 32 bits", samples::MakeBmp(many, {32}), ".bmp", many, 0},
        {"bmp 32 bits with alpha, large header", samples::MakeBmp(see, {32, BmpHeader::V5, BmpPacking::Bitfields}), ".bmp", see, 0},
        {"bmp 32 bits with alpha, top-down", samples::MakeBmp(see, {32, BmpHeader::V5, BmpPacking::Bitfields, true}), ".bmp", see, 0},
        {"platform bmp", Encoded(many, "BMP"), ".bmp", many, 0},
        {"png", samples::MakePng(many), ".png", many, 0},
        {"png with alpha", samples::MakePng(see), ".png", see, 0},
        {"png interlaced with alpha", samples::MakePng(see, true), ".png", see, 0},
        {"png with a palette", Encoded(many.convertToFormat(QImage::Format_Indexed8), "PNG"), ".png", many, 0},
        {"png grey, 16 bits", Encoded(many.convertToFormat(QImage::Format_Grayscale16), "PNG"), ".png",
         many.convertToFormat(QImage::Format_Grayscale16), 1},
        {"ico 32 bits, the larger of two", samples::MakeIco({seeIcon.copy(0, 0, 16, 16), seeIcon}), ".ico", seeIcon, 0},
        {"ico holding a png", samples::MakeIco({see}, true), ".ico", see, 0},
        {"platform ico", Encoded(many.copy(0, 0, 32, 23), "ICO"), ".ico", many.copy(0, 0, 32, 23), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DecodedPicture decoded;
        const QString ext = QString::fromLatin1(c.ext);
        const DecodeStatus status = ext == ".bmp" ? DecodeBmp(c.bytes, nullptr, decoded)
            : ext == ".png"                       ? DecodePng(c.bytes, nullptr, decoded)
                                                  : DecodeIco(c.bytes, nullptr, decoded);
        ASSERT_EQ(status, DecodeStatus::Ok) << decoded.reason.toStdString();
        EXPECT_EQ(decoded.uprightSize, c.expected.size());
        EXPECT_LE(MaxDifference(decoded.image, c.expected), c.tolerance);
    }
}

// Big pictures are box-reduced as their rows arrive: what the maker shows stays within a few
// levels of the whole picture smooth-scaled, with the same pieces.
TEST(BitmapReaders, BigPicturesAreReducedWhileTheyRead)
{
    using samples::BmpHeader;
    using samples::BmpPacking;
    const QImage photo = Photo(1300, 970);
    const QImage posterised = photo.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither).convertToFormat(QImage::Format_RGB32);
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* ext;
    };
    const Case cases[] = {
        {"bmp 24 bits", samples::MakeBmp(photo), ".bmp"},
        {"bmp 8 bits run-length", samples::MakeBmp(posterised, {8, BmpHeader::Info, BmpPacking::Rle}), ".bmp"},
        {"png", samples::MakePng(photo), ".png"},
        {"png interlaced", samples::MakePng(photo, true), ".png"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DecodedPicture decoded;
        const auto target = [](QSize s) { return FitRect(s).size(); };
        const QString ext = QString::fromLatin1(c.ext);
        const DecodeStatus status = ext == ".bmp" ? DecodeBmp(c.bytes, target, decoded) : DecodePng(c.bytes, target, decoded);
        ASSERT_EQ(status, DecodeStatus::Ok) << decoded.reason.toStdString();
        EXPECT_EQ(decoded.image.size(), QSize(640, 476)); // averaged straight to the fitted size
        const FittedPicture fitted = FitPictureBytes(c.bytes, ext);
        DecodedPicture whole; // read at full size and smooth-scaled, as the maker did before
        ASSERT_EQ(ext == ".bmp" ? DecodeBmp(c.bytes, nullptr, whole) : DecodePng(c.bytes, nullptr, whole), DecodeStatus::Ok);
        const QImage today = FitPicture(whole.image);
        EXPECT_LE(Rms(fitted.canvas, today), 2.5);
        EXPECT_EQ(Pieces(fitted.canvas), Pieces(today));
    }
}

TEST(Metafiles, DrawnAtTheirFrameSizeThenFitted)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* ext;
        QSize frame;
    };
    const Case cases[] = {
        {"wmf 320 x 240", samples::MakeWmf(320, 240, true), ".wmf", {320, 240}},
        {"emf 320 x 240", samples::MakeEmf(320, 240, true), ".emf", {320, 240}},
        {"wmf 400 x 200", samples::MakeWmf(400, 200, true), ".WMF", {400, 200}},
        {"emf 400 x 200", samples::MakeEmf(400, 200, true), ".Emf", {400, 200}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FittedPicture fitted = FitPictureBytes(c.bytes, c.ext);
        ASSERT_EQ(fitted.status, DecodeStatus::Ok) << fitted.reason.toStdString();
        EXPECT_EQ(fitted.uprightSize, c.frame);
        const QRect r = FitRect(c.frame);
        const auto at = [&](double fx, double fy) { return fitted.canvas.pixel(r.left() + int(fx * r.width()), r.top() + int(fy * r.height())); };
        EXPECT_TRUE(Near(at(0.1, 0.1), qRgb(0, 255, 0))) << std::hex << at(0.1, 0.1);
        EXPECT_TRUE(Near(at(0.4, 0.5), qRgb(255, 0, 0))) << std::hex << at(0.4, 0.5);
        EXPECT_TRUE(Near(at(0.9, 0.2), qRgb(0, 0, 255))) << std::hex << at(0.9, 0.2);
        // The bitmap in the bottom right quarter: yellow at its top left, white at its bottom right.
        EXPECT_TRUE(Near(at(0.64, 0.64), qRgb(255, 255, 0), 80)) << std::hex << at(0.64, 0.64);
        EXPECT_TRUE(Near(at(0.86, 0.86), qRgb(255, 255, 255), 80)) << std::hex << at(0.86, 0.86);
        if (r.top() > 0) {
            EXPECT_EQ(fitted.canvas.pixel(320, r.top() - 1) & 0xffffffu, 0u);
        }
    }
}

TEST(PictureLoader, RefusesHugeForeignAndBrokenPictures)
{
    const QByteArray small = samples::MakeJpeg(Marked(16, 16));
    QByteArray hugeBmp = Encoded(Marked(4, 1), "BMP");
    hugeBmp[18] = char(0x01); // width 100,000,001 = 0x05F5E101
    hugeBmp[19] = char(0xE1);
    hugeBmp[20] = char(0xF5);
    hugeBmp[21] = char(0x05);
    const QByteArray gif = samples::MakeGif({{Marked(16, 16)}});
    QByteArray hugeGif = gif;
    hugeGif[6] = char(0x11); // 10001 x 10000 screen
    hugeGif[7] = char(0x27);
    hugeGif[8] = char(0x10);
    hugeGif[9] = char(0x27);
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* ext;
        DecodeStatus status;
        const char* reason;
    };
    const Case cases[] = {
        {"jpeg claiming 10001 x 10000", samples::WithJpegSize(small, 10001, 10000), ".jpg", DecodeStatus::TooLarge, "100,000,000 pixels"},
        {"jpeg of exactly 100,000,000 pixels but no data", samples::WithJpegSize(small, 10000, 10000), ".jpg", DecodeStatus::Unreadable,
         "ends early"},
        {"bitmap claiming 100,000,001 x 1", hugeBmp, ".bmp", DecodeStatus::TooLarge, "100,000,000 pixels"},
        {"gif claiming 10001 x 10000", hugeGif, ".gif", DecodeStatus::TooLarge, "100,000,000 pixels"},
        {"png bytes named .jpg", Encoded(Marked(16, 16), "PNG"), ".jpg", DecodeStatus::Unreadable, "Not a JPEG"},
        {"png bytes named .gif", Encoded(Marked(16, 16), "PNG"), ".gif", DecodeStatus::Unreadable, "not a GIF"},
        {"jpeg bytes named .bmp", small, ".bmp", DecodeStatus::Unreadable, "not a bitmap"},
        {"jpeg bytes named .ico", small, ".ico", DecodeStatus::Unreadable, "not an ICO picture"},
        {"jpeg bytes named .png", small, ".png", DecodeStatus::Unreadable, "not a PNG"},
        {"jpeg bytes named .wmf", small, ".wmf", DecodeStatus::Unreadable, "not a WMF"},
        {"jpeg bytes named .emf", small, ".emf", DecodeStatus::Unreadable, "not an EMF"},
        {"truncated jpeg header", small.left(40), ".jpg", DecodeStatus::Unreadable, ""},
        {"truncated gif header", gif.left(10), ".gif", DecodeStatus::Unreadable, ""},
        {"empty", QByteArray(), ".png", DecodeStatus::Unreadable, ""},
        {"a metafile cut to its first bytes", QByteArray("\xd7\xcd\xc6\x9a", 4), ".wmf", DecodeStatus::Unreadable, ""},
        {"a kind not read", small, ".tif", DecodeStatus::Unreadable, "not read"},
        {"png", Encoded(Marked(16, 16), "PNG"), ".png", DecodeStatus::Ok, ""},
        {"icon", Encoded(Marked(32, 32), "ICO"), ".ico", DecodeStatus::Ok, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FittedPicture fitted = FitPictureBytes(c.bytes, c.ext);
        EXPECT_EQ(fitted.status, c.status) << fitted.reason.toStdString();
        EXPECT_EQ(fitted.canvas.isNull(), c.status != DecodeStatus::Ok);
        if (c.status != DecodeStatus::Ok) {
            EXPECT_FALSE(fitted.reason.isEmpty());
            EXPECT_TRUE(fitted.reason.contains(QLatin1String(c.reason))) << fitted.reason.toStdString();
        }
    }
    EXPECT_TRUE(IsPictureExtension(".wmf") && IsPictureExtension(".emf") && !IsPictureExtension(".tif"));
    EXPECT_TRUE(PictureFileFilter().startsWith("All pictures (*.bmp *.jpg *.jpeg *.gif *.ico *.png *.wmf *.emf)"));
}

namespace {

struct BoundedRun {
    bool exited = false;
    DecodeStatus status = DecodeStatus::Unreadable;
    double peakMiB = 0;
    QByteArray standardError;
};

// Loads path in a fresh process of its own whose address space may grow by at most 160 MiB;
// reports the outcome, the resident memory the load added at its peak and what it printed.
BoundedRun LoadBounded(const QString& path)
{
    QProcess child;
    child.start(QStringLiteral(PICTURE_SAMPLES_TOOL), {QStringLiteral("--load-bounded"), path});
    BoundedRun run;
    if (!child.waitForFinished(60000))
        return run;
    const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
    run.exited = child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 && fields.size() == 2;
    if (run.exited) {
        run.status = static_cast<DecodeStatus>(fields[0].toInt());
        run.peakMiB = fields[1].toDouble() / 1024.0;
    }
    run.standardError = child.readAllStandardError();
    return run;
}

} // namespace

#ifndef BOUNDED_LOAD_MIB
#define BOUNDED_LOAD_MIB 100
#endif

// Small files made to cost far more than their size are refused, or read, within bounded memory
// and without a word on standard error. (Their times are in the benchmark.)
TEST(PictureLoader, HostilePicturesStayBoundedAndQuiet)
{
    const std::map<std::string, DecodeStatus> handled = {
        {"bmp rle8 10000 x 10000 of 1 KB", DecodeStatus::Ok},
        {"bmp indices beyond its palette", DecodeStatus::Ok},
        {"gif 10000 x 10000 screen", DecodeStatus::Ok},
        {"png 10000 x 10000 of zeros", DecodeStatus::Ok},
        {"bmp claiming 30000 x 30000 in 1 KB", DecodeStatus::TooLarge},
        {"ico claiming 30000 x 15000", DecodeStatus::TooLarge},
        {"jpeg progressive 10000 x 10000 of 499 scans", DecodeStatus::TooLarge},
        {"jpeg progressive 10000 x 10000 of 602 scans", DecodeStatus::TooLarge},
        {"jpeg progressive 4000 x 3000 of 2000 real scans", DecodeStatus::TooLarge},
        {"emf of 40000 full-frame fills", DecodeStatus::TooLarge},
        {"wmf of 60000 full-frame fills", DecodeStatus::TooLarge},
    };
    QTemporaryDir dir;
    for (const samples::HostilePicture& hostile : samples::HostilePictures()) {
        SCOPED_TRACE(hostile.name);
        const QString path = dir.filePath(QStringLiteral("picture") + QLatin1String(hostile.extension));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(hostile.bytes);
        file.close();
        const BoundedRun run = LoadBounded(path);
        ASSERT_TRUE(run.exited);
        const auto expected = handled.find(hostile.name);
        EXPECT_EQ(run.status, expected == handled.end() ? DecodeStatus::Unreadable : expected->second);
        EXPECT_LT(run.peakMiB, double(BOUNDED_LOAD_MIB));
        EXPECT_TRUE(run.standardError.isEmpty()) << run.standardError.left(300).toStdString();
    }
}

TEST(PictureLoader, OpensTheFileOnceAndNeverWaitsOnAFifo)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe.png");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const FittedPicture fromFifo = LoadFittedPicture(fifo);
    EXPECT_EQ(fromFifo.status, DecodeStatus::Unreadable);
    EXPECT_TRUE(fromFifo.fileError);
    const FittedPicture missing = LoadFittedPicture(dir.filePath("missing.png"));
    EXPECT_TRUE(missing.fileError);
    QFile file(dir.filePath("Lake.JPG"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(samples::MakeJpeg(Marked(800, 600), {true}));
    file.close();
    const FittedPicture fitted = LoadFittedPicture(file.fileName());
    ASSERT_EQ(fitted.status, DecodeStatus::Ok) << fitted.reason.toStdString();
    EXPECT_TRUE(Near(fitted.canvas.pixel(20, 20), qRgb(0, 255, 0)));
}

// The picture set's own bitmaps: stored top-down or bottom-up, every row there or refused.
TEST(PictureLoader, PictureSetBitmapsTopDownLoadAndCutOnesAreRefused)
{
    using samples::BmpHeader;
    using samples::BmpPacking;
    PictureState built;
    Rng rng(4);
    ASSERT_TRUE(BuildPicturePuzzle(built, FitPicture(samples::Checker(1280, 480)), rng));
    const QImage board = JoinTiles(built.boardTiles);
    const QImage answer = JoinTiles(built.answerTiles);
    const QByteArray cells = EncodePictureFiles(built).cells;
    const QImage few = answer.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither).convertToFormat(QImage::Format_RGB32);
    const QByteArray core = samples::MakeBmp(few, {8, BmpHeader::Core});
    const QByteArray rle = samples::MakeBmp(few, {8, BmpHeader::Info, BmpPacking::Rle});
    struct Case {
        const char* name;
        QByteArray answerFile;
        int code;
    };
    const Case cases[] = {
        {"top-down 24 bits", samples::MakeBmp(answer, {24, BmpHeader::Info, BmpPacking::Plain, true}), 0},
        {"top-down 32 bits", samples::MakeBmp(answer, {32, BmpHeader::V5, BmpPacking::Bitfields, true}), 0},
        {"core header", core, 0},
        {"core header missing rows", core.left(core.size() - 640), -1},
        {"run-length", rle, 0},
        {"run-length without its end", rle.left(rle.size() - 300), -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PictureState state;
        QString why;
        ASSERT_EQ(DecodePictureFiles({samples::MakeBmp(board, {24, BmpHeader::Info, BmpPacking::Plain, true}), cells, c.answerFile}, state, &why), c.code)
            << why.toStdString();
        if (c.code == 0) {
            EXPECT_EQ(state.puzzleCells, built.puzzleCells);
            EXPECT_EQ(JoinTiles(state.boardTiles), board);
        } else {
            EXPECT_TRUE(why.contains("cut short")) << why.toStdString();
        }
    }
}

TEST(GifDecoder, FirstFrameInterlacedClippedWithWhiteForTransparency)
{
    QImage second(40, 30, QImage::Format_RGB32);
    second.fill(qRgb(255, 255, 0));
    QImage first = Marked(40, 30);
    for (int x = 25; x < 40; ++x)
        first.setPixel(x, 29, qRgb(0, 0, 0));
    for (const bool interlace : {false, true}) {
        SCOPED_TRACE(interlace ? "interlaced" : "progressive rows");
        samples::GifOptions options;
        options.interlace = interlace;
        options.transparentIndex = 0; // black
        options.screenWidth = 50;     // the frame hangs 10 pixels over the right edge
        options.screenHeight = 40;
        const QByteArray gif = samples::MakeGif({{first, 20, 5}, {second, 0, 0}}, options);
        DecodedPicture decoded;
        ASSERT_EQ(DecodeGif(gif, nullptr, decoded), DecodeStatus::Ok);
        ASSERT_EQ(decoded.image.size(), QSize(50, 40));
        EXPECT_EQ(decoded.image.pixel(0, 0), qRgb(255, 255, 255));   // outside the frame
        EXPECT_EQ(decoded.image.pixel(20, 5), qRgb(0, 255, 0));      // frame's top-left
        EXPECT_EQ(decoded.image.pixel(35, 20), qRgb(255, 0, 0));
        EXPECT_EQ(decoded.image.pixel(45, 20), qRgb(0, 0, 255));
        EXPECT_EQ(decoded.image.pixel(25, 6 + 28), qRgb(255, 0, 0)); // last row, second half...
        EXPECT_EQ(decoded.image.pixel(49, 34), qRgb(255, 255, 255)); // ...transparent black
    }
}

namespace {

// Whole-block means, each rounded half down: how the maker has always reduced a GIF.
QImage BlockMeans(const QImage& full, int f)
{
    QImage out((full.width() + f - 1) / f, (full.height() + f - 1) / f, QImage::Format_RGB32);
    for (int oy = 0; oy < out.height(); ++oy)
        for (int ox = 0; ox < out.width(); ++ox) {
            int sum[3] = {}, area = 0;
            for (int y = oy * f; y < std::min(full.height(), oy * f + f); ++y)
                for (int x = ox * f; x < std::min(full.width(), ox * f + f); ++x, ++area) {
                    sum[0] += qRed(full.pixel(x, y));
                    sum[1] += qGreen(full.pixel(x, y));
                    sum[2] += qBlue(full.pixel(x, y));
                }
            const auto mean = [&](int s) { return 255 + (s - 255 * area - area / 2) / area; };
            out.setPixel(ox, oy, qRgb(mean(sum[0]), mean(sum[1]), mean(sum[2])));
        }
    return out;
}

} // namespace

// Big screens, in order or interlaced, reduce by whole blocks exactly as they always have, so a
// puzzle made from a GIF stays what it was.
TEST(GifDecoder, BigScreensAreBoxReducedExactlyAsBefore)
{
    const QImage posterised = Photo(1300, 970).convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither).convertToFormat(QImage::Format_RGB32);
    struct Case {
        const char* name;
        QByteArray gif;
        QSize reduced;
    };
    samples::GifOptions interlaced;
    interlaced.interlace = true;
    const Case cases[] = {
        {"2000 x 1500 in order: thirds", samples::MakeGif({{samples::Checker(2000, 1500)}}), {667, 500}},
        {"1300 x 970 interlaced: halves", samples::MakeGif({{posterised}}, interlaced), {650, 485}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DecodedPicture decoded, full;
        ASSERT_EQ(DecodeGif(c.gif, [](QSize s) { return FitRect(s).size(); }, decoded), DecodeStatus::Ok);
        ASSERT_EQ(DecodeGif(c.gif, nullptr, full), DecodeStatus::Ok);
        EXPECT_EQ(decoded.image.size(), c.reduced);
        EXPECT_EQ(decoded.image, BlockMeans(full.image, full.image.width() / c.reduced.width() + (full.image.width() % c.reduced.width() ? 1 : 0)));
    }
}
