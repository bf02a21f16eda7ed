#include "app/programwindows.h"
#include "brainloft_resources.h"
#include "support/makerharness.h"
#include "cryptogram/cryptogramfile.h"
#include "cryptogram/state.h"
#include "cryptogram/cryptogrammaker.h"
#include "cryptogram/cryptogramwindow.h"
#include "support/modal.h"
#include "support/testprogram.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class CryptogramVerbsTest : public MakerHarness {
protected:
    QString writeText(const QByteArray& text, const QString& name = "text.txt") { return put(name, text); }
};

} // namespace

TEST_F(CryptogramVerbsTest, RefusalsNameTheirLineAndWriteNothing)
{
    const QString out = dir.filePath("out");
    QDir().mkpath(out);
    struct Case {
        const char* name;
        QByteArray text;
        QStringList extra;
        const char* says;
    };
    const Case cases[] = {
        {"tab", "ok\nA\tB\n", {}, "text.txt:2: character 2 (U+0009)"},
        {"euro", "\xE2\x82\xAC 5", {}, "text.txt:1: character 1 (U+20AC)"},
        {"34 characters", "ok\n\n" + QByteArray(34, 'a'), {}, "text.txt:3: a line may have at most 33"},
        {"line 21", QByteArray("A\n").repeated(20) + "\n\nB", {}, "text.txt:23: a puzzle has at most 20 lines"},
        {"blank line 1", "  \nHELLO", {}, "text.txt:1: the first line is blank"},
        {"level 12", "HELLO", {"--level", "12"}, "--level needs a whole number from 0 to 11"},
        {"level -1", "HELLO", {"--level", "-1"}, "--level"},
        {"bad seed", "HELLO", {"--seed", "x"}, "--seed"},
    };
    for (const Case& c : cases) {
        const QString text = writeText(c.text);
        EXPECT_EQ(run(QStringList{"cryptogram", text, "Bad", "--folder", out} + c.extra), 2) << c.name;
        EXPECT_TRUE(err.contains(c.says)) << c.name << ": " << err.toStdString();
        EXPECT_EQ(err.count('\n'), 1) << c.name;
    }
    EXPECT_EQ(run({"cryptogram", writeText("HELLO"), "a/b", "--folder", out}), 2) << "a bad name";
    EXPECT_TRUE(QDir(out).entryList(QDir::Files).isEmpty());

    EXPECT_EQ(run({"cryptogram", dir.filePath("missing.txt"), "X", "--folder", out}), 1);
    EXPECT_EQ(run({"cryptogram", dir.path(), "X", "--folder", out}), 1) << "a folder is no text";
    EXPECT_EQ(run({"cryptogram", writeText("HELLO"), "X", "--folder", dir.filePath("nowhere")}), 1);
}

TEST_F(CryptogramVerbsTest, SeedRepeatsTheBytesAndShowPrintsThemWhole)
{
    const QString text = writeText("\xEF\xBB\xBFhello, w\xC3\xB6rld!\r\n\r\nI am 42.\r\n");
    ASSERT_EQ(run({"cryptogram", text, "Riddle", "--seed", "9", "--level", "2"}), 0) << err.toStdString();
    const QString path = programFolder + "Brainloft puzzles/Riddle.sbp";
    EXPECT_EQ(out, path + "\n");
    const QByteArray first = read(path);
    ASSERT_EQ(first.size(), 976);
    ASSERT_EQ(run({"cryptogram", text, "riddle", "--seed", "9", "--level", "2"}), 0);
    EXPECT_EQ(read(path), first) << "the same seed gives the same bytes";
    ASSERT_EQ(run({"cryptogram", text, "Other", "--seed", "10", "--level", "2"}), 0);
    EXPECT_NE(read(programFolder + "Brainloft puzzles/Other.sbp").mid(917, 36), first.mid(917, 36));

    cryptogram::Cryptogram p;
    ASSERT_EQ(cryptogram::DecodeCryptogramRecord(first, p), 0);
    ASSERT_EQ(run({"show", path}), 0);
    QString expected = QString::fromUtf8("HELLO, WÖRLD!\nI AM 42.\n") + QString(18, '\n') + "\n";
    expected += "key " + QString::fromLatin1(p.key.data(), 36) + "\n";
    expected += QStringLiteral("hints %1%2 %3%4\n")
                    .arg(QChar(p.hints[0]), QChar(p.hints[11]), QChar(p.hints[1]), QChar(p.hints[12]));
    EXPECT_EQ(out, expected);

    // Odd bytes of a foreign file show as '?', Latin-1 as UTF-8; no hints show as '-'.
    p.text.fill(' ');
    p.text[0] = '\x01';
    p.text[1] = '\xA9';
    p.text[2] = '\x7F';
    p.text[33] = '\x9F';
    p.hints.fill('\0');
    p.key[0] = '\0';
    ASSERT_EQ(cryptogram::SaveCryptogramFileAt(dir.filePath("Odd.SBD"), p), 0);
    ASSERT_EQ(run({"show", dir.filePath("Odd.SBD")}), 0);
    EXPECT_TRUE(out.startsWith(QString::fromUtf8("?©?\n?\n\n"))) << out.toStdString();
    EXPECT_TRUE(out.endsWith("\nkey ?" + QString::fromLatin1(p.key.data() + 1, 35) + "\nhints -\n"));

    QFile::resize(dir.filePath("Odd.SBD"), 256);
    EXPECT_EQ(run({"check", path, dir.filePath("Odd.SBD"), dir.filePath("none.sbp")}), 1);
    EXPECT_EQ(out, path + ": 0\n" + dir.filePath("Odd.SBD") + ": -4\n" + dir.filePath("none.sbp") + ": -2\n");
    EXPECT_EQ(run({"show", dir.filePath("Odd.SBD")}), 1);
    EXPECT_TRUE(err.contains("(code -4)"));
}

TEST_F(CryptogramVerbsTest, SeededRunEqualsAWindowBuild)
{
    ASSERT_EQ(run({"cryptogram", writeText("THE OWL\nAT 9\n"), "Owl", "--seed", "77", "--level", "4", "--folder",
                   dir.path()}),
              0);

    InitBrainloftResources();
    TestProgram tp(77);
    ProgramWindows all(*tp.program);
    tp.program->settings.cgSkill = 4; // after start-up has read the settings
    CryptogramWindow* w = &all.play<CryptogramWindow>(puzzletype::kCryptogram);
    w->show();
    tp.program->rng.seed(77); // the draws of the build start here
    tp.boxes.answer({true});
    WhenModalNamed(QStringLiteral("fmcmaker"), [](QWidget* dialog) {
        auto* maker = static_cast<CryptogramMaker*>(dialog);
        QTest::keyClicks(maker->line(1), "the owl");
        QTest::keyClick(maker->line(1), Qt::Key_Return);
        QTest::keyClicks(maker->line(2), "at 9");
        WhenModalNamed(QStringLiteral("TokStringDialogWindow"), [](QWidget* name) {
            QTest::keyClicks(name->findChild<QLineEdit*>(QStringLiteral("edText")), "Owl");
            name->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
        });
        maker->findChild<QPushButton*>(QStringLiteral("btnbuild"))->click();
    });
    w->findChild<QToolButton*>(QStringLiteral("btnNew"))->click();
    EXPECT_EQ(read(tp.puzzleFile("Owl.sbp")), read(dir.filePath("Owl.sbp")));
    w->close();
}
