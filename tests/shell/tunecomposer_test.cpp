#include "platform/tunereader.h"
#include "shell/tunes.h"
#include "tunecomposer.h"
#include "qtprint.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using tunecomposer::Compose;
using tunecomposer::Tune;

TEST(TuneComposer, WritesTheSameBytesForTheSameList)
{
    const QString list = QStringLiteral(
        "file Tiny.MID\nresource music99\ntempo 120\n"
        "voice lead program 1 velocity 100 legato 50   # a comment\n"
        "| C4/4 r { D4 }x2 |\n"
        "voice bass channel 9 legato 100\n"
        "E3+G3/2\n");
    Tune tune;
    QString error;
    ASSERT_TRUE(Compose(list, tune, &error)) << qPrintable(error);
    const QByteArray expected = QByteArray::fromHex(
        "4d54686400000006000100030" "1e0"
        // conductor: name, 4/4, 500000 us a quarter
        "4d54726b0000001f" "00ff0308" "54696e792e4d4944" "00ff580404021808" "00ff510307a120" "00ff2f00"
        // lead: name, program 1, volume 100, pan 64, C4 D4 D4 sounding half their length
        "4d54726b00000034" "00ff03046c656164" "00c001" "00b00764" "00b00a40"
        "00903c64" "8170803c40" "8550903e64" "8170803e40" "8170903e64" "8170803e40" "00ff2f00"
        // bass on channel 10: a chord of a half note
        "4d54726b00000028" "00ff030462617373" "00c900" "00b90764" "00b90a40"
        "0099345a" "0099375a" "8740893440" "00893740" "00ff2f00");
    EXPECT_EQ(QString::fromLatin1(tune.midi.toHex()), QString::fromLatin1(expected.toHex()));
    EXPECT_EQ(tune.voices, 2);
    EXPECT_EQ(tune.notes, 5);
    EXPECT_DOUBLE_EQ(tune.seconds, 1.75) << "the last D sounds for half its beat";

    Tune again;
    ASSERT_TRUE(Compose(list, again, &error));
    EXPECT_EQ(again.midi, tune.midi);
    tunereader::TuneInfo info;
    ASSERT_EQ(tunereader::ReadTuneBytes(tune.midi, info), tunereader::kOk);
    EXPECT_EQ(info.notes, 5);
}

TEST(TuneComposer, RefusesListsItCannotRead)
{
    const char* header = "file X.MID\nresource music1\n";
    const struct {
        const char* body;
        const char* error;
    } cases[] = {
        {"voice a\nH4/4\n", "line 4: 'H4' is no pitch"},
        {"voice a\nC4/7\n", "line 4: note value 7 does not divide a whole note"},
        {"voice a\nC4/4 C4 C4 | C4\n", "line 4: voice 'a': bar line 1 falls inside a bar"},
        {"voice a\n{ C4/4\n", "line 4: '{' without '}'"},
        {"voice a program 200\nC4\n", "line 3: program must be 0 to 127, not '200'"},
        {"voice a\nr/1\n", "line 5: a tune needs a note"},
        {"", "line 3: a tune needs a voice"},
        {"tempo 0\n", "line 3: tempo must be 20 to 300, not '0'"},
    };
    for (const auto& c : cases) {
        Tune tune;
        QString error;
        EXPECT_FALSE(Compose(QString::fromLatin1(header) + c.body, tune, &error)) << c.body;
        EXPECT_EQ(error, c.error) << c.body;
        EXPECT_TRUE(tune.midi.isEmpty());
    }
}

TEST(TuneComposer, CommittedTunesAreTheComposersOutputAndKeepTheLimits)
{
    const QDir dir(QStringLiteral(BRAINLOFT_RESOURCES_DIR "/tunes"));
    const QStringList lists = dir.entryList({QStringLiteral("*.tune")}, QDir::Files, QDir::Name);
    ASSERT_EQ(lists.size(), 14);
    QStringList files;
    for (const QString& name : lists) {
        QFile in(dir.filePath(name));
        QFile mid(dir.filePath(name.chopped(5) + QStringLiteral(".mid")));
        ASSERT_TRUE(in.open(QIODevice::ReadOnly) && mid.open(QIODevice::ReadOnly)) << qPrintable(name);
        Tune tune;
        QString error;
        ASSERT_TRUE(Compose(QString::fromUtf8(in.readAll()), tune, &error)) << qPrintable(name) << qPrintable(error);
        EXPECT_EQ(tune.midi, mid.readAll()) << qPrintable(name) << ": compose_tunes was not run after a change";
        EXPECT_EQ(tunecomposer::CheckLimits(tune), QString()) << qPrintable(name);
        tunereader::TuneInfo info;
        EXPECT_EQ(tunereader::ReadTuneBytes(tune.midi, info), tunereader::kOk);
        EXPECT_NEAR(info.seconds, tune.seconds, 0.01) << "the reader and composer agree on the length";
        files << tune.file;
    }
    QStringList table;
    for (const tunes::CarriedTune& t : tunes::CarriedTunes())
        table << t.fileName;
    files.sort();
    table.sort();
    EXPECT_EQ(files, table);
}
