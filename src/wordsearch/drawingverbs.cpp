#include "wordsearch/verbs.h"

#include "cli/printverbs.h"
#include "platform/colours.h"
#include "platform/filenames.h"
#include "platform/rng.h"
#include "shell/settings.h"
#include "wordsearch/printpages.h"
#include "wordsearch/wordsearchfile.h"

#include <QFileInfo>

namespace wordsearch {

using namespace maker;

namespace {

// The two print pages of a puzzle, as the play window prints them; the key in the default
// highlight colour.
void describePages(std::shared_ptr<const WordSearchPuzzle> puzzle, const QString& name, PrintablePages& pages)
{
    pages.steps = printing::PageSteps::together;
    pages.name = name;
    const QColor highlight = ToQColor(Settings().effectiveHighlight);
    pages.describe = [puzzle, name, highlight](bool key) {
        return key ? KeyPage(*puzzle, highlight, name) : PuzzlePage(*puzzle, name);
    };
}

int wordSearchPages(const QString& path, Context&, PrintablePages& pages)
{
    auto puzzle = std::make_shared<WordSearchPuzzle>();
    const int code = LoadWordSearchFileAt(path, *puzzle);
    if (code != 0)
        return code;
    describePages(puzzle, filenames::replaceExtension(QFileInfo(path).fileName(), QString()), pages);
    return 0;
}

SheetKind::Build prepareSheets(const QString& verb, const MakeOptions& options, const QString& listPath,
                               const QByteArray& text, Context& ctx)
{
    qint64 retries = 0;
    QStringList words;
    if (!RetriesOption(verb, options, ctx, retries) || !ListWords(verb, listPath, text, ctx, words))
        return {};
    return [words, retries](quint64 seed, const QString& name, QByteArray& file, PrintablePages& pages,
                                     QStringList& leftOut) {
        Rng rng(seed);
        WordSearchPuzzle built;
        leftOut = BuildWordSearch(built, words, rng, retries).unplaced;
        bool encoded = false;
        file = EncodeWordSearchRecord(built, encoded);
        // The pages of the file as saved, as print draws them.
        auto puzzle = std::make_shared<WordSearchPuzzle>();
        if (!encoded || DecodeWordSearchRecord(file, *puzzle) != 0)
            file.clear();
        describePages(puzzle, name, pages);
    };
}

} // namespace

void RegisterDrawingVerbs(Registry& registry)
{
    if (FileKind* kind = registry.kindFor(QStringLiteral("a.wsp")))
        kind->pages = wordSearchPages;
    registry.sheetKinds.append({QStringLiteral("wordsearch"), QStringLiteral("LIST"), QString(), QStringLiteral(".wsp"),
                                {QStringLiteral("--retry")}, QStringLiteral("[--retry K]"), prepareSheets});
}

} // namespace wordsearch
