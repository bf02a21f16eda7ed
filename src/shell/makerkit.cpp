#include "shell/makerkit.h"

#include "platform/fileaccess.h"
#include "platform/filenames.h"
#include "platform/inputfile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <random>
#include <sys/stat.h>
#include <utility>

namespace maker {

void Context::fail(const QString& verb, const QString& message)
{
    err << "brainloft-make " << verb << ": " << message << "\n";
}

const FileKind* Registry::kindFor(const QString& path) const
{
    const QString ext = filenames::lowerExtension(QFileInfo(path).fileName());
    for (const FileKind& kind : kinds)
        if (kind.extensions.contains(ext))
            return &kind;
    return nullptr;
}

FileKind* Registry::kindFor(const QString& path)
{
    return const_cast<FileKind*>(std::as_const(*this).kindFor(path));
}

Verb* Registry::verb(const QString& name)
{
    for (Verb& v : verbs)
        if (v.name == name)
            return &v;
    return nullptr;
}

void Registry::mergeSameNames()
{
    QList<Verb> merged;
    for (const Verb& v : std::as_const(verbs)) {
        auto first = std::find_if(merged.begin(), merged.end(), [&v](const Verb& m) { return m.name == v.name; });
        if (first == merged.end()) {
            merged.append(v);
            continue;
        }
        if (!v.usage.isEmpty())
            first->usage = v.usage;
        if (!v.summary.isEmpty())
            first->summary = v.summary;
        if (v.run)
            first->run = v.run;
    }
    verbs = merged;
}

bool Registry::needsDrawing(const QStringList& args) const
{
    if (args.isEmpty())
        return false;
    const QString& name = args.first();
    if (name == QLatin1String("check") || name == QLatin1String("show")) {
        const bool check = name == QLatin1String("check");
        for (const QString& path : args.mid(1)) {
            const FileKind* kind = kindFor(path);
            if (kind && !(check ? bool(kind->check) : bool(kind->show)))
                return true;
        }
        return false;
    }
    for (const Verb& v : verbs)
        if (v.name == name)
            return !v.run;
    return false;
}

QStringList Registry::knownExtensions() const
{
    QStringList all;
    for (const FileKind& kind : kinds)
        all << kind.extensions;
    return all;
}

bool wantsHelp(const QStringList& args)
{
    return args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"));
}

bool ParseNumber(const QString& text, qint64 min, qint64 max, qint64& value)
{
    bool ok = false;
    value = text.toLongLong(&ok, 10);
    return ok && value >= min && value <= max;
}

bool ParseMakeOptions(const QString& verb, const QStringList& args, const QStringList& extraOptions, Context& ctx,
                      MakeOptions& options)
{
    options.folder = ctx.puzzleFolder();
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--folder")) {
            if (!hasValue) {
                ctx.fail(verb, QStringLiteral("--folder needs a folder"));
                return false;
            }
            options.folder = args[++i];
            options.folderGiven = true;
        } else if (a == QLatin1String("--seed")) {
            qint64 seed = 0;
            if (!hasValue || !ParseNumber(args[i + 1], 0, std::numeric_limits<qint64>::max(), seed)) {
                ctx.fail(verb, QStringLiteral("--seed needs a whole number of 0 or more"));
                return false;
            }
            options.seed = static_cast<quint64>(seed);
            options.seeded = true;
            ++i;
        } else if (extraOptions.contains(a)) {
            if (!hasValue) {
                ctx.fail(verb, a + QStringLiteral(" needs a value"));
                return false;
            }
            options.extra.append({a, args[++i]});
        } else if (a.startsWith(QLatin1String("--"))) {
            ctx.fail(verb, QStringLiteral("unknown option ") + Printable(a));
            return false;
        } else {
            options.positional << a;
        }
    }
    return true;
}

QString ExtraOption(const MakeOptions& options, const QString& name, const QString& def)
{
    QString value = def;
    for (const auto& [key, v] : options.extra)
        if (key == name)
            value = v;
    return value;
}

Rng MakeRng(const MakeOptions& options)
{
    if (options.seeded)
        return Rng(options.seed);
    return Rng(std::random_device{}() ^ static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch()));
}

namespace {

QString withoutControls(const QString& text)
{
    QString shown = text;
    for (QChar& c : shown)
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0))
            c = QLatin1Char('?');
    return shown;
}

// The start and the end of a text longer than head + tail.
QString shortened(const QString& text, qsizetype head, qsizetype tail)
{
    if (text.size() <= head + tail + 3)
        return withoutControls(text);
    return withoutControls(text.left(head)) + QStringLiteral("...") + withoutControls(text.right(tail));
}

} // namespace

QString Printable(const QString& text)
{
    return shortened(text, 100, 40);
}

QString PrintableResult(const QString& text)
{
    return shortened(text, 4000, 96);
}

