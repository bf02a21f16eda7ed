#include "picture/gifdecoder.h"
#include "picture/jpegdecoder.h"
#include "picture/pictureloader.h"
#include "picture/tiles.h"
#include "samplepictures.h"

#include <QBuffer>
#include <QImageWriter>
#include <gtest/gtest.h>

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

bool Near(QRgb a, QRgb b, int tolerance = 40)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
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
    };
    const Case cases[] = {
        {"jpeg claiming 10001 x 10000", samples::WithJpegSize(small, 10001, 10000), ".jpg", DecodeStatus::TooLarge},
        {"jpeg of exactly 100,000,000 pixels but no data", samples::WithJpegSize(small, 10000, 10000), ".jpg", DecodeStatus::Unreadable},
        {"bitmap claiming 100,000,001 x 1", hugeBmp, ".bmp", DecodeStatus::TooLarge},
        {"gif claiming 10001 x 10000", hugeGif, ".gif", DecodeStatus::TooLarge},
        {"png bytes named .jpg", Encoded(Marked(16, 16), "PNG"), ".jpg", DecodeStatus::Unreadable},
        {"png bytes named .gif", Encoded(Marked(16, 16), "PNG"), ".gif", DecodeStatus::Unreadable},
        {"jpeg bytes named .bmp", small, ".bmp", DecodeStatus::Unreadable},
        {"truncated jpeg header", small.left(40), ".jpg", DecodeStatus::Unreadable},
        {"truncated gif header", gif.left(10), ".gif", DecodeStatus::Unreadable},
        {"empty", QByteArray(), ".png", DecodeStatus::Unreadable},
        {"a metafile", QByteArray("\x01\x00\x00\x00", 4), ".wmf", DecodeStatus::Unreadable},
        {"png", Encoded(Marked(16, 16), "PNG"), ".png", DecodeStatus::Ok},
        {"icon", Encoded(Marked(32, 32), "ICO"), ".ico", DecodeStatus::Ok},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FittedPicture fitted = FitPictureBytes(c.bytes, c.ext);
        EXPECT_EQ(fitted.status, c.status) << fitted.reason.toStdString();
        EXPECT_EQ(fitted.canvas.isNull(), c.status != DecodeStatus::Ok);
        if (c.status != DecodeStatus::Ok) {
            EXPECT_FALSE(fitted.reason.isEmpty());
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

TEST(GifDecoder, BigScreensAreBoxReducedButCoverTheFit)
{
    const QByteArray gif = samples::MakeGif({{samples::Checker(2000, 1500)}});
    DecodedPicture decoded;
    ASSERT_EQ(DecodeGif(gif, [](QSize s) { return FitRect(s).size(); }, decoded), DecodeStatus::Ok);
    EXPECT_EQ(decoded.uprightSize, QSize(2000, 1500));
    EXPECT_EQ(decoded.image.size(), QSize(667, 500)); // factor 3
    const FittedPicture fitted = FitPictureBytes(gif, ".GIF");
    ASSERT_EQ(fitted.status, DecodeStatus::Ok);
    DecodedPicture full;
    ASSERT_EQ(DecodeGif(gif, nullptr, full), DecodeStatus::Ok);
    EXPECT_TRUE(Near(fitted.canvas.pixel(40, 40), full.image.pixel(125, 125), 2));
}
