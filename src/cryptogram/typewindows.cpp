#include "cryptogram/typewindows.h"

#include "cryptogram/cryptogramwindow.h"
#include "cryptogram/skilloptions.h"
#include "cryptogram/type.h"

namespace cryptogram {

PuzzleTypeWindows Windows()
{
    PuzzleTypeWindows windows;
    windows.type = Type();
    windows.makePlayWindow = [](Program& program, Desk& desk) -> std::unique_ptr<PlayWindow> {
        return std::make_unique<CryptogramWindow>(program, desk);
    };
    windows.makeOptionsPage = [](Program&, ColourChooser&) -> OptionsPage* { return new SkillOptions; };
    windows.positionedWindows = {QStringLiteral("fmcrypt"), QStringLiteral("fmcmaker")};
    return windows;
}

} // namespace cryptogram
