#include "wordsearch/type.h"

namespace wordsearch {

PuzzleType Type()
{
    return PuzzleType{3, QStringLiteral("Lettermoor")};
}

} // namespace wordsearch
