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
    // Progressive only: the whole DC in the first scan, then Cb, Cr, Y 1-5 and Y 6-63, each at
    // full precision (the library's own script sends the DC in two halves).
    bool dcFirst = false;
    bool subsampled = true; // colour at half size both ways; false keeps it full size
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

enum class BmpHeader { Core, Info, V5 };
enum class BmpPacking { Plain, Rle, Bitfields };

struct BmpOptions {
    int bits = 24; // 1, 4, 8 (palette of the picture's first colours), 16, 24 or 32
    BmpHeader header = BmpHeader::Info;
    BmpPacking packing = BmpPacking::Plain; // Rle: 4 or 8 bits; Bitfields: 16 (5-6-5) or 32 (with alpha)
    bool topDown = false;
};

// Our own bitmap writer, for the kinds the platform's writer never makes.
QByteArray MakeBmp(const QImage& picture, const BmpOptions& options = {});

// An icon file with one entry a picture: 32-bit colour with alpha and its AND mask, or PNG.
QByteArray MakeIco(const QList<QImage>& pictures, bool png = false);

// A PNG through libpng: 8-bit RGB, or RGBA when the picture has alpha, optionally interlaced.
QByteArray MakePng(const QImage& picture, bool interlaced = false);

// A PNG chunk with its length and CRC.
QByteArray PngChunk(const char* type, const QByteArray& data);

// Metafiles of plain shapes: a red left half, a blue right half and a green block at the top left
// of a frame of the given size in pixels (1/96 inch), and a 2 x 2 bitmap in the middle of the
// bottom right quarter when withBitmap.
QByteArray MakeWmf(int width, int height, bool withBitmap = false);
QByteArray MakeEmf(int width, int height, bool withBitmap = false);

// Files made to cost a reader far more than their size: each name says what it claims.
struct HostilePicture {
    const char* name;
    const char* extension;
    QByteArray bytes;
};
const QList<HostilePicture>& HostilePictures();

// A picture with a distinct colour block in each 80 x 80 cell of its own 8 x 6 grid.
QImage Checker(int width, int height);

} // namespace samples
