#include "maze/windowsize.h"

#include "shell/zoomsteps.h"

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
    return zoomsteps::Smaller(isSize(client, 3 * zoomsteps::kStep, margins) ? 3 * zoomsteps::kStep : 0);
}

int LargerPictureSize(QSize client, QSize frame, QSize screen, WindowMargins margins)
{
    const auto roomFor = [&](int size) {
        return screen.width() - frame.width() > margins.width + size &&
               screen.height() - frame.height() > margins.height + size;
    };
    for (const int size : {zoomsteps::kStep, 2 * zoomsteps::kStep})
        if (isSize(client, size, margins)) {
            const int next = zoomsteps::Larger(size);
            return roomFor(next) ? next : 0;
        }
    return 0;
}

int PictureSizeForRoom(int room)
{
    return zoomsteps::ForRoom(room);
}


} // namespace maze
