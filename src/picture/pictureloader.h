#pragma once

#include "picture/decodedpicture.h"
#include "picture/picturesource.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// The maker's way from a picture file to the fitted 640 x 480 canvas. The extension, in any
// letter case, picks the reader: .jpg/.jpeg, .gif, .bmp, .ico, .png, .wmf and .emf, all our own
// or called directly, each reading no more than the canvas needs.
namespace picture {

struct FittedPicture {
    DecodeStatus status = DecodeStatus::Unreadable;
    QImage canvas;     // 640 x 480 with black bars; null unless Ok
    QSize uprightSize; // the file's own size, turned upright
    QString reason;    // why it was refused
    bool fileError = false; // the file itself could not be opened, not its picture refused
};

// The extensions the maker offers, lower-case with their dot.
bool IsPictureExtension(const QString& lowerExtension);

// The open dialogue's filter: every kind together first, then each kind.
QString PictureFileFilter();

// extension with its dot, in any case.
FittedPicture FitPictureBytes(const QByteArray& bytes, const QString& extension);
FittedPicture FitPictureSource(const PictureSource& source, const QString& extension);
// Opens the file once (no blocking on a FIFO, checked on the descriptor) and reads it from
// there a piece at a time.
FittedPicture LoadFittedPicture(const QString& path);

} // namespace picture
