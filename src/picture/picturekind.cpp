#include "picture/picturekind.h"

#include "picture/picturefiles.h"
#include "shell/program.h"

namespace picture {

PuzzleKind PictureKind(Program& program, PictureState& state)
{
    PuzzleKind kind;
    kind.userExtension = QStringLiteral(".tlp");
    kind.packagedExtension = QStringLiteral(".tld1");
    kind.listingMask = QStringLiteral("*.tld1;*.tlp1");
    kind.threeFiles = true;
    kind.openToEveryone = false; // the writer opens each of the three itself
    kind.writer = [&program, &state](const QString& name) {
        return SavePictureFiles(program.paths.programFolder, name, state);
    };
    return kind;
}

} // namespace picture
