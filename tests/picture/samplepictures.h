#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

// Pictures made for tests, benchmarks and hand checks, through the same libraries we decode with.
namespace samples {

enum class JpegColour { Rgb, Grey, Cmyk, Ycck };

struct JpegOptions {
    bool progressive = false;
    JpegColour colour = JpegColour::Rgb;
    int orientation = 0; // 0: no EXIF block
    int quality = 92;
};

QByteArray MakeJpeg(const QImage& picture, const JpegOptions& options = {});

// Rewrites the frame size in a JPEG's SOF marker.
QByteArray WithJpegSize(QByteArray jpeg, int width, int height);

struct GifFrame {
    QImage picture; // colours taken from the first 255 of a fixed palette, by nearest match
    int left = 0;
    int top = 0;
};

struct GifOptions {
    int screenWidth = 0; // 0: the first frame's size
    int screenHeight = 0;
    bool interlace = false;
    int transparentIndex = -1; // palette index written as transparent in the first frame
};

// Palette: index 0 black, 1 white, 2 red, 3 green, 4 blue, 5 yellow, a 6 x 6 x 6 colour cube,
// then greys.
QByteArray MakeGif(const QList<GifFrame>& frames, const GifOptions& options = {});

// A picture with a distinct colour block in each 80 x 80 cell of its own 8 x 6 grid.
QImage Checker(int width, int height);

} // namespace samples
