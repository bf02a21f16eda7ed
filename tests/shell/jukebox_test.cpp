#include "brainloft_resources.h"
#include "platform/atomicfile.h"
#include "shell/jukebox.h"
#include "shell/tunes.h"
#include "support/testprogram.h"
#include "qtprint.h"
#include "recordingplayer.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

void Put(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A program with the carried tunes in its music folder and a jukebox on a recording player.
struct Rig {
    explicit Rig(bool withTunes = true, std::uint64_t seed = 1) : t(seed), jukebox(*t.program, player)
    {
        InitBrainloftResources();
        if (withTunes)
            tunes::ExtractTunes(folder());
        jukebox.tuneList = [this] { return tunes::ListTunes(folder()); };
        jukebox.clock = [this] { return now; };
        jukebox.hourglass = [this](bool on) { cursor << on; };
        jukebox.testEnded = [this] { ++testEnds; };
        t.program->musicControl = &jukebox;
    }
    QString folder() const { return t.program->paths.musicFolder(); }
    Settings& settings() { return t.program->settings; }
    // The current tune plays for a while and ends.
    void endAfter(qint64 ms)
    {
        now += ms;
        player.end();
    }

    TestProgram t;
    RecordingPlayer player;
    Jukebox jukebox;
    qint64 now = 0;
    QList<bool> cursor;
    int testEnds = 0;
};

} // namespace

TEST(Jukebox, SelectedModePlaysTheWholeNameInsideTheFolder)
{
    struct Case {
        const char* selected;
        const char* plays;
    };
    const Case cases[] = {
        {"Moody.MID", "Moody.MID"},
        {"moody.mid", "Moody.MID"},            // names match without regard to case
        {"Moody.rmi", "Carousel.MID"},         // but the whole name must match
        {"Gone.MID", "Carousel.MID"},          // a missing tune: the first of the list
        {"../music/Moody.MID", "Carousel.MID"}, // a folder part counts as gone
        {"", "Carousel.MID"},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.settings().music = 1;
        rig.settings().selected = QString::fromUtf8(c.selected);
        rig.settings().play = true;
        music::ApplyMusicSwitch(*rig.t.program);
        rig.endAfter(5000);
        EXPECT_EQ(rig.player.played, QStringList({c.plays, c.plays})) << c.selected << ": and again at its end";
        EXPECT_TRUE(rig.t.program->autoNext);
        EXPECT_EQ(rig.cursor, QList<bool>({true, false, true, false})) << "the hourglass around each start";
    }
}

TEST(Jukebox, InOrderModeStartsAtTheFirstTuneAndWraps)
{
    Rig rig;
    rig.settings().music = 2;
    rig.t.program->tuneIndex = 5;
    music::ResetTunePosition(*rig.t.program);
    rig.jukebox.PlayNextTune();
    for (int i = 0; i < 14; ++i)
        rig.endAfter(30000);
    const QStringList list = tunes::ListTunes(rig.folder());
    ASSERT_EQ(list.size(), 14);
    EXPECT_EQ(rig.player.played.mid(0, 14), list);
    EXPECT_EQ(rig.player.played.last(), list.first()) << "after the last, the first again";
    EXPECT_EQ(list.first(), "Carousel.MID");
    EXPECT_EQ(list[5], "Moody.MID") << "sorted without regard to case: Maple tree, Moody";
}

TEST(Jukebox, RandomModeDrawsFromTheProgramsGenerator)
{
    for (int mode : {3, 0, 7}) {
        Rig rig(true, 42);
        rig.settings().music = mode;
        rig.jukebox.PlayNextTune();
        for (int i = 0; i < 4; ++i)
            rig.endAfter(30000);
        EXPECT_EQ(rig.player.played, QStringList({"Nutcracker.MID", "Strings.MID", "Techno.MID", "Maple tree.MID",
                                                  "Valkyri.MID"}))
            << "mode " << mode;
    }
}

