#include "cli/verbs.h"

#include "brainloft_resources.h"
#include "platform/tunereader.h"
#include "shell/tunes.h"

#include <QDir>
#include <QFileInfo>

namespace maker {
namespace {

const char* const kTunesHelp =
    "Usage: brainloft-make tunes DIR\n"
    "\n"
    "Writes the program's 14 tunes into DIR under the names the program gives them\n"
    "(\"Carousel.MID\" and the others), as the program writes them into its music folder.\n"
    "DIR is made when missing (one level). A file already there under a tune's name, in any\n"
    "case, is never replaced. Prints 'written PATH' or 'kept PATH' for each tune.\n"
    "\n"
    "Exit status: 0 done; 1 DIR or a tune could not be written (the others are);\n"
    "2 bad arguments.\n";

int runTunes(const QStringList& args, Context& ctx)
{
    const QString verb = QStringLiteral("tunes");
    if (wantsHelp(args)) {
        ctx.out << kTunesHelp;
        return kOk;
    }
    if (args.size() != 1 || args[0].startsWith(QLatin1String("--"))) {
        ctx.fail(verb, QStringLiteral("give one folder (see --help)"));
        return kRefused;
    }
    const QString folder = args[0];
    if (!QFileInfo(folder).isDir() && !QDir().mkdir(folder)) {
        ctx.fail(verb, QStringLiteral("cannot make the folder ") + Printable(folder));
        return kFailed;
    }
    InitBrainloftResources();
    int status = kOk;
    for (const tunes::Extracted& tune : tunes::ExtractTunes(folder)) {
        switch (tune.outcome) {
        case tunes::Extracted::Outcome::Written:
            ctx.out << "written " << PrintableResult(tune.path) << "\n";
            break;
        case tunes::Extracted::Outcome::Kept:
            ctx.out << "kept " << PrintableResult(tune.path) << "\n";
            break;
        case tunes::Extracted::Outcome::Missing:
        case tunes::Extracted::Outcome::Failed:
            ctx.fail(verb, QStringLiteral("could not write ") + Printable(tune.path) +
                               (tune.error.isEmpty() ? QString() : QStringLiteral(": ") + tune.error));
            status = kFailed;
            break;
        }
    }
    return status;
}

int checkTune(const QString& path, Context&)
{
    tunereader::TuneInfo info;
    return tunereader::ReadTuneFile(path, info);
}

int showTune(const QString& path, Context& ctx)
{
    tunereader::TuneInfo info;
    const int code = tunereader::ReadTuneFile(path, info);
    if (code != tunereader::kOk) {
        ctx.fail(QStringLiteral("show"),
                 Printable(path) + QStringLiteral(" cannot be read as a tune (code ") + QString::number(code) + ')');
        return kFailed;
    }
    ctx.out << "format " << info.format << ", " << info.tracks << " tracks, " << info.ticks << " ticks, "
            << QString::number(info.seconds, 'f', 1) << " s, " << info.notes << " notes\n";
    return kOk;
}

} // namespace

void RegisterTuneVerbs(Registry& registry)
{
    registry.verbs.append({QStringLiteral("tunes"), QStringLiteral("tunes DIR"),
                           QStringLiteral("write the program's 14 tunes into DIR, keeping files already there"),
                           runTunes});
    registry.kinds.append({{QStringLiteral(".mid"), QStringLiteral(".rmi")}, checkTune, showTune, {}});
}

} // namespace maker
