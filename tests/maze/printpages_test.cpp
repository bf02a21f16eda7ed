// The maze's printed pages, built from the maze being played, and the print button's run.
#include "app/programwindows.h"
#include "brainloft_resources.h"
#include "maze/mazegame.h"
#include "maze/mazekeywindow.h"
#include "maze/mazewindow.h"
#include "maze/printpages.h"
#include "platform/imagesheets.h"
#include "platform/rng.h"
#include "printing/pdfcheck.h"
#include "printing/runrecorder.h"
#include "support/modal.h"
#include "support/testprogram.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <gtest/gtest.h>

using namespace maze;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;

QImage sheetOf(const printing::PageLayout& page)
{
    ImageSheets sheets(RecordingPrinter::Paper(QPageSize::A4), 300);
    sheets.printSheet([&page](QPainter& painter, const QRect& printable) { printing::RenderPage(painter, page, printable); });
    return sheets.sheets.takeFirst();
}

} // namespace

TEST(MazePage, TitleAndCellsOfTheMazeOnShowOrItsKey)
{
    MazeState state;
    MazeGame game(state);
    Rng rng(8);
    int level = kEasy;
    game.NewMaze(level, rng);
    game.Flash(); // a lit cursor is no part of the page
    ASSERT_TRUE(game.cursorLit());
    level = kHard; // nor is a level changed since

    struct Case {
        const char* name;
        bool key;
        const char* title;
    };
    const Case cases[] = {{"", false, "UNTITLED"},
                          {"", true, "UNTITLED   <KEY>"},
                          {"Twisty one", false, "Twisty one"},
                          {"Twisty one", true, "Twisty one   <KEY>"}};
    for (const Case& c : cases) {
        const printing::PageLayout page = MazePage(game, c.key, QString::fromLatin1(c.name));
        EXPECT_EQ(page.size, QSize(kPageWidth, kPageHeight));
        ASSERT_NE(page.find(QStringLiteral("lblname")), nullptr);
        EXPECT_EQ(page.find(QStringLiteral("lblname"))->text, QString::fromLatin1(c.title));
        EXPECT_EQ(page.find(QStringLiteral("Label2"))->text, printing::CreditLine());
        const printing::PageItem* picture = page.find(QStringLiteral("imprint"));
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->kind, printing::PageItem::Kind::blocks);
        ASSERT_EQ(picture->image.size(), QSize(kEasy, kEasy));
        int wrong = 0;
        for (int y = 0; y < kEasy; ++y)
            for (int x = 0; x < kEasy; ++x) {
                const std::int32_t cell = state.grid.at(x, y);
                const QRgb expected = cell == mcWall ? kBlack : (c.key && cell == mcRoute) ? kRed : kWhite;
                wrong += picture->image.pixel(x, y) != expected;
            }
        EXPECT_EQ(wrong, 0) << c.title;
    }
}

// The hardest maze and its key print as rectangles, no picture, every cell where the page puts
// it: a sheet's colour at each cell's centre is the cell's own.
TEST(MazePage, PrintsAsRectanglesWithEveryCellInPlace)
{
    MazeState state;
    MazeGame game(state);
    Rng rng(8);
    int level = kHard;
    game.NewMaze(level, rng);
    const int n = game.size();
    const pdfcheck::PrintedPdf pdf({MazePage(game, false, QStringLiteral("Windy")), MazePage(game, true, QStringLiteral("Windy"))});
    ASSERT_TRUE(pdf.written);
    EXPECT_EQ(pdf.pictures(), 0) << "pdfimages (poppler-utils) is needed";
    EXPECT_LT(pdf.size(), 100 * 1024);
    EXPECT_TRUE(pdf.text(2).contains(QRegularExpression(QStringLiteral("Windy\\s+<KEY>"))));

    const QImage sheet = sheetOf(MazePage(game, true, QString()));
    const QRect printable = RecordingPrinter::Paper(QPageSize::A4).paintRectPixels(300);
    const qreal scale = std::min(printable.width() / 616.0, printable.height() / 703.0);
    int wrong = 0;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const QPointF centre(8 + (x + 0.5) * 600 / n, 72 + (y + 0.5) * 600 / n);
            const std::int32_t cell = state.grid.at(x, y);
            const QRgb expected = cell == mcWall ? kBlack : cell == mcRoute ? kRed : kWhite;
            wrong += sheet.pixel((printable.topLeft() + centre * scale).toPoint()) != expected;
        }
    EXPECT_EQ(wrong, 0);
}

TEST(MazePrint, ThePrintButtonPrintsTheModelsPagesWhileTheWindowsWait)
{
    InitBrainloftResources();
    TestProgram tp(5);
    RecordingPrinter printer;
    tp.program->printer = &printer;
    ProgramWindows all(*tp.program);
    MazeWindow* w = &all.play<MazeWindow>(puzzletype::kMaze);
    MazeKeyWindow* key = &w->key();
    tp.program->settings.mzlevel = kEasy;
    w->show();
    tp.boxes.answer({false});
    w->findChild<QAbstractButton*>(QStringLiteral("btnNew"))->click();
    w->findChild<QAbstractButton*>(QStringLiteral("btncheat"))->click();
    QMetaObject::invokeMethod(w->findChild<QTimer*>(QStringLiteral("tmflash")), "timeout");
    ASSERT_TRUE(w->game().cursorLit());

    QList<bool> heldDuringRun;
    printer.onSheet = [&] {
        heldDuringRun << w->isEnabled() << key->isEnabled() << w->findChild<QWidget*>("Panbuttons")->isEnabled()
                      << key->findChild<QWidget*>("panbuttons")->isEnabled() << w->flashing()
                      << w->game().cursorLit();
    };
    WhenModalNamed(QStringLiteral("fmprint"), [](QWidget* d) {
        d->findChild<QCheckBox*>(QStringLiteral("cbkey"))->click();
        d->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    });
    w->findChild<QAbstractButton*>(QStringLiteral("btnprint"))->click();
    ASSERT_EQ(printer.jobs.size(), 2);
    EXPECT_EQ(heldDuringRun, QList<bool>(12, false));
    EXPECT_TRUE(w->isEnabled() && key->isEnabled() && w->flashing());
    EXPECT_TRUE(w->findChild<QWidget*>("Panbuttons")->isEnabled() && key->findChild<QWidget*>("panbuttons")->isEnabled());
    EXPECT_TRUE(printer.jobs[0] == sheetOf(MazePage(w->game(), false, QString()))) << "the puzzle page, untitled";
    EXPECT_TRUE(printer.jobs[1] == sheetOf(MazePage(w->game(), true, QString()))) << "the key page";
    EXPECT_FALSE(printer.jobs[0] == printer.jobs[1]);
    w->close();
}
