#include "maze/windowsize.h"

namespace maze {
namespace {

bool isSize(QSize client, int size, WindowMargins m)
{
    return client.width() == m.width + size || client.height() == m.height + size;
}

} // namespace

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

} // namespace maze
