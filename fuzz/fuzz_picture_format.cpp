// The maker's path from the bytes of a picture file of one format (PICTURE_EXTENSION, one target
// a format) to the fitted canvas: it returns one of its codes, and a picture it takes is a
// 640 x 480 canvas.
#include "picture/pictureloader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const picture::FittedPicture fitted = picture::FitPictureBytes(bytes, QStringLiteral(PICTURE_EXTENSION));
    if (fitted.status == picture::DecodeStatus::Ok) {
        if (fitted.canvas.size() != QSize(640, 480))
            std::abort();
    } else if (!fitted.canvas.isNull() || fitted.reason.isEmpty()) {
        std::abort();
    }
    return 0;
}
