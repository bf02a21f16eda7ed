#include "platform/atomicfile.h"
#include "shell/settingsstore.h"
#include "support/testprogram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A store holding the given Main lines, as the INI file would carry them.
void writeMain(const TestProgram& t, const QByteArray& lines)
{
    QByteArray text = "[Software]\n";
    for (const QByteArray& line : lines.split('\n'))
        if (!line.isEmpty())
            text += "Oakhollow\\Brainloft\\Main\\" + line + "\n";
    writeFile(t.program->paths.settingsFile, text);
}

// Puts every setting away from its default, so a test sees what loading really set.
void scramble(Settings& s)
{
    s.mzlevel = 100;
    s.mazeCursor = 7;
    s.cgSkill = 11;
    s.highlight = 9;
    s.highlightColor = 7;
    s.music = 1;
    s.play = true;
    s.selected = QStringLiteral("x.MID");
    s.effectiveHighlight = 0x123456;
}

void expectDefaults(const Settings& s)
{
    EXPECT_EQ(s.mzlevel, 60);
    EXPECT_EQ(s.mazeCursor, 255);
    EXPECT_EQ(s.cgSkill, 3);
    EXPECT_EQ(s.highlight, 1);
    EXPECT_EQ(s.highlightColor, 255);
    EXPECT_EQ(s.music, 3);
    EXPECT_FALSE(s.play);
    EXPECT_EQ(s.selected, QString());
    EXPECT_EQ(s.effectiveHighlight, 0x0000FFu);
}

} // namespace

TEST(SettingsStore, FirstRunGivesTheDefaults)
{
    TestProgram t;
    scramble(t.program->settings);
    LoadSettings(*t.program);
    expectDefaults(t.program->settings);
}

TEST(SettingsStore, EffectiveHighlightFollowsTheStoredChoice)
{
    {
        TestProgram t;
        writeMain(t, "Highlight=13\nHighlightcolor=65280");
        LoadSettings(*t.program);
        EXPECT_EQ(t.program->settings.effectiveHighlight, 0x00FF00u) << "the custom colour, pure green";
    }
    for (const char* choice : {"0", "20", "-1"}) {
        TestProgram t;
        writeMain(t, QByteArray("Highlight=") + choice + "\nHighlightcolor=65280");
        LoadSettings(*t.program);
        EXPECT_EQ(t.program->settings.highlight, QByteArray(choice).toInt()) << "no range test";
        EXPECT_EQ(t.program->settings.effectiveHighlight, 0x0000FFu) << choice;
    }
    {
        TestProgram t;
        writeMain(t, "Highlight=4");
        LoadSettings(*t.program);
        EXPECT_EQ(t.program->settings.effectiveHighlight, 0xFF6C6Cu) << "blue from the table";
    }
}

TEST(SettingsStore, OnlyPlainDecimalTextReadsAsAnInteger)
{
    struct Case {
        QByteArray stored;
        int expected;
    };
    const Case cases[] = {
        {"abc", 60},          {"", 60},           {"\" 30\"", 60},     {"\"30 \"", 60},
        {"0x1E", 60},         {"$1E", 60},        {"1e2", 60},         {"30.0", 60},
        {"30,60", 60},        {"99999999999", 60}, {"@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x1e)", 60},
        {"@ByteArray(30)", 60}, {"--30", 60},     {"+", 60},
        {"30", 30},           {"+30", 30},        {"-7", -7},          {"0", 0},
        {"2147483647", 2147483647},
    };
    for (const Case& c : cases) {
        TestProgram t;
        writeMain(t, "Mzlevel=" + c.stored);
        LoadSettings(*t.program);
        EXPECT_EQ(t.program->settings.mzlevel, c.expected) << c.stored.constData();
    }
}

TEST(SettingsStore, BooleansAreAnyNonZeroInteger)
{
    const std::pair<const char*, bool> cases[] = {{"1", true}, {"2", true}, {"-1", true}, {"0", false},
                                                  {"yes", false}, {"true", false}};
    for (const auto& [stored, expected] : cases) {
        TestProgram t;
        writeMain(t, QByteArray("Play=") + stored);
        LoadSettings(*t.program);
        EXPECT_EQ(t.program->settings.play, expected) << stored;
    }
}

