#include "wordsearch/typewindows.h"

#include "wordsearch/wordsearchwindow.h"
#include "wordsearch/type.h"

namespace wordsearch {

PuzzleTypeWindows Windows()
{
    return PuzzleTypeWindows{Type(), [](Program& program, Desk& desk) -> std::unique_ptr<PlayWindow> {
                                  return std::make_unique<WordSearchWindow>(program, desk);
                              }};
}

} // namespace wordsearch
