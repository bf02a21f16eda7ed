#include "cryptogram/cryptogramkind.h"

#include "cryptogram/cryptogramfile.h"
#include "cryptogram/state.h"
#include "shell/program.h"

PuzzleKind CryptogramKind(Program& program, cryptogram::CryptogramState& state)
{
    PuzzleKind kind;
    kind.userExtension = QStringLiteral(".sbp");
    kind.packagedExtension = QStringLiteral(".sbd");
    kind.listingMask = QStringLiteral("*.sbp;*.sbd");
    kind.writer = [&program, &state](const QString& name) {
        return cryptogram::SaveCryptogramFile(program.paths.programFolder, name, state.puzzle);
    };
    return kind;
}
