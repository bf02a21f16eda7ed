#include "app/programwindows.h"
#include "brainloft_resources.h"
#include "platform/pdfsheets.h"
#include "printing/pdfcheck.h"
#include "printing/printrun.h"
#include "printing/runrecorder.h"
#include "printing/printprogresswindow.h"
#include "shell/desk.h"
#include "support/modal.h"
#include "support/testprogram.h"
#include "wordsearch/builder.h"
#include "wordsearch/printpages.h"
#include "wordsearch/wordsearchkeywindow.h"
#include "wordsearch/wordsearchwindow.h"
#include "wordsearch/wordsearchfile.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "testpuzzles.h"

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
    // Every item of a page as text, to compare pages whole.
    const auto items = [this] {
        QStringList list;
        for (const printing::PageItem& item : w->describePage(false).items)
            list << QStringLiteral("%1 %2,%3 %4x%5 %6 %7 %8,%9-%10,%11")
                        .arg(int(item.kind))
                        .arg(item.rect.x())
                        .arg(item.rect.y())
                        .arg(item.rect.width())
                        .arg(item.rect.height())
                        .arg(item.text, item.colour.name())
                        .arg(item.line.x1())
                        .arg(item.line.y1())
                        .arg(item.line.x2())
                        .arg(item.line.y2());
        return list;
    };
    const QStringList before = items();
    EXPECT_GT(before.filter(QStringLiteral("YAK")).size(), 0) << "the words are on the page";
    QWidget* imPuzzle = w->findChild<QWidget*>(QStringLiteral("imPuzzle"));
    for (const QPoint cell : {QPoint(ends.x1, ends.y1), QPoint(ends.x2, ends.y2)})
        QTest::mouseClick(imPuzzle, Qt::LeftButton, {}, QPoint(cell.x() * 15 - 7, cell.y() * 15 - 7));
    EXPECT_EQ(w->findChild<QListWidget*>()->count(), 19);
    EXPECT_EQ(items(), before);
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

    // Rasterisers smooth the edges of letters differently: the ink of either picture must have
    // ink of the other within two pixels of it (a sixth of a millimetre), both ways.
    const auto ink = [](const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 96; };
    const auto missing = [&](const QImage& from, const QImage& in) {
        const int height = std::min(from.height(), in.height()) - 2;
        const int width = std::min(from.width(), in.width()) - 2;
        long count = 0, total = 0;
        for (int y = 2; y < height; ++y)
            for (int x = 2; x < width; ++x) {
                if (!ink(from, x, y))
                    continue;
                ++total;
                bool found = false;
                for (int dy = -2; dy <= 2 && !found; ++dy)
                    for (int dx = -2; dx <= 2 && !found; ++dx)
                        found = ink(in, x + dx, y + dy);
                count += found ? 0 : 1;
            }
        EXPECT_GT(total, 10000) << "the sheet has ink";
        return count;
    };
    EXPECT_EQ(missing(job, fromPdf), 0) << "everything printed is in the PDF";
    EXPECT_EQ(missing(fromPdf, job), 0) << "and nothing more";
}

namespace {

QString squeezed(QString line)
{
    return line.remove(QRegularExpression(QStringLiteral("\\s")));
}

} // namespace

// The pages a file prints: the grid's rows come back as text, in order, under the title, the
// words after them, and neither page holds a picture.
TEST(WordSearchPdf, PagesPrintTheGridAsTextAndHoldNoPicture)
{
    WordSearchPuzzle puzzle;
    Rng rng(11);
    ASSERT_TRUE(GridBuilder(puzzle, rng).Build(kTwenty).unplaced.isEmpty());
    const pdfcheck::PrintedPdf pdf({PuzzlePage(puzzle, QStringLiteral("Spring")),
                                    KeyPage(puzzle, QColor::fromRgb(kPurpleRgb), QStringLiteral("Spring"))});
    ASSERT_TRUE(pdf.written);
    EXPECT_EQ(pdf.pictures(), 0) << "pdfimages (poppler-utils) is needed";
    EXPECT_LT(pdf.size(), 100 * 1024);

    QStringList rows;
    for (int y = 1; y <= kField; ++y) {
        QString row;
        for (int x = 1; x <= kField; ++x)
            row += QChar::fromLatin1(puzzle.grid[x][y]);
        rows << row;
    }
    for (const int page : {1, 2}) {
        SCOPED_TRACE(page);
        QStringList lines;
        for (const QString& line : pdf.text(page).split(QLatin1Char('\n')))
            if (!squeezed(line).isEmpty())
                lines << squeezed(line);
        ASSERT_GE(lines.size(), 1 + kField) << "pdftotext (poppler-utils) is needed";
        EXPECT_EQ(lines[0], page == 1 ? "SPRING" : "SPRING<KEY>");
        EXPECT_EQ(lines.mid(1, kField), rows);
        if (page == 1) {
            const QString words = pdf.text(1).split(QLatin1Char('\n')).mid(1 + kField).join(QLatin1Char(' '));
            for (const QString& word : kTwenty)
                EXPECT_TRUE(words.contains(QRegularExpression(QStringLiteral("\\b%1\\b").arg(word)))) << word.toStdString();
        }
    }
}

// Drawn six times finer than the page's units, each word's bar is the highlight colour between
// its end squares and under its letters, whose ink stays black on top of it.
TEST(WordSearchKeyPage, BarsAreHighlightStrokesUnderTheLetters)
{
    using namespace wordsearch::testing;
    const WordSearchPuzzle puzzle = CraftedPuzzle();
    const printing::PageLayout page = KeyPage(puzzle, QColor::fromRgb(kPurpleRgb), QString());
    constexpr int k = 6;
    QImage grid(300 * k, 300 * k, QImage::Format_RGB32);
    grid.fill(Qt::white);
    QPainter painter(&grid);
    painter.translate(-78 * k, -64 * k); // the key's grid starts at (78, 64)
    printing::RenderPage(painter, page, QRect(0, 0, 455 * k, 585 * k));
    painter.end();

    const auto at = [&](qreal x, qreal y) { return grid.pixel(int(x * k), int(y * k)) | 0xFF000000u; };
    const auto count = [&](int column, int row, QRgb colour) { // in a cell's inner square, from 1
        int n = 0;
        for (int y = ((row - 1) * 15 + 2) * k; y < ((row - 1) * 15 + 13) * k; ++y)
            for (int x = ((column - 1) * 15 + 2) * k; x < ((column - 1) * 15 + 13) * k; ++x)
                n += (grid.pixel(x, y) | 0xFF000000u) == colour;
        return n;
    };
    for (const PlacedWord& word : kPlaced) {
        SCOPED_TRACE(word.text);
        for (const QPoint end : {QPoint(word.x1, word.y1), QPoint(word.x2(), word.y2())}) {
            EXPECT_GT(count(end.x(), end.y(), kPurpleRgb), 30 * k * k) << "the end square";
            EXPECT_GT(count(end.x(), end.y(), qRgb(0, 0, 0)), 10 * k * k) << "the letter over it";
        }
        // Halfway between the first two letters' centres: the stroke, where no letter reaches.
        EXPECT_EQ(at((word.x1 - 1) * 15 + 7.5 + word.dx * 7.5, (word.y1 - 1) * 15 + 7.5 + word.dy * 7.5), kPurpleRgb);
    }
    EXPECT_EQ(count(15, 15, kPurpleRgb), 0);
    EXPECT_GT(count(15, 15, qRgb(0, 0, 0)), 10 * k * k);
}
