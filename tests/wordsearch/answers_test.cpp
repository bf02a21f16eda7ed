#include "app/programwindows.h"
#include "brainloft_resources.h"
#include "shell/desk.h"
#include "support/modal.h"
#include "support/testprogram.h"
#include "testpuzzles.h"
#include "wordsearch/gridpicture.h"
#include "wordsearch/wordsearchkeywindow.h"
#include "wordsearch/wordsearchwindow.h"
#include "wordsearch/wordsearchfile.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWindow>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

using namespace wordsearch;
using namespace wordsearch::testing;

namespace {

constexpr std::uint32_t kTeal = 0xA6A600; // 0x00BBGGRR: red 0, green 166, blue 166
const QRgb kTealRgb = qRgb(0, 166, 166);
const QRgb kWhite = qRgb(255, 255, 255);

class AnswersTest : public ::testing::Test {
protected:
    AnswersTest()
    {
        InitBrainloftResources();
        all = std::make_unique<ProgramWindows>(*tp.program);
        fmmain = (&all->play<WordSearchWindow>(puzzletype::kWordSearch));
        key = (&all->play<WordSearchWindow>(puzzletype::kWordSearch).key());
        tp.program->settings.effectiveHighlight = kTeal;
        fmmain->show();
        Settle();
    }
    ~AnswersTest() override
    {
        if (fmmain->isVisible())
            fmmain->close();
    }

    void load()
    {
        ASSERT_EQ(SaveWordSearchFileAt(tp.puzzleFile(QStringLiteral("Room.wsp")), CraftedPuzzle()), 0);
        WhenModalNamed(QStringLiteral("fmfiles"), [](QWidget* picker) {
            picker->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        });
        fmmain->findChild<QToolButton*>(QStringLiteral("BtnLoad"))->click();
        ASSERT_EQ(fmmain->findChild<QListWidget*>(QStringLiteral("lbItems"))->count(), 3);
    }

    void click(const char* name) { key->findChild<QToolButton*>(QString::fromLatin1(name))->click(); }

    TestProgram tp;
    std::unique_ptr<ProgramWindows> all;
    WordSearchWindow* fmmain = nullptr;
    WordSearchKeyWindow* key = nullptr;
};

} // namespace

TEST_F(AnswersTest, DrawsTheKeyOfThePuzzleShownAndNothingElse)
{
    fmmain->findChild<QToolButton*>(QStringLiteral("btncheat"))->click();
    EXPECT_FALSE(key->isVisible()) << "no puzzle, no key";

    load();
    fmmain->findChild<QToolButton*>(QStringLiteral("btncheat"))->click();
    ASSERT_TRUE(key->isVisible());
    EXPECT_EQ(key->windowTitle(), QStringLiteral("Key"));
    EXPECT_TRUE(key->windowFlags() & Qt::WindowStaysOnTopHint);
    const QImage shown = key->findChild<QWidget*>(QStringLiteral("imanswer"))->grab().toImage();
    ASSERT_EQ(shown.size(), QSize(300, 300));
    for (const PlacedWord& word : kPlaced) {
        const int last = static_cast<int>(qstrlen(word.text)) - 1;
        for (int i = 0; i <= last; i += last)
            EXPECT_EQ(InnerCorner(shown, word.x1 + i * word.dx, word.y1 + i * word.dy), kTealRgb) << word.text;
    }
    int coloured = 0;
    for (int y = 17 * 15; y < 300; ++y)
        for (int x = 0; x < 300; ++x)
            coloured += At(shown, x, y) != kWhite && At(shown, x, y) != qRgb(0, 0, 0);
    EXPECT_EQ(coloured, 0) << "far from every word: letters on white only";

    // Finding words in the play window leaves the key alone.
    auto* imPuzzle = fmmain->findChild<QWidget*>(QStringLiteral("imPuzzle"));
    QTest::mouseClick(imPuzzle, Qt::LeftButton, {}, QPoint(15 + 7, 15 + 7));     // L of LAMP
    QTest::mouseClick(imPuzzle, Qt::LeftButton, {}, QPoint(4 * 15 + 7, 15 + 7)); // P
    ASSERT_EQ(fmmain->findChild<QListWidget*>(QStringLiteral("lbItems"))->count(), 2);
    EXPECT_EQ(key->findChild<QWidget*>(QStringLiteral("imanswer"))->grab().toImage(), shown);
}

