#include "maze/typewindows.h"

#include "maze/mazewindow.h"
#include "maze/mazeoptions.h"
#include "maze/type.h"

namespace maze {

PuzzleTypeWindows Windows()
{
    PuzzleTypeWindows windows;
    windows.type = Type();
    windows.makePlayWindow = [](Program& program, Desk& desk) -> std::unique_ptr<PlayWindow> {
        return std::make_unique<MazeWindow>(program, desk);
    };
    windows.makeOptionsPage = [](Program& program, ColourChooser& colours) -> OptionsPage* { return new MazeOptions(program, colours); };
    windows.positionedWindows = {QStringLiteral("fmmaze"), QStringLiteral("fmmzkey")};
    return windows;
}

} // namespace maze
