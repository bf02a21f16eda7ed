#include "maze/mazekind.h"

#include "maze/mazefile.h"
#include "shell/program.h"

namespace maze {

PuzzleKind MazeKind(Program& program, const MazeState& state)
{
    PuzzleKind kind;
    kind.userExtension = QStringLiteral(".mzp");
    kind.listingMask = QStringLiteral("*.mzp");
    kind.writer = [&program, &state](const QString& name) {
        return SaveMazeFile(program.paths.programFolder, name, state.grid, state.size);
    };
    return kind;
}

} // namespace maze