TEST_F(AnswersTest, CheatRestoresAMinimisedKeyAndANewPuzzleClosesIt)
{
    load();
    auto* cheat = fmmain->findChild<QToolButton*>(QStringLiteral("btncheat"));
    cheat->click();
    key->showMinimized();
    cheat->click();
    EXPECT_TRUE(key->isVisible());
    EXPECT_FALSE(key->windowState() & Qt::WindowMinimized);

    fmmain->ShowPuzzle();
    EXPECT_FALSE(key->isVisible());

    cheat->click();
    click("SpeedButton1");
    EXPECT_FALSE(key->isVisible());
}

TEST_F(AnswersTest, ItsButtonsResizeIt)
{
    key->setScreenSizeSource([] { return QSize(1024, 768); });
    click("SpeedButton3");
    EXPECT_EQ(key->size(), QSize(610, 643));
    EXPECT_EQ(key->findChild<QWidget*>(QStringLiteral("imanswer"))->size(), QSize(600, 600));
    click("SpeedButton3");
    EXPECT_EQ(key->zoom(), 3);
    click("SpeedButton2");
    click("SpeedButton2");
    EXPECT_EQ(key->size(), QSize(310, 343));
}

TEST_F(AnswersTest, FirstOpensBesideThePlayWindowWhereTheScreenHasRoom)
{
    load();
    fmmain->move(100, 120);
    const QRect play = fmmain->frameGeometry();
    key->setScreenAreaSource([] { return QRect(0, 0, 1280, 1024); });
    fmmain->findChild<QToolButton*>(QStringLiteral("btncheat"))->click();
    ASSERT_TRUE(key->isVisible());
    EXPECT_EQ(key->frameGeometry().topLeft(), QPoint(play.right() + 1, play.top()));
    EXPECT_FALSE(key->frameGeometry().intersects(play));

    // Later showings keep the place it was left at.
    key->close();
    key->move(20, 30);
    fmmain->findChild<QToolButton*>(QStringLiteral("btncheat"))->click();
    EXPECT_EQ(key->pos(), QPoint(20, 30));
}

TEST_F(AnswersTest, WithoutRoomBesideItOpensCascadedOverThePlayWindow)
{
    load();
    fmmain->move(250, 200);
    key->setScreenAreaSource([] { return QRect(0, 0, 1024, 768); });
    fmmain->findChild<QToolButton*>(QStringLiteral("btncheat"))->click();
    EXPECT_EQ(key->frameGeometry().topLeft(), fmmain->frameGeometry().topLeft() + QPoint(32, 32));
}

TEST_F(AnswersTest, AStoredPlaceIsKept)
{
    load();
    key->setProperty("autoCentre", false);
    key->move(20, 30);
    key->setScreenAreaSource([] { return QRect(0, 0, 1920, 1200); });
    fmmain->findChild<QToolButton*>(QStringLiteral("btncheat"))->click();
    EXPECT_EQ(key->pos(), QPoint(20, 30));
}

TEST_F(AnswersTest, GivesWayToThePlayWindowsWinnerBox)
{
    load();
    fmmain->findChild<QToolButton*>(QStringLiteral("btncheat"))->click();
    ASSERT_TRUE(key->isVisible());
    Settle();
    ASSERT_TRUE(key->windowHandle()->flags() & Qt::WindowStaysOnTopHint);

    bool onTopUnderTheBox = true;
    WhenModalNamed(QStringLiteral("FmWinner"), [&](QWidget* winner) {
        onTopUnderTheBox = key->windowHandle()->flags() & Qt::WindowStaysOnTopHint;
        winner->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    });
    auto* imPuzzle = fmmain->findChild<QWidget*>(QStringLiteral("imPuzzle"));
    for (const PlacedWord& word : kPlaced) {
        const int last = static_cast<int>(qstrlen(word.text)) - 1;
        QTest::mouseClick(imPuzzle, Qt::LeftButton, {}, QPoint((word.x1 - 1) * 15 + 7, (word.y1 - 1) * 15 + 7));
        QTest::mouseClick(imPuzzle, Qt::LeftButton, {},
                          QPoint((word.x1 + last * word.dx - 1) * 15 + 7, (word.y1 + last * word.dy - 1) * 15 + 7));
    }
    EXPECT_FALSE(onTopUnderTheBox);

    fmmain->findChild<QToolButton*>(QStringLiteral("btncheat"))->click();
    Settle();
    EXPECT_TRUE(key->windowHandle()->flags() & Qt::WindowStaysOnTopHint) << "on top again once the box is gone";
}
