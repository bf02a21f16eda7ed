// The options window with the pages of the puzzle types that have them.
#include "app/programwindows.h"
#include "brainloft_resources.h"
#include "platform/colours.h"
#include "shell/jukebox.h"
#include "shell/program.h"
#include "shell/recolour.h"
#include "shell/optionswindow.h"
#include "shell/tunes.h"
#include "shell/desk.h"
#include "support/modal.h"
#include "support/testprogram.h"
#include "maze/mazeoptions.h"
#include "wordsearch/highlightoptions.h"

#include "qtprint.h"
#include "recordingplayer.h"
#include "scriptedseams.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QTest>
#include <gtest/gtest.h>

#include <set>

namespace {

class OptionsTest : public ::testing::Test {
protected:
    OptionsTest() : jukebox(*t.program, player)
    {
        InitBrainloftResources();
        tunes::ExtractTunes(t.program->paths.musicFolder());
        for (const PuzzleTypeWindows& type : PuzzleTypes()) {
            desk.types.append(type.type);
            if (type.makeOptionsPage)
                desk.optionsPages.append({type.type.id, type.makeOptionsPage});
        }
        options = std::make_unique<OptionsWindow>(*t.program, desk, colours);
        desk.options = options.get();
        jukebox.tuneList = [this] { return options->tuneFiles(); };
        jukebox.testEnded = [this] { options->TestTuneEnded(); };
        t.program->musicControl = &jukebox;
    }

