#include "maze/windowsize.h"

#include <algorithm>

namespace maze {
namespace {

bool isSize(QSize client, int size, WindowMargins m)
{
    return client.width() == m.width + size || client.height() == m.height + size;
}

} // namespace

QSize ClientSizeFor(int pixels, WindowMargins margins)
{
    return QSize(margins.width + pixels, margins.height + pixels);
}

int SmallerPictureSize(QSize client, WindowMargins margins)
{
    return isSize(client, 900, margins) ? 600 : 300;
}

int LargerPictureSize(QSize client, QSize frame, QSize screen, WindowMargins margins)
{
    const auto roomFor = [&](int size) {
        return screen.width() - frame.width() > margins.width + size &&
               screen.height() - frame.height() > margins.height + size;
    };
    if (isSize(client, 300, margins))
        return roomFor(600) ? 600 : 0;
    if (isSize(client, 600, margins))
        return roomFor(900) ? 900 : 0;
    return 0;
}

int PictureSizeForRoom(int room)
{
    return room >= 900 ? 900 : room >= 600 ? 600 : 300;
}

std::optional<QPoint> PlaceBeside(const QRect& area, const QRect& beside, QSize frameSize, int gap)
{
    if (frameSize.height() > area.height())
        return std::nullopt;
    const int top = std::clamp(beside.top(), area.top(), area.bottom() + 1 - frameSize.height());
    const int right = beside.right() + 1 + gap;
    if (right + frameSize.width() <= area.right() + 1)
        return QPoint(right, top);
    const int left = beside.left() - gap - frameSize.width();
    if (left >= area.left())
        return QPoint(left, top);
    return std::nullopt;
}

} // namespace maze
