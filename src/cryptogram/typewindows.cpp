#include "cryptogram/typewindows.h"

#include "cryptogram/cryptogramwindow.h"
#include "cryptogram/type.h"

namespace cryptogram {

PuzzleTypeWindows Windows()
{
    return PuzzleTypeWindows{Type(), [](Program& program, Desk& desk) -> std::unique_ptr<PlayWindow> {
                                  return std::make_unique<CryptogramWindow>(program, desk);
                              }};
}

} // namespace cryptogram