    Settings& settings() { return t.program->settings; }
    template <typename T = QWidget>
    T* get(const char* name)
    {
        T* w = options->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // Opens the window as a play window does and runs steps in it; closes with OK or Cancel.
    void run(const std::function<void()>& steps, const char* closer = "BitBtn1")
    {
        WhenModalNamed(QStringLiteral("fmoptions"), [&, closer](QWidget*) {
            steps();
            get<QPushButton>(closer)->click();
        });
        options->exec();
    }
    wordsearch::HighlightOptions* highlight() { return get<wordsearch::HighlightOptions>("TabSheet3"); }
    maze::MazeOptions* mazePage() { return get<maze::MazeOptions>("TabSheet4"); }
    QRgb colourPixel() { return highlight()->previewed().rgb() & 0xFFFFFFu; }

    TestProgram t;
    RecordingPlayer player;
    Jukebox jukebox;
    ScriptedColours colours;
    Desk desk;
    std::unique_ptr<OptionsWindow> options;
};

} // namespace

TEST_F(OptionsTest, OpensOnThePageOfTheCallingPuzzleType)
{
    const struct {
        int type;
        const char* page;
    } cases[] = {{0, "General (all puzzle types)"}, {1, "General (all puzzle types)"}, {2, "Glyphwhirl"},
                 {3, "Lettermoor"},                 {4, "Windlepath"},                 {9, "General (all puzzle types)"}};
    auto* pages = get<QTabWidget>("PageControl1");
    for (const auto& c : cases) {
        t.program->activePuzzleType = c.type;
        QString shown;
        run([&] { shown = pages->tabText(pages->currentIndex()); }, "BitBtn2");
        EXPECT_EQ(shown, c.page) << c.type;
    }
    EXPECT_EQ(options->windowTitle(), "Options");
    EXPECT_EQ(get<QWidget>("Label6")->property("text").toString(),
              "NOTICE: This setting has no effect on a puzzle that is currently being played!  It only effects new "
              "puzzles or a puzzle that is being edited.");
}

TEST_F(OptionsTest, OkAppliesEveryChoiceAndCancelDiscardsThem)
{
    settings().selected = "Moody.MID";
    run([&] {
        get<QRadioButton>("rgmzlevel_2")->click();
        get<QRadioButton>("rgcgskill_7")->click();
        get<QRadioButton>("rbteal")->click();
        get<QRadioButton>("rborder")->click();
        auto* list = get<QComboBox>("cbselection");
        EXPECT_EQ(list->currentText(), "Moody");
        list->setCurrentIndex(list->findText("Maple tree"));
        emit list->activated(list->currentIndex());
    }, "BitBtn2");
    EXPECT_EQ(settings().mzlevel, 60);
    EXPECT_EQ(settings().cgSkill, 3);
    EXPECT_EQ(settings().highlight, 1);
    EXPECT_EQ(settings().music, 3);
    EXPECT_EQ(settings().selected, "Moody.MID");

    run([&] {
        get<QRadioButton>("rgmzlevel_2")->click();
        get<QRadioButton>("rgcgskill_7")->click();
        get<QRadioButton>("rbteal")->click();
        get<QRadioButton>("rbselected")->click();
        auto* list = get<QComboBox>("cbselection");
        list->setCurrentIndex(list->findText("Maple tree"));
        emit list->activated(list->currentIndex());
    });
    EXPECT_EQ(settings().mzlevel, 100);
    EXPECT_EQ(settings().cgSkill, 7);
    EXPECT_EQ(settings().highlight, 10);
    EXPECT_EQ(settings().effectiveHighlight, 0xA6A600u);
    EXPECT_EQ(settings().music, 1);
    EXPECT_EQ(settings().selected, "Maple tree.MID");

    // Escape and the close box are Cancel too.
    for (bool escape : {true, false}) {
        WhenModalNamed(QStringLiteral("fmoptions"), [&](QWidget*) {
            get<QRadioButton>("rbred")->click();
            get<QRadioButton>("rgmzlevel_0")->click();
            if (escape)
                QTest::keyClick(options.get(), Qt::Key_Escape);
            else
                options->close();
        });
        EXPECT_EQ(options->exec(), QDialog::Rejected);
        EXPECT_EQ(settings().highlight, 10);
        EXPECT_EQ(settings().mzlevel, 100);
    }
}

TEST_F(OptionsTest, ShownSettingsFollowTheStoredValues)
{
    settings().music = 7;       // out of range: shown as in order
    settings().highlight = 13;  // custom, stored as pure white
    settings().highlightColor = 0x01FFFFFF;
    settings().selected = "Moody.rmi"; // only Moody.MID exists
    settings().cgSkill = 20;
    options->ShowCurrentSettings();
    EXPECT_TRUE(get<QRadioButton>("rborder")->isChecked());
    EXPECT_EQ(highlight()->customColour(), ToQColor(0xFFFEFF));
    EXPECT_EQ(colourPixel(), ToQColor(0xFFFEFF).rgb() & 0xFFFFFFu);
    EXPECT_TRUE(get<QPushButton>("btncustom")->isEnabled());
    EXPECT_EQ(get<QComboBox>("cbselection")->currentIndex(), 0) << "the whole name must match";
    EXPECT_EQ(options->selectedTune(), "Carousel.MID");
    for (int i = 0; i < 12; ++i)
        EXPECT_FALSE(get<QRadioButton>(QStringLiteral("rgcgskill_%1").arg(i).toLatin1().constData())->isChecked());
    EXPECT_EQ(settings().highlightColor, 0x01FFFFFF) << "the store changes only on OK";

    settings().highlight = 0;
    settings().selected = "../Brainloft music/Moody.MID";
    options->ShowCurrentSettings();
    EXPECT_TRUE(get<QRadioButton>("rbred")->isChecked());
    EXPECT_EQ(colourPixel(), 0xFF0000u);
    EXPECT_FALSE(get<QPushButton>("btncustom")->isEnabled());
    EXPECT_EQ(get<QComboBox>("cbselection")->currentIndex(), 0) << "a folder part counts as gone";
    EXPECT_EQ(get<QComboBox>("cbselection")->count(), 14);
    EXPECT_EQ(get<QComboBox>("cbselection")->itemText(4), "Maple tree");
}

TEST_F(OptionsTest, CustomColoursAreAdjustedAndWarnedAbout)
{
    const struct {
        QColor chosen;
        std::uint32_t stored;
        const char* title;
        const char* start;
    } cases[] = {
        {QColor(255, 255, 255), 0xFFFEFF, "Important Notice", "The custom color selected may be to light!"},
        {QColor(254, 255, 255), 0xFFFEFF, "Important Notice", "The custom color selected may be to light!"},
        {QColor(0, 0, 0), 0x000100, "Important Notice", "The custom color selected may be to dark!"},
        {QColor(1, 0, 0), 0x000100, "Important Notice", "The custom color selected may be to dark!"},
        {QColor(250, 250, 250), 0xFAFAFA, "Important Notice", "The custom color selected may be to light!"},
        {QColor(10, 10, 10), 0x0A0A0A, "Important Notice", "The custom color selected may be to dark!"},
        {QColor(200, 100, 30), 0x1E64C8, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        t.boxes.boxes.clear();
        colours.answers = {c.chosen};
        run([&] {
            get<QRadioButton>("rbcustom")->click();
            get<QPushButton>("btncustom")->click();
        });
        EXPECT_EQ(settings().highlightColor, static_cast<int>(c.stored)) << c.chosen.name().toStdString();
        EXPECT_EQ(settings().highlight, 13);
        EXPECT_EQ(settings().effectiveHighlight, c.stored);
        if (!c.title) {
            EXPECT_TRUE(t.boxes.boxes.isEmpty());
            continue;
        }
        ASSERT_EQ(t.boxes.boxes.size(), 1);
        EXPECT_EQ(t.boxes.boxes[0].kind, "warning");
        EXPECT_EQ(t.boxes.boxes[0].title, c.title);
        EXPECT_TRUE(t.boxes.boxes[0].text.startsWith(c.start)) << t.boxes.boxes[0].text.toStdString();
    }
    colours.answers = {std::nullopt};
    run([&] { get<QPushButton>("btncustom")->click(); }, "BitBtn2");
    EXPECT_EQ(colours.shown.last(), QColor(200, 100, 30)) << "the dialogue starts from the custom colour";
    EXPECT_EQ(settings().highlightColor, 0x1E64C8);

    t.boxes.boxes.clear();
    colours.answers = {QColor(250, 250, 250)};
    run([&] { get<QPushButton>("btncustom")->click(); });
    EXPECT_EQ(t.boxes.texts(), QStringList({"The custom color selected may be to light! The higlights in your\n"
                                            "puzzle may not be able to be seen! Please check your color in\n"
                                            "the color preview before using this custom color."}));
}

TEST_F(OptionsTest, MazeColourChangesAtOnceFlashesAndCancelRestoresIt)
{
    colours.answers = {QColor(10, 10, 10), QColor(250, 250, 250)};
    run([&] {
        get<QPushButton>("btnCcolor")->click();
        EXPECT_EQ(settings().mazeCursor, 0x0A0A0A) << "at once";
        EXPECT_TRUE(t.boxes.boxes.isEmpty()) << "a dark maze colour is fine";
        get<QPushButton>("btnCcolor")->click();
        auto* timer = options->findChild<QTimer*>("Timer1");
        EXPECT_TRUE(timer->isActive());
        EXPECT_EQ(timer->interval(), 500);
        QList<QColor> shown;
        for (int i = 0; i < 20; ++i) {
            mazePage()->Timer1Timer();
            shown << mazePage()->panel2Colour();
        }
        EXPECT_EQ(shown.first(), QColor(Qt::white));
        EXPECT_EQ(shown[1], QColor(250, 250, 250));
        EXPECT_EQ(shown.last(), QColor(250, 250, 250)) << "it ends in the maze colour";
        EXPECT_FALSE(timer->isActive());
        EXPECT_EQ(mazePage()->flashCount(), 0);
    }, "BitBtn2");
    EXPECT_EQ(settings().mazeCursor, 255);
    EXPECT_EQ(t.boxes.titles(), QStringList({"Importand Notice"}));
    EXPECT_EQ(t.boxes.texts().first(),
              "The color selected may be to light to be seen clearly! Please look at\n"
              "the flashing cursor in the color preview and make sure that you can\n"
              "see it clearly before using this color.");

    colours.answers = {QColor(0, 0, 255)};
    run([&] { get<QPushButton>("btnCcolor")->click(); });
    EXPECT_EQ(settings().mazeCursor, 0xFF0000);
}

TEST_F(OptionsTest, ColourButtonsRecolourThePreview)
{
    options->ShowCurrentSettings();
    auto colours = [&] {
        std::set<QRgb> seen;
        const QImage& preview = highlight()->impreview();
        for (int y = 0; y < preview.height(); ++y)
            for (int x = 0; x < preview.width(); ++x)
                seen.insert(preview.pixel(x, y) & 0xFFFFFFu);
        return seen;
    };
    EXPECT_EQ(colours(), std::set<QRgb>({0x000000, 0xFFFFFF, 0xFF0000}));
    // A click anywhere on a swatch chooses it, its coloured part included.
    auto clickSwatch = [&](const char* name) {
        QRadioButton* radio = get<QRadioButton>(name);
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(radio->width() - 6, radio->height() / 2));
    };
    for (int i = 0; i < 12; ++i) {
        clickSwatch(wordsearch::HighlightOptions::kColourButtons[i]);
        const QRgb rgb = ToQColor(HighlightColourFor(i + 1, 0)).rgb() & 0xFFFFFFu;
        EXPECT_EQ(colourPixel(), rgb) << wordsearch::HighlightOptions::kColourButtons[i];
        EXPECT_EQ(colours(), std::set<QRgb>({0x000000, 0xFFFFFF, rgb})) << wordsearch::HighlightOptions::kColourButtons[i];
        EXPECT_FALSE(get<QPushButton>("btncustom")->isEnabled());
    }
    // On screen the sample shows the colour chosen.
    options->show();
    auto* pages = get<QTabWidget>("PageControl1");
    pages->setCurrentWidget(highlight());
    clickSwatch(wordsearch::HighlightOptions::kColourButtons[6]);
    const QImage shot = get<QWidget>("impreview")->grab().toImage();
    if (qEnvironmentVariableIsSet("BRAINLOFT_SHOTS"))
        highlight()->grab().save(qEnvironmentVariable("BRAINLOFT_SHOTS") + "/options-highlight.png");
    int shown = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            shown += (shot.pixel(x, y) & 0xFFFFFFu) == (ToQColor(HighlightColourFor(7, 0)).rgb() & 0xFFFFFFu);
    EXPECT_GT(shown, 200);
    options->hide();

    clickSwatch("rbcustom");
    EXPECT_TRUE(get<QPushButton>("btncustom")->isEnabled());
    EXPECT_EQ(colourPixel(), 0xFF0000u) << "the custom colour is red until chosen";
}

TEST_F(OptionsTest, TestPlaysTheChosenTuneOnceOnTheGeneralPageOnly)
{
    run([&] {
        auto* test = get<QPushButton>("btntest");
        auto* list = get<QComboBox>("cbselection");
        list->setCurrentIndex(list->findText("Strings"));
        emit list->activated(list->currentIndex());
        test->click();
        EXPECT_FALSE(test->isEnabled());
        EXPECT_EQ(player.played, QStringList({"Strings.MID"}));
        player.end();
        EXPECT_TRUE(test->isEnabled()) << "the end gives the button back";
        EXPECT_EQ(player.played.size(), 1) << "and starts nothing";

        test->click();
        get<QTabWidget>("PageControl1")->setCurrentIndex(3);
        EXPECT_FALSE(player.playing) << "leaving the page stops the test";
        get<QTabWidget>("PageControl1")->setCurrentIndex(0);
        EXPECT_TRUE(test->isEnabled());
        test->click();
        get<QPushButton>("btnstop")->click();
        EXPECT_FALSE(player.playing);
        EXPECT_TRUE(test->isEnabled());
        test->click();
    }, "BitBtn2");
    EXPECT_FALSE(player.playing) << "closing stops it";
    EXPECT_TRUE(get<QPushButton>("btntest")->isEnabled());

    for (const QString& f : tunes::ListTunes(t.program->paths.musicFolder()))
        QFile::remove(t.program->paths.musicFolder() + "/" + f);
    run([&] {
        EXPECT_EQ(get<QComboBox>("cbselection")->count(), 0);
        get<QPushButton>("btntest")->click();
        EXPECT_TRUE(get<QPushButton>("btntest")->isEnabled()) << "an empty list gives it back at once";
    });
    EXPECT_EQ(settings().selected, "") << "no tunes: OK stores an empty name";
}

TEST(RecolourPicture, ChangesEveryPixelButPureBlackAndWhite)
{
    QImage picture(4, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgb(0, 0, 0));
    picture.setPixel(1, 0, qRgb(255, 255, 255));
    picture.setPixel(2, 0, qRgb(255, 0, 0));
    picture.setPixel(3, 0, qRgb(1, 1, 1));
    const QRgb colour = qRgb(9, 255, 9);
    RecolourPicture(picture, colour);
    EXPECT_EQ(picture.format(), QImage::Format_RGB32);
    const QRgb expected[] = {qRgb(0, 0, 0), qRgb(255, 255, 255), qRgb(9, 255, 9), qRgb(9, 255, 9)};
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(picture.pixel(x, 0), expected[x]) << x;
    QImage empty;
    RecolourPicture(empty, colour);
    EXPECT_TRUE(empty.isNull());
}
