#include "cli/printverbs.h"
#include "cli/verbs.h"

#include "platform/atomicfile.h"
#include "platform/filenames.h"
#include "platform/pdfsheets.h"

#include <QDateTime>
#include <QFileInfo>

#include <limits>
#include <random>

namespace maker {
namespace {

const char* const kWorksheetsHelp =
    "Usage: brainloft-make worksheets KIND [INPUT] OUT.pdf --count N [--keys KEYS.pdf] [--seed S]\n"
    "                                 [--title T] [--paper a4|letter] [--save DIR] [KIND'S OPTIONS]\n"
    "\n"
    "Makes N different puzzles of one kind from one input and prints them into OUT.pdf, a page\n"
    "each; their keys follow the puzzles, in the same order, or go into KEYS.pdf. Sheet i is\n"
    "built exactly as the kind's own verb builds a puzzle with the seed S + i - 1, so a run with\n"
    "a seed gives the same sheets again. Each page's title carries its sheet's number, on the\n"
    "puzzle and its key alike: 'ANIMALS 7' and 'ANIMALS 7   <KEY>'.\n"
    "\n"
    "  wordsearch LIST  a word list, as for 'wordsearch' ('-' reads standard input); a sheet\n"
    "                   is built again up to K more times while words are left out (--retry K,\n"
    "                   default 10), and a sheet that still leaves words out is refused\n"
    "  cryptogram TEXT  a text, as for 'cryptogram'; --level 0..11 symbols shown solved\n"
    "                   (default 3)\n"
    "  maze             no input; --level 30, 60 (the default) or 100\n"
    "\n"
    "  --count N        the number of sheets, 1 to 200\n"
    "  --keys KEYS.pdf  the keys into a PDF file of their own\n"
    "  --seed S         the first sheet's seed (default: from the clock)\n"
    "  --title T        the sheets' title (default: INPUT's name without its extension, or\n"
    "                   'Maze'); capitals on the word search's and the cryptogram's pages\n"
    "  --paper SIZE     a4 (the default) or letter\n"
    "  --save DIR       also save each puzzle into the folder DIR as 'T i' ('Animals 7.wsp'),\n"
    "                   the same file its kind's verb saves with that seed\n"
    "\n"
    "Prints the path of each PDF file, then of each saved puzzle. Exit status: 0 written; 2 the\n"
    "arguments or the input were refused, or a sheet left words out, and nothing was written;\n"
    "1 the input could not be read or a file not written. Nothing is written until every sheet\n"
    "is made; each file is then written whole or not at all, the saved puzzles first, as one set.\n";

struct Sheet {
    QString name;
    QByteArray file;
    PrintablePages pages;
};

// The kinds the worksheets make, as the command line names them.
QString kindNames(const Registry& registry)
{
    QStringList names;
    for (const SheetKind& kind : registry.sheetKinds)
        names << kind.name;
    return names.join(QStringLiteral(", "));
}

bool samePath(const QString& a, const QString& b)
{
    return SameFile(a, b) || QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

// The largest seed the make verbs take.
constexpr quint64 kLastSeed = std::numeric_limits<qint64>::max();

quint64 firstSeed(const MakeOptions& options)
{
    if (options.seeded)
        return options.seed;
    // One that leaves room for every sheet's seed below the last a make verb takes.
    return (std::random_device{}() ^ static_cast<quint64>(QDateTime::currentMSecsSinceEpoch())) % (kLastSeed - 200);
}

// Draws every sheet's chosen page into the output, in sheet order.
bool printPages(const QList<Sheet>& sheets, bool key, PdfSheets& pdf)
{
    for (const Sheet& sheet : sheets) {
        const printing::PageLayout page = sheet.pages.describe(key);
        if (!pdf.printSheet([&page](QPainter& painter, const QRect& printable) {
                printing::RenderPage(painter, page, printable);
            }))
            return false;
    }
    return true;
}

int runWorksheets(const QStringList& args, Context& ctx)
{
    const QString verb = QStringLiteral("worksheets");
    if (wantsHelp(args)) {
        ctx.out << kWorksheetsHelp;
        return kOk;
    }
    // The kinds are known once every type has added its own.
    const Registry registry = AllVerbs();
    const SheetKind* kind = nullptr;
    for (const SheetKind& k : registry.sheetKinds)
        if (!args.isEmpty() && k.name == args.first())
            kind = &k;
    if (!kind) {
        ctx.fail(verb, QStringLiteral("give the kind of puzzle first: ") + kindNames(registry) +
                           QStringLiteral(" (see --help)"));
        return kRefused;
    }
    MakeOptions options;
    const QStringList own = {QStringLiteral("--count"), QStringLiteral("--keys"), QStringLiteral("--title"),
                             QStringLiteral("--paper"), QStringLiteral("--save")};
    if (!ParseMakeOptions(verb, args.mid(1), own + kind->options, ctx, options))
        return kRefused;
    if (options.folderGiven) {
        ctx.fail(verb, QStringLiteral("unknown option --folder (--save DIR saves the puzzles)"));
        return kRefused;
    }
    const bool takesInput = !kind->input.isEmpty();
    if (options.positional.size() != (takesInput ? 2 : 1)) {
        ctx.fail(verb, (takesInput ? QStringLiteral("give ") + kind->input + QStringLiteral(" and OUT.pdf")
                                   : QStringLiteral("give OUT.pdf")) +
                           QStringLiteral(" after ") + kind->name + QStringLiteral(" (see --help)"));
        return kRefused;
    }
    qint64 count = 0;
    if (!ParseNumber(ExtraOption(options, QStringLiteral("--count")), 1, 200, count)) {
        ctx.fail(verb, QStringLiteral("--count takes a whole number from 1 to 200"));
        return kRefused;
    }
    if (options.seeded && options.seed > kLastSeed - quint64(count - 1)) {
        ctx.fail(verb, QStringLiteral("--seed leaves no room for the seeds of ") + QString::number(count) +
                           QStringLiteral(" sheets"));
        return kRefused;
    }
    const QString paper = ExtraOption(options, QStringLiteral("--paper"), QStringLiteral("a4"));
    if (paper != QLatin1String("a4") && paper != QLatin1String("letter")) {
        ctx.fail(verb, QStringLiteral("--paper takes a4 or letter"));
        return kRefused;
    }
    const QString inputPath = takesInput ? options.positional.first() : QString();
    const QString out = options.positional.last();
    const QString keys = ExtraOption(options, QStringLiteral("--keys"));
    const bool keysApart = !keys.isEmpty();
    if (keysApart && samePath(keys, out)) {
        ctx.fail(verb, QStringLiteral("the keys' PDF file may not be OUT.pdf"));
        return kRefused;
    }
    if (takesInput && inputPath != QLatin1String("-") &&
        (samePath(inputPath, out) || (keysApart && samePath(inputPath, keys)))) {
        ctx.fail(verb, QStringLiteral("a PDF file may not be the input"));
        return kRefused;
    }
    const bool titled = std::any_of(options.extra.begin(), options.extra.end(),
                                    [](const auto& option) { return option.first == QLatin1String("--title"); });
    QString title = ExtraOption(options, QStringLiteral("--title"));
    if (!titled) {
        if (inputPath == QLatin1String("-")) {
            ctx.fail(verb, QStringLiteral("give --title for an input read from standard input"));
            return kRefused;
        }
        title = takesInput ? filenames::replaceExtension(QFileInfo(inputPath).fileName(), QString()) : kind->defaultTitle;
    }
    if (title.trimmed().isEmpty()) {
        ctx.fail(verb, QStringLiteral("the title may not be empty"));
        return kRefused;
    }
    const auto sheetName = [&title](qint64 number) { return title + QLatin1Char(' ') + QString::number(number); };

    const QString saveFolder = ExtraOption(options, QStringLiteral("--save"));
    const bool saving = std::any_of(options.extra.begin(), options.extra.end(),
                                    [](const auto& option) { return option.first == QLatin1String("--save"); });
    MakeOptions saveOptions;
    if (saving) {
        QString checked;
        if (!CheckName(verb, sheetName(1) + kind->extension, ctx, checked))
            return kRefused;
        saveOptions.folder = saveFolder;
        saveOptions.folderGiven = true;
        if (const int prepared = PrepareFolder(verb, saveOptions, ctx); prepared != kOk)
            return prepared;
    }

    QByteArray input;
    if (takesInput) {
        int status = kOk;
        if (!ReadInput(verb, inputPath, 1 << 20, ctx, input, status))
            return status;
    }
    const SheetKind::Build build = kind->prepare(verb, options, inputPath, input, ctx);
    if (!build)
        return kRefused;

    // Every sheet is made before anything is written: a sheet that fails leaves every file as it was.
    const quint64 seed = firstSeed(options);
    QList<Sheet> sheets;
    for (qint64 number = 1; number <= count; ++number) {
        Sheet sheet{sheetName(number), {}, {}};
        QStringList leftOut;
        build(seed + static_cast<quint64>(number - 1), sheet.name, sheet.file, sheet.pages, leftOut);
        if (!leftOut.isEmpty()) {
            ctx.fail(verb, QStringLiteral("sheet ") + QString::number(number) + QStringLiteral(" leaves out ") +
                               leftOut.join(QLatin1Char(' ')) + QStringLiteral("; nothing was written"));
            return kRefused;
        }
        if (sheet.file.isEmpty()) {
            ctx.fail(verb, QStringLiteral("sheet ") + QString::number(number) + QStringLiteral(" could not be made"));
            return kFailed;
        }
        if (!saving)
            sheet.file.clear();
        sheets.append(sheet);
    }

    const QPageLayout layout = DefaultPdfLayout(paper == QLatin1String("letter") ? QPageSize::Letter : QPageSize::A4);
    PdfSheets puzzlePdf(out, layout, 1200);
    PdfSheets keyPdf(keys, layout, 1200);
    PdfSheets& keyPages = keysApart ? keyPdf : puzzlePdf;
    if (!printPages(sheets, false, puzzlePdf) || !printPages(sheets, true, keyPages)) {
        ctx.fail(verb, QStringLiteral("could not draw the pages"));
        return kFailed;
    }

    QStringList saved;
    if (saving) {
        QList<std::pair<QString, QByteArray>> files;
        for (const Sheet& sheet : std::as_const(sheets))
            files.append({OutputPath(saveOptions, sheet.name, kind->extension), sheet.file});
        QString error;
        atomicfile::Outcome outcome;
        if (!atomicfile::WriteFiles(files, &error, atomicfile::Match::IgnoringCase, &outcome)) {
            ctx.fail(verb, QStringLiteral("could not save ") + Printable(outcome.failedPath) + QStringLiteral(": ") +
                               error + QStringLiteral("; nothing was written"));
            return kFailed;
        }
        saved = outcome.written;
    }
    for (PdfSheets* pdf : {&puzzlePdf, keysApart ? &keyPdf : nullptr}) {
        if (pdf && !pdf->finish()) {
            ctx.fail(verb, QStringLiteral("could not write ") + Printable(pdf->target()) +
                               (pdf->error().isEmpty() ? QString() : QStringLiteral(": ") + pdf->error()));
            return kFailed;
        }
    }
    ctx.out << PrintableResult(out) << "\n";
    if (keysApart)
        ctx.out << PrintableResult(keys) << "\n";
    for (const QString& path : std::as_const(saved))
        ctx.out << PrintableResult(path) << "\n";
    return kOk;
}

} // namespace

void RegisterWorksheetVerbs(Registry& registry)
{
    registry.verbs.append({QStringLiteral("worksheets"), QString(), QString(), runWorksheets});
}

} // namespace maker
