// The program's windows as a person meets them: created once in order, driven through their
// controls, and looked at in grabbed pictures.
#include "app/programwindows.h"
#include "app/startprogram.h"
#include "shell/startup.h"
#include "shell/tunes.h"
#include "brainloft_resources.h"
#include "shell/launcherwindow.h"
#include "shell/puzzlepicker.h"
#include "support/modal.h"
#include "support/testprogram.h"
#include "wordsearch/wordsearchkeywindow.h"
#include "wordsearch/wordsearchmaker.h"
#include "wordsearch/wordsearchwindow.h"

#include <QAbstractButton>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <unistd.h>

namespace {

int countPixels(const QImage& image, QRgb colour, int tolerance = 0)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (std::abs(qRed(p) - qRed(colour)) <= tolerance && std::abs(qGreen(p) - qGreen(colour)) <= tolerance &&
                std::abs(qBlue(p) - qBlue(colour)) <= tolerance)
                ++n;
        }
    return n;
}

class ProgramWindowsTest : public ::testing::Test {
protected:
    ProgramWindowsTest() : t(2026, false) { InitBrainloftResources(); }
    TestProgram t;
};

} // namespace

TEST_F(ProgramWindowsTest, TheStartPreparesFoldersInventoryAndSettingsBeforeAnyWindow)
{
    t.program->settings.mzlevel = 0;
    StartProgram(*t.program);
    EXPECT_TRUE(QFileInfo(t.program->paths.puzzleFolder()).isDir());
    EXPECT_TRUE(QFileInfo(t.program->paths.musicFolder()).isDir());
    EXPECT_FALSE(tunes::ListTunes(t.program->paths.musicFolder()).isEmpty());
    EXPECT_TRUE(QFile::exists(startup::InventoryPath(*t.program)));
    EXPECT_EQ(t.program->settings.mzlevel, 60) << "settings are read at the start";
    if (::geteuid() == 0) {
        EXPECT_TRUE(startup::PermissionPassDone(*t.program)) << "an administrator's first start runs the pass";
    }
}

TEST_F(ProgramWindowsTest, WindowsAreMadeOnFirstUseAndOnlyOnce)
{
    ProgramWindows pw(*t.program);
    Desk& w = pw.desk();
    QStringList stored = w.positionedWindows;
    stored.sort();
    EXPECT_EQ(stored, QStringList({"fmanswers", "fmcmaker", "fmcrypt", "fmfiles", "fmgenerator", "fminstructions",
                                   "fmmain", "fmmaze", "fmmzkey", "fmoptions", "fmpcheat", "fmpclick", "fmpmaker"}))
        << "every window that stores its place, each once";
    auto names = [&w] {
        QStringList list;
        for (QWidget* window : w.all)
            list << window->objectName();
        return list;
    };
    EXPECT_EQ(names(), QStringList({"fmpuzzletype", "fmplayer"})) << "the launcher and the music control at start";
    QWidget* picker = w.picker;
    EXPECT_EQ(static_cast<QWidget*>(w.picker), picker) << "asked again, it is the same window";
    EXPECT_EQ(w.byName("FMFILES"), picker) << "found by name in any case";
    EXPECT_EQ(w.byName("fmmaze"), nullptr) << "asking by name makes nothing";
    EXPECT_EQ(w.playWindow(3), w.playWindow(3));
    EXPECT_EQ(w.playWindow(3)->objectName(), "fmmaze") << "the launcher's fourth item";
    EXPECT_EQ(names(), QStringList({"fmpuzzletype", "fmplayer", "fmfiles", "fmmaze"}));
    for (QWidget* window : w.all)
        EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString() << " waits until it is shown";
}