bool SameFile(const QString& a, const QString& b)
{
    struct stat sa {};
    struct stat sb {};
    return ::stat(QFile::encodeName(a).constData(), &sa) == 0 && ::stat(QFile::encodeName(b).constData(), &sb) == 0 &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool StartMakeVerb(const QString& verb, const QStringList& args, const char* help, const QStringList& extraOptions,
                   qsizetype positionals, const QString& what, Context& ctx, MakeOptions& options, QString& name,
                   int& status)
{
    if (wantsHelp(args)) {
        ctx.out << help;
        status = kOk;
        return false;
    }
    status = kRefused;
    if (!ParseMakeOptions(verb, args, extraOptions, ctx, options))
        return false;
    if (options.positional.size() != positionals) {
        ctx.fail(verb, QStringLiteral("give ") + what + QStringLiteral(" (see --help)"));
        return false;
    }
    return CheckName(verb, options.positional.last(), ctx, name);
}

bool CheckName(const QString& verb, const QString& raw, Context& ctx, QString& name)
{
    name = filenames::replaceExtension(raw, QString());
    QString why;
    if (name.isEmpty() || name == QLatin1String("."))
        why = QStringLiteral("may not be empty");
    else if (raw.startsWith(QLatin1Char('.')))
        why = QStringLiteral("may not start with a dot");
    else if (raw.contains(QChar::ReplacementCharacter))
        why = QStringLiteral("is not valid UTF-8");
    else if (std::any_of(name.begin(), name.end(), [](QChar c) {
                 return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0);
             }))
        why = QStringLiteral("may not hold control characters");
    else if (std::any_of(name.begin(), name.end(), [](QChar c) {
                 return c != QLatin1Char('.') && filenames::isRefusedNameCharacter(c);
             }))
        why = QStringLiteral("may not hold \\ / : * ? \" < > |");
    if (why.isEmpty())
        return true;
    ctx.fail(verb, QStringLiteral("the name ") + Printable(raw) + QStringLiteral(" cannot be a puzzle name: it ") + why);
    return false;
}

bool ReadInput(const QString& verb, const QString& path, qint64 maxBytes, Context& ctx, QByteArray& bytes, int& status)
{
    const bool standardInput = path == QLatin1String("-");
    const QString shown = standardInput ? QStringLiteral("standard input") : Printable(path);
    const auto failed = [&](const QString& why) {
        ctx.fail(verb, QStringLiteral("cannot read ") + shown + QStringLiteral(": ") + why);
        status = kFailed;
        return false;
    };
    const auto tooLarge = [&] {
        ctx.fail(verb, shown + QStringLiteral(" is too large"));
        status = kRefused;
        return false;
    };
    bytes.clear();
    if (standardInput) {
        // Standard input may be a pipe: read until its end, never past the limit.
        QFile file;
        if (!file.open(stdin, QIODevice::ReadOnly)) {
            ctx.fail(verb, QStringLiteral("cannot read standard input"));
            status = kFailed;
            return false;
        }
        while (bytes.size() <= maxBytes) {
            const QByteArray chunk = file.read(64 * 1024);
            if (chunk.isEmpty())
                break;
            bytes += chunk;
        }
    } else {
        inputfile::InputFile file;
        if (!file.open(path, std::numeric_limits<qint64>::max()))
            return failed(file.error() == QLatin1String("a folder, not a file") ? QStringLiteral("it is a folder")
                                                                               : file.error());
        if (file.size() > maxBytes)
            return tooLarge();
        // Never past the limit, even should the file grow meanwhile.
        bytes.resize(file.size() + 1);
        qint64 have = 0;
        for (;;) {
            if (have == bytes.size()) {
                if (have > maxBytes)
                    break;
                bytes.resize(std::min<qint64>(maxBytes + 1, have * 2));
            }
            const qint64 n = file.read(bytes.data() + have, bytes.size() - have);
            if (n < 0)
                return failed(file.error());
            if (n == 0)
                break;
            have += n;
        }
        bytes.truncate(have);
    }
    if (bytes.size() > maxBytes) {
        bytes.clear();
        return tooLarge();
    }
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    status = kOk;
    return true;
}

int PrepareFolder(const QString& verb, const MakeOptions& options, Context& ctx)
{
    const QFileInfo info(options.folder);
    if (info.exists() && !info.isDir()) {
        ctx.fail(verb, Printable(options.folder) + QStringLiteral(" is not a folder"));
        return kFailed;
    }
    if (!info.exists()) {
        if (options.folderGiven) {
            ctx.fail(verb, QStringLiteral("the folder ") + Printable(options.folder) + QStringLiteral(" does not exist"));
            return kFailed;
        }
        if (::mkdir(QFile::encodeName(options.folder).constData(), 0777) != 0) {
            ctx.fail(verb, Printable(options.folder) + QStringLiteral(" cannot be created: ") +
                               QString::fromLocal8Bit(std::strerror(errno)));
            return kFailed;
        }
    }
    return kOk;
}

QString OutputPath(const MakeOptions& options, const QString& name, const QString& ext)
{
    return filenames::resolveInFolder(options.folder, name + ext);
}

void Saved(const MakeOptions& options, const QString& path, Context& ctx)
{
    const QFileInfo info(path);
    const QString written = filenames::resolveInFolder(info.path(), info.fileName());
    if (!options.folderGiven)
        fileaccess::openToEveryone(written);
    ctx.out << written << "\n";
}

} // namespace maker
