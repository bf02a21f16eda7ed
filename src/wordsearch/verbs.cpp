#include "wordsearch/verbs.h"

#include "platform/rng.h"
#include "wordsearch/wordlist.h"
#include "wordsearch/wordsearchfile.h"

namespace wordsearch {

using namespace maker;

namespace {

const char* const kWordSearchHelp =
    "Usage: brainloft-make wordsearch LIST NAME [--folder DIR] [--seed N] [--retry K]\n"
    "\n"
    "Builds a 20 by 20 word search from LIST, a text file with one word a line ('-' reads\n"
    "standard input), and saves it as DIR/NAME.wsp (DIR defaults to the program's puzzle\n"
    "folder; a puzzle whose name differs only in case is replaced under its own name).\n"
    "Blank lines are skipped, blanks around a word trimmed and letters upper-cased. Words\n"
    "have 2 to 10 letters A to Z; a list has at most 64 words and 280 letters.\n"
    "\n"
    "  --folder DIR   save into DIR instead of the puzzle folder\n"
    "  --seed N       seed the random generator: the same list and seed give the same file\n"
    "  --retry K      build again up to K more times while words are left unplaced (default 10)\n"
    "\n"
    "Prints the path of the saved file. Exit status: 0 saved with every word placed;\n"
    "3 saved, with each unplaced word reported as 'not placed: WORD' on standard error;\n"
    "2 the list or the arguments were refused and nothing was written; 1 the list could not\n"
    "be read or the file could not be written.\n";

int runWordSearch(const QStringList& args, Context& ctx)
{
    const QString verb = QStringLiteral("wordsearch");
    MakeOptions options;
    QString name;
    int status = kOk;
    if (!StartMakeVerb(verb, args, kWordSearchHelp, {QStringLiteral("--retry")}, 2, QStringLiteral("a word list and a puzzle name"),
                       ctx, options, name, status))
        return status;
    qint64 retries = 0;
    if (!RetriesOption(verb, options, ctx, retries))
        return kRefused;

    const QString listPath = options.positional[0];
    QByteArray text;
    // A word list of 64 words fits in a few kilobytes; anything far larger is not one.
    if (!ReadInput(verb, listPath, 1 << 20, ctx, text, status))
        return status;
    QStringList words;
    if (!ListWords(verb, listPath, text, ctx, words))
        return kRefused;
    if (const int prepared = PrepareFolder(verb, options, ctx); prepared != kOk)
        return prepared;

    Rng rng = MakeRng(options);
    WordSearchPuzzle puzzle;
    const BuildOutcome outcome = BuildWordSearch(puzzle, words, rng, retries);

    const QString path = OutputPath(options, name, QStringLiteral(".wsp"));
    QString error;
    if (SaveWordSearchFileAt(path, puzzle, &error) != 0) {
        ctx.fail(verb, QStringLiteral("could not save ") + Printable(path) + QStringLiteral(": ") + error);
        return kFailed;
    }
    Saved(options, path, ctx);
    for (const QString& word : outcome.unplaced)
        ctx.err << "not placed: " << word << "\n";
    return outcome.unplaced.isEmpty() ? kOk : kUnplaced;
}

QString printableBytes(const QByteArray& bytes)
{
    QString text;
    for (char c : bytes)
        text += (c >= 0x20 && c < 0x7F) ? QChar::fromLatin1(c) : QLatin1Char('?');
    return text;
}

int checkWordSearch(const QString& path, Context&)
{
    WordSearchPuzzle puzzle;
    return LoadWordSearchFileAt(path, puzzle);
}

int showWordSearch(const QString& path, Context& ctx)
{
    WordSearchPuzzle puzzle;
    PlacementTable table{};
    const int code = LoadWordSearchFileAt(path, puzzle, &table);
    if (code != 0) {
        ctx.fail(QStringLiteral("show"),
                 Printable(path) + QStringLiteral(" cannot be read as a word search (code ") + QString::number(code) + ')');
        return kFailed;
    }
    for (int y = 1; y <= kField; ++y) {
        QString line;
        for (int x = 1; x <= kField; ++x) {
            const char c = puzzle.grid[x][y];
            line += isLetter(c) ? QChar::fromLatin1(c) : QLatin1Char('.');
        }
        ctx.out << line << "\n";
    }
    ctx.out << "\n";
    for (int n = 1; n <= kSlotCount; ++n) {
        const WordSlot& slot = puzzle.wordSlots[n - 1];
        if (slot.isEmpty())
            continue;
        const TableEntry& e = table[n - 1];
        ctx.out << n << " " << printableBytes(slot.word()) << " ";
        if (e.isZero())
            ctx.out << "- -";
        else
            ctx.out << e.x1 << "," << e.y1 << " " << e.x2 << "," << e.y2;
        ctx.out << "\n";
    }
    return kOk;
}

} // namespace

bool RetriesOption(const QString& verb, const MakeOptions& options, Context& ctx, qint64& retries)
{
    if (ParseNumber(ExtraOption(options, QStringLiteral("--retry"), QStringLiteral("10")), 0, 1000, retries))
        return true;
    ctx.fail(verb, QStringLiteral("--retry needs a whole number from 0 to 1000"));
    return false;
}

bool ListWords(const QString& verb, const QString& listPath, const QByteArray& text, Context& ctx, QStringList& words)
{
    const WordListResult list = ParseWordList(text);
    if (list.error.isEmpty()) {
        words = list.words;
        return true;
    }
    QString where = Printable(listPath);
    if (list.line > 0)
        where += QLatin1Char(':') + QString::number(list.line);
    ctx.fail(verb, where + QStringLiteral(": ") + list.error);
    return false;
}

BuildOutcome BuildWordSearch(WordSearchPuzzle& puzzle, const QStringList& words, Rng& rng, qint64 retries)
{
    GridBuilder builder(puzzle, rng);
    BuildOutcome outcome = builder.Build(words);
    for (qint64 attempt = 0; attempt < retries && !outcome.unplaced.isEmpty(); ++attempt)
        outcome = builder.Build(words);
    return outcome;
}

void RegisterVerbs(Registry& registry)
{
    registry.verbs.append({QStringLiteral("wordsearch"),
                           QStringLiteral("wordsearch LIST NAME [--folder DIR] [--seed N] [--retry K]"),
                           QStringLiteral("build a word search from a word list and save it as NAME.wsp"),
                           runWordSearch});
    registry.kinds.append(
        {{QStringLiteral(".wsp"), QStringLiteral(".wsd")}, checkWordSearch, showWordSearch, {},
         QStringLiteral("A word search (.wsp .wsd): 20 lines of 20 letters ('.' where a cell holds no\n"
                        "letter A to Z), an empty line, then 'n WORD x1,y1 x2,y2' for each word slot n in use,\n"
                        "or 'n WORD - -' when the word was not placed.\n")});
}

} // namespace wordsearch
