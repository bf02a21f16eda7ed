// The maze's print page and its print button, through the real run with a recording printer.
#include "app/programwindows.h"
#include "brainloft_resources.h"
#include "maze/mazepicture.h"
#include "maze/mazewindow.h"
#include "maze/mazegame.h"
#include "maze/printpage.h"
#include "maze/printpages.h"
#include "platform/rng.h"
#include "maze/mazekeywindow.h"
#include "printing/pagecapture.h"
#include "printing/pagepicture.h"
#include "printing/runrecorder.h"
#include "support/modal.h"
#include "support/testprogram.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace maze;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;

class MazePrintTest : public ::testing::Test {
protected:
    MazePrintTest()
    {
        InitBrainloftResources();
        tp.program->printer = &printer;
        all = std::make_unique<ProgramWindows>(*tp.program);
        w = all->windows().fmmaze;
        key = all->windows().fmmzkey;
        page = all->windows().fmmazeprint;
        tp.program->settings.mzlevel = kEasy;
        w->setScreenSizeSource([] { return QSize(1920, 1200); });
        w->show();
        Settle();
    }
    ~MazePrintTest() override { w->close(); }

    void click(const char* name) { w->findChild<QAbstractButton*>(QString::fromLatin1(name))->click(); }

    void newMazeSavedAs(const QString& name)
    {
        tp.boxes.answer({true});
        WhenModalNamed(QStringLiteral("TokStringDialogWindow"), [name](QWidget* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("edText"));
            edit->selectAll();
            QTest::keyClicks(edit, name);
            dialog->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
        });
        click("btnNew");
    }

    // Prints one puzzle and one key (no question) through the options dialogue.
    void printBoth()
    {
        WhenModalNamed(QStringLiteral("fmprint"), [](QWidget* d) {
            d->findChild<QCheckBox*>(QStringLiteral("cbkey"))->click();
            d->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        });
        click("btnprint");
    }

    TestProgram tp{5};
    RecordingPrinter printer;
    std::unique_ptr<ProgramWindows> all;
    MazeWindow* w = nullptr;
    MazeKeyWindow* key = nullptr;
    MazePrintPage* page = nullptr;
};

} // namespace

TEST(MazePrintPage, AnUnnamedMazeAndItsKey)
{
    MazePrintPage page;
    EXPECT_EQ(page.size(), QSize(616, 703));
    EXPECT_TRUE(page.imprint->stretch());
    QImage keyPicture = BlankMazePicture(3);
    keyPicture.setPixel(1, 1, kRed);
    for (const bool key : {false, true}) {
        page.FillPrintPage(key ? "key" : "puzzle", QString(), 3, BlankMazePicture(3), keyPicture);
        EXPECT_EQ(page.lblname->text(), key ? "UNTITLED   <KEY>" : "UNTITLED");
        ASSERT_EQ(page.imprint->picture().size(), QSize(3, 3));
        EXPECT_EQ(page.imprint->picture().pixel(1, 1), key ? kRed : kWhite);
    }
}