TEST_F(ProgramWindowsTest, LauncherLooksLikeItsDesign)
{
    ProgramWindows pw(*t.program);
    LauncherWindow* launcher = pw.desk().launcher;
    launcher->show();
    const QImage shot = launcher->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(600, 465));
    // The title strip is dark, the type list dark blue, the OK button's face navy.
    EXPECT_LT(qGray(shot.pixel(300, 12)), 80);
    const QWidget* list = launcher->findChild<QWidget*>("rgpuzzletype");
    EXPECT_EQ(shot.pixel(list->geometry().right() - 3, list->geometry().bottom() - 3), qRgb(0, 0, 0x62));
    QWidget* ok = launcher->findChild<QWidget*>("ColorBtn1");
    const QPoint face = ok->mapTo(launcher, QPoint(6, ok->height() / 2));
    EXPECT_EQ(shot.pixel(face), qRgb(0, 0, 128));
    EXPECT_GT(countPixels(ok->grab().toImage(), qRgb(255, 255, 255)), 10) << "white caption";
}

TEST_F(ProgramWindowsTest, AWordSearchFromTheLauncherToTheKeyAndBack)
{
    ProgramWindows pw(*t.program);
    Desk& w = pw.desk();
    WordSearchWindow* ws = &pw.play<WordSearchWindow>(puzzletype::kWordSearch);
    w.launcher->show();
    w.launcher->findChild<QRadioButton*>("rgpuzzletype_2")->click();
    w.launcher->findChild<QAbstractButton*>("ColorBtn1")->click();
    ASSERT_TRUE(ws->isVisible());
    EXPECT_FALSE(w.launcher->isVisible());
    EXPECT_EQ(ws->windowTitle(), "Lettermoor     ");
    EXPECT_EQ(t.program->activePuzzleType, 3);

    // Create: type the words, build, save as Spring.
    t.boxes.answer({true});
    WhenModalNamed("fmGenerator", [&](QWidget* generator) {
        EXPECT_EQ(generator->windowTitle(), "Puzzle Generator     <New Puzzle>");
        auto* input = generator->findChild<QLineEdit*>("einput");
        for (const char* word : {"elephant", "giraffe", "zebra", "lion", "tiger"}) {
            QTest::keyClicks(input, word);
            QTest::keyClick(input, Qt::Key_Return);
        }
        WhenModalNamed("TokStringDialogWindow", [](QWidget* dialog) {
            QTest::keyClicks(dialog->findChild<QLineEdit*>("edText"), "Spring");
            dialog->findChild<QAbstractButton*>("btnOK")->click();
        });
        generator->findChild<QAbstractButton*>("btnBuild")->click();
    });
    ws->findChild<QAbstractButton*>("btnNew")->click();
    EXPECT_EQ(t.boxes.texts().last(), "Your puzzle has now been saved");
    EXPECT_TRUE(QFile::exists(t.puzzleFile("Spring.wsp")));
    EXPECT_EQ(ws->windowTitle(), "Lettermoor     Spring");

    auto* items = ws->findChild<QListWidget*>("lbItems");
    ASSERT_EQ(items->count(), 5);
    QImage shot = ws->grab().toImage();
    EXPECT_EQ(shot.size(), QSize(521, 343));
    EXPECT_GT(countPixels(shot, qRgb(0, 0, 0)), 2000) << "the letters are drawn";

    // Find ZEBRA by clicking its last letter, then its first.
    const wordsearch::WordSearchPuzzle& p = pw.play<WordSearchWindow>(puzzletype::kWordSearch).state().puzzle;
    QPoint first, last;
    for (int x1 = 1; x1 <= 20; ++x1)
        for (int y1 = 1; y1 <= 20; ++y1)
            for (int x2 = 1; x2 <= 20; ++x2)
                for (int y2 = 1; y2 <= 20; ++y2) {
                    const int n = p.index.at(x1, y1, x2, y2);
                    if (n && p.wordSlots[n - 1].word() == "ZEBRA") {
                        first = QPoint(x1, y1);
                        last = QPoint(x2, y2);
                    }
                }
    ASSERT_FALSE(first.isNull());
    QWidget* picture = ws->findChild<QWidget*>("imPuzzle");
    const auto centre = [](QPoint cell) { return QPoint((cell.x() - 1) * 15 + 7, (cell.y() - 1) * 15 + 7); };
    QTest::mouseClick(picture, Qt::LeftButton, {}, centre(last));
    QTest::mouseClick(picture, Qt::LeftButton, {}, centre(first));
    EXPECT_EQ(items->count(), 4);
    EXPECT_TRUE(items->findItems("ZEBRA", Qt::MatchExactly).isEmpty());
    shot = ws->grab().toImage();
    EXPECT_GT(countPixels(shot, qRgb(255, 0, 0)), 100) << "the found word is painted red";

    // The key shows every word.
    ws->findChild<QAbstractButton*>("btncheat")->click();
    ASSERT_TRUE(ws->key().isVisible());
    EXPECT_EQ(ws->key().windowTitle(), "Key");
    const QImage key = ws->key().grab().toImage();
    EXPECT_GT(countPixels(key, qRgb(255, 0, 0)), countPixels(shot, qRgb(255, 0, 0)));

    // Closing the play window brings the launcher back and hides the key.
    ws->findChild<QAbstractButton*>("btnclose")->click();
    EXPECT_FALSE(ws->isVisible());
    EXPECT_FALSE(ws->key().isVisible());
    EXPECT_TRUE(w.launcher->isVisible());
}

