#include "wordsearch/windowsizes.h"

#include "wordsearch/gridpicture.h"

#include <algorithm>

namespace wordsearch {

int ZoomOf(int picturePixels)
{
    return picturePixels == 3 * kPicturePixels ? 3 : picturePixels == 2 * kPicturePixels ? 2 : 1;
}

int PicturePixelsForRoom(int room)
{
    if (room >= 3 * kPicturePixels)
        return 3 * kPicturePixels;
    if (room >= 2 * kPicturePixels)
        return 2 * kPicturePixels;
    return kPicturePixels;
}

int SmallerPicture(int pixels)
{
    return pixels == 3 * kPicturePixels ? 2 * kPicturePixels : kPicturePixels;
}

int LargerPlayPicture(int pixels, QSize screen, QSize frame, QSize margin)
{
    const auto fits = [&](int next) {
        return screen.width() - frame.width() > margin.width() + next &&
               screen.height() - frame.height() > margin.height() + next;
    };
    if (pixels == kPicturePixels && fits(2 * kPicturePixels))
        return 2 * kPicturePixels;
    if (pixels == 2 * kPicturePixels && fits(3 * kPicturePixels))
        return 3 * kPicturePixels;
    return pixels;
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

std::optional<QPoint> PlaceBeside(const QRect& ownerFrame, QSize frameSize, const QRect& area)
{
    const int lowest = area.bottom() + 1 - frameSize.height();
    const int top = std::max(area.top(), std::min(ownerFrame.top(), lowest));
    if (ownerFrame.right() + frameSize.width() <= area.right())
        return QPoint(ownerFrame.right() + 1, top);
    if (ownerFrame.left() - frameSize.width() >= area.left())
        return QPoint(ownerFrame.left() - frameSize.width(), top);
    return std::nullopt;
}

} // namespace wordsearch