TEST(SettingsStore, SaveWritesEveryValueAsText)
{
    TestProgram t;
    Settings& s = t.program->settings;
    s.mzlevel = 30;
    s.mazeCursor = 65280;
    s.cgSkill = 11;
    s.highlight = 13;
    s.highlightColor = 16711680;
    s.music = 1;
    s.play = true;
    s.selected = QStringLiteral("Carousel.MID");
    SaveSettings(*t.program);

    const QByteArray text = readFile(t.program->paths.settingsFile);
    const QByteArray lines[] = {
        "Oakhollow\\Brainloft\\Main\\Mzlevel=30\n",   "Oakhollow\\Brainloft\\Main\\Maze%20cursor=65280\n",
        "Oakhollow\\Brainloft\\Main\\CgSkill=11\n",   "Oakhollow\\Brainloft\\Main\\Highlight=13\n",
        "Oakhollow\\Brainloft\\Main\\Highlightcolor=16711680\n", "Oakhollow\\Brainloft\\Main\\Music=1\n",
        "Oakhollow\\Brainloft\\Main\\Play=1\n",       "Oakhollow\\Brainloft\\Main\\Selected=Carousel.MID\n",
    };
    EXPECT_TRUE(text.startsWith("[Software]\n")) << text.constData();
    for (const QByteArray& line : lines)
        EXPECT_TRUE(text.contains(line)) << line.constData() << "\nin\n" << text.constData();
    EXPECT_EQ(text.count('\n'), 9) << "the section line and the eight values, nothing else";

    s.play = false;
    SaveSettings(*t.program);
    EXPECT_TRUE(readFile(t.program->paths.settingsFile).contains("Oakhollow\\Brainloft\\Main\\Play=0\n"));
}

TEST(SettingsStore, SavedValuesReadBackAndOtherKeysStay)
{
    TestProgram t;
    writeFile(t.program->paths.settingsFile, "[Software]\nOakhollow\\Brainloft\\fmmain\\left=12\n");
    Settings& s = t.program->settings;
    s.mzlevel = -4;
    s.mazeCursor = 0x00FFFFFF;
    s.cgSkill = 0;
    s.highlight = 13;
    s.highlightColor = 0x00FF00;
    s.music = 2;
    s.play = true;
    s.selected = QStringLiteral(" Tune, old.MID");
    SaveSettings(*t.program);

    TestProgram other;
    other.program->paths.settingsFile = t.program->paths.settingsFile;
    LoadSettings(*other.program);
    const Settings& r = other.program->settings;
    EXPECT_EQ(r.mzlevel, -4);
    EXPECT_EQ(r.mazeCursor, 0x00FFFFFF) << "the name with a blank reads back";
    EXPECT_EQ(r.cgSkill, 0);
    EXPECT_EQ(r.highlight, 13);
    EXPECT_EQ(r.highlightColor, 0x00FF00);
    EXPECT_EQ(r.music, 2);
    EXPECT_TRUE(r.play);
    EXPECT_EQ(r.selected, QStringLiteral(" Tune, old.MID")) << "commas and blanks survive";
    EXPECT_EQ(r.effectiveHighlight, 0x00FF00u);

    QSettings store(t.program->paths.settingsFile, QSettings::IniFormat);
    EXPECT_EQ(ReadRegistryInteger(store, ProductKey("fmmain", "left"), -1000), 12);
}

TEST(SettingsStore, DamagedStoreGivesTheDefaultsAndIsReplacedOnSave)
{
    QByteArray binary;
    for (int i = 0; i < 70000; ++i)
        binary.append(static_cast<char>((i * 7919 + i / 13) & 0xFF));
    QByteArray hugeNumber = "[Software]\nOakhollow\\Brainloft\\Main\\Mzlevel=";
    hugeNumber.append(4 * 1024 * 1024, '7');
    QByteArray hugeRubbish;
    for (int i = 0; i < 200000; ++i)
        hugeRubbish += "[\x01=\"\\x";

    const std::pair<const char*, QByteArray> cases[] = {
        {"binary", binary},
        {"nul bytes", QByteArray(4096, '\0')},
        {"truncated section", "[Softw"},
        {"truncated name", "[Software]\nOakhollow\\Brainloft\\Main\\Mzle"},
        {"truncated quote", "[Software]\nOakhollow\\Brainloft\\Main\\Mzlevel=\"1,"},
        {"truncated variant", "[Software]\nOakhollow\\Brainloft\\Main\\Mzlevel=@Variant(\\0\\0\\0\\x7f\\0"},
        {"huge number", hugeNumber},
        {"huge rubbish", hugeRubbish},
    };
    for (const auto& [name, bytes] : cases) {
        TestProgram t;
        writeFile(t.program->paths.settingsFile, bytes);
        scramble(t.program->settings);
        LoadSettings(*t.program);
        SCOPED_TRACE(name);
        expectDefaults(t.program->settings);

        t.program->settings.mzlevel = 100;
        SaveSettings(*t.program);
        TestProgram other;
        other.program->paths.settingsFile = t.program->paths.settingsFile;
        LoadSettings(*other.program);
        EXPECT_EQ(other.program->settings.mzlevel, 100);
    }
}

