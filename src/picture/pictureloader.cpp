#include "picture/pictureloader.h"

#include "picture/bmpdecoder.h"
#include "picture/gifdecoder.h"
#include "picture/icodecoder.h"
#include "picture/jpegdecoder.h"
#include "picture/metafiles.h"
#include "picture/pngdecoder.h"
#include "picture/tiles.h"
#include "platform/filenames.h"
#include "platform/inputfile.h"

namespace picture {
namespace {

// Bigger files than this cannot hold a picture we would take.
constexpr qint64 kMaxFileBytes = 512LL * 1024 * 1024;

QSize TargetFor(QSize upright)
{
    const QRect rect = FitRect(upright);
    return rect.isEmpty() ? QSize(1, 1) : rect.size();
}

} // namespace

bool IsPictureExtension(const QString& ext)
{
    static const QStringList known = {".jpg", ".jpeg", ".gif", ".bmp", ".ico", ".png", ".wmf", ".emf"};
    return known.contains(ext);
}

QString PictureFileFilter()
{
    return QStringLiteral("All pictures (*.bmp *.jpg *.jpeg *.gif *.ico *.png *.wmf *.emf);;Bitmaps (*.bmp);;JPEG pictures (*.jpg *.jpeg);;"
                          "GIF pictures (*.gif);;Icons (*.ico);;PNG pictures (*.png);;Metafiles (*.wmf *.emf)");
}

FittedPicture FitPictureBytes(const QByteArray& bytes, const QString& extension)
{
    return FitPictureSource(PictureSource(bytes), extension);
}

FittedPicture FitPictureSource(const PictureSource& source, const QString& extension)
{
    const QString ext = extension.toLower();
    FittedPicture fitted;
    DecodedPicture decoded;
    DecodeStatus status;
    if (ext == ".jpg" || ext == ".jpeg")
        status = DecodeJpeg(source, TargetFor, decoded);
    else if (ext == ".gif")
        status = DecodeGif(source, TargetFor, decoded);
    else if (ext == ".bmp")
        status = DecodeBmp(source, TargetFor, decoded);
    else if (ext == ".png")
        status = DecodePng(source, TargetFor, decoded);
    else if (ext == ".ico")
        status = DecodeIco(source, TargetFor, decoded);
    else if (ext == ".wmf")
        status = DecodeWmf(source, TargetFor, decoded);
    else if (ext == ".emf")
        status = DecodeEmf(source, TargetFor, decoded);
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
        // The fit follows the file's own size; the decoded one may be reduced.
        fitted.canvas = FitIntoCanvas(decoded.image, FitRect(decoded.uprightSize));
    }
    return fitted;
}

FittedPicture LoadFittedPicture(const QString& path)
{
    inputfile::InputFile file;
    if (!file.open(path, kMaxFileBytes)) {
        FittedPicture fitted;
        fitted.fileError = true;
        if (file.error().startsWith(QLatin1String("larger than"))) {
            fitted.status = DecodeStatus::TooLarge;
            fitted.fileError = false;
            fitted.reason = QStringLiteral("the file is larger than 512 MB");
        } else {
            fitted.reason = file.error();
        }
        return fitted;
    }
    return FitPictureSource(PictureSource(file.descriptor(), file.size()), filenames::lowerExtension(path));
}

} // namespace picture