TEST(Jukebox, StoppingEndsTheChainEvenForALateEnd)
{
    Rig rig;
    rig.settings().music = 2;
    rig.settings().play = true;
    music::ApplyMusicSwitch(*rig.t.program);
    rig.settings().play = false;
    music::ApplyMusicSwitch(*rig.t.program);
    EXPECT_EQ(rig.player.calls, QStringList({"open Carousel.MID", "play", "stop", "close"}));
    EXPECT_FALSE(rig.jukebox.opened());
    EXPECT_FALSE(rig.t.program->autoNext);
    emit rig.player.ended(); // a player that reports the stopped tune after all
    EXPECT_EQ(rig.player.played.size(), 1) << "nothing further starts";
}

TEST(Jukebox, BadOrMissingTunesPlayNothingQuietly)
{
    Rig rig(false);
    rig.settings().music = 3;
    rig.jukebox.PlayNextTune();
    EXPECT_TRUE(rig.player.calls.isEmpty()) << "an empty folder";

    Put(rig.folder() + "/junk.mid", "this is no tune");
    Put(rig.folder() + "/cut.mid", QByteArray::fromHex("4D546864000000060000000101E04D54726B00000010"));
    tunes::ExtractTunes(rig.folder());
    QByteArray wrapped = QByteArray("RIFF") + QByteArray::fromHex("10000000") + "RMIDdata" +
                         QByteArray::fromHex("04000000") + "junk";
    Put(rig.folder() + "/wrapped.rmi", wrapped);
    rig.settings().music = 1;
    for (const char* name : {"junk.mid", "cut.mid", "wrapped.rmi"}) {
        rig.settings().selected = QString::fromLatin1(name);
        rig.player.calls.clear();
        rig.jukebox.PlayNextTune();
        EXPECT_EQ(rig.player.calls, QStringList({QStringLiteral("refused ") + name})) << name;
        EXPECT_FALSE(rig.jukebox.opened());
    }
    // A tune that vanished after the list was read.
    rig.settings().music = 2;
    rig.t.program->tuneIndex = -1;
    const QStringList list = tunes::ListTunes(rig.folder());
    rig.jukebox.tuneList = [list] { return list; };
    QFile::remove(rig.folder() + "/" + list.first());
    rig.player.calls.clear();
    rig.jukebox.PlayNextTune();
    EXPECT_EQ(rig.player.calls, QStringList({"refused " + list.first()}));
    EXPECT_TRUE(rig.t.boxes.boxes.isEmpty());
}

TEST(Jukebox, TunesThatEndAtOnceStopTheChainUntilMusicIsStartedAgain)
{
    Rig rig;
    rig.settings().music = 1;
    rig.settings().selected = "Techno.MID";
    rig.jukebox.PlayNextTune();
    for (int i = 0; i < 20; ++i)
        rig.endAfter(10); // every tune ends at once
    EXPECT_EQ(rig.player.played.size(), 14) << "one start and a restart for each but the last dud";
    EXPECT_FALSE(rig.t.program->autoNext);

    rig.endAfter(10);
    rig.jukebox.PlayNextTune(); // the next button, or a window opening
    rig.endAfter(3000);
    rig.endAfter(10);
    EXPECT_EQ(rig.player.played.size(), 17) << "a tune of normal length resets the count";
}

