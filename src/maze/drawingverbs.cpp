#include "maze/verbs.h"

#include "cli/printverbs.h"
#include "maze/generator.h"
#include "maze/mazefile.h"
#include "maze/mazegame.h"
#include "maze/printpages.h"
#include "platform/filenames.h"
#include "platform/rng.h"

#include <QFileInfo>

namespace maze {

using namespace maker;

namespace {

// A maze as the play window shows it, for its pages.
struct Shown {
    MazeState state;
    MazeGame game{state};
};

void describePages(std::shared_ptr<Shown> shown, const QString& name, PrintablePages& pages)
{
    shown->game.DrawMaze();
    pages.steps = printing::PageSteps::eachAnnounced;
    pages.name = name;
    pages.describe = [shown, name](bool key) { return MazePage(shown->game, key, name); };
}

int mazePages(const QString& path, Context&, PrintablePages& pages)
{
    auto shown = std::make_shared<Shown>();
    const int code = LoadMazeFileAt(path, shown->state.grid, shown->state.size);
    if (code != 0)
        return code;
    describePages(shown, filenames::replaceExtension(QFileInfo(path).fileName(), QString()), pages);
    return 0;
}

SheetKind::Build prepareSheets(const QString& verb, const MakeOptions& options, const QString&, const QByteArray&,
                               Context& ctx)
{
    int level = 0;
    if (!LevelOption(verb, options, ctx, level))
        return {};
    return [level](quint64 seed, const QString& name, QByteArray& file, PrintablePages& pages, QStringList&) {
        Rng rng(seed);
        MazeGrid grid;
        const int n = GenerateMaze(grid, level, rng);
        file = EncodeMazeRecord(grid, n);
        // The pages of the file as saved, as print draws them.
        auto shown = std::make_shared<Shown>();
        if (DecodeMazeRecord(file, shown->state.grid, shown->state.size) != 0)
            file.clear();
        describePages(shown, name, pages);
    };
}

} // namespace

void RegisterDrawingVerbs(Registry& registry)
{
    if (FileKind* kind = registry.kindFor(QStringLiteral("a.mzp")))
        kind->pages = mazePages;
    registry.sheetKinds.append({QStringLiteral("maze"), QString(), QStringLiteral("Maze"), QStringLiteral(".mzp"),
                                {QStringLiteral("--level")}, QStringLiteral("[--level 30|60|100]"), prepareSheets});
}

} // namespace maze
