// The shell's music and options as the whole program wires them: the player window, the
// launcher's tunes, and the options' effect on the word search.
#include "app/programwindows.h"
#include "brainloft_resources.h"
#include "shell/aboutwindow.h"
#include "shell/morewindow.h"
#include "shell/optionswindow.h"
#include "shell/musicplayer.h"
#include "shell/launcherwindow.h"
#include "shell/tunes.h"
#include "support/modal.h"
#include "support/testprogram.h"
#include "wordsearch/builder.h"
#include "wordsearch/puzzle.h"
#include "wordsearch/wordsearchkeywindow.h"
#include "wordsearch/wordsearchwindow.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

int Count(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFFu) == (colour & 0xFFFFFFu);
    return n;
}

} // namespace

TEST(MusicAndOptions, TheLauncherWritesTheTunesAndThePlayerTakesOverTheMusicCalls)
{
    InitBrainloftResources();
    TestProgram t(5, false);
    ProgramWindows pw(*t.program);
    Desk& w = pw.desk();
    WordSearchWindow* ws = &pw.play<WordSearchWindow>(puzzletype::kWordSearch);
    EXPECT_EQ(t.program->musicControl, static_cast<MusicControl*>(w.player));
    EXPECT_FALSE(w.player->isVisible());
    EXPECT_EQ(tunes::ListTunes(t.program->paths.musicFolder()).size(), 14);
    EXPECT_TRUE(w.options->tuneFiles().isEmpty()) << "filled when a play window opens";

    w.launcher->show();
    w.launcher->findChild<QRadioButton*>("rgpuzzletype_2")->click();
    w.launcher->findChild<QAbstractButton*>("ColorBtn1")->click();
    EXPECT_EQ(w.options->tuneFiles().size(), 14);

    QFile extra(t.program->paths.musicFolder() + "/Zz extra.mid");
    ASSERT_TRUE(extra.open(QIODevice::WriteOnly));
    extra.close();
    ws->ShowPuzzle();
    EXPECT_EQ(w.options->tuneFiles().last(), "Zz extra.mid") << "showing a puzzle refreshes the list";
    ws->close();
}

TEST(MusicAndOptions, LimeAndOkRecolourFoundWordsAndTheKey)
{
    InitBrainloftResources();
    TestProgram t(5);
    ProgramWindows pw(*t.program);
    WordSearchWindow* ws = &pw.play<WordSearchWindow>(puzzletype::kWordSearch);
    ws->setScreenSizeSource([] { return QSize(1024, 768); });
    ws->show();
    Settle();

    wordsearch::WordSearchPuzzle& puzzle = pw.play<WordSearchWindow>(puzzletype::kWordSearch).state().puzzle;
    Rng rng(3);
    wordsearch::GridBuilder builder(puzzle, rng);
    ASSERT_TRUE(builder.Build({"ORCHARD", "MEADOW", "BROOK"}).unplaced.isEmpty());
    ws->ShowPuzzle();
    bool ok = false;
    const auto table = wordsearch::IndexToTable(puzzle.index, ok);
    const int cell = 15 * ws->zoom();
    for (const auto& [x, y] : {std::pair{table[0].x1, table[0].y1}, std::pair{table[0].x2, table[0].y2}})
        ws->imPuzzleMouseDown((x - 1) * cell + cell / 2, (y - 1) * cell + cell / 2);
    const int redBefore = Count(ws->picture(), qRgb(255, 0, 0));
    ASSERT_GT(redBefore, 50) << "a word was found in red";
    const int blackBefore = Count(ws->picture(), qRgb(0, 0, 0));

    t.program->activePuzzleType = 3;
    WhenModalNamed(QStringLiteral("fmoptions"), [&](QWidget* options) {
        options->findChild<QRadioButton*>("rblime")->click();
        options->findChild<QAbstractButton*>("BitBtn1")->click();
    });
    ws->findChild<QAbstractButton*>("btnoptions")->click();

    const QRgb lime = qRgb(9, 255, 9);
    EXPECT_EQ(Count(ws->picture(), lime), redBefore) << "every highlight pixel is lime now";
    EXPECT_EQ(Count(ws->picture(), qRgb(255, 0, 0)), 0);
    EXPECT_EQ(Count(ws->picture(), qRgb(0, 0, 0)), blackBefore) << "the letters stay";
    EXPECT_GT(Count(ws->key().keyPicture(), lime), redBefore) << "the key shows every word in lime";
    EXPECT_EQ(Count(ws->key().keyPicture(), qRgb(255, 0, 0)), 0);
    QList<QColor> strokes;
    for (const printing::PageItem& item : ws->describePage(true).items)
        if (item.kind == printing::PageItem::Kind::line)
            strokes << item.colour;
    ASSERT_EQ(strokes.size(), 3) << "the printed key marks every word";
    EXPECT_EQ(strokes.count(QColor(lime)), 3) << "in lime";
    EXPECT_EQ(t.program->settings.highlight, 2);
    ws->close();
}

TEST(MusicAndOptions, WithMusicOnTheSynthesiserLoadsAfterTheLaunchersFirstPaint)
{
    InitBrainloftResources();
    for (bool play : {false, true}) {
        TestProgram t(5);
        {
            QSettings store(t.program->paths.settingsFile, QSettings::IniFormat);
            store.setValue("Software/Oakhollow/Brainloft/Main/Play", play ? "1" : "0");
        }
        ProgramWindows pw(*t.program);
        EXPECT_FALSE(pw.tunePlayer().ready());
        pw.desk().launcher->show();
        pw.desk().launcher->repaint();
        QElapsedTimer waited;
        waited.start();
        while (!pw.tunePlayer().ready() && waited.elapsed() < (play ? 5000 : 500))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        EXPECT_EQ(pw.tunePlayer().ready(), play) << "music " << (play ? "on" : "off");
        pw.desk().launcher->hide();
    }
}

TEST(MusicAndOptions, TheLaunchersButtonsOpenAboutAndMore)
{
    InitBrainloftResources();
    TestProgram t(5);
    ProgramWindows pw(*t.program);
    Desk& w = pw.desk();
    w.launcher->show();
    QStringList opened;
    for (const char* button : {"ColorBtn4", "ColorBtn6"}) {
        WhenModalOpens([&](QWidget* dialog) {
            opened << dialog->objectName();
            dialog->findChild<QAbstractButton*>(dialog == w.about ? "BitBtn2" : "BitBtn1")->click();
        });
        w.launcher->findChild<QAbstractButton*>(button)->click();
    }
    EXPECT_EQ(opened, QStringList({"AboutBox", "fmMore"}));
    w.launcher->hide();
}
