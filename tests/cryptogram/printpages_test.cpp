// The cryptogram's printed pages, composed from the puzzle, and its print button through the real
// run with a recording printer.
#include "app/programwindows.h"
#include "brainloft_resources.h"
#include "cryptogram/cryptogramwindow.h"
#include "cryptogram/printpages.h"
#include "cryptogram/state.h"
#include "platform/imagesheets.h"
#include "platform/rng.h"
#include "printing/pdfcheck.h"
#include "printing/runrecorder.h"
#include "support/modal.h"
#include "support/testprogram.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
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

// Row r of the page's cipher or answer cells as text, trailing blanks dropped.
QString pageRow(const printing::PageLayout& layout, int r, bool cipher)
{
    const printing::PageItem* line = layout.find((cipher ? QStringLiteral("cipherRow%1") : QStringLiteral("answerRow%1")).arg(r));
    if (!line)
        return QStringLiteral("?");
    QString row = line->text;
    while (row.endsWith(QLatin1Char(' ')))
        row.chop(1);
    return row;
}

// The page as it printed when every cell was a text item of its own: each line of cells cut
// into its cells, control characters as empty ones.
printing::PageLayout cellByCell(const printing::PageLayout& page)
{
    printing::PageLayout cells = page;
    cells.items.clear();
    for (const printing::PageItem& item : page.items) {
        if (item.cellPitch == 0) {
            cells.items << item;
            continue;
        }
        for (int i = 0; i < item.text.size(); ++i) {
            printing::PageItem cell = item;
            cell.cellPitch = 0;
            cell.rect.translate(i * item.cellPitch, 0);
            const QChar c = item.text.at(i);
            cell.text = c.category() == QChar::Other_Control ? QString() : QString(c);
            cells.items << cell;
        }
    }
    return cells;
}

QImage sheet(const printing::PageLayout& page, QPageSize::PageSizeId paper, int dpi)
{
    ImageSheets sheets(RecordingPrinter::Paper(paper), dpi);
    sheets.printSheet([&](QPainter& p, const QRect& r) { printing::RenderPage(p, page, r); });
    return sheets.sheets.front();
}

} // namespace

TEST(CryptogramPrintPagesTest, TitlesAndRowsFromThePuzzleAlone)
{
    const Cryptogram puzzle = helloWorld();
    const char* const puzzleRows = "__LLO, _O_L_ __|LO_ ____";
    const char* const keyRows = "HELLO, WORLD 42|LOW TIDE";
    const struct {
        bool key;
        const char* name;
        const char* title;
        const char* answers; // rows 0 and 1
    } cases[] = {
        {false, "Café 9", "CAFé 9", puzzleRows},
        {true, "Riddle", "RIDDLE  <KEY>", keyRows},
        {false, "", "UNTITLED", puzzleRows},
        {true, "", "UNTITLED   <KEY>", keyRows},
    };
    QString cipherRow;
    for (char c : QByteArray("HELLO, WORLD 42"))
        cipherRow += QChar::fromLatin1(Encipher(puzzle.key, c));
    for (const auto& c : cases) {
        const printing::PageLayout page = ComposePrintPage(puzzle, QString::fromUtf8(c.name), c.key);
        EXPECT_EQ(page.size, QSize(695, 900));
        EXPECT_EQ(page.find("lbltitle")->text, QString::fromUtf8(c.title));
        EXPECT_EQ(page.find("Label1361")->text, printing::CreditLine());
        EXPECT_EQ(pageRow(page, 0, false) + '|' + pageRow(page, 1, false), QString::fromLatin1(c.answers));
        EXPECT_EQ(pageRow(page, 0, true), cipherRow);
    }

}

// Both pages print as text alone: its lines come back, each cell's character in its place.
TEST(CryptogramPrintPagesTest, PdfPagesAreTextWithoutAPicture)
{
    const Cryptogram puzzle = helloWorld();
    const pdfcheck::PrintedPdf pdf({ComposePrintPage(puzzle, "Riddle", false), ComposePrintPage(puzzle, "Riddle", true)});
    ASSERT_TRUE(pdf.written);
    EXPECT_EQ(pdf.pictures(), 0) << "pdfimages (poppler-utils) is needed";
    EXPECT_LT(pdf.size(), 100 * 1024);
    QString cipher;
    for (char c : QByteArray("HELLO,WORLD42"))
        cipher += QChar::fromLatin1(Encipher(puzzle.key, c));
    // Each line as pdftotext lays it out, its blanks dropped.
    const auto lines = [&pdf](int page) {
        QStringList squeezed;
        for (QString line : pdf.text(page).split(QLatin1Char('\n')))
            squeezed << line.remove(QRegularExpression(QStringLiteral("\\s")));
        return squeezed;
    };
    const QStringList puzzlePage = lines(1);
    const QStringList keyPage = lines(2);
    EXPECT_TRUE(puzzlePage.contains(QStringLiteral("RIDDLE")));
    EXPECT_TRUE(keyPage.contains(QStringLiteral("RIDDLE<KEY>")));
    for (const QStringList* page : {&puzzlePage, &keyPage}) {
        const int row = static_cast<int>(page->indexOf(cipher));
        ASSERT_GE(row, 0) << cipher.toStdString();
        EXPECT_EQ(page->at(row + 1), page == &keyPage ? QStringLiteral("HELLO,WORLD42") : QStringLiteral("__LLO,_O_L___"));
    }
    EXPECT_TRUE(keyPage.contains(QStringLiteral("LOWTIDE")));
}

