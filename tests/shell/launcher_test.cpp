#include "brainloft_resources.h"
#include "platform/inifile.h"
#include "shell/puzzlepacks.h"
#include "shell/startup.h"
#include "shell/launcherwindow.h"
#include "shell/desk.h"
#include "support/modal.h"
#include "support/testprogram.h"

#include <QAbstractButton>
#include <QFile>
#include <QFileInfo>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class LauncherTest : public ::testing::Test {
protected:
    LauncherTest() : t(5, false)
    {
        InitBrainloftResources();
        playWindow.setObjectName("fmmain");
        desk.all << &playWindow;
        desk.types = {{1, "Snapdoodle"}, {2, "Glyphwhirl"}, {3, "Lettermoor"}, {4, "Windlepath"}};
        for (int i = 0; i < 4; ++i)
            desk.playWindows << [this, i]() -> QWidget* { return i == 2 ? &playWindow : nullptr; };
    }

    std::unique_ptr<LauncherWindow> makeLauncher()
    {
        auto launcher = std::make_unique<LauncherWindow>(*t.program, desk);
        desk.launcher = launcher.get();
        desk.all.prepend(launcher.get());
        return launcher;
    }

    TestProgram t;
    Desk desk;
    QWidget playWindow;
};

} // namespace

TEST_F(LauncherTest, IsABorderlessPictureWindowThatReadsPlacesWhenFirstShown)
{
    auto launcher = makeLauncher();
    EXPECT_FALSE(launcher->positionsLoaded());
    EXPECT_EQ(launcher->windowTitle(), "Brainloft");
    EXPECT_EQ(launcher->size(), QSize(600, 465));
    EXPECT_TRUE(launcher->windowFlags() & Qt::FramelessWindowHint);
}

TEST_F(LauncherTest, TypeListOffersTheFourPuzzlesWithTheFirstSelected)
{
    auto launcher = makeLauncher();
    QStringList texts;
    for (int i = 0; i < 4; ++i)
        texts << launcher->findChild<QRadioButton*>(QString("rgpuzzletype_%1").arg(i))->text();
    EXPECT_EQ(texts, QStringList({"Snapdoodle", "Glyphwhirl", "Lettermoor", "Windlepath"}));
    EXPECT_EQ(launcher->selectedType(), 0);
    const QWidget* list = launcher->findChild<QWidget*>("rgpuzzletype");
    EXPECT_EQ(list->palette().color(QPalette::Window), QColor(0, 0, 0x62));
    for (const char* name : {"ColorBtn1", "ColorBtn2", "ColorBtn3", "ColorBtn4", "ColorBtn5", "ColorBtn6"})
        EXPECT_NE(launcher->findChild<QAbstractButton*>(name), nullptr) << name;
    EXPECT_EQ(launcher->findChild<QAbstractButton*>("ColorBtn6")->text(), "Install puzzle packs");
    EXPECT_EQ(launcher->findChild<QAbstractButton*>("ColorBtn5")->text(), "  ");
    EXPECT_TRUE(launcher->findChild<QAbstractButton*>("ColorBtn5")->font().strikeOut());
}

TEST_F(LauncherTest, OkShowsTheChosenPlayWindowAndHidesTheLauncher)
{
    auto launcher = makeLauncher();
    launcher->show();
    launcher->selectType(1); // no cryptogram window yet: nothing happens
    launcher->findChild<QAbstractButton*>("ColorBtn1")->click();
    EXPECT_TRUE(launcher->isVisible());

    launcher->findChild<QRadioButton*>("rgpuzzletype_2")->click();
    EXPECT_EQ(launcher->selectedType(), 2);
    launcher->findChild<QAbstractButton*>("ColorBtn1")->click();
    EXPECT_TRUE(playWindow.isVisible());
    EXPECT_FALSE(launcher->isVisible());

    // Enter on the type list acts as OK.
    playWindow.hide();
    launcher->show();
    auto* radio = launcher->findChild<QRadioButton*>("rgpuzzletype_2");
    radio->setFocus();
    QTest::keyClick(radio, Qt::Key_Return);
    EXPECT_TRUE(playWindow.isVisible());
    EXPECT_FALSE(launcher->isVisible());

    // Minimised by its own button, then OK: the play window's close brings it back normal.
    playWindow.hide();
    launcher->show();
    launcher->findChild<QAbstractButton*>("ColorBtn5")->click();
    ASSERT_TRUE(launcher->isMinimized());
    launcher->findChild<QAbstractButton*>("ColorBtn1")->click();
    launcher->show();
    EXPECT_FALSE(launcher->isMinimized());
    EXPECT_TRUE(launcher->isVisible());
}

TEST_F(LauncherTest, PackInstallerIsOfferedAtTheFirstShowingOnly)
{
    QFile installer(puzzlepacks::InstallerPath(*t.program, 3));
    ASSERT_TRUE(installer.open(QIODevice::WriteOnly));
    installer.close();
    auto launcher = makeLauncher();
    t.boxes.answer({true});
    launcher->show();
    EXPECT_EQ(t.boxes.titles(), QStringList{"Install puzzle pack 3"});
    EXPECT_EQ(t.processes.runs.size(), 1);
    EXPECT_TRUE(launcher->positionsLoaded());
    EXPECT_TRUE(launcher->isEnabled()) << "the launcher takes clicks again once the installer is done";
    launcher->hide();
    launcher->show();
    EXPECT_EQ(t.boxes.boxes.size(), 1) << "asked once";
    launcher->findChild<QAbstractButton*>("ColorBtn6")->click();
    EXPECT_EQ(t.boxes.boxes.size(), 2) << "\"Install puzzle packs\" asks again";
}

TEST_F(LauncherTest, DragsOnlyByTheTitleStrip)
{
    auto launcher = makeLauncher();
    launcher->move(100, 100);
    launcher->show();
    QWidget* image = launcher->findChild<QWidget*>("Image1");
    const QPoint start = launcher->pos();

    QTest::mousePress(image, Qt::LeftButton, {}, QPoint(50, 20));
    EXPECT_TRUE(launcher->dragging());
    QMouseEvent move(QEvent::MouseMove, QPointF(50, 20), launcher->mapToGlobal(QPointF(90, 60)), Qt::NoButton,
                     Qt::LeftButton, {});
    QApplication::sendEvent(image, &move);
    EXPECT_EQ(launcher->pos(), start + QPoint(40, 40));
    QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(50, 20));
    EXPECT_FALSE(launcher->dragging());

    for (const QPoint& p : {QPoint(50, 31), QPoint(591, 20), QPoint(6, 20), QPoint(50, 6), QPoint(300, 200)}) {
        QTest::mousePress(image, Qt::LeftButton, {}, p);
        EXPECT_FALSE(launcher->dragging()) << p.x() << "," << p.y();
        QTest::mouseRelease(image, Qt::LeftButton, {}, p);
    }
    launcher->Image1MouseDown(590, 30);
    EXPECT_TRUE(launcher->dragging()) << "the last point inside the strip";
}

TEST_F(LauncherTest, CloseWritesTheSettingsAndEndsTheProgram)
{
    auto launcher = makeLauncher();
    launcher->show();
    QSignalSpy closed(launcher.get(), &LauncherWindow::closed);
    launcher->findChild<QAbstractButton*>("ColorBtn2")->click();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_TRUE(QFile::exists(t.program->paths.settingsFile));
    auto again = makeLauncher();
    again->show();
    QSignalSpy closedAgain(again.get(), &LauncherWindow::closed);
    again->findChild<QAbstractButton*>("ColorBtn3")->click();
    EXPECT_EQ(closedAgain.count(), 1);
}
