#include "wordsearch/windowsizes.h"

#include "shell/zoomsteps.h"
#include "wordsearch/gridpicture.h"

#include <algorithm>

namespace wordsearch {

int ZoomOf(int picturePixels)
{
    return zoomsteps::Zoom(picturePixels);
}

int PicturePixelsForRoom(int room)
{
    return zoomsteps::ForRoom(room);
}

int SmallerPicture(int pixels)
{
    return zoomsteps::Smaller(pixels);
}

int LargerPlayPicture(int pixels, QSize screen, QSize frame, QSize margin)
{
    const auto fits = [&](int next) {
        return screen.width() - frame.width() > margin.width() + next &&
               screen.height() - frame.height() > margin.height() + next;
    };
    const int next = zoomsteps::Larger(pixels);
    return next && fits(next) ? next : pixels;
}

int LargerKeyPicture(int pixels, QSize screen, QSize frame, QSize margin)
{
    if (pixels == kPicturePixels) {
        const int next = 2 * kPicturePixels;
        const bool noRoom = screen.width() - frame.width() <= margin.width() + next &&
                            screen.height() - frame.height() <= margin.height() + next;
        return noRoom ? pixels : next;
    }
    if (pixels == 2 * kPicturePixels) {
        const int next = 3 * kPicturePixels;
        const bool noRoom = screen.width() - 50 <= margin.width() + next && screen.height() - 50 <= margin.height() + next;
        return noRoom ? pixels : next;
    }
    return pixels;
}

std::optional<QPoint> CellAt(QPoint pixel, int zoom)
{
    const int cell = zoom * kCellPixels;
    if (pixel.x() < 0 || pixel.y() < 0 || cell <= 0)
        return std::nullopt;
    const QPoint at(pixel.x() / cell, pixel.y() / cell);
    if (at.x() >= kField || at.y() >= kField)
        return std::nullopt;
    return at;
}

} // namespace wordsearch
