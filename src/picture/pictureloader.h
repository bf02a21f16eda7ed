#pragma once

#include "picture/decodedpicture.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// The maker's way from a picture file to the fitted 640 x 480 canvas. The extension, in any
// letter case, picks the decoder: .jpg/.jpeg and .gif our own, .bmp/.ico/.png the platform's.
namespace picture {

struct FittedPicture {
    DecodeStatus status = DecodeStatus::Unreadable;
    QImage canvas;     // 640 x 480 with black bars; null unless Ok
    QSize uprightSize; // the file's own size, turned upright
    QString reason;    // why it was refused
};

// The extensions the maker offers, lower-case with their dot.
bool IsPictureExtension(const QString& lowerExtension);

// extension with its dot, in any case.
FittedPicture FitPictureBytes(const QByteArray& bytes, const QString& extension);
FittedPicture LoadFittedPicture(const QString& path);

} // namespace picture
