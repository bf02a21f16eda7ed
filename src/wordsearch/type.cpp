#include "wordsearch/type.h"

#include "wordsearch/verbs.h"

namespace wordsearch {

// What draws is linked only into the part of brainloft-make that draws (drawingverbs.cpp); in
// every other program this stays null and the descriptor has no hook for it.
[[gnu::weak]] void RegisterDrawingVerbs(maker::Registry& registry);

PuzzleType Type()
{
    PuzzleType type{3, QStringLiteral("Lettermoor"), RegisterVerbs, {}};
    if (RegisterDrawingVerbs)
        type.registerDrawingVerbs = RegisterDrawingVerbs;
    return type;
}

} // namespace wordsearch
