#include "cli/printverbs.h"

#include "cli/printfiles.h"
#include "cli/verbs.h"
#include "platform/cupsqueue.h"
#include "platform/pdfsheets.h"

#include <QFileInfo>
#include <QTemporaryDir>

namespace maker {
namespace {

const char* const kPrintHelp =
    "Usage: brainloft-make print FILE... OUT.pdf [--pages puzzle|key|both] [--copies N]\n"
    "                            [--paper a4|letter]\n"
    "       brainloft-make print FILE... --printer QUEUE [--pages ...] [--copies N] [--paper ...]\n"
    "\n"
    "Prints puzzle files' pages into one PDF file, as the program prints them to a PDF:\n"
    "portrait paper with the default margins, each page scaled to fit. The files follow each\n"
    "other in the order given, each with its puzzle's sheets and then its key's. The name on\n"
    "a file's pages is its name without its extension.\n"
    "\n"
    "  --pages WHICH  puzzle (the default), key, or both (the puzzle's sheets first)\n"
    "  --copies N     sheets of each chosen page, 1 to 99 (default 1)\n"
    "  --paper SIZE   a4 (the default) or letter\n"
    "  --printer QUEUE  print on the system's print queue QUEUE instead of into a PDF file:\n"
    "                 each FILE one job, named by the file's name\n"
    "\n"
    "Prints the path of the PDF file, or with --printer each job as QUEUE-NUMBER once the\n"
    "queue has accepted it. Exit status: 0 written (or every job accepted); 1 a FILE could\n"
    "not be read, OUT could not be written (an old OUT stays whole) or the queue refused a job\n"
    "(its reason follows); 2 the arguments were refused and nothing was written.\n";

bool sameFile(const QString& a, const QString& b)
{
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    return fa.absoluteFilePath() == fb.absoluteFilePath();
}

// Each file one job on the queue: its sheets drawn into a PDF file of its own, handed over once
// drawn. A queue that cannot take jobs is found before the first is drawn.
int printOnQueue(const QList<PrintablePages>& files, const printing::RunChoices& choices, const QPageLayout& layout,
                 const QString& queue, Context& ctx)
{
    const QString verb = QStringLiteral("print");
    const QString refusal = cupsqueue::Refusal(queue);
    if (!refusal.isEmpty()) {
        ctx.fail(verb, refusal);
        return kFailed;
    }
    QTemporaryDir folder;
    if (!folder.isValid()) {
        ctx.fail(verb, QStringLiteral("no room for the jobs' files: ") + folder.errorString());
        return kFailed;
    }
    for (int i = 0; i < files.size(); ++i) {
        const QString pdfFile = folder.filePath(QString::number(i) + QStringLiteral(".pdf"));
        PdfSheets pdf(pdfFile, layout, 1200);
        if (PrintFiles({files[i]}, choices, pdf) != printing::RunEnd::completed) {
            ctx.fail(verb, QStringLiteral("could not draw the pages of ") + Printable(files[i].name) +
                               (pdf.error().isEmpty() ? QString() : QStringLiteral(": ") + pdf.error()));
            return kFailed;
        }
        QString why;
        const int job = cupsqueue::Submit(queue, pdfFile, files[i].name, &why);
        if (job == 0) {
            ctx.fail(verb, why);
            return kFailed;
        }
        ctx.out << queue << "-" << job << "\n";
    }
    return kOk;
}

int runPrint(const QStringList& args, Context& ctx)
{
    const QString verb = QStringLiteral("print");
    if (wantsHelp(args)) {
        ctx.out << kPrintHelp;
        return kOk;
    }
    QStringList positional;
    QString pages = QStringLiteral("puzzle");
    QString paper = QStringLiteral("a4");
    QString queue;
    qint64 copies = 1;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (!a.startsWith(QLatin1String("--"))) {
            positional << a;
            continue;
        }
        if (a != QLatin1String("--pages") && a != QLatin1String("--copies") && a != QLatin1String("--paper") &&
            a != QLatin1String("--printer")) {
            ctx.fail(verb, QStringLiteral("unknown option ") + Printable(a));
            return kRefused;
        }
        if (i + 1 >= args.size()) {
            ctx.fail(verb, a + QStringLiteral(" needs a value"));
            return kRefused;
        }
        const QString value = args[++i];
        if (a == QLatin1String("--pages")) {
            pages = value;
            if (pages != QLatin1String("puzzle") && pages != QLatin1String("key") && pages != QLatin1String("both")) {
                ctx.fail(verb, QStringLiteral("--pages takes puzzle, key or both"));
                return kRefused;
            }
        } else if (a == QLatin1String("--copies")) {
            if (!ParseNumber(value, 1, 99, copies)) {
                ctx.fail(verb, QStringLiteral("--copies takes a whole number from 1 to 99"));
                return kRefused;
            }
        } else if (a == QLatin1String("--printer")) {
            queue = value;
            if (queue.isEmpty()) {
                ctx.fail(verb, QStringLiteral("--printer needs a queue's name"));
                return kRefused;
            }
        } else {
            paper = value;
            if (paper != QLatin1String("a4") && paper != QLatin1String("letter")) {
                ctx.fail(verb, QStringLiteral("--paper takes a4 or letter"));
                return kRefused;
            }
        }
    }
    if (positional.size() < (queue.isEmpty() ? 2 : 1)) {
        ctx.fail(verb, queue.isEmpty() ? QStringLiteral("give a puzzle file and a PDF file (see --help)")
                                       : QStringLiteral("give a puzzle file (see --help)"));
        return kRefused;
    }
    const QString out = queue.isEmpty() ? positional.takeLast() : QString();
    // Every kind is known only once all are registered.
    const Registry registry = AllVerbs();
    for (const QString& file : std::as_const(positional)) {
        const FileKind* kind = registry.kindFor(file);
        if (!kind || !kind->pages) {
            QStringList printable;
            for (const FileKind& k : registry.kinds)
                if (k.pages)
                    printable << k.extensions;
            ctx.fail(verb, Printable(file) + QStringLiteral(": not a kind of puzzle file that prints (") +
                               printable.join(QLatin1Char(' ')) + QStringLiteral(")"));
            return kRefused;
        }
        if (!out.isEmpty() && sameFile(file, out)) {
            ctx.fail(verb, QStringLiteral("the PDF file may not be the puzzle file"));
            return kRefused;
        }
    }