TEST_F(ProgramWindowsTest, WindowsComeBackWhereTheyWereAtTheNextStart)
{
    {
        ProgramWindows pw(*t.program);
        Desk& w = pw.desk();
        WordSearchWindow* ws = &pw.play<WordSearchWindow>(puzzletype::kWordSearch);
        w.launcher->show();
        ws->setScreenSizeSource([] { return QSize(1920, 1080); });
        ws->show();
        ws->btnLargerClick();
        ASSERT_EQ(ws->zoom(), 2);
        ws->move(123, 77);
        static_cast<QWidget*>(&ws->maker())->move(40, 50);
        w.launcher->close();
    }
    QSettings store(t.program->paths.settingsFile, QSettings::IniFormat);
    EXPECT_EQ(store.value("Software/Oakhollow/Brainloft/fmmain/left").toString(), "123");
    EXPECT_EQ(store.value("Software/Oakhollow/Brainloft/fmgenerator/top").toString(), "50");
    EXPECT_FALSE(store.contains("Software/Oakhollow/Brainloft/fmfiles/width"))
        << "a window never made keeps what was stored for it";
    EXPECT_FALSE(store.contains("Software/Oakhollow/Brainloft/fmpuzzletype/left")) << "the launcher is never stored";

    ProgramWindows again(*t.program);
    Desk& w = again.desk();
    w.launcher->show();
    WordSearchWindow* ws = &again.play<WordSearchWindow>(puzzletype::kWordSearch);
    ws->show();
    // The stored place, as far as this screen holds the window: it is not centred again.
    const QRect area = ws->screen()->availableGeometry();
    const QRect frame = ws->frameGeometry();
    const int x = std::max(area.left(), std::min(123, area.right() + 1 - frame.width()));
    const int y = std::max(area.top(), std::min(77, area.bottom() + 1 - frame.height()));
    EXPECT_EQ(ws->pos(), QPoint(x, y));
    EXPECT_EQ(ws->zoom(), 2);
    EXPECT_EQ(ws->width(), 821);
    EXPECT_EQ(static_cast<QWidget*>(&ws->maker())->pos(), QPoint(40, 50));
}

TEST(SingleInstance, ASecondCopyEndsAtOnceWithoutAWindow)
{
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    env.insert("XDG_RUNTIME_DIR", home.path());
    QProcess first, second;
    first.setProcessEnvironment(env);
    second.setProcessEnvironment(env);
    first.start(BRAINLOFT_PROGRAM, {});
    ASSERT_TRUE(first.waitForStarted());
    // The first copy holds the lock once it is up; give it a moment.
    for (int i = 0; i < 100 && !QFile::exists(home.filePath("@Ok Brainloft#.lock")); ++i)
        QTest::qWait(50);
    ASSERT_TRUE(QFile::exists(home.filePath("@Ok Brainloft#.lock")));
    second.start(BRAINLOFT_PROGRAM, {});
    ASSERT_TRUE(second.waitForFinished(10000)) << "the second copy does not stay";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardOutput().isEmpty());
    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
}
