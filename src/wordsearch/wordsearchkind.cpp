#include "wordsearch/wordsearchkind.h"

#include "shell/program.h"
#include "wordsearch/wordsearchfile.h"

namespace wordsearch {

PuzzleKind WordSearchKind(Program& program, WordSearchState& state)
{
    PuzzleKind kind;
    kind.userExtension = QStringLiteral(".wsp");
    kind.packagedExtension = QStringLiteral(".wsd");
    kind.listingMask = QStringLiteral("*.wsp;*.wsd");
    kind.writer = [&program, &state](const QString& name) {
        return SaveWordSearchFile(program.paths.programFolder, name, state.puzzle);
    };
    return kind;
}

} // namespace wordsearch