TEST_F(MazePrintTest, PrintedSheetsShowTheShownMazeSharpWithoutItsCursor)
{
    click("btnprint");
    ASSERT_EQ(tp.boxes.texts(), QStringList{"You must create or load a maze before you can print one!"});
    EXPECT_TRUE(printer.jobs.isEmpty());

    newMazeSavedAs(QStringLiteral("maze one"));
    ASSERT_EQ(all->states().maze.size, kEasy);
    // A level changed under a shown maze does not change the maze that prints.
    tp.program->settings.mzlevel = kHard;
    const Cell cursor = w->cursor();
    w->PaintCursor(cursor.x, cursor.y, true);
    ASSERT_NE(w->picture().pixel(cursor.x, cursor.y), kWhite);

    QStringList titles;
    QList<bool> heldDuringRun;
    printer.onSheet = [&] {
        titles << printing::DescribePage(*page).find(QStringLiteral("lblname"))->text;
        heldDuringRun << w->isEnabled() << key->isEnabled() << w->findChild<QWidget*>("Panbuttons")->isEnabled()
                      << key->findChild<QWidget*>("panbuttons")->isEnabled() << w->flashing();
    };
    printBoth();
    ASSERT_EQ(printer.jobs.size(), 2);
    EXPECT_EQ(titles, QStringList({"maze one", "maze one   <KEY>"}));
    EXPECT_EQ(heldDuringRun, QList<bool>(10, false));
    EXPECT_TRUE(w->isEnabled() && key->isEnabled() && w->flashing());
    EXPECT_TRUE(w->findChild<QWidget*>("Panbuttons")->isEnabled() && key->findChild<QWidget*>("panbuttons")->isEnabled());
    EXPECT_EQ(page->imprint->picture().size(), QSize(kEasy, kEasy));

    // Walls black, the route red on the key, the cursor's cell white; cells sharp edged: no
    // pixel of the picture's area has any other colour.
    const QRect sheetPage = printing::FitPage(page->size(), RecordingPrinter::Paper(QPageSize::A4).paintRectPixels(300));
    const double sx = double(sheetPage.width()) / page->width();
    const double sy = double(sheetPage.height()) / page->height();
    const auto onSheet = [&](double x, double y) {
        return QPoint(int(sheetPage.left() + x * sx), int(sheetPage.top() + y * sy));
    };
    const MazeGrid& grid = all->states().maze.grid;
    int mismatched = 0;
    for (int y = 0; y < kEasy; ++y)
        for (int x = 0; x < kEasy; ++x) {
            const std::int32_t cell = grid.at(x, y);
            const QPoint middle = onSheet(8 + x * 20 + 10, 72 + y * 20 + 10);
            mismatched += printer.jobs[0].pixel(middle) != (cell == mcWall ? kBlack : kWhite);
            mismatched += printer.jobs[1].pixel(middle) != (cell == mcWall ? kBlack : cell == mcRoute ? kRed : kWhite);
        }
    EXPECT_EQ(mismatched, 0);
    const QRect picture(onSheet(8, 72), onSheet(608, 672));
    int blurred = 0;
    for (int y = picture.top(); y < picture.bottom(); ++y)
        for (int x = picture.left(); x < picture.right(); ++x) {
            blurred += printer.jobs[0].pixel(x, y) != kWhite && printer.jobs[0].pixel(x, y) != kBlack;
            const QRgb k = printer.jobs[1].pixel(x, y);
            blurred += k != kWhite && k != kBlack && k != kRed;
        }
    EXPECT_EQ(blurred, 0);
    EXPECT_EQ(printer.jobs[0].pixel(onSheet(8 + cursor.x * 20 + 10, 72 + cursor.y * 20 + 10)), kWhite);
}

// The page built from the model is, item for item, what the page window gave the printer.
TEST(MazePage, MatchesThePageWindowItemForItem)
{
    MazeState state;
    Rng rng(8);
    MazeGame game(state);
    int level = kEasy;
    game.NewMaze(level, rng);
    MazePrintPage window;
    for (const QString& name : {QString(), QStringLiteral("Twisty one")})
        for (const bool key : {false, true}) {
            window.FillPrintPage(key ? "key" : "puzzle", name, game.size(), game.mainPicture(), game.keyPicture());
            const printing::PageLayout captured = printing::DescribePage(window);
            const printing::PageLayout built = MazePage(game, key, name);
            EXPECT_EQ(built.size, captured.size);
            EXPECT_EQ(built.background, captured.background);
            ASSERT_EQ(built.items.size(), captured.items.size());
            for (int i = 0; i < built.items.size(); ++i) {
                const printing::PageItem& a = built.items[i];
                const printing::PageItem& b = captured.items[i];
                EXPECT_EQ(a.kind, b.kind) << i;
                EXPECT_EQ(a.name, b.name) << i;
                EXPECT_EQ(a.rect, b.rect) << i;
                EXPECT_EQ(a.colour, b.colour) << i;
                EXPECT_EQ(a.text, b.text) << i;
                EXPECT_EQ(a.font, b.font) << i << " " << a.font.toString().toStdString() << " / " << b.font.toString().toStdString();
                EXPECT_EQ(a.alignment, b.alignment) << i;
                EXPECT_EQ(a.wordWrap, b.wordWrap) << i;
                EXPECT_EQ(a.image, b.image) << i;
                EXPECT_EQ(a.image.format(), b.image.format()) << i;
                EXPECT_EQ(a.stretch, b.stretch) << i;
            }
        }
}
