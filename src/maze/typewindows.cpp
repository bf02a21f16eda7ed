#include "maze/typewindows.h"

#include "maze/mazewindow.h"
#include "maze/type.h"

namespace maze {

PuzzleTypeWindows Windows()
{
    return PuzzleTypeWindows{Type(), [](Program& program, Desk& desk) -> std::unique_ptr<PlayWindow> {
                                  return std::make_unique<MazeWindow>(program, desk);
                              }};
}

} // namespace maze
