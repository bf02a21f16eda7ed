#include "maze/verbs.h"

#include "maze/generator.h"
#include "maze/mazefile.h"
#include "platform/rng.h"

namespace maze {

using namespace maker;

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
    MakeOptions options;
    QString name;
    int status = kOk;
    if (!StartMakeVerb(verb, args, kMazeHelp, {QStringLiteral("--level")}, 1, QStringLiteral("one puzzle name"),
                       ctx, options, name, status))
        return status;
    int level = 0;
    if (!LevelOption(verb, options, ctx, level))
        return kRefused;
    if (const int prepared = PrepareFolder(verb, options, ctx); prepared != kOk)
        return prepared;

    Rng rng = MakeRng(options);
    MazeGrid grid;
    const int n = GenerateMaze(grid, level, rng);
    const QString path = OutputPath(options, name, QStringLiteral(".mzp"));
    QString error;
    if (SaveMazeFileAt(path, grid, n, &error) != 0) {
        ctx.fail(verb, QStringLiteral("could not save ") + Printable(path) + QStringLiteral(": ") + error);
        return kFailed;
    }
    Saved(options, path, ctx);
    return kOk;
}

int checkMaze(const QString& path, Context&)
{
    MazeGrid grid;
    int n = 0;
    return LoadMazeFileAt(path, grid, n);
}

int showMaze(const QString& path, Context& ctx)
{
    MazeGrid grid;
    int n = 0;
    const int code = LoadMazeFileAt(path, grid, n);
    if (code != 0) {
        ctx.fail(QStringLiteral("show"),
                 Printable(path) + QStringLiteral(" cannot be read as a maze (code ") + QString::number(code) + ')');
        return kFailed;
    }
    for (int y = 0; y < n; ++y) {
        QString line;
        for (int x = 0; x < n; ++x) {
            const std::int32_t cell = grid.at(x, y);
            line += cell == mcWall ? QLatin1Char('#') : cell == mcRoute ? QLatin1Char('.') : QLatin1Char(' ');
        }
        ctx.out << line << "\n";
    }
    ctx.out << "N=" << n << "\n";
    return kOk;
}

} // namespace

bool LevelOption(const QString& verb, const MakeOptions& options, Context& ctx, int& level)
{
    qint64 value = 0;
    const QString text = ExtraOption(options, QStringLiteral("--level"), QStringLiteral("60"));
    if (!ParseNumber(text, kEasy, kHard, value) || MazeSizeForLevel(int(value)) != value) {
        ctx.fail(verb, QStringLiteral("--level takes 30, 60 or 100, not ") + Printable(text));
        return false;
    }
    level = static_cast<int>(value);
    return true;
}

void RegisterVerbs(Registry& registry)
{
    registry.verbs.append({QStringLiteral("maze"), QStringLiteral("maze NAME [--level L] [--folder DIR] [--seed N]"),
                           QStringLiteral("generate a maze of level 30, 60 or 100 and save it as NAME.mzp"), runMaze});
    registry.kinds.append({{QStringLiteral(".mzp")}, checkMaze, showMaze, {},
                           QStringLiteral("A maze (.mzp): N lines of N cells, '#' a wall, '.' the route, a blank open;\n"
                                          "then 'N=' and the stored size.\n")});
}

} // namespace maze
