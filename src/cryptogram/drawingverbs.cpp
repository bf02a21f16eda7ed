#include "cryptogram/verbs.h"

#include "cli/printverbs.h"
#include "cryptogram/cryptogramfile.h"
#include "cryptogram/printpages.h"
#include "platform/filenames.h"
#include "platform/rng.h"

#include <QFileInfo>

namespace cryptogram {

using namespace maker;

namespace {

// Both pages composed from the puzzle as each prints.
void describePages(std::shared_ptr<const Cryptogram> puzzle, const QString& name, PrintablePages& pages)
{
    pages.steps = printing::PageSteps::eachAnnounced;
    pages.name = name;
    pages.describe = [puzzle, name](bool key) { return ComposePrintPage(*puzzle, name, key); };
}

int cryptogramPages(const QString& path, Context&, PrintablePages& pages)
{
    auto puzzle = std::make_shared<Cryptogram>();
    const int code = LoadCryptogramFileAt(path, *puzzle);
    if (code != 0)
        return code;
    describePages(puzzle, filenames::replaceExtension(QFileInfo(path).fileName(), QString()), pages);
    return 0;
}

SheetKind::Build prepareSheets(const QString& verb, const MakeOptions& options, const QString& textPath,
                               const QByteArray& bytes, Context& ctx)
{
    int level = 0;
    MakerLines lines;
    if (!LevelOption(verb, options, ctx, level) || !TextLines(verb, textPath, bytes, ctx, lines))
        return {};
    return [lines, level](quint64 seed, const QString& name, QByteArray& file, PrintablePages& pages, QStringList&) {
        Rng rng(seed);
        Cryptogram built;
        BuildCryptogramPuzzle(built, lines, level, rng);
        file = EncodeCryptogramRecord(built);
        // The pages of the file as saved, as print draws them.
        auto puzzle = std::make_shared<Cryptogram>();
        if (DecodeCryptogramRecord(file, *puzzle) != 0)
            file.clear();
        describePages(puzzle, name, pages);
    };
}

} // namespace

void RegisterDrawingVerbs(Registry& registry)
{
    if (FileKind* kind = registry.kindFor(QStringLiteral("a.sbp")))
        kind->pages = cryptogramPages;
    registry.sheetKinds.append({QStringLiteral("cryptogram"), QStringLiteral("TEXT"), QString(), QStringLiteral(".sbp"),
                                {QStringLiteral("--level")}, QStringLiteral("[--level 0..11]"), prepareSheets});
}

} // namespace cryptogram
