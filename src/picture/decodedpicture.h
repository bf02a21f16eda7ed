#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>

// What the picture decoders share: their result codes, limits and output.
namespace picture {

// Pictures with more pixels than this are refused from their header, before any decoding.
constexpr std::int64_t kMaxPixels = 100'000'000;

enum class DecodeStatus { Ok, Unreadable, TooLarge };

// Given the picture's upright size, the size the decoded picture must at least cover.
using TargetForSize = std::function<QSize(QSize upright)>;

struct DecodedPicture {
    QImage image;      // upright, at least the target size (or the full size); may have alpha
    QSize uprightSize; // the file's own size, turned as its orientation says
    QString reason;    // why a picture was refused, for the command line
    int scansRead = 0; // JPEG: the scans decoded (a progressive file stops once it has enough)
};

// A zero side or too many pixels.
inline DecodeStatus CheckPictureSize(std::int64_t width, std::int64_t height, QString* reason)
{
    if (width <= 0 || height <= 0) {
        if (reason)
            *reason = QStringLiteral("the picture has no pixels");
        return DecodeStatus::Unreadable;
    }
    if (width > kMaxPixels || height > kMaxPixels || width * height > kMaxPixels) {
        if (reason)
            *reason = QStringLiteral("the picture has more than 100,000,000 pixels");
        return DecodeStatus::TooLarge;
    }
    return DecodeStatus::Ok;
}

inline DecodeStatus Refuse(DecodedPicture& out, DecodeStatus status, const QString& reason)
{
    out.image = QImage();
    out.reason = reason;
    return status;
}

} // namespace picture
