#include "shell/settingsstore.h"

#include "platform/atomicfile.h"
#include "platform/inputfile.h"

#include "shell/program.h"
#include "shell/settings.h"

#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QVariant>

namespace {

const QString kMain = QStringLiteral("Main");

QString mainKey(const char* value)
{
    return ProductKey(kMain, QString::fromLatin1(value));
}

// Only an optional sign and ASCII digits count; QString::toInt alone would forgive blanks.
bool parseDecimal(const QString& text, int& out)
{
    qsizetype i = 0;
    if (!text.isEmpty() && (text.front() == u'+' || text.front() == u'-'))
        i = 1;
    if (i >= text.size())
        return false;
    for (; i < text.size(); ++i)
        if (text.at(i) < u'0' || text.at(i) > u'9')
            return false;
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (ok)
        out = value;
    return ok;
}

// The value as the text it was stored as. The INI reader turns unquoted commas into lists and
// "@..." forms into other types; none of those is text we wrote.
bool storedText(const QSettings& store, const QString& key, QString& out)
{
    const QVariant value = store.value(key);
    if (value.typeId() != QMetaType::QString)
        return false;
    out = value.toString();
    return true;
}

} // namespace

QString ProductKey(const QString& subkey, const QString& value)
{
    return QStringLiteral("Software/Oakhollow/Brainloft/") + subkey + QLatin1Char('/') + value;
}

namespace {

// The private folder of a store's working copy, filled before the QSettings on it opens.
struct WorkingFolder {
    explicit WorkingFolder(const QByteArray& original)
        : copied(folder.isValid() &&
                 (original.isEmpty() || atomicfile::WriteFile(folder.filePath(QStringLiteral("store.ini")), original)))
    {
    }
    QTemporaryDir folder;
    bool copied;
};

// QSettings writes its file through a buffered save that can leave an empty file on a full disk.
// So it works on a private copy, and the copy goes back through the program's atomic writer,
// only when it reads back whole and differs from what the file held.
class SettingsStore : private WorkingFolder, public QSettings {
public:
    SettingsStore(const QString& file, const QByteArray& original)
        : WorkingFolder(original), QSettings(folder.filePath(QStringLiteral("store.ini")), QSettings::IniFormat),
          file_(file), original_(original)
    {
    }

    ~SettingsStore() override
    {
        sync();
        // A damaged store (a format error) is still replaced by what was read of it.
        if (!copied || status() == QSettings::AccessError)
            return;
        QFile copy(fileName());
        if (!copy.open(QIODevice::ReadOnly))
            return;
        const QByteArray bytes = copy.readAll();
        if (bytes == original_ || !readsBackWhole())
            return;
        // The folder of the store is the user's; create it as QSettings would.
        QDir().mkpath(QFileInfo(file_).absolutePath());
        atomicfile::WriteFile(file_, bytes);
    }

private:
    // Every value of ours reads back as written (a damaged store's other lines need not).
    bool readsBackWhole()
    {
        QSettings again(fileName(), QSettings::IniFormat);
        if (again.status() == QSettings::AccessError)
            return false;
        const QString ours = QStringLiteral("Software/Oakhollow/");
        for (const QString& key : allKeys())
            if (key.startsWith(ours) && again.value(key) != value(key))
                return false;
        return true;
    }

    QString file_;
    QByteArray original_;
};

} // namespace

std::unique_ptr<QSettings> OpenSettingsStore(const QString& file)
{
    if (file.isEmpty())
        return nullptr;
    // Opened once without blocking: a pipe or anything else in the store's place reads as empty.
    QByteArray original;
    if (!inputfile::ReadFile(file, kLargestSettingsStore, original))
        original.clear();
    return std::make_unique<SettingsStore>(file, original);
}

bool SetAsideOversizedStore(const QString& file)
{
    const QFileInfo info(file);
    if (file.isEmpty() || !info.isFile() || info.size() <= kLargestSettingsStore)
        return false;
    const QString bad = file + QStringLiteral(".bad");
    QFile::remove(bad);
    return QFile::rename(file, bad);
}

int ReadRegistryInteger(const QSettings& store, const QString& key, int def)
{
    QString text;
    int value = def;
    if (storedText(store, key, text) && parseDecimal(text, value))
        return value;
    return def;
}

bool ReadRegistryBool(const QSettings& store, const QString& key, bool def)
{
    return ReadRegistryInteger(store, key, def ? 1 : 0) != 0;
}

QString ReadRegistryString(const QSettings& store, const QString& key, const QString& def)
{
    QString text;
    return storedText(store, key, text) ? text : def;
}

void WriteRegistryInteger(QSettings& store, const QString& key, int value)
{
    store.setValue(key, QString::number(value));
}

void WriteRegistryBool(QSettings& store, const QString& key, bool value)
{
    store.setValue(key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void WriteRegistryString(QSettings& store, const QString& key, const QString& value)
{
    store.setValue(key, value);
}

void LoadSettings(Program& program)
{
    SetAsideOversizedStore(program.paths.settingsFile);
    const auto store = OpenSettingsStore(program.paths.settingsFile);
    Settings& s = program.settings;
    if (!store) {
        s.effectiveHighlight = HighlightColourFor(s.highlight, s.highlightColor);
        return;
    }
    s.mzlevel = ReadRegistryInteger(*store, mainKey("Mzlevel"), 60);
    s.mazeCursor = ReadRegistryInteger(*store, mainKey("Maze cursor"), 255);
    s.cgSkill = ReadRegistryInteger(*store, mainKey("CgSkill"), 3);
    s.highlight = ReadRegistryInteger(*store, mainKey("Highlight"), 1);
    s.highlightColor = ReadRegistryInteger(*store, mainKey("Highlightcolor"), 255);
    s.music = ReadRegistryInteger(*store, mainKey("Music"), 3);
    s.play = ReadRegistryBool(*store, mainKey("Play"), false);
    s.selected = ReadRegistryString(*store, mainKey("Selected"));
    s.effectiveHighlight = HighlightColourFor(s.highlight, s.highlightColor);
}

void SaveSettings(const Program& program)
{
    const auto store = OpenSettingsStore(program.paths.settingsFile);
    if (!store)
        return;
    const Settings& s = program.settings;
    WriteRegistryInteger(*store, mainKey("Mzlevel"), s.mzlevel);
    WriteRegistryInteger(*store, mainKey("Maze cursor"), s.mazeCursor);
    WriteRegistryInteger(*store, mainKey("CgSkill"), s.cgSkill);
    WriteRegistryInteger(*store, mainKey("Highlight"), s.highlight);
    WriteRegistryInteger(*store, mainKey("Highlightcolor"), s.highlightColor);
    WriteRegistryInteger(*store, mainKey("Music"), s.music);
    WriteRegistryBool(*store, mainKey("Play"), s.play);
    WriteRegistryString(*store, mainKey("Selected"), s.selected);
    // A store that cannot be written loses the values; nobody is told.
    store->sync();
}