TEST(CryptogramPrintPagesTest, LinesOfCellsSpacedAWAndFourApartThreeLinesDownInTheirInks)
{
    const printing::PageLayout page = ComposePrintPage(helloWorld(), "Riddle", false);
    const printing::PageItem& first = *page.find("cipherRow0");
    const QFontMetrics metrics(first.font);
    const int w = metrics.horizontalAdvance('W');
    const int h = metrics.height();
    EXPECT_EQ(first.rect, QRect(64, 64 + 24 - h, w, h));
    EXPECT_EQ(first.cellPitch, w + 4);
    EXPECT_EQ(first.text.size(), 33);
    EXPECT_EQ(page.find("answerRow0")->rect, first.rect.translated(0, h));
    EXPECT_EQ(page.find("answerRow0")->cellPitch, w + 4);
    EXPECT_EQ(page.find("cipherRow19")->rect, first.rect.translated(0, 19 * 3 * h));
    EXPECT_EQ(first.colour, QColor(0, 0, 128));
    EXPECT_EQ(page.find("answerRow7")->colour, QColor(128, 0, 0));
    EXPECT_EQ(first.font.pixelSize(), 11);
    EXPECT_TRUE(first.font.bold());
}

// Every glyph lands on paper exactly where it did when each cell was a text item of its own:
// wide letters that overhang their cells, narrow ones, descenders, Latin-1 and control bytes,
// on both pages, at screen and printer resolutions.
TEST(CryptogramPrintPagesTest, LinesOfCellsPrintEveryGlyphWhereItsOwnCellWould)
{
    const char* const samples[] = {"THE QUICK BROWN FOX, 1234567890 J", "WWWW MMMM @@%% IIII 1111 ....",
                                   "\xC6\xC6 \xC9\xD0\xDE\xDF\xFF ,;:!? ()[]{} #&*+=<>/|\\~^",
                                   "PACK MY BOX WITH FIVE DOZEN JUGS", "Q_\x01\x85-'\"` \xA9\xAE\xBC\xBD\xB5\xB1\xF7"};
    MakerLines lines;
    for (int i = 0; i < kRows; ++i)
        lines[i] = samples[i % 5];
    Cryptogram puzzle;
    Rng rng(5);
    BuildCryptogramPuzzle(puzzle, lines, 11, rng);
    for (bool key : {false, true}) {
        const printing::PageLayout page = ComposePrintPage(puzzle, "Riddle", key);
        const printing::PageLayout cells = cellByCell(page);
        for (int dpi : {72, 150, 300})
            EXPECT_TRUE(sheet(page, QPageSize::A4, dpi) == sheet(cells, QPageSize::A4, dpi))
                << (key ? "key" : "puzzle") << " page at " << dpi << " dpi";
    }
}

namespace {

class CryptogramPrintTest : public ::testing::Test {
protected:
    CryptogramPrintTest()
    {
        InitBrainloftResources();
        tp.program->printer = &printer;
        all = std::make_unique<ProgramWindows>(*tp.program);
        w = (&all->play<CryptogramWindow>(puzzletype::kCryptogram));
        w->show();
        Settle();
    }
    ~CryptogramPrintTest() override { w->close(); }

    CryptogramState& state() { return all->play<CryptogramWindow>(puzzletype::kCryptogram).state(); }

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
};

} // namespace

TEST_F(CryptogramPrintTest, PrintButtonPrintsTheStoredHintsNotTheGuesses)
{
    w->findChild<QToolButton*>(QStringLiteral("btnprint"))->click();
    ASSERT_EQ(tp.boxes.boxes.size(), 1);
    EXPECT_EQ(tp.boxes.boxes[0].title, "Print error");
    EXPECT_EQ(tp.boxes.boxes[0].text, "You must create a puzzle or have one\nloaded before you can print it!");
    EXPECT_TRUE(printer.jobs.isEmpty());

    state().puzzle = helloWorld();
    state().currentName = QStringLiteral("Riddle");
    w->game().StartPlaying();
    w->showGame();
    // A right guess for H on screen.
    QTest::keyClick(w->keyEdit(SymbolIndex(Encipher(state().puzzle.key, 'H'))), 'h');
    ASSERT_EQ(w->game().guessCell(0), 'H');

    QList<bool> heldDuringRun;
    printer.onSheet = [&] { heldDuringRun << w->isEnabled() << w->findChild<QWidget*>("panbuttons")->isEnabled(); };
    printBoth();
    ASSERT_EQ(printer.jobs.size(), 2);
    EXPECT_EQ(heldDuringRun, (QList<bool>{false, false, false, false}));
    EXPECT_TRUE(w->isEnabled() && w->findChild<QWidget*>("panbuttons")->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // Each sheet is the page composed from the stored puzzle, drawn: the guess for H is not on it.
    const printing::PageLayout pages[2] = {ComposePrintPage(state().puzzle, "Riddle", false),
                                           ComposePrintPage(state().puzzle, "Riddle", true)};
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(printer.jobs[i] == sheet(pages[i], QPageSize::A4, 300)) << "sheet " << i;
}
