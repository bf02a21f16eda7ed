#include "platform/inifile.h"

#include "platform/atomicfile.h"
#include "platform/inputfile.h"

#include <algorithm>
#include <limits>

namespace {

// No line of a sane INI file is this long; the rest of such a file is ignored.
constexpr qint64 kMaxFileBytes = 1 << 20;

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniFile::IniFile(QString path) : path_(std::move(path)) {}

void IniFile::load()
{
    // Opened once without blocking: a pipe in the file's place reads as no file.
    inputfile::InputFile file;
    if (!file.open(path_, std::numeric_limits<qint64>::max())) {
        sections_.clear();
        return;
    }
    QByteArray text(std::min(file.size(), kMaxFileBytes), '\0');
    qint64 have = 0;
    while (have < text.size()) {
        const qint64 n = file.read(text.data() + have, text.size() - have);
        if (n <= 0)
            break;
        have += n;
    }
    text.truncate(have);
    parse(text);
}

void IniFile::parse(const QByteArray& text)
{
    sections_.clear();
    sections_.push_back(Section{});
    const QList<QByteArray> rawLines = text.split('\n');
    for (int i = 0; i < rawLines.size(); ++i) {
        QString line = QString::fromLatin1(rawLines[i]);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (i == rawLines.size() - 1 && line.isEmpty())
            break; // the file's final line break
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']')) && trimmed.size() >= 2) {
            sections_.push_back(Section{trimmed.mid(1, trimmed.size() - 2).trimmed(), {}});
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        const bool comment = trimmed.startsWith(QLatin1Char(';'));
        if (eq > 0 && !comment && !line.left(eq).trimmed().isEmpty())
            sections_.back().lines.push_back(Line{line.left(eq).trimmed(), line.mid(eq + 1).trimmed(), line});
        else
            sections_.back().lines.push_back(Line{QString(), QString(), line});
    }
}

QByteArray IniFile::text() const
{
    QByteArray out;
    for (const Section& section : sections_) {
        if (!section.name.isEmpty() || &section != &sections_.front())
            out += '[' + section.name.toLatin1() + "]\n";
        for (const Line& line : section.lines) {
            if (line.key.isEmpty())
                out += line.raw.toLatin1();
            else
                out += line.key.toLatin1() + '=' + line.value.toLatin1();
            out += '\n';
        }
    }
    return out;
}

bool IniFile::save() const
{
    return atomicfile::WriteFile(path_, text());
}

const IniFile::Line* IniFile::find(const QString& section, const QString& key) const
{
    for (const Section& s : sections_) {
        if (!sameName(s.name, section))
            continue;
        for (const Line& line : s.lines)
            if (!line.key.isEmpty() && sameName(line.key, key))
                return &line;
    }
    return nullptr;
}

IniFile::Section& IniFile::sectionFor(const QString& section)
{
    for (Section& s : sections_)
        if (sameName(s.name, section) && (!s.name.isEmpty() || section.isEmpty()))
            return s;
    if (sections_.empty())
        sections_.push_back(Section{});
    sections_.push_back(Section{section, {}});
    return sections_.back();
}

QString IniFile::readString(const QString& section, const QString& key, const QString& def) const
{
    const Line* line = find(section, key);
    return line ? line->value : def;
}

int IniFile::readInteger(const QString& section, const QString& key, int def) const
{
    bool ok = false;
    const QString value = readString(section, key);
    int result = value.toInt(&ok, 10);
    if (!ok && value.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        result = value.mid(2).toInt(&ok, 16);
    return ok ? result : def;
}

bool IniFile::readBool(const QString& section, const QString& key, bool def) const
{
    return readInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& rawValue)
{
    // A line break inside a value would split it into two lines of the file.
    QString value = rawValue;
    value.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    Section& s = sectionFor(section);
    for (Line& line : s.lines) {
        if (!line.key.isEmpty() && sameName(line.key, key)) {
            line.value = value;
            return;
        }
    }
    // Keep a trailing blank line after the new key, where the section had one.
    auto at = s.lines.end();
    while (at != s.lines.begin() && std::prev(at)->key.isEmpty() && std::prev(at)->raw.trimmed().isEmpty())
        --at;
    s.lines.insert(at, Line{key, value, QString()});
}

void IniFile::writeInteger(const QString& section, const QString& key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QStringList IniFile::sections() const
{
    QStringList names;
    for (const Section& s : sections_)
        if (!s.name.isEmpty())
            names << s.name;
    return names;
}
