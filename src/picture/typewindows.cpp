#include "picture/typewindows.h"

#include "picture/picturewindow.h"
#include "picture/type.h"

namespace picture {

PuzzleTypeWindows Windows()
{
    return PuzzleTypeWindows{Type(), [](Program& program, Desk& desk) -> std::unique_ptr<PlayWindow> {
                                  return std::make_unique<PictureWindow>(program, desk);
                              },
                              {}};
}

} // namespace picture
