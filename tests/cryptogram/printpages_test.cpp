// The cryptogram's print page and its print button, through the real run with a recording
// printer.
#include "app/programwindows.h"
#include "brainloft_resources.h"
#include "cryptogram/printcells.h"
#include "cryptogram/state.h"
#include "cryptogram/printpage.h"
#include "cryptogram/printpages.h"
#include "cryptogram/cryptogramwindow.h"
#include "platform/rng.h"
#include "printing/pagecapture.h"
#include "printing/runrecorder.h"
#include "support/modal.h"
#include "support/testprogram.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace cryptogram;

namespace {

// "HELLO, WORLD 42" over "LOW TIDE", with L and O given; a later pair for L loses to the first.
Cryptogram helloWorld()
{
    Cryptogram puzzle;
    Rng rng(4);
    MakeCipherKey(puzzle.key, rng);
    MakerLines lines;
    lines[0] = "HELLO, WORLD 42";
    lines[1] = "LOW TIDE";
    CopyMakerLines(puzzle.text, lines);
    const char pairs[3][2] = {{'L', 'L'}, {'L', 'Q'}, {'O', 'O'}};
    for (int j = 0; j < 3; ++j) {
        puzzle.hints[j] = Encipher(puzzle.key, pairs[j][0]);
        puzzle.hints[kHintPairs + j] = pairs[j][1];
    }
    return puzzle;
}

// Row r of the page's cipher or answer cells as text, each empty cell as '.'.
QString pageRow(const printing::PageLayout& layout, int r, bool cipher)
{
    QString row;
    for (int p = r * kColumns; p < r * kColumns + kColumns; ++p) {
        const QString name = (cipher ? QStringLiteral("printCipherLabels%1") : QStringLiteral("printAnswerLabels%1")).arg(p);
        const printing::PageItem* cell = layout.find(name);
        row += !cell ? QStringLiteral("?") : cell->text.isEmpty() ? QStringLiteral(".") : cell->text;
    }
    while (row.endsWith(QLatin1Char(' ')) || row.endsWith(QLatin1Char('.')))
        row.chop(1);
    return row;
}

class CryptogramPrintTest : public ::testing::Test {
protected:
    CryptogramPrintTest()
    {
        InitBrainloftResources();
        tp.program->printer = &printer;
        all = std::make_unique<ProgramWindows>(*tp.program);
        w = all->windows().fmcrypt;
        page = all->windows().fmcgpuzzle;
        w->show();
        Settle();
    }
    ~CryptogramPrintTest() override { w->close(); }

    CryptogramState& state() { return all->states().cryptogram; }
    int cellCount() const { return page->panpuzzle->findChildren<QLabel*>().size(); }

    // One puzzle and one key (no question) through the options dialogue.
    void printBoth()
    {
        WhenModalNamed(QStringLiteral("fmprint"), [](QWidget* d) {
            d->findChild<QCheckBox*>(QStringLiteral("cbkey"))->click();
            d->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        });
        w->findChild<QToolButton*>(QStringLiteral("btnprint"))->click();
    }

    TestProgram tp;
    RecordingPrinter printer;
    std::unique_ptr<ProgramWindows> all;
    CryptogramWindow* w = nullptr;
    CryptogramPrintPage* page = nullptr;
};

// Where the ink of a page rectangle lies on a sheet: its top row as a share of the rectangle's
// height, and its darkest pixel.
struct Ink {
    double top = 1;
    QRgb darkest = 0xFFFFFFFF;
};

Ink inkOf(const QImage& sheet, const QSize& pageSize, const QRect& r)
{
    const QRect fit = printing::FitPage(pageSize, RecordingPrinter::Paper(QPageSize::A4).paintRectPixels(300));
    const double sx = double(fit.width()) / pageSize.width();
    const double sy = double(fit.height()) / pageSize.height();
    const QRect area(QPoint(int(fit.left() + r.left() * sx), int(fit.top() + r.top() * sy)),
                     QPoint(int(fit.left() + (r.right() + 1) * sx), int(fit.top() + (r.bottom() + 1) * sy)));
    Ink ink;
    for (int y = area.top(); y < area.bottom(); ++y)
        for (int x = area.left(); x < area.right(); ++x) {
            const QRgb p = sheet.pixel(x, y);
            if (qGray(p) < 200)
                ink.top = std::min(ink.top, double(y - area.top()) / area.height());
            if (qGray(p) < qGray(ink.darkest))
                ink.darkest = p;
        }
    return ink;
}

bool near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) <= 24;
}

} // namespace

TEST(CryptogramPrintPage, ComposesCellsAndTitlesFromTheStoredPuzzle)
{
    CryptogramPrintPage page;
    EXPECT_EQ(page.size(), QSize(724, 900));
    const Cryptogram puzzle = helloWorld();
    const char* const puzzleRows = "__LLO, _O_L_ __|LO_ ____";
    const char* const keyRows = "HELLO, WORLD 42|LOW TIDE";
    const struct {
        const char* kind;
        const char* name;
        const char* title;
        const char* answers; // rows 0 and 1
    } cases[] = {
        {"Puzzle", "Café 9", "CAFé 9", puzzleRows},
        {"Key", "Riddle", "RIDDLE  <KEY>", keyRows},
        {"Puzzle", "", "UNTITLED", puzzleRows},
        {"Key", "", "UNTITLED   <KEY>", keyRows},
    };
    PrintCells cells(*page.panpuzzle);
    for (const auto& c : cases) {
        page.ComposePrintPage(cells, QString::fromLatin1(c.kind), puzzle, QString::fromUtf8(c.name));
        const printing::PageLayout layout = printing::DescribePage(page);
        EXPECT_EQ(layout.size, QSize(695, 900));
        EXPECT_EQ(layout.find("lbltitle")->text, QString::fromUtf8(c.title));
        EXPECT_EQ(pageRow(layout, 0, false) + '|' + pageRow(layout, 1, false), QString::fromLatin1(c.answers));
        EXPECT_EQ(pageRow(layout, 1, true).size(), 8);
    }

    // A cell is a W wide, one line high; columns are 4 pixels wider, rows three lines apart.
    const QRect first = cells.printCipherLabels[0]->geometry();
    const int h = first.height();
    EXPECT_EQ(first, QRect(0, 24 - h, first.width(), h));
    EXPECT_EQ(cells.printAnswerLabels[0]->geometry(), first.translated(0, h));
    EXPECT_EQ(cells.printCipherLabels[659]->geometry(), first.translated(32 * (first.width() + 4), 19 * 3 * h));
    EXPECT_GE(page.panpuzzle->height(), cells.printAnswerLabels[659]->geometry().bottom());
}

