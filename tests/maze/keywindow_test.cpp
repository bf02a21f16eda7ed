// The maze key window: the route in red, its size buttons and their message.
#include "app/programwindows.h"
#include "brainloft_resources.h"
#include "maze/mazewindow.h"
#include "maze/mazekeywindow.h"
#include "support/modal.h"
#include "support/testprogram.h"

#include <QAbstractButton>
#include <gtest/gtest.h>

namespace {

class MazeKeyTest : public ::testing::Test {
protected:
    MazeKeyTest()
    {
        InitBrainloftResources();
        all = std::make_unique<ProgramWindows>(*tp.program);
        key = all->windows().fmmzkey;
        key->setScreenSizeSource([] { return QSize(1000, 800); });
    }
    void click(const char* name) { key->findChild<QAbstractButton*>(QString::fromLatin1(name))->click(); }

    TestProgram tp{4};
    std::unique_ptr<ProgramWindows> all;
    MazeKeyWindow* key = nullptr;
};

} // namespace

TEST_F(MazeKeyTest, LooksLikeItsDesign)
{
    EXPECT_EQ(key->windowTitle(), QStringLiteral("Key"));
    EXPECT_EQ(key->size(), QSize(340, 373));
    EXPECT_TRUE(key->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(key->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(key->findChild<QAbstractButton*>(QStringLiteral("btnLarger"))->toolTip(),
              QStringLiteral("increase the puzzle size"));
}

TEST_F(MazeKeyTest, SizeButtonsReportThePictureSizeChangedOrNot)
{
    key->show();
    struct Step {
        const char* button;
        const char* message;
    };
    const Step steps[] = {{"btnSmaller", "300  300"}, {"btnLarger", "600  600"}, {"btnLarger", "600  600"},
                          {"btnSmaller", "300  300"}};
    for (const Step& s : steps) {
        click(s.button);
        ASSERT_FALSE(tp.boxes.boxes.isEmpty());
        EXPECT_EQ(tp.boxes.boxes.last().kind, QStringLiteral("message"));
        EXPECT_EQ(tp.boxes.boxes.last().text, QString::fromLatin1(s.message)) << s.button;
    }
    EXPECT_EQ(tp.boxes.boxes.size(), 4);
    click("btnclose");
    EXPECT_FALSE(key->isVisible());
}

TEST_F(MazeKeyTest, ShowsTheRouteRedAndWallsBlack)
{
    tp.program->settings.mzlevel = 30;
    tp.boxes.answer({false});
    all->windows().fmmaze->show();
    all->windows().fmmaze->findChild<QAbstractButton*>(QStringLiteral("btnNew"))->click();
    all->windows().fmmaze->findChild<QAbstractButton*>(QStringLiteral("btncheat"))->click();
    ASSERT_TRUE(key->isVisible());
    const maze::MazeState& state = all->states().maze;
    const QImage shot = key->findChild<QWidget*>(QStringLiteral("imanswer"))->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(300, 300));
    int checked = 0;
    for (int x = 0; x < 30; ++x)
        for (int y = 0; y < 30; ++y) {
            const QRgb expected = state.grid.at(x, y) == maze::mcWall    ? qRgb(0, 0, 0)
                                  : state.grid.at(x, y) == maze::mcRoute ? qRgb(255, 0, 0)
                                                                          : qRgb(255, 255, 255);
            checked += (shot.pixel(x * 10 + 5, y * 10 + 5) | 0xFF000000) == expected;
        }
    EXPECT_EQ(checked, 900);
    all->windows().fmmaze->close();
}
