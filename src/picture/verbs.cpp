#include "picture/verbs.h"

namespace picture {

using namespace maker;

void RegisterVerbs(Registry& registry)
{
    registry.verbs.append({QStringLiteral("picture"), QStringLiteral("picture IMAGE NAME [--folder DIR] [--seed N]"),
                           QStringLiteral("make a picture puzzle from a picture and save it as NAME.tlp1-3"), {}});
    registry.verbs.append({QStringLiteral("picture-export"), QStringLiteral("picture-export FILE OUT.png"),
                           QStringLiteral("write a picture puzzle's solved picture as a PNG"), {}});
    registry.kinds.append({{QStringLiteral(".tlp1"), QStringLiteral(".tld1")}, {}, {}, {},
                           QStringLiteral("A picture puzzle (.tlp1 .tld1): six board rows of eight cells, 'x' outside the\n"
                                          "puzzle, '.' a black cell, else the tile number it holds; then 'pieces P placed Q'.\n")});
}

} // namespace picture