TEST_F(CryptogramPrintTest, PrintButtonPrintsHintsNotGuessesAndFreesItsCells)
{
    w->findChild<QToolButton*>(QStringLiteral("btnprint"))->click();
    ASSERT_EQ(tp.boxes.boxes.size(), 1);
    EXPECT_EQ(tp.boxes.boxes[0].title, "Print error");
    EXPECT_EQ(tp.boxes.boxes[0].text, "You must create a puzzle or have one\nloaded before you can print it!");
    EXPECT_EQ(cellCount(), 0);
    EXPECT_TRUE(printer.jobs.isEmpty());

    state().puzzle = helloWorld();
    state().currentName = QStringLiteral("Riddle");
    w->ShowCipherText();
    w->SetKeyEditsEnabled(true);
    w->ApplyStartingHints();
    // A right guess for H on screen.
    w->edaKeyPress(SymbolIndex(Encipher(state().puzzle.key, 'H')), QStringLiteral("H"));

    QList<printing::PageLayout> sheets;
    QList<bool> heldDuringRun;
    printer.onSheet = [&] {
        sheets << printing::DescribePage(*page);
        heldDuringRun << w->isEnabled() << w->findChild<QWidget*>("panbuttons")->isEnabled() << (cellCount() == 1320);
    };
    printBoth();
    ASSERT_EQ(printer.jobs.size(), 2);
    EXPECT_EQ(heldDuringRun, (QList<bool>{false, false, true, false, false, true}));
    EXPECT_TRUE(w->isEnabled() && w->findChild<QWidget*>("panbuttons")->isEnabled());
    EXPECT_EQ(cellCount(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // On paper: the cipher in navy; under H a blank line on the puzzle and the letter on the
    // key; under L its hint letter in maroon.
    const QSize size(695, 900);
    const auto cell = [&](int sheet, const char* name) {
        return inkOf(printer.jobs[sheet], size, sheets[sheet].find(QString::fromLatin1(name))->rect);
    };
    EXPECT_EQ(sheets[0].find("lbltitle")->text, "RIDDLE");
    EXPECT_TRUE(near(cell(0, "printCipherLabels0").darkest, qRgb(0, 0, 128)));
    const Ink blank = cell(0, "printAnswerLabels0");
    EXPECT_GT(blank.top, 0.6);
    // A one-pixel line is never inked whole: maroon in hue.
    EXPECT_GT(qRed(blank.darkest), qBlue(blank.darkest) + 60);
    EXPECT_EQ(qGreen(blank.darkest), qBlue(blank.darkest));
    const Ink hint = cell(0, "printAnswerLabels2");
    EXPECT_LT(hint.top, 0.4);
    EXPECT_TRUE(near(hint.darkest, qRgb(128, 0, 0)));
    EXPECT_LT(cell(1, "printAnswerLabels0").top, 0.4);
    EXPECT_EQ(cell(1, "printAnswerLabels6").top, 1); // a blank under a blank
}

TEST(CryptogramPrintPage, ModelPagesMatchThePageWindowItemForItem)
{
    CryptogramPrintPage window;
    PrintCells cells(*window.panpuzzle);
    Cryptogram odd = helloWorld();
    odd.text[5] = '\x01';
    odd.text[40] = '\xE9';
    odd.text[41] = '@';
    odd.key[0] = '\x9F';
    const struct {
        Cryptogram puzzle;
        const char* name;
    } cases[] = {{helloWorld(), "Riddle"}, {odd, ""}, {Cryptogram(), "Café 9"}};
    for (const auto& c : cases)
        for (bool key : {false, true}) {
            const QString name = QString::fromUtf8(c.name);
            window.ComposePrintPage(cells, key ? "Key" : "Puzzle", c.puzzle, name);
            const printing::PageLayout captured = printing::DescribePage(window);
            const printing::PageLayout composed = ComposePrintPage(c.puzzle, name, key);
            ASSERT_EQ(composed.size, captured.size);
            EXPECT_EQ(composed.background, captured.background);
            ASSERT_EQ(composed.items.size(), captured.items.size());
            for (int i = 0; i < captured.items.size(); ++i) {
                const printing::PageItem& a = composed.items[i];
                const printing::PageItem& b = captured.items[i];
                SCOPED_TRACE(b.name.toStdString());
                EXPECT_EQ(a.kind, b.kind);
                EXPECT_EQ(a.name, b.name);
                EXPECT_EQ(a.rect, b.rect);
                EXPECT_EQ(a.colour, b.colour);
                EXPECT_EQ(a.text, b.text);
                EXPECT_EQ(a.font, b.font) << a.font.toString().toStdString() << " / " << b.font.toString().toStdString();
                EXPECT_EQ(a.alignment, b.alignment);
                EXPECT_EQ(a.wordWrap, b.wordWrap);
                EXPECT_TRUE(b.image.isNull());
            }
        }
}