TEST(Jukebox, TestTunePlaysOnceAndGivesTheButtonBack)
{
    Rig rig;
    rig.t.program->autoNext = true;
    rig.jukebox.PlayTestTune("Strings.MID");
    EXPECT_TRUE(rig.jukebox.testing());
    EXPECT_FALSE(rig.t.program->autoNext);
    EXPECT_EQ(rig.testEnds, 0);
    rig.endAfter(60000);
    EXPECT_EQ(rig.testEnds, 1);
    EXPECT_FALSE(rig.jukebox.testing());
    EXPECT_EQ(rig.player.played, QStringList({"Strings.MID"}));

    Put(rig.folder() + "/junk.mid", "no tune");
    for (const char* name : {"junk.mid", "gone.mid", ""})
        rig.jukebox.PlayTestTune(QString::fromLatin1(name));
    EXPECT_EQ(rig.testEnds, 4) << "a test that cannot play ends at once";

    rig.jukebox.PlayTestTune("Moody.MID");
    rig.jukebox.StopMusic();
    EXPECT_FALSE(rig.jukebox.testing());
    EXPECT_EQ(rig.player.calls.mid(rig.player.calls.size() - 2), QStringList({"stop", "close"}));
}

TEST(Tunes, ExtractionWritesTheCarriedTunesOnce)
{
    InitBrainloftResources();
    TestProgram t;
    const QString folder = t.program->paths.musicFolder();
    Put(folder + "/carousel.mid", "mine");
    const auto lookup = [](const QString& resource) {
        return resource == "music3" ? std::nullopt : tunes::CompiledTune(resource.toUpper());
    };
    const QList<tunes::Extracted> results = tunes::ExtractTunes(folder, lookup);
    ASSERT_EQ(results.size(), 14);
    EXPECT_EQ(results[0].outcome, tunes::Extracted::Outcome::Kept) << "present in another case";
    EXPECT_EQ(results[2].outcome, tunes::Extracted::Outcome::Missing);
    for (int i = 0; i < 14; ++i) {
        const tunes::CarriedTune& tune = tunes::CarriedTunes()[i];
        QFile f(folder + "/" + tune.fileName);
        if (i == 0 || i == 2) {
            EXPECT_FALSE(f.exists()) << qPrintable(tune.fileName);
            continue;
        }
        EXPECT_EQ(results[i].outcome, tunes::Extracted::Outcome::Written);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), *tunes::CompiledTune(tune.resource)) << qPrintable(tune.fileName);
        EXPECT_EQ(f.permissions() & QFileDevice::WriteOther, QFileDevice::WriteOther) << "open to every user";
    }
    QFile mine(folder + "/carousel.mid");
    ASSERT_TRUE(mine.open(QIODevice::ReadOnly));
    EXPECT_EQ(mine.readAll(), "mine");

    QFile::remove(folder + "/Moody.MID");
    const auto again = tunes::ExtractTunes(folder);
    EXPECT_EQ(again[6].outcome, tunes::Extracted::Outcome::Written) << "a deleted tune comes back";
    EXPECT_EQ(again[7].outcome, tunes::Extracted::Outcome::Kept);
}

TEST(Tunes, ExtractionIntoAnUnwritableFolderFailsQuietly)
{
    InitBrainloftResources();
    TestProgram t;
    const QString folder = t.program->paths.musicFolder();
    {
        atomicfile::FailAfter failing(0);
        for (const tunes::Extracted& e : tunes::ExtractTunes(folder))
            EXPECT_EQ(e.outcome, tunes::Extracted::Outcome::Failed);
    }
    EXPECT_TRUE(tunes::ListTunes(folder).isEmpty()) << "no damaged file is left behind";
    Put(t.programFolder() + "notafolder", "x");
    for (const tunes::Extracted& e : tunes::ExtractTunes(t.programFolder() + "notafolder"))
        EXPECT_EQ(e.outcome, tunes::Extracted::Outcome::Failed);
}

TEST(Tunes, ListingTakesTuneFilesOnly)
{
    TestProgram t;
    const QString folder = t.program->paths.musicFolder();
    for (const char* name : {"b.MID", "c.Rmi", "A.mid", "d.midi", "e.txt", ".hidden.mid"})
        Put(folder + "/" + name, "x");
    QDir(folder).mkdir("f.mid");
    EXPECT_EQ(tunes::ListTunes(folder), QStringList({".hidden.mid", "A.mid", "b.MID", "c.Rmi"}));
}