TEST(SettingsStore, UnreadableStoreGivesTheDefaults)
{
    // A folder or a pipe where the file should be: the defaults, at once, and nothing replaced.
    for (const bool pipe : {false, true}) {
        TestProgram t;
        const QString& file = t.program->paths.settingsFile;
        QDir().mkpath(QFileInfo(file).absolutePath());
        if (pipe)
            ASSERT_EQ(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        else
            QDir().mkpath(file);
        scramble(t.program->settings);
        LoadSettings(*t.program);
        expectDefaults(t.program->settings);
        SaveSettings(*t.program);
        EXPECT_EQ(QFileInfo(file).isDir(), !pipe);
        EXPECT_EQ(QFileInfo(file).isFile(), false) << "pipe " << pipe;
    }
}

TEST(SettingsStore, UnwritableFolderLosesTheWritesSilently)
{
    TestProgram t;
    // A plain file stands where the store's folder would be, so not even root can write there.
    const QString blocker = t.root.filePath("blocker");
    writeFile(blocker, "x");
    t.program->paths.settingsFile = blocker + QStringLiteral("/Brainloft.ini");
    t.program->settings.mzlevel = 100;
    SaveSettings(*t.program);
    EXPECT_FALSE(QFileInfo::exists(t.program->paths.settingsFile));
    EXPECT_EQ(readFile(blocker), QByteArray("x"));
    LoadSettings(*t.program);
    EXPECT_EQ(t.program->settings.mzlevel, 60);
}

TEST(SettingsStore, HugeStoreIsSetAsideAndNoHomeKeepsNothing)
{
    TestProgram t;
    writeFile(t.program->paths.settingsFile,
              "[Software]\nOakhollow\\Brainloft\\Main\\Mzlevel=100\n" + QByteArray(kLargestSettingsStore, ';'));
    LoadSettings(*t.program);
    EXPECT_EQ(t.program->settings.mzlevel, 60);
    EXPECT_FALSE(QFileInfo::exists(t.program->paths.settingsFile));
    EXPECT_GT(QFileInfo(t.program->paths.settingsFile + ".bad").size(), kLargestSettingsStore);

    const QByteArray home = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME");
    qunsetenv("HOME");
    qunsetenv("XDG_CONFIG_HOME");
    const ProgramPaths paths = ProgramPaths::forRunningProgram();
    qputenv("HOME", home);
    if (!config.isEmpty())
        qputenv("XDG_CONFIG_HOME", config);
    EXPECT_TRUE(paths.settingsFile.isEmpty());
    EXPECT_TRUE(paths.inventoryFolder.isEmpty());
    t.program->paths.settingsFile.clear();
    SaveSettings(*t.program); // nothing to write to, and no crash
    LoadSettings(*t.program);
    EXPECT_EQ(t.program->settings.mzlevel, 60);
}

TEST(SettingsStore, FailedWriteKeepsTheOldStore)
{
    TestProgram t;
    t.program->settings.mzlevel = 30;
    SaveSettings(*t.program);
    const QByteArray before = readFile(t.program->paths.settingsFile);
    ASSERT_FALSE(before.isEmpty());
    t.program->settings.mzlevel = 100;
    t.program->settings.selected = QString(3000, 'x');
    // The working copy takes the first bytes; a failure there or in the write back loses nothing.
    for (qint64 bytes : {qint64(0), qint64(10), before.size() + 100}) {
        atomicfile::FailAfter failing(bytes);
        SaveSettings(*t.program);
        EXPECT_EQ(readFile(t.program->paths.settingsFile), before) << bytes;
    }
}
