#include "picture/metafilecommon.h"

#include <algorithm>
#include <cmath>

namespace picture::metafile {

DecodeStatus ReadWhole(const PictureSource& source, QByteArray& bytes, QString& why)
{
    if (source.size() > kMaxBytes) {
        why = QStringLiteral("the metafile is larger than 16 MB");
        return DecodeStatus::TooLarge;
    }
    if (source.memory()) {
        bytes = QByteArray::fromRawData(source.memory(), source.size());
        return DecodeStatus::Ok;
    }
    bytes.resize(source.size());
    if (!source.readExactly(0, bytes.data(), bytes.size())) {
        why = QStringLiteral("the metafile could not be read");
        return DecodeStatus::Unreadable;
    }
    return DecodeStatus::Ok;
}

bool CheckEmbeddedBitmap(const unsigned char* header, qint64 headerBytes, qint64 bitsBytes, qint64& pixels, QString& why)
{
    why = QStringLiteral("the metafile holds a damaged bitmap");
    if (headerBytes < 12)
        return false;
    const quint32 size = Le32(header);
    qint64 width, height;
    int bits;
    quint32 compression = 0, coloursUsed = 0, imageBytes = 0;
    if (size == 12) {
        width = Le16(header + 4);
        height = Le16(header + 6);
        bits = static_cast<int>(Le16(header + 10));
    } else if (size >= 40 && size <= 124 && headerBytes >= qint64(size)) {
        width = static_cast<qint32>(Le32(header + 4));
        height = static_cast<qint32>(Le32(header + 8));
        bits = static_cast<int>(Le16(header + 14));
        compression = Le32(header + 16);
        imageBytes = Le32(header + 20);
        coloursUsed = Le32(header + 32);
    } else {
        return false;
    }
    height = std::abs(height);
    if (width <= 0 || height <= 0 || width * height > kMaxBitmapPixels)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    pixels += width * height;
    if (pixels > kMaxBitmapPixels) {
        why = QStringLiteral("the metafile holds bitmaps of more than 8,000,000 pixels");
        return false;
    }
    const qint64 entries = bits <= 8 ? (coloursUsed ? std::min<qint64>(coloursUsed, 256) : (1 << bits)) : 0;
    const qint64 masks = (size == 40 && (compression == 3 || compression == 6)) ? (compression == 3 ? 12 : 16) : 0;
    const qint64 info = qint64(size) + masks + entries * (size == 12 ? 3 : 4);
    const bool contiguous = bitsBytes < 0;
    if (contiguous)
        bitsBytes = headerBytes - info;
    if ((contiguous && bitsBytes < 0) || qint64(size) + masks > headerBytes)
        return false;
    if (compression == 1 || compression == 2)
        return ((compression == 1 && bits == 8) || (compression == 2 && bits == 4)) && imageBytes > 0 && qint64(imageBytes) <= bitsBytes;
    if (compression != 0 && compression != 3 && compression != 6)
        return false;
    const qint64 stride = (width * bits + 31) / 32 * 4;
    return stride * height <= bitsBytes;
}

bool FrameSize(double width, double height, QSize& size)
{
    width = std::fabs(width);
    height = std::fabs(height);
    if (!(width >= 1 && height >= 1) || width > 1e7 || height > 1e7)
        return false;
    size = QSize(static_cast<int>(std::lround(width)), static_cast<int>(std::lround(height)));
    return true;
}

} // namespace picture::metafile
