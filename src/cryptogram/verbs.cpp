#include "cryptogram/verbs.h"

#include "cryptogram/cryptogramfile.h"
#include "cryptogram/textfile.h"
#include "platform/rng.h"

namespace cryptogram {

using namespace maker;

namespace {

const char* const kCryptogramHelp =
    "Usage: brainloft-make cryptogram TEXT NAME [--folder DIR] [--seed N] [--level L]\n"
    "\n"
    "Builds a cryptogram from TEXT, a UTF-8 text file ('-' reads standard input) whose line n\n"
    "is line n of the puzzle, and saves it as DIR/NAME.sbp (DIR defaults to the program's\n"
    "puzzle folder; a puzzle whose name differs only in case is replaced under its own\n"
    "name). Lines end in LF or CR LF. A line holds at most 33 characters of Latin-1 without\n"
    "control characters; small letters become capitals. Line 1 may not be blank and no line\n"
    "after line 20 may hold text. Empty lines close up, as in the maker.\n"
    "\n"
    "  --folder DIR   save into DIR instead of the puzzle folder\n"
    "  --seed N       seed the random generator: the same text, seed and level give the same file\n"
    "  --level L      symbols shown solved at the start, 0 to 11 (default 3)\n"
    "\n"
    "'show' prints a cryptogram file (.sbp, .sbd) as its 20 rows without trailing blanks, an\n"
    "empty line, 'key ' and the 36 cipher symbols of A..Z, 1..9, 0, then 'hints ' and each hint\n"
    "as its cipher symbol followed by its plain symbol ('hints -' when there are none).\n"
    "\n"
    "Prints the path of the saved file. Exit status: 0 saved; 2 the text or the arguments were\n"
    "refused and nothing was written; 1 the text could not be read or the file not written.\n";

int runCryptogram(const QStringList& args, Context& ctx)
{
    const QString verb = QStringLiteral("cryptogram");
    MakeOptions options;
    QString name;
    int status = kOk;
    if (!StartMakeVerb(verb, args, kCryptogramHelp, {QStringLiteral("--level")}, 2, QStringLiteral("a text file and a puzzle name"),
                       ctx, options, name, status))
        return status;
    int level = 0;
    if (!LevelOption(verb, options, ctx, level))
        return kRefused;

    const QString textPath = options.positional[0];
    QByteArray bytes;
    // Twenty lines of 33 characters fit in a few kilobytes; anything far larger is no puzzle text.
    if (!ReadInput(verb, textPath, 1 << 20, ctx, bytes, status))
        return status;
    MakerLines lines;
    if (!TextLines(verb, textPath, bytes, ctx, lines))
        return kRefused;
    if (const int prepared = PrepareFolder(verb, options, ctx); prepared != kOk)
        return prepared;

    Rng rng = MakeRng(options);
    Cryptogram puzzle;
    BuildCryptogramPuzzle(puzzle, lines, level, rng);
    const QString path = OutputPath(options, name, QStringLiteral(".sbp"));
    QString error;
    if (SaveCryptogramFileAt(path, puzzle, &error) != 0) {
        ctx.fail(verb, QStringLiteral("could not save ") + Printable(path) + QStringLiteral(": ") + error);
        return kFailed;
    }
    Saved(options, path, ctx);
    return kOk;
}

// Bytes as Latin-1, '?' for those that are no printable character.
QString printableBytes(const char* bytes, int size)
{
    QString text;
    for (int i = 0; i < size; ++i) {
        const auto u = static_cast<unsigned char>(bytes[i]);
        const bool printable = (u >= 32 && u <= 126) || u >= 160;
        text += printable ? QChar::fromLatin1(bytes[i]) : QLatin1Char('?');
    }
    return text;
}

int checkCryptogram(const QString& path, Context&)
{
    Cryptogram puzzle;
    return LoadCryptogramFileAt(path, puzzle);
}

int showCryptogram(const QString& path, Context& ctx)
{
    Cryptogram puzzle;
    const int code = LoadCryptogramFileAt(path, puzzle);
    if (code != 0) {
        ctx.fail(QStringLiteral("show"),
                 Printable(path) + QStringLiteral(" cannot be read as a cryptogram (code ") + QString::number(code) + ')');
        return kFailed;
    }
    for (int r = 0; r < kRows; ++r) {
        int length = kColumns;
        const char* row = puzzle.text.data() + r * kColumns;
        while (length > 0 && row[length - 1] == ' ')
            --length;
        ctx.out << printableBytes(row, length) << "\n";
    }
    ctx.out << "\n";
    ctx.out << "key " << printableBytes(puzzle.key.data(), kSymbols) << "\n";
    QStringList pairs;
    for (int j = 0; j < kHintPairs; ++j) {
        const char pair[2] = {puzzle.hints[j], puzzle.hints[kHintPairs + j]};
        if (pair[0] != '\0' || pair[1] != '\0')
            pairs << printableBytes(pair, 2);
    }
    ctx.out << "hints " << (pairs.isEmpty() ? QStringLiteral("-") : pairs.join(QLatin1Char(' '))) << "\n";
    return kOk;
}

} // namespace

bool LevelOption(const QString& verb, const MakeOptions& options, Context& ctx, int& level)
{
    qint64 value = 0;
    if (!ParseNumber(ExtraOption(options, QStringLiteral("--level"), QStringLiteral("3")), 0, kMaxSkill, value)) {
        ctx.fail(verb, QStringLiteral("--level needs a whole number from 0 to 11"));
        return false;
    }
    level = static_cast<int>(value);
    return true;
}

bool TextLines(const QString& verb, const QString& textPath, const QByteArray& bytes, Context& ctx, MakerLines& lines)
{
    const TextFileResult text = ParseCryptogramText(bytes);
    if (!text.error.isEmpty()) {
        ctx.fail(verb, Printable(textPath) + QLatin1Char(':') + QString::number(text.line) + QStringLiteral(": ") +
                           text.error);
        return false;
    }
    lines = text.lines;
    return true;
}

void RegisterVerbs(Registry& registry)
{
    registry.verbs.append({QStringLiteral("cryptogram"),
                           QStringLiteral("cryptogram TEXT NAME [--folder DIR] [--seed N] [--level L]"),
                           QStringLiteral("build a cryptogram from a text of up to 20 lines and save it as NAME.sbp"),
                           runCryptogram});
    registry.kinds.append(
        {{QStringLiteral(".sbp"), QStringLiteral(".sbd")}, checkCryptogram, showCryptogram, {},
         QStringLiteral("A cryptogram (.sbp .sbd): its 20 rows, an empty line, 'key ' and the 36 stored key\n"
                        "bytes (for A..Z, 1..9, 0), then 'hints ' and each hint as cipher then plain, or 'hints -'.\n")});
}

} // namespace cryptogram
