#include "picture/typewindows.h"

#include "picture/picturewindow.h"
#include "picture/type.h"

namespace picture {

PuzzleTypeWindows Windows()
{
    PuzzleTypeWindows windows;
    windows.type = Type();
    windows.makePlayWindow = [](Program& program, Desk& desk) -> std::unique_ptr<PlayWindow> {
        return std::make_unique<PictureWindow>(program, desk);
    };
    windows.positionedWindows = {QStringLiteral("fmpclick"), QStringLiteral("fmpcheat"), QStringLiteral("fmpmaker")};
    return windows;
}

} // namespace picture
