#include "cli/maker.h"

#include "platform/filenames.h"
#include "platform/rng.h"
#include "wordsearch/builder.h"
#include "wordsearch/wordlist.h"
#include "wordsearch/wordsearchfile.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <random>

using namespace makerstatus;

namespace {

const char* const kMainHelp =
    "Usage: brainloft-make VERB [ARGUMENTS]\n"
    "\n"
    "Makes and checks Brainloft puzzles without a window.\n"
    "\n"
    "Verbs:\n"
    "  wordsearch LIST NAME [--folder DIR] [--seed N] [--retry K]\n"
    "                     build a word search from a word list and save it as NAME.wsp\n"
    "  check FILE...      read puzzle files and print each reader's result code\n"
    "  show FILE          print a word-search file's grid and words\n"
    "\n"
    "Run 'brainloft-make VERB --help' for the details of a verb.\n";

const char* const kWordSearchHelp =
    "Usage: brainloft-make wordsearch LIST NAME [--folder DIR] [--seed N] [--retry K]\n"
    "\n"
    "Builds a 20 by 20 word search from LIST, a text file with one word a line, and saves\n"
    "it as DIR/NAME.wsp (DIR defaults to the puzzle folder beside the program).\n"
    "Blank lines are skipped, blanks around a word trimmed and letters upper-cased. Words\n"
    "have 2 to 10 letters A to Z; a list has at most 64 words and 280 letters.\n"
    "\n"
    "  --folder DIR   save into DIR instead of the puzzle folder\n"
    "  --seed N       seed the random generator: the same list and seed give the same file\n"
    "  --retry K      build again up to K more times while words are left unplaced (default 10)\n"
    "\n"
    "Prints the path of the saved file. Exit status: 0 saved with every word placed;\n"
    "3 saved, with each unplaced word reported as 'not placed: WORD' on standard error;\n"
    "2 the list or the arguments were refused and nothing was written; 1 the file could\n"
    "not be written.\n";

const char* const kCheckHelp =
    "Usage: brainloft-make check FILE...\n"
    "\n"
    "Reads each puzzle file and prints 'FILE: CODE', CODE being the reader's result:\n"
    "0 good, -2 cannot be opened or read, -3 not a puzzle of its kind, -4 wrong size or\n"
    "invalid content. Word-search files (.wsp, .wsd) are known.\n"
    "\n"
    "Exit status: 0 when every code is 0, 1 otherwise, 2 when a file's kind is unknown.\n";

const char* const kShowHelp =
    "Usage: brainloft-make show FILE\n"
    "\n"
    "Prints a word-search file as 20 lines of 20 letters ('.' where a cell holds no letter\n"
    "A to Z), an empty line, then 'n WORD x1,y1 x2,y2' for each word slot n in use, with the\n"
    "first and last cell from the file's placement table, or 'n WORD - -' when the word was\n"
    "not placed.\n"
    "\n"
    "Exit status: 0, or 1 when the file cannot be read.\n";

bool wantsHelp(const QStringList& args)
{
    return args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"));
}

bool parseNumber(const QString& text, qint64 min, qint64 max, qint64& value)
{
    bool ok = false;
    value = text.toLongLong(&ok, 10);
    return ok && value >= min && value <= max;
}

bool isWordSearchFile(const QString& path)
{
    const QString ext = filenames::lowerExtension(QFileInfo(path).fileName());
    return ext == QLatin1String(".wsp") || ext == QLatin1String(".wsd");
}

QString printable(const QByteArray& bytes)
{
    QString text;
    for (char c : bytes)
        text += (c >= 0x20 && c < 0x7F) ? QChar::fromLatin1(c) : QLatin1Char('?');
    return text;
}

int runWordSearch(const QStringList& args, const QString& programFolder, QTextStream& out, QTextStream& err)
{
    if (wantsHelp(args)) {
        out << kWordSearchHelp;
        return kOk;
    }
    QStringList positional;
    QString folder = programFolder + QStringLiteral("Brainloft puzzles");
    bool folderGiven = false;
    bool seeded = false;
    qint64 seed = 0;
    qint64 retries = 10;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--folder")) {
            if (!hasValue) {
                err << "brainloft-make wordsearch: --folder needs a folder\n";
                return kRefused;
            }
            folder = args[++i];
            folderGiven = true;
        } else if (a == QLatin1String("--seed")) {
            if (!hasValue || !parseNumber(args[i + 1], 0, std::numeric_limits<qint64>::max(), seed)) {
                err << "brainloft-make wordsearch: --seed needs a whole number of 0 or more\n";
                return kRefused;
            }
            ++i;
            seeded = true;
        } else if (a == QLatin1String("--retry")) {
            if (!hasValue || !parseNumber(args[i + 1], 0, 1000, retries)) {
                err << "brainloft-make wordsearch: --retry needs a whole number from 0 to 1000\n";
                return kRefused;
            }
            ++i;
        } else if (a.startsWith(QLatin1String("--"))) {
            err << "brainloft-make wordsearch: unknown option " << a << "\n";
            return kRefused;
        } else {
            positional << a;
        }
    }
    if (positional.size() != 2) {
        err << "brainloft-make wordsearch: give a word list and a puzzle name (see --help)\n";
        return kRefused;
    }
    const QString listPath = positional[0];
    const QString name = filenames::replaceExtension(positional[1], QString());
    if (name.isEmpty() || std::any_of(name.begin(), name.end(), [](QChar c) {
            return c != QLatin1Char('.') && (filenames::isRefusedNameCharacter(c) || c.unicode() < 0x20);
        })) {
        err << "brainloft-make wordsearch: the name " << positional[1]
            << " cannot be a file name (it may not be empty or hold \\ / : * ? \" < > |)\n";
        return kRefused;
    }

    QFile listFile(listPath);
    if (!QFileInfo(listPath).isFile() || !listFile.open(QIODevice::ReadOnly)) {
        err << "brainloft-make wordsearch: cannot read the word list " << listPath << "\n";
        return kRefused;
    }
    // A word list of 64 words fits in a few kilobytes; anything far larger is not one.
    const QByteArray text = listFile.read(1 << 20);
    if (!listFile.atEnd()) {
        err << "brainloft-make wordsearch: " << listPath << " is too large to be a word list\n";
        return kRefused;
    }
    const wordsearch::WordListResult list = wordsearch::ParseWordList(text);
    if (!list.error.isEmpty()) {
        err << "brainloft-make wordsearch: " << listPath;
        if (list.line > 0)
            err << ":" << list.line;
        err << ": " << list.error << "\n";
        return kRefused;
    }

    if (!folderGiven)
        QDir().mkdir(folder);
    if (!QFileInfo(folder).isDir()) {
        err << "brainloft-make wordsearch: the folder " << folder << " does not exist\n";
        return kFailed;
    }

    Rng rng(seeded ? static_cast<std::uint64_t>(seed) : std::random_device{}() ^ static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch()));
    wordsearch::WordSearchPuzzle puzzle;
    wordsearch::GridBuilder builder(puzzle, rng);
    wordsearch::BuildOutcome outcome = builder.Build(list.words);
    for (qint64 attempt = 0; attempt < retries && !outcome.unplaced.isEmpty(); ++attempt)
        outcome = builder.Build(list.words);

    const QString path = QDir(folder).filePath(name + QStringLiteral(".wsp"));
    const int code = wordsearch::SaveWordSearchFileAt(path, puzzle);
    if (code != 0) {
        err << "brainloft-make wordsearch: could not save " << path << " (code " << code << ")\n";
        return kFailed;
    }
    out << path << "\n";
    for (const QString& word : outcome.unplaced)
        err << "not placed: " << word << "\n";
    return outcome.unplaced.isEmpty() ? kOk : kUnplaced;
}

