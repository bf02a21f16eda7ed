#include "picture/type.h"

namespace picture {

PuzzleType Type()
{
    return PuzzleType{1, QStringLiteral("Snapdoodle")};
}

} // namespace picture
