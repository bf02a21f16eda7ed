#include "app/programwindows.h"
#include "brainloft_resources.h"
#include "shell/windows.h"
#include "support/modal.h"
#include "support/testprogram.h"
#include "wordsearch/gridpicture.h"
#include "wordsearch/wordsearchkeywindow.h"
#include "wordsearch/wordsearchwindow.h"
#include "wordsearch/wordsearchfile.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

using namespace wordsearch;

namespace {

constexpr std::uint32_t kTeal = 0xA6A600; // 0x00BBGGRR: red 0, green 166, blue 166
const QRgb kTealRgb = qRgb(0, 166, 166);
const QRgb kWhite = qRgb(255, 255, 255);

QRgb at(const QImage& picture, int x, int y)
{
    return picture.pixel(x, y) | 0xFF000000u;
}

// The top-left pixel of a cell's inner square: no letter picture reaches it.
QRgb innerCorner(const QImage& picture, int x, int y)
{
    return at(picture, (x - 1) * 15 + 2, (y - 1) * 15 + 2);
}

struct Word {
    const char* text;
    int x1, y1, dx, dy;
};

// Word 1 across, word 2 down, word 3 diagonal; word 4 was not placed: its slot is empty.
const Word kPlaced[] = {{"LAMP", 2, 2, 1, 0}, {"DESK", 10, 4, 0, 1}, {"SOFA", 4, 12, 1, 1}};

WordSearchPuzzle craftedPuzzle()
{
    WordSearchPuzzle puzzle;
    for (int x = 1; x <= kField; ++x)
        for (int y = 1; y <= kField; ++y)
            puzzle.grid[x][y] = 'Q';
    int n = 0;
    for (const Word& word : kPlaced) {
        ++n;
        const QByteArray text(word.text);
        for (int i = 0; i < text.size(); ++i)
            puzzle.grid[word.x1 + i * word.dx][word.y1 + i * word.dy] = text[i];
        puzzle.wordSlots[n - 1].set(text);
        const int last = static_cast<int>(text.size()) - 1;
        puzzle.index.at(word.x1, word.y1, word.x1 + last * word.dx, word.y1 + last * word.dy) = n;
    }
    return puzzle;
}

class AnswersTest : public ::testing::Test {
protected:
    AnswersTest()
    {
        InitBrainloftResources();
        all = std::make_unique<ProgramWindows>(*tp.program);
        fmmain = all->windows().fmmain;
        key = all->windows().fmanswers;
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
        ASSERT_EQ(SaveWordSearchFileAt(tp.puzzleFile(QStringLiteral("Room.wsp")), craftedPuzzle()), 0);
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

TEST_F(AnswersTest, IsAStayOnTopWindowNamedKey)
{
    EXPECT_EQ(key->objectName(), QStringLiteral("fmanswers"));
    EXPECT_EQ(key->windowTitle(), QStringLiteral("Key"));
    EXPECT_TRUE(key->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(key->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(key->size(), QSize(310, 343));
    EXPECT_EQ(key->findChild<QLabel*>(QStringLiteral("imanswer"))->size(), QSize(300, 300));
}

TEST_F(AnswersTest, CheatDoesNothingWithoutAPuzzle)
{
    fmmain->findChild<QToolButton*>(QStringLiteral("btncheat"))->click();
    EXPECT_FALSE(key->isVisible());
    EXPECT_EQ(key->keyPicture(), BlankPicture());
}

TEST_F(AnswersTest, ShowsEveryPlacedWordAndNothingElse)
{
    load();
    fmmain->findChild<QToolButton*>(QStringLiteral("btncheat"))->click();
    ASSERT_TRUE(key->isVisible());
    const QImage& picture = key->keyPicture();

    for (const Word& word : kPlaced) {
        const int last = static_cast<int>(qstrlen(word.text)) - 1;
        for (int i = 0; i <= last; i += last)
            EXPECT_EQ(innerCorner(picture, word.x1 + i * word.dx, word.y1 + i * word.dy), kTealRgb) << word.text;
        // The bar's centre line runs through the inner letters too.
        const int cx = (word.x1 + word.dx - 1) * 15 + 7;
        const int cy = (word.y1 + word.dy - 1) * 15 + 7;
        const QRgb centre = at(picture, cx, cy);
        EXPECT_TRUE(centre == kTealRgb || centre == qRgb(0, 0, 0)) << word.text;
    }
    // Far from every word: letters on white only.
    int coloured = 0;
    for (int y = 17 * 15; y < 300; ++y)
        for (int x = 0; x < 300; ++x)
            coloured += at(picture, x, y) != kWhite && at(picture, x, y) != qRgb(0, 0, 0);
    EXPECT_EQ(coloured, 0);
    EXPECT_EQ(innerCorner(picture, 1, 1), kWhite);

    // The letters lie above the bars.
    const QImage l = QImage(QStringLiteral(":/LETTER/L")).convertToFormat(QImage::Format_RGB32);
    for (int dy = 0; dy < 15; ++dy)
        for (int dx = 0; dx < 15; ++dx)
            if (at(l, dx, dy) == qRgb(0, 0, 0)) {
                ASSERT_EQ(at(picture, 15 + dx, 15 + dy), qRgb(0, 0, 0));
            }
}

TEST_F(AnswersTest, FindingWordsLeavesTheKeyAlone)
{
    load();
    const QImage before = key->keyPicture();
    auto* imPuzzle = fmmain->findChild<QLabel*>(QStringLiteral("imPuzzle"));
    QTest::mouseClick(imPuzzle, Qt::LeftButton, {}, QPoint(15 + 7, 15 + 7));     // L of LAMP
    QTest::mouseClick(imPuzzle, Qt::LeftButton, {}, QPoint(4 * 15 + 7, 15 + 7)); // P
    ASSERT_EQ(fmmain->findChild<QListWidget*>(QStringLiteral("lbItems"))->count(), 2);
    EXPECT_EQ(key->keyPicture(), before);
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

TEST_F(AnswersTest, GrowsWhenEitherScreenDimensionHasRoom)
{
    key->setScreenSizeSource([] { return QSize(1024, 768); });
    click("SpeedButton3");
    EXPECT_EQ(key->zoom(), 2);
    EXPECT_EQ(key->size(), QSize(610, 643));
    click("SpeedButton3");
    EXPECT_EQ(key->zoom(), 3) << "974 is wider than 910 although 718 is lower than 943";
    EXPECT_EQ(key->size(), QSize(910, 943));
    click("SpeedButton3");
    EXPECT_EQ(key->zoom(), 3);

    click("SpeedButton2");
    EXPECT_EQ(key->zoom(), 2);
    click("SpeedButton2");
    EXPECT_EQ(key->zoom(), 1);

    key->setScreenSizeSource([] { return QSize(610, 643); });
    click("SpeedButton3");
    EXPECT_EQ(key->zoom(), 1) << "no room either way";
    key->setScreenSizeSource([] { return QSize(610, 700); });
    click("SpeedButton3");
    EXPECT_EQ(key->zoom(), 2);
    key->setScreenSizeSource([] { return QSize(960, 993); });
    click("SpeedButton3");
    EXPECT_EQ(key->zoom(), 2) << "both 50 short of room";
}
