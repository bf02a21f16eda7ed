#include "app/programwindows.h"
#include "brainloft_resources.h"
#include "platform/pdfsheets.h"
#include "printing/printrun.h"
#include "printing/runrecorder.h"
#include "printing/printprogresswindow.h"
#include "shell/desk.h"
#include "support/modal.h"
#include "support/testprogram.h"
#include "wordsearch/builder.h"
#include "wordsearch/wordsearchkeywindow.h"
#include "wordsearch/wordsearchwindow.h"
#include "wordsearch/wordsearchfile.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace wordsearch;

namespace {

constexpr std::uint32_t kPurple = 0xCB10B4; // 0x00BBGGRR
const QRgb kPurpleRgb = qRgb(180, 16, 203);

const QStringList kTwenty = {"ANT", "BEE", "CAT", "DOG", "EEL", "FOX", "GNU", "HEN", "IBIS", "JAY",
                             "KOI", "LARK", "MOLE", "NEWT", "OWL", "PIG", "RAM", "SEAL", "TOAD", "YAK"};

class PrintPagesTest : public ::testing::Test {
protected:
    PrintPagesTest()
    {
        InitBrainloftResources();
        tp.program->printer = &printer;
        all = std::make_unique<ProgramWindows>(*tp.program);
        w = (&all->play<WordSearchWindow>(puzzletype::kWordSearch));
        tp.program->settings.effectiveHighlight = kPurple;
        w->setScreenSizeSource([] { return QSize(1920, 1200); });
        w->show();
        Settle();
    }
    ~PrintPagesTest() override { w->close(); }

    WordSearchState& state() { return all->play<WordSearchWindow>(puzzletype::kWordSearch).state(); }

    // Shows a seeded build of words under name, as a load does.
    void showPuzzle(const QStringList& words, const QString& name)
    {
        Rng rng(11);
        GridBuilder builder(state().puzzle, rng);
        ASSERT_TRUE(builder.Build(words).unplaced.isEmpty());
        state().currentName = name;
        w->ShowPuzzle();
    }

    QString text(bool key, const char* name) { return w->describePage(key).find(QString::fromLatin1(name))->text; }

    // Prints with the counts chosen in the options dialogue, answering Yes to a question.
    void print(int puzzle, int keys)
    {
        WhenModalNamed(QStringLiteral("fmprint"), [puzzle, keys](QWidget* d) {
            if (puzzle == 0)
                d->findChild<QCheckBox*>(QStringLiteral("cbpuzzle"))->click();
            if (keys > 0)
                d->findChild<QCheckBox*>(QStringLiteral("cbkey"))->click();
            d->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        });
        w->findChild<QToolButton*>(QStringLiteral("btnprint"))->click();
    }

