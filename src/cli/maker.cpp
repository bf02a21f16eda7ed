#include "cli/maker.h"

#include "cli/verbs.h"

using namespace maker;

namespace maker {

Registry AllVerbs()
{
    Registry registry;
    RegisterWordSearchVerbs(registry);
    RegisterCryptogramVerbs(registry);
    RegisterMazeVerbs(registry);
    RegisterPrintVerbs(registry);
    RegisterPictureVerbs(registry);
    RegisterTuneVerbs(registry);
    return registry;
}

} // namespace maker

namespace {

QString mainHelp(const Registry& registry)
{
    QString help = QStringLiteral("Usage: brainloft-make VERB [ARGUMENTS]\n"
                                  "\n"
                                  "Makes and checks Brainloft puzzles without a window.\n"
                                  "\n"
                                  "Verbs:\n");
    for (const Verb& verb : registry.verbs)
        help += QStringLiteral("  ") + verb.usage + QStringLiteral("\n      ") + verb.summary + QLatin1Char('\n');
    help += QStringLiteral("  check FILE...\n      read puzzle files and print each reader's result code\n"
                           "  show FILE\n      print a puzzle file as text\n"
                           "\n"
                           "Exit status: 0 done; 1 a file could not be read or written, standard output\n"
                           "included (or check found a bad file); 2 the arguments or an input's contents were\n"
                           "refused and nothing was written; 3 a word search was saved but some words found\n"
                           "no place.\n"
                           "\n"
                           "Run 'brainloft-make VERB --help' for the details of a verb.\n");
    return help;
}

QString checkHelp(const Registry& registry)
{
    return QStringLiteral("Usage: brainloft-make check FILE...\n"
                          "\n"
                          "Reads each puzzle file and prints 'FILE: CODE', CODE being the reader's result:\n"
                          "0 good, -2 cannot be opened or read, -3 not a puzzle of its kind, -4 wrong size or\n"
                          "invalid content; the same codes for every kind, a picture puzzle's three files\n"
                          "included. Known kinds, by extension in any case: ") +
           registry.knownExtensions().join(QStringLiteral(" ")) +
           QStringLiteral(".\n\nExit status: 0 when every code is 0, 1 otherwise, 2 when a file's kind is unknown.\n");
}

QString showHelp(const Registry& registry)
{
    QString help = QStringLiteral("Usage: brainloft-make show FILE\n"
                                  "\n"
                                  "Prints a puzzle file as text, by its extension in any case:\n");
    for (const FileKind& kind : registry.kinds)
        if (!kind.showHelp.isEmpty())
            help += QLatin1Char('\n') + kind.showHelp;
    return help + QStringLiteral("\nExit status: 0, 1 when the file cannot be read, 2 when its kind is unknown.\n");
}

int runCheck(const Registry& registry, const QStringList& args, Context& ctx)
{
    const QString verb = QStringLiteral("check");
    if (wantsHelp(args)) {
        ctx.out << checkHelp(registry);
        return kOk;
    }
    if (args.isEmpty()) {
        ctx.fail(verb, QStringLiteral("give one or more puzzle files (see --help)"));
        return kRefused;
    }
    int status = kOk;
    for (const QString& path : args) {
        const FileKind* kind = registry.kindFor(path);
        if (!kind) {
            ctx.fail(verb, Printable(path) + QStringLiteral(": unknown kind of puzzle file"));
            status = kRefused;
            continue;
        }
        const int code = kind->check(path, ctx);
        ctx.out << PrintableResult(path) << ": " << code << "\n";
        if (code != 0 && status == kOk)
            status = kFailed;
    }
    return status;
}

int runShow(const Registry& registry, const QStringList& args, Context& ctx)
{
    const QString verb = QStringLiteral("show");
    if (wantsHelp(args)) {
        ctx.out << showHelp(registry);
        return kOk;
    }
    if (args.size() != 1) {
        ctx.fail(verb, QStringLiteral("give one puzzle file (see --help)"));
        return kRefused;
    }
    const FileKind* kind = registry.kindFor(args[0]);
    if (!kind) {
        ctx.fail(verb, Printable(args[0]) + QStringLiteral(": unknown kind of puzzle file"));
        return kRefused;
    }
    return kind->show(args[0], ctx);
}

} // namespace

int RunMaker(const QStringList& args, const QString& programFolder, QTextStream& out, QTextStream& err)
{
    const Registry registry = AllVerbs();
    Context ctx{programFolder, out, err};
    if (args.isEmpty()) {
        err << mainHelp(registry);
        return kRefused;
    }
    const QString verb = args.first();
    const QStringList rest = args.mid(1);
    if (verb == QLatin1String("--help") || verb == QLatin1String("-h") || verb == QLatin1String("help")) {
        out << mainHelp(registry);
        return kOk;
    }
    if (verb == QLatin1String("check"))
        return runCheck(registry, rest, ctx);
    if (verb == QLatin1String("show"))
        return runShow(registry, rest, ctx);
    for (const Verb& v : registry.verbs)
        if (v.name == verb)
            return v.run(rest, ctx);
    err << "brainloft-make: unknown verb " << Printable(verb) << " (see --help)\n";
    return kRefused;
}