int runCheck(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (wantsHelp(args)) {
        out << kCheckHelp;
        return kOk;
    }
    if (args.isEmpty()) {
        err << "brainloft-make check: give one or more puzzle files (see --help)\n";
        return kRefused;
    }
    int status = kOk;
    for (const QString& path : args) {
        if (!isWordSearchFile(path)) {
            err << "brainloft-make check: " << path << ": unknown kind of puzzle file\n";
            status = kRefused;
            continue;
        }
        wordsearch::WordSearchPuzzle puzzle;
        const int code = wordsearch::LoadWordSearchFileAt(path, puzzle);
        out << path << ": " << code << "\n";
        if (code != 0 && status == kOk)
            status = kFailed;
    }
    return status;
}

int runShow(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (wantsHelp(args)) {
        out << kShowHelp;
        return kOk;
    }
    if (args.size() != 1) {
        err << "brainloft-make show: give one word-search file (see --help)\n";
        return kRefused;
    }
    wordsearch::WordSearchPuzzle puzzle;
    wordsearch::PlacementTable table{};
    const int code = wordsearch::LoadWordSearchFileAt(args[0], puzzle, &table);
    if (code != 0) {
        err << "brainloft-make show: " << args[0] << " cannot be read as a word search (code " << code << ")\n";
        return kFailed;
    }
    for (int y = 1; y <= wordsearch::kField; ++y) {
        QString line;
        for (int x = 1; x <= wordsearch::kField; ++x) {
            const char c = puzzle.grid[x][y];
            line += wordsearch::isLetter(c) ? QChar::fromLatin1(c) : QLatin1Char('.');
        }
        out << line << "\n";
    }
    out << "\n";
    for (int n = 1; n <= wordsearch::kSlotCount; ++n) {
        const wordsearch::WordSlot& slot = puzzle.wordSlots[n - 1];
        if (slot.isEmpty())
            continue;
        const wordsearch::TableEntry& e = table[n - 1];
        out << n << " " << printable(slot.word()) << " ";
        if (e.isZero())
            out << "- -";
        else
            out << e.x1 << "," << e.y1 << " " << e.x2 << "," << e.y2;
        out << "\n";
    }
    return kOk;
}

} // namespace

int RunMaker(const QStringList& args, const QString& programFolder, QTextStream& out, QTextStream& err)
{
    if (args.isEmpty()) {
        err << kMainHelp;
        return kRefused;
    }
    const QString verb = args.first();
    const QStringList rest = args.mid(1);
    if (verb == QLatin1String("--help") || verb == QLatin1String("-h") || verb == QLatin1String("help")) {
        out << kMainHelp;
        return kOk;
    }
    if (verb == QLatin1String("wordsearch"))
        return runWordSearch(rest, programFolder, out, err);
    if (verb == QLatin1String("check"))
        return runCheck(rest, out, err);
    if (verb == QLatin1String("show"))
        return runShow(rest, out, err);
    err << "brainloft-make: unknown verb " << verb << " (see --help)\n";
    return kRefused;
}
