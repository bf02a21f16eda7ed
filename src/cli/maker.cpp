#include "cli/maker.h"

#include "cli/verbs.h"
#include "cryptogram/type.h"
#include "maze/type.h"
#include "picture/type.h"
#include "platform/atomicfile.h"
#include "shell/program.h"
#include "wordsearch/type.h"

#include <QFile>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

using namespace maker;

namespace maker {

QList<PuzzleType> MakerTypes()
{
    return {picture::Type(), cryptogram::Type(), wordsearch::Type(), maze::Type()};
}

Registry CoreVerbs()
{
    Registry registry;
    for (const PuzzleType& type : MakerTypes())
        if (type.registerVerbs)
            type.registerVerbs(registry);
    registry.verbs.append({QStringLiteral("print"),
                           QStringLiteral("print FILE... (OUT.pdf | --printer QUEUE) [--pages puzzle|key|both] [--copies N] "
                                          "[--paper a4|letter]"),
                           QStringLiteral("print puzzle files' pages into one PDF file or on a print queue, in the order "
                                          "given"),
                           {}});
    registry.verbs.append({QStringLiteral("worksheets"),
                           QStringLiteral("worksheets KIND [INPUT] OUT.pdf --count N [--keys KEYS.pdf] [--seed S] ..."),
                           QStringLiteral("make N different puzzles of one kind and print them, their keys matched"),
                           {}});
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
        if (!kind->check) {
            ctx.fail(verb, Printable(path) + QStringLiteral(": this kind is not read here"));
            status = kFailed;
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
    if (!kind->show) {
        ctx.fail(verb, Printable(args[0]) + QStringLiteral(": this kind is not read here"));
        return kFailed;
    }
    return kind->show(args[0], ctx);
}

// Standard error as the program found it; the descriptor 2 itself goes to /dev/null while a verb
// runs, since some libraries print there directly (a PNG that ends early, for one).
int g_messages = 2;

// Every verb's one-line message is all a script sees on standard error: what libraries note on
// the way (a picture's warnings, the platform's notes on its surroundings) is dropped.
void quietly(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) {
        const QByteArray line = "brainloft-make: " + message.toLocal8Bit() + "\n";
        (void)!::write(g_messages, line.constData(), static_cast<size_t>(line.size()));
    }
}

// Keeps the real standard error for our messages and sends descriptor 2 to /dev/null.
void setStandardErrorAside()
{
    const int kept = ::fcntl(2, F_DUPFD_CLOEXEC, 3);
    const int nothing = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (kept < 0 || nothing < 0 || ::dup2(nothing, 2) < 0) {
        if (kept >= 0)
            ::close(kept);
    } else {
        g_messages = kept;
#if defined(__SANITIZE_ADDRESS__)
        __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<intptr_t>(kept)));
#endif
    }
    if (nothing >= 0)
        ::close(nothing);
}

// A descriptor 0, 1 or 2 that the caller closed would be handed to the first file we open, and
// a result meant for standard output would land in a puzzle: each is held by /dev/null instead.
// True when standard output was closed.
bool holdStandardDescriptors()
{
    bool outputClosed = false;
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF)
            continue;
        outputClosed = outputClosed || fd == 1;
        const int held = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (held >= 0 && held != fd) {
            ::dup2(held, fd);
            ::close(held);
        }
    }
    return outputClosed;
}

// Writes what a verb printed, all of it, or says why not.
bool writeOutput(const QByteArray& bytes, bool outputClosed, QString& why)
{
    if (outputClosed && !bytes.isEmpty()) {
        why = QString::fromLocal8Bit(std::strerror(EBADF));
        return false;
    }
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(1, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            why = QString::fromLocal8Bit(std::strerror(n < 0 ? errno : EIO));
            return false;
        }
        done += n;
    }
    return true;
}

} // namespace

int RunMaker(const Registry& registry, const QStringList& args, const QString& programFolder, QTextStream& out,
             QTextStream& err)
{
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
    for (const Verb& v : registry.verbs) {
        if (v.name != verb)
            continue;
        if (!v.run) {
            err << "brainloft-make: " << Printable(verb) << " is not available here\n";
            return kFailed;
        }
        return v.run(rest, ctx);
    }
    err << "brainloft-make: unknown verb " << Printable(verb) << " (see --help)\n";
    return kRefused;
}

int MakerMain(int& argc, char** argv, const Registry& registry, const MakeApplication& makeApplication)
{
    const bool outputClosed = holdStandardDescriptors();
    setStandardErrorAside();
    qInstallMessageHandler(quietly);
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
    QString output;
    QTextStream out(&output);
    QFile messages;
    messages.open(g_messages, QIODevice::WriteOnly | QIODevice::Unbuffered);
    QTextStream err(&messages);
    // The same data folder as the program's: beside it, or the shared one once installed. A
    // replacement there that a crash cut short is finished before anything reads it.
    const QString programFolder = ProgramPaths::forRunningProgram().programFolder;
    atomicfile::FinishInterruptedSaves(ProgramPaths::puzzleFolderIn(programFolder));
    int status = RunMaker(registry, QCoreApplication::arguments().mid(1), programFolder, out, err);
    out.flush();
    QString why;
    if (!writeOutput(output.toUtf8(), outputClosed, why)) {
        err << "brainloft-make: cannot write standard output: " << why << "\n";
        if (status == kOk)
            status = kFailed;
    }
    err.flush();
    return status;
}
