#include "cryptogram/type.h"

#include "cryptogram/verbs.h"

namespace cryptogram {

// What draws is linked only into the part of brainloft-make that draws (drawingverbs.cpp); in
// every other program this stays null and the descriptor has no hook for it.
[[gnu::weak]] void RegisterDrawingVerbs(maker::Registry& registry);

PuzzleType Type()
{
    PuzzleType type{2, QStringLiteral("Glyphwhirl"), RegisterVerbs, {}};
    if (RegisterDrawingVerbs)
        type.registerDrawingVerbs = RegisterDrawingVerbs;
    return type;
}

} // namespace cryptogram