    // Every file is read before the first page is drawn.
    QList<PrintablePages> files;
    for (const QString& file : std::as_const(positional)) {
        PrintablePages filled;
        const int code = registry.kindFor(file)->pages(file, ctx, filled);
        if (code != 0) {
            ctx.fail(verb, Printable(file) + QStringLiteral(" cannot be read (code ") + QString::number(code) +
                               QStringLiteral(")"));
            return kFailed;
        }
        files.append(filled);
    }

    printing::RunChoices choices;
    choices.printPuzzle = pages != QLatin1String("key");
    choices.printKey = pages != QLatin1String("puzzle");
    choices.puzzleCopies = static_cast<int>(copies);
    choices.keyCopies = static_cast<int>(copies);

    const QPageSize::PageSizeId size = paper == QLatin1String("letter") ? QPageSize::Letter : QPageSize::A4;
    if (!queue.isEmpty())
        return printOnQueue(files, choices, DefaultPdfLayout(size), queue, ctx);
    PdfSheets pdf(out, DefaultPdfLayout(size), 1200);
    if (PrintFiles(files, choices, pdf) != printing::RunEnd::completed) {
        QString why = pdf.error();
        ctx.fail(verb, QStringLiteral("could not write ") + Printable(out) +
                           (why.isEmpty() ? QString() : QStringLiteral(": ") + why));
        return kFailed;
    }
    ctx.out << out << "\n";
    return kOk;
}

} // namespace

void RegisterPrintVerbs(Registry& registry)
{
    // Its usage and summary are listed with the maker's other verbs.
    registry.verbs.append({QStringLiteral("print"), QString(), QString(), runPrint});
}

} // namespace maker
