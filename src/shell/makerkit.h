#pragma once

#include "platform/rng.h"
#include "shell/program.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <functional>

// What every verb of brainloft-make shares: statuses, options, names, input and output, and the
// registry each puzzle type adds its verbs and file kinds to (through its descriptor's hooks).
namespace maker {

// Exit statuses, one rule for every verb.
constexpr int kOk = 0;
constexpr int kFailed = 1;   // an input could not be read or an output could not be written
constexpr int kRefused = 2;  // the arguments or an input's contents were refused; nothing written
constexpr int kUnplaced = 3; // a word search was saved, but some words found no place

// A puzzle file's print pages (cli/printverbs.h): only the part of a type that draws fills them.
struct PrintablePages;

struct Context {
    QString programFolder; // ends with '/'
    QTextStream& out;
    QTextStream& err;

    QString puzzleFolder() const { return ProgramPaths::puzzleFolderIn(programFolder); }
    // One line on standard error, prefixed with the program and verb.
    void fail(const QString& verb, const QString& message);
};

// A kind of puzzle file that check and show know, by its lower-case extensions (".wsp").
struct FileKind {
    QStringList extensions;
    // The reader's result code for the file; may print a reason on standard error.
    std::function<int(const QString& path, Context&)> check;
    // Prints the file; returns an exit status.
    std::function<int(const QString& path, Context&)> show;
    // Reads the file and fills its print pages (cli/printverbs.h); returns the reader's code.
    // Empty for a kind that does not print, and until the part that draws is loaded.
    std::function<int(const QString& path, Context&, PrintablePages& pages)> pages = {};
    // What show prints for this kind, for the help: a few lines, each ending in a line feed.
    QString showHelp = {};
};

struct Verb {
    QString name;
    QString usage;   // one line for the main help: "wordsearch LIST NAME [--folder DIR]"
    QString summary; // what it does, one line
    // Empty for a verb that draws, until the part that draws is loaded: the verb is listed and
    // its name known without Qt Gui.
    std::function<int(const QStringList& args, Context&)> run;
};

// The options shared by the make verbs: --folder DIR and --seed N, plus any a verb adds.
struct MakeOptions {
    QString folder;          // the output folder; the puzzle folder unless --folder was given
    bool folderGiven = false;
    bool seeded = false;
    quint64 seed = 0;
    QStringList positional;
    QList<std::pair<QString, QString>> extra; // other "--name value" pairs, in order
};

// A kind of puzzle the worksheets verb makes many of from one input: the input and options read
// once, then one puzzle a seed, each built as the kind's own make verb builds it.
struct SheetKind {
    // Makes the sheet of one seed, its pages titled name: the bytes its make verb would save (none
    // when they could not be made) and the print pages of those bytes; leftOut names what the
    // puzzle could not hold (words without a place).
    using Build = std::function<void(quint64 seed, const QString& name, QByteArray& file, PrintablePages& pages,
                                     QStringList& leftOut)>;

    QString name;          // as the command line names it: "wordsearch"
    QString input;         // what it reads, for the help ("LIST"); empty when it reads nothing
    QString defaultTitle;  // the title when no input file names the sheets ("Maze")
    QString extension;     // of a saved puzzle: ".wsp"
    QStringList options;   // its own options, each taking a value ("--retry")
    QString optionsUsage;  // those options for the help: "[--retry K]"
    // Checks the kind's options and the input's contents (inputPath names it in messages). An
    // empty Build after a message on standard error when they are refused.
    std::function<Build(const QString& verb, const MakeOptions& options, const QString& inputPath,
                        const QByteArray& input, Context& ctx)>
        prepare;
};

struct Registry {
    QList<Verb> verbs;
    QList<FileKind> kinds;
    QList<SheetKind> sheetKinds;
    // The kind whose extension the path has (any case); null when none.
    const FileKind* kindFor(const QString& path) const;
    FileKind* kindFor(const QString& path);
    Verb* verb(const QString& name);
    QStringList knownExtensions() const;
    // Verbs added twice under one name become one in the first one's place, with what the later
    // one gives: the part that draws completes the verbs the rest lists.
    void mergeSameNames();
    // Whether running args needs what is not registered yet: a verb without its run, or check or
    // show of a file whose kind has no reader here.
    bool needsDrawing(const QStringList& args) const;
};

bool wantsHelp(const QStringList& args);

// Parses args; extraOptions names the verb's own options that take a value ("--level").
// False after a message on standard error (status kRefused).
bool ParseMakeOptions(const QString& verb, const QStringList& args, const QStringList& extraOptions,
                      Context& ctx, MakeOptions& options);
// The value of an extra option, or def.
QString ExtraOption(const MakeOptions& options, const QString& name, const QString& def = QString());
// A whole number in [min, max].
bool ParseNumber(const QString& text, qint64 min, qint64 max, qint64& value);

// The generator for a make verb: seeded when asked, else from the clock.
Rng MakeRng(const MakeOptions& options);

// Checks a puzzle name and drops a trailing extension. Refused (with a message): empty, "." and
// "..", a leading dot, characters a puzzle name may not hold, control characters, text that was
// not valid UTF-8.
bool CheckName(const QString& verb, const QString& raw, Context& ctx, QString& name);

// The start every make verb shares: --help prints help; then the options (extraOptions as for
// ParseMakeOptions) and exactly as many positional arguments as `what` names ("a word list and a
// puzzle name"), the last a puzzle name, checked. False when the verb ends here, with status.
bool StartMakeVerb(const QString& verb, const QStringList& args, const char* help, const QStringList& extraOptions,
                   qsizetype positionals, const QString& what, Context& ctx, MakeOptions& options, QString& name,
                   int& status);

// Reads an input file whole ("-" reads standard input): a UTF-8 byte-order mark at the start is
// dropped. A file is opened once without blocking and must be a regular file: a pipe in its
// place is refused, never waited on. status is kFailed when it cannot be read, kRefused when it
// is over maxBytes.
bool ReadInput(const QString& verb, const QString& path, qint64 maxBytes, Context& ctx, QByteArray& bytes,
               int& status);

// Makes sure the output folder exists (the puzzle folder is created when missing); kOk or kFailed.
int PrepareFolder(const QString& verb, const MakeOptions& options, Context& ctx);

// The path of name + ext in the folder; an existing file whose name differs only in case is
// the one replaced, as in the program.
QString OutputPath(const MakeOptions& options, const QString& name, const QString& ext);

// After a successful write: files in the shared puzzle folder are opened to every user, as the
// program does; the path of the file written is printed (a save replaces an existing file whose
// name differs only in case, so that is the one named).
void Saved(const MakeOptions& options, const QString& path, Context& ctx);

// True when both name one existing file (the same device and inode), through whatever links.
bool SameFile(const QString& a, const QString& b);

// Text safe to print in a message: control characters become '?', and text longer than a line
// keeps its start and end around "...".
QString Printable(const QString& text);
// The same for what a verb prints as its result (a path): shortened only past the longest path
// the system takes.
QString PrintableResult(const QString& text);

} // namespace maker
