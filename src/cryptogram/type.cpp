#include "cryptogram/type.h"

namespace cryptogram {

PuzzleType Type()
{
    return PuzzleType{2, QStringLiteral("Glyphwhirl")};
}

} // namespace cryptogram
