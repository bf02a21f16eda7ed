#include "cli/makercommon.h"
#include "cli/verbs.h"

#include "cli/printverbs.h"
#include "maze/generator.h"
#include "maze/mazefile.h"
#include "maze/mazegame.h"
#include "maze/printpages.h"
#include "platform/filenames.h"

#include <QFileInfo>

namespace maker {
namespace {

const char* const kMazeHelp =
    "Usage: brainloft-make maze NAME [--level L] [--folder DIR] [--seed N]\n"
    "\n"
    "Generates a maze and saves it as DIR/NAME.mzp (DIR defaults to the program's puzzle\n"
    "folder; a puzzle whose name differs only in case is replaced under its own name).\n"
    "\n"
    "  --level L      30 (30 by 30 cells, Easy), 60 (Medium, the default) or 100 (Hard)\n"
    "  --folder DIR   save into DIR instead of the puzzle folder\n"
    "  --seed N       seed the random generator: the same level and seed give the same file\n"
    "\n"
    "'brainloft-make show FILE.mzp' prints a maze as N lines of N characters, '#' for a wall,\n"
    "'.' for the route (entrance and exit included) and a blank for other floor, then 'N='\n"
    "and the stored size.\n"
    "\n"
    "Prints the path of the saved file. Exit status: 0 saved; 2 the arguments were refused and\n"
    "nothing was written; 1 the folder is missing or the file could not be written.\n";

int runMaze(const QStringList& args, Context& ctx)
{
    const QString verb = QStringLiteral("maze");
    if (wantsHelp(args)) {
        ctx.out << kMazeHelp;
        return kOk;
    }
    MakeOptions options;
    if (!ParseMakeOptions(verb, args, {QStringLiteral("--level")}, ctx, options))
        return kRefused;
    qint64 level = 0;
    const QString levelText = ExtraOption(options, QStringLiteral("--level"), QStringLiteral("60"));
    if (!ParseNumber(levelText, maze::kEasy, maze::kHard, level) || maze::MazeSizeForLevel(int(level)) != level) {
        ctx.fail(verb, QStringLiteral("--level takes 30, 60 or 100, not ") + Printable(levelText));
        return kRefused;
    }
    if (options.positional.size() != 1) {
        ctx.fail(verb, QStringLiteral("give one puzzle name (see --help)"));
        return kRefused;
    }
    QString name;
    if (!CheckName(verb, options.positional[0], ctx, name))
        return kRefused;
    if (const int prepared = PrepareFolder(verb, options, ctx); prepared != kOk)
        return prepared;

    Rng rng = MakeRng(options);
    maze::MazeGrid grid;
    const int n = maze::GenerateMaze(grid, int(level), rng);
    const QString path = OutputPath(options, name, QStringLiteral(".mzp"));
    QString error;
    if (maze::SaveMazeFileAt(path, grid, n, &error) != 0) {
        ctx.fail(verb, QStringLiteral("could not save ") + Printable(path) + QStringLiteral(": ") + error);
        return kFailed;
    }
    Saved(options, path, ctx);
    return kOk;
}

int checkMaze(const QString& path, Context&)
{
    maze::MazeGrid grid;
    int n = 0;
    return maze::LoadMazeFileAt(path, grid, n);
}

int showMaze(const QString& path, Context& ctx)
{
    maze::MazeGrid grid;
    int n = 0;
    const int code = maze::LoadMazeFileAt(path, grid, n);
    if (code != 0) {
        ctx.fail(QStringLiteral("show"),
                 Printable(path) + QStringLiteral(" cannot be read as a maze (code ") + QString::number(code) + ')');
        return kFailed;
    }
    for (int y = 0; y < n; ++y) {
        QString line;
        for (int x = 0; x < n; ++x) {
            const std::int32_t cell = grid.at(x, y);
            line += cell == maze::mcWall ? QLatin1Char('#') : cell == maze::mcRoute ? QLatin1Char('.') : QLatin1Char(' ');
        }
        ctx.out << line << "\n";
    }
    ctx.out << "N=" << n << "\n";
    return kOk;
}

// The maze's pages, built from the maze as the play window shows it.
int mazePages(const QString& path, Context&, PrintablePages& pages)
{
    struct Loaded {
        maze::MazeState state;
        maze::MazeGame game{state};
    };
    auto loaded = std::make_shared<Loaded>();
    const int code = maze::LoadMazeFileAt(path, loaded->state.grid, loaded->state.size);
    if (code != 0)
        return code;
    loaded->game.DrawMaze();
    pages.pageKind = printing::kMazePages;
    pages.name = filenames::replaceExtension(QFileInfo(path).fileName(), QString());
    pages.describe = [game = &loaded->game, name = pages.name](bool key) { return maze::MazePage(*game, key, name); };
    pages.keep = loaded;
    return 0;
}

} // namespace

void RegisterMazeVerbs(Registry& registry)
{
    registry.verbs.append({QStringLiteral("maze"), QStringLiteral("maze NAME [--level L] [--folder DIR] [--seed N]"),
                           QStringLiteral("generate a maze of level 30, 60 or 100 and save it as NAME.mzp"), runMaze});
    registry.kinds.append({{QStringLiteral(".mzp")}, checkMaze, showMaze, mazePages,
                           QStringLiteral("A maze (.mzp): N lines of N cells, '#' a wall, '.' the route, a blank open;\n"
                                          "then 'N=' and the stored size.\n")});
}

} // namespace maker
