#include "maze/type.h"

namespace maze {

PuzzleType Type()
{
    return PuzzleType{4, QStringLiteral("Windlepath")};
}

} // namespace maze
