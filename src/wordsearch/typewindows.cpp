#include "wordsearch/typewindows.h"

#include "wordsearch/wordsearchwindow.h"
#include "wordsearch/highlightoptions.h"
#include "wordsearch/type.h"

namespace wordsearch {

PuzzleTypeWindows Windows()
{
    PuzzleTypeWindows windows;
    windows.type = Type();
    windows.makePlayWindow = [](Program& program, Desk& desk) -> std::unique_ptr<PlayWindow> {
        return std::make_unique<WordSearchWindow>(program, desk);
    };
    windows.makeOptionsPage = [](Program& program, ColourChooser& colours) -> OptionsPage* { return new HighlightOptions(program, colours); };
    windows.positionedWindows = {QStringLiteral("fmmain"), QStringLiteral("fmanswers"), QStringLiteral("fmgenerator")};
    return windows;
}

} // namespace wordsearch
