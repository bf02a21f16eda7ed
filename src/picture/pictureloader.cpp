#include "picture/pictureloader.h"

#include "picture/gifdecoder.h"
#include "picture/jpegdecoder.h"
#include "picture/tiles.h"
#include "platform/filenames.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace picture {
namespace {

// Bigger files than this cannot hold a picture we would take.
constexpr qint64 kMaxFileBytes = 512LL * 1024 * 1024;

DecodeStatus DecodeWithPlatform(const QByteArray& bytes, const QByteArray& format, DecodedPicture& out)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    if (!size.isValid()) {
        out.reason = QStringLiteral("not a %1 picture").arg(QString::fromLatin1(format.toUpper()));
        return DecodeStatus::Unreadable;
    }
    const DecodeStatus sized = CheckPictureSize(size.width(), size.height(), &out.reason);
    if (sized != DecodeStatus::Ok)
        return sized;
    // Our own pixel limit decides; the reader's default would refuse pictures we take.
    const int oldLimit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(512);
    out.uprightSize = size;
    const bool read = reader.read(&out.image) && !out.image.isNull();
    QImageReader::setAllocationLimit(oldLimit);
    if (!read) {
        out.reason = reader.errorString();
        return DecodeStatus::Unreadable;
    }
    out.uprightSize = out.image.size();
    return DecodeStatus::Ok;
}

QSize TargetFor(QSize upright)
{
    const QRect rect = FitRect(upright);
    return rect.isEmpty() ? QSize(1, 1) : rect.size();
}

} // namespace

bool IsPictureExtension(const QString& ext)
{
    static const QStringList known = {".jpg", ".jpeg", ".gif", ".bmp", ".ico", ".png"};
    return known.contains(ext);
}

FittedPicture FitPictureBytes(const QByteArray& bytes, const QString& extension)
{
    const QString ext = extension.toLower();
    FittedPicture fitted;
    DecodedPicture decoded;
    DecodeStatus status;
    if (ext == ".jpg" || ext == ".jpeg")
        status = DecodeJpeg(bytes, TargetFor, decoded);
    else if (ext == ".gif")
        status = DecodeGif(bytes, TargetFor, decoded);
    else if (ext == ".bmp" || ext == ".ico" || ext == ".png")
        status = DecodeWithPlatform(bytes, ext.mid(1).toLatin1(), decoded);
    else {
        fitted.reason = QStringLiteral("pictures of this kind are not read");
        return fitted;
    }
    fitted.status = status;
    fitted.reason = decoded.reason;
    if (status != DecodeStatus::Ok && fitted.reason.isEmpty())
        fitted.reason = QStringLiteral("the picture could not be read");
    fitted.uprightSize = decoded.uprightSize;
    if (status == DecodeStatus::Ok) {
        // The fit follows the file's own size; the decoded one may be DCT- or box-reduced.
        fitted.canvas = FitIntoCanvas(decoded.image, FitRect(decoded.uprightSize));
    }
    return fitted;
}

FittedPicture LoadFittedPicture(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        FittedPicture fitted;
        fitted.reason = file.errorString();
        return fitted;
    }
    if (file.size() > kMaxFileBytes) {
        FittedPicture fitted;
        fitted.status = DecodeStatus::TooLarge;
        fitted.reason = QStringLiteral("the file is larger than 512 MB");
        return fitted;
    }
    const QByteArray bytes = file.readAll();
    return FitPictureBytes(bytes, filenames::lowerExtension(path));
}

} // namespace picture