    TestProgram tp;
    RecordingPrinter printer;
    std::unique_ptr<ProgramWindows> all;
    WordSearchWindow* w = nullptr;
};

// Where a point of a page lands on a sheet of the given paper at 300 dpi.
struct SheetMap {
    QRect printable;
    double scale;
    SheetMap(QPageSize::PageSizeId paper)
    {
        printable = RecordingPrinter::Paper(paper).paintRectPixels(300);
        scale = std::min(printable.width() / 455.0, printable.height() / 585.0);
    }
    QPoint operator()(double x, double y) const
    {
        return printable.topLeft() + QPoint(int(x * scale), int(y * scale));
    }
    // Any pixel in the sheet area under a page rectangle that is not white.
    bool inked(const QImage& sheet, const QRect& r) const
    {
        const QPoint a = (*this)(r.left(), r.top());
        const QPoint b = (*this)(r.right() + 1, r.bottom() + 1);
        for (int y = a.y(); y < b.y(); ++y)
            for (int x = a.x(); x < b.x(); ++x)
                if ((sheet.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                    return true;
        return false;
    }
};

} // namespace

TEST_F(PrintPagesTest, PagesFollowTheShownPuzzleNotThePlay)
{
    showPuzzle(kTwenty, QStringLiteral("Spring"));
    EXPECT_EQ(text(false, "lbltitle"), "SPRING");
    EXPECT_EQ(text(true, "lbltitle"), "SPRING   <KEY>");
    EXPECT_EQ(text(false, "l19"), "YAK");

    // A word found on screen stays on the page, and its highlight stays off the page's grid.
    bool ok = false;
    const TableEntry ends = IndexToTable(state().puzzle.index, ok)[0];
    const QImage before = w->describePage(false).find("immain")->image;
    QWidget* imPuzzle = w->findChild<QWidget*>(QStringLiteral("imPuzzle"));
    for (const QPoint cell : {QPoint(ends.x1, ends.y1), QPoint(ends.x2, ends.y2)})
        QTest::mouseClick(imPuzzle, Qt::LeftButton, {}, QPoint(cell.x() * 15 - 7, cell.y() * 15 - 7));
    EXPECT_EQ(w->findChild<QListWidget*>()->count(), 19);
    EXPECT_EQ(w->describePage(false).find("immain")->image, before);
    EXPECT_EQ(text(false, "l0"), "ANT");

    state().currentName.clear();
    w->ShowPuzzle();
    EXPECT_EQ(text(false, "lbltitle"), "UNTITLED");
}

TEST_F(PrintPagesTest, SheetsShowFramesGridWordsAndKeyMarksOnEitherPaper)
{
    showPuzzle(kTwenty, QStringLiteral("Spring"));
    const QImage keyPicture = (&all->play<WordSearchWindow>(puzzletype::kWordSearch).key())->keyPicture();
    bool ok = false;
    const PlacementTable table = IndexToTable(state().puzzle.index, ok);
    for (const QPageSize::PageSizeId paper : {QPageSize::A4, QPageSize::Letter}) {
        printer.paper = paper;
        printer.jobs.clear();
        print(1, 1);
        ASSERT_EQ(printer.jobs.size(), 2);
        const SheetMap at(paper);
        const QImage& sheet = printer.jobs[0];
        const QImage& keySheet = printer.jobs[1];

        // The black panel and the picture's one-pixel frame around the grid.
        EXPECT_EQ(sheet.pixel(at(5, 39)), qRgb(0, 0, 0));
        EXPECT_EQ(sheet.pixel(at(6.5, 200)), qRgb(0, 0, 0));
        EXPECT_EQ(sheet.pixel(at(7.5, 41.5)), qRgb(255, 255, 255));
        EXPECT_EQ(keySheet.pixel(at(77, 63)), qRgb(0, 0, 0));
        // Every grid cell holds a letter; words stand in l0 to l19 only.
        for (int cell = 0; cell < 20; ++cell)
            EXPECT_TRUE(at.inked(sheet, QRect(6 + cell * 15, 40 + cell * 15, 15, 15))) << cell;
        EXPECT_TRUE(at.inked(sheet, QRect(8, 344, 147, 13)));
        EXPECT_TRUE(at.inked(sheet, QRect(160, 359, 147, 13)));   // l16
        EXPECT_FALSE(at.inked(sheet, QRect(160, 418, 147, 150))); // l20 to l29
        EXPECT_FALSE(at.inked(sheet, QRect(312, 40, 140, 520)));  // l30 to l63
        EXPECT_TRUE(at.inked(sheet, QRect(4, 8, 446, 13)));
        // Every placed word's end cells carry the highlight on the key and not on the puzzle.
        for (int n = 0; n < 20; ++n)
            for (const QPoint cell : {QPoint(table[n].x1, table[n].y1), QPoint(table[n].x2, table[n].y2)}) {
                const QPoint inner((cell.x() - 1) * 15 + 2, (cell.y() - 1) * 15 + 2);
                ASSERT_EQ(keyPicture.pixel(inner) | 0xFF000000u, kPurpleRgb);
                EXPECT_EQ(keySheet.pixel(at(78 + inner.x() + 0.5, 64 + inner.y() + 0.5)), kPurpleRgb) << n;
                EXPECT_NE(sheet.pixel(at(6 + inner.x() + 0.5, 40 + inner.y() + 0.5)), kPurpleRgb) << n;
            }
    }
}

TEST_F(PrintPagesTest, PrintButtonHoldsTheWindowsForTheRun)
{
    w->findChild<QToolButton*>(QStringLiteral("btnprint"))->click();
    ASSERT_EQ(tp.boxes.boxes.size(), 1);
    EXPECT_EQ(tp.boxes.boxes[0].title, "Print notice");
    EXPECT_EQ(tp.boxes.boxes[0].text, "You must create a puzzle or have one\nloaded before you can print it!");
    EXPECT_TRUE(printer.jobs.isEmpty());

    showPuzzle(kTwenty, QStringLiteral("Spring"));
    QWidget* answers = (&all->play<WordSearchWindow>(puzzletype::kWordSearch).key());
    QList<bool> enabledDuringRun;
    printer.onSheet = [&] {
        enabledDuringRun << w->isEnabled() << answers->isEnabled()
                         << w->findChild<QWidget*>(QStringLiteral("panbuttons"))->isEnabled();
    };
    print(1, 0);
    EXPECT_EQ(printer.jobs.size(), 1);
    EXPECT_EQ(enabledDuringRun, (QList<bool>{false, false, false}));
    EXPECT_TRUE(w->isEnabled() && answers->isEnabled());
    EXPECT_TRUE(w->findChild<QWidget*>(QStringLiteral("panbuttons"))->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The PDF the program writes holds the same sheets the printer gets.
TEST_F(PrintPagesTest, APdfPageMatchesThePrintedSheet)
{
    showPuzzle(kTwenty, QStringLiteral("Spring"));
    print(1, 0);
    ASSERT_EQ(printer.jobs.size(), 1);

    QTemporaryDir dir;
    const QString pdfPath = dir.filePath("spring.pdf");
    PdfSheets pdf(pdfPath, RecordingPrinter::Paper(QPageSize::A4), 1200);
    const printing::PageLayout layout = w->describePage(false);
    ASSERT_TRUE(pdf.printSheet([&](QPainter& p, const QRect& r) { printing::RenderPage(p, layout, r); }));
    ASSERT_TRUE(pdf.finish());
    QProcess::execute("pdftoppm", {"-r", "300", "-png", "-singlefile", pdfPath, dir.filePath("page")});
    QImage fromPdf(dir.filePath("page.png"));
    ASSERT_FALSE(fromPdf.isNull()) << "pdftoppm (poppler-utils) is needed";
    fromPdf = fromPdf.convertToFormat(QImage::Format_RGB32);
    const QImage& job = printer.jobs[0];
    // A PDF page is sized in whole points: a pixel row more or less.
    ASSERT_LE(std::abs(fromPdf.height() - job.height()) + std::abs(fromPdf.width() - job.width()), 2);

    // Rasterisers round edges differently: a pixel matches when the PDF has its colour within
    // two pixels of it (a sixth of a millimetre).
    const auto close = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) <= 96;
    };
    const SheetMap at(QPageSize::A4);
    const QRect grid(at(6, 40), at(306, 340));
    const int height = std::min(job.height(), fromPdf.height()) - 2;
    const int width = std::min(job.width(), fromPdf.width()) - 2;
    long differing = 0;
    long gridDiffering = 0;
    for (int y = 2; y < height; y += 2)
        for (int x = 2; x < width; x += 2) {
            bool found = false;
            for (int dy = -2; dy <= 2 && !found; ++dy)
                for (int dx = -2; dx <= 2 && !found; ++dx)
                    found = close(job.pixel(x, y), fromPdf.pixel(x + dx, y + dy));
            if (!found) {
                ++differing;
                if (grid.contains(x, y))
                    ++gridDiffering;
            }
        }
    EXPECT_LT(differing, job.width() * job.height() / 4 / 1000);
    EXPECT_EQ(gridDiffering, 0);
}
