#include "shell/recolour.h"

void RecolourPicture(QImage& target, QRgb colour)
{
    if (target.isNull())
        return;
    if (target.format() != QImage::Format_RGB32)
        target = target.convertToFormat(QImage::Format_RGB32);
    const QRgb paint = 0xFF000000u | (colour & 0xFFFFFFu);
    for (int y = 0; y < target.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(target.scanLine(y));
        for (int x = 0; x < target.width(); ++x) {
            const QRgb rgb = row[x] & 0xFFFFFFu;
            if (rgb != 0 && rgb != 0xFFFFFFu)
                row[x] = paint;
        }
    }
}

