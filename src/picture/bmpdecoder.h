#pragma once

#include "picture/decodedpicture.h"
#include "picture/picturesource.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <functional>

// Windows bitmaps, read by ourselves row by row: every header kind (the old 12-byte core header
// to the 124-byte one), 1, 4, 8, 16, 24 and 32 bits, run-length coded 4 and 8 bits, colour
// masks, rows stored bottom-up or top-down. Every row must be in the file: a bitmap cut short
// is refused, never filled in. Pixels a run-length code skips are colour 0.
namespace picture {

// The description of the pixels that follows a bitmap's header.
struct DibLayout {
    QSize size;
    bool topDown = false;
    int bits = 0;
    int compression = 0; // 0 plain, 1 and 2 run-length 8 and 4 bits, 3 and 6 colour masks
    quint32 masks[4] = {}; // red, green, blue, alpha
    bool alpha = false;    // the pixels carry alpha (a mask, or an icon's fourth byte)
    quint32 palette[256] = {};
    qint64 pixelOffset = 0; // in the source
    qint64 stride = 0;      // bytes a plain row takes
    int dotsPerMeterX = 0;  // 0 when the header gives none
    int dotsPerMeterY = 0;
};

// Reads the header at offset (a BITMAPINFOHEADER or kin, then masks and palette); the pixels
// start at pixelOffset when it is not 0, else right after the palette. heightScale divides the
// stored height (2 for an icon's colour and mask halves).
bool ReadDibLayout(const PictureSource& source, qint64 offset, qint64 pixelOffset, int heightScale, DibLayout& layout,
                   DecodeStatus& status, QString& why);

// Hands every row of the picture to row(y, pixels) as 0xAARRGGBB (alpha 255 unless
// layout.alpha), in the file's order. False with a reason when the pixels end early.
bool ReadDibRows(const PictureSource& source, const DibLayout& layout, const std::function<void(int, const quint32*)>& row,
                 QString& why);

DecodeStatus DecodeBmp(const PictureSource& source, const TargetForSize& targetFor, DecodedPicture& out);
DecodeStatus DecodeBmp(const QByteArray& bytes, const TargetForSize& targetFor, DecodedPicture& out);

// A bitmap file that must be exactly size, read whole without alpha (a picture set's board and
// solved picture). False with a reason.
bool ReadBitmapOfSize(const QByteArray& bytes, QSize size, QImage& image, QString& why);

} // namespace picture
