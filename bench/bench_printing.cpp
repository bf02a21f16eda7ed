// One printed page into a 300-dpi picture or a PDF page (with the PDF's size), a puzzle-plus-key
// run into a PDF with no waits, and the longest pause in event handling during a real ten-copy run.
#include "brainloft_resources.h"
#include "cryptogram/cryptogram.h"
#include "cryptogram/printpages.h"
#include "maze/mazegame.h"
#include "maze/printpages.h"
#include "platform/imagesheets.h"
#include "platform/messageboxes.h"
#include "platform/pdfsheets.h"
#include "platform/rng.h"
#include "platform/seams.h"
#include "printing/printrun.h"
#include "printing/printprogresswindow.h"
#include "shell/program.h"
#include "wordsearch/builder.h"
#include "wordsearch/gridpicture.h"
#include "wordsearch/printpages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

class NullClock : public Clock {
public:
    void wait(int) override {}
};

class NoBoxes : public MessageBoxes {
public:
    bool question(const QString&, const QString&) override { return false; }
    void warning(const QString&, const QString&) override {}
    void error(const QString&, const QString&) override {}
    void message(const QString&) override {}
};

class NoProcesses : public ProcessRunner {
public:
    bool runAndWait(const QString&, int, const QString&) override { return false; }
};

// The word-search pages of a full 20-word puzzle, laid out from it.
struct Pages {
    wordsearch::WordSearchPuzzle puzzle;
    Pages()
    {
        const QStringList words = {"ANT",  "BEE", "CAT",  "DOG",  "EEL", "FOX", "GNU",  "HEN",  "IBIS", "JAY",
                                   "KOI",  "LARK", "MOLE", "NEWT", "OWL", "PIG", "RAM", "SEAL", "TOAD", "YAK"};
        Rng rng(5);
        wordsearch::GridBuilder(puzzle, rng).Build(words);
    }
    printing::PageLayout page(bool key) const
    {
        const QString name = QStringLiteral("Spring");
        return key ? wordsearch::KeyPage(puzzle, Qt::red, name) : wordsearch::PuzzlePage(puzzle, name);
    }
    printing::RunRequest request(bool withKey, int copies)
    {
        printing::RunRequest r;
        r.choices = {true, withKey, copies, copies};
        r.describe = [this](bool second) { return page(second); };
        return r;
    }
};

Pages& pages()
{
    static Pages p;
    return p;
}

void pageIntoImage(benchmark::State& state, QPageSize::PageSizeId paper, bool keyPage)
{
    ImageSheets sheets(DefaultPdfLayout(paper), 300);
    for (auto _ : state) {
        const printing::PageLayout layout = pages().page(keyPage);
        sheets.printSheet([&](QPainter& p, const QRect& r) { printing::RenderPage(p, layout, r); });
        sheets.sheets.clear();
    }
}

void BM_WordSearchPuzzlePageA4Image(benchmark::State& state) { pageIntoImage(state, QPageSize::A4, false); }
void BM_WordSearchKeyPageLetterImage(benchmark::State& state) { pageIntoImage(state, QPageSize::Letter, true); }

void BM_WordSearchPuzzlePagePdf(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("page.pdf");
    for (auto _ : state) {
        PdfSheets pdf(path, DefaultPdfLayout(QPageSize::A4), 1200);
        printing::SilentProgress silent;
        printing::RunPrint(pages().request(false, 1), silent, pdf);
    }
    state.counters["pdf_bytes"] = static_cast<double>(QFileInfo(path).size());
}

// A cryptogram page of twenty full rows and three hints, and a hard maze's page.
struct TypePages {
    cryptogram::Cryptogram puzzle;
    maze::MazeState mazeState;
    maze::MazeGame maze{mazeState};
    TypePages()
    {
        Rng rng(5);
        cryptogram::MakerLines lines;
        for (QByteArray& line : lines)
            line = "PACK MY BOX WITH FIVE DOZEN JUGS 7";
        cryptogram::BuildCryptogramPuzzle(puzzle, lines, 3, rng);
        int level = maze::kHard;
        maze.NewMaze(level, rng);
    }
};

TypePages& typePages()
{
    static TypePages p;
    return p;
}

// Described as the run describes it (the cryptogram filled first), then drawn.
void typePageIntoImage(benchmark::State& state, QPageSize::PageSizeId paper, bool maze, bool keyPage)
{
    TypePages& t = typePages();
    ImageSheets sheets(DefaultPdfLayout(paper), 300);
    for (auto _ : state) {
        printing::PageLayout layout;
        if (maze) {
            layout = maze::MazePage(t.maze, keyPage, "Windy");
        } else {
            layout = cryptogram::ComposePrintPage(t.puzzle, "Riddle", keyPage);
        }
        sheets.printSheet([&](QPainter& p, const QRect& r) { printing::RenderPage(p, layout, r); });
        sheets.sheets.clear();
    }
}

// The hardest maze's key page into a PDF of its own, as brainloft-make prints it.
void BM_MazeKeyPagePdf(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("maze.pdf");
    const printing::PageLayout layout = maze::MazePage(typePages().maze, true, "Windy");
    for (auto _ : state) {
        PdfSheets pdf(path, DefaultPdfLayout(QPageSize::A4), 1200);
        pdf.printSheet([&](QPainter& p, const QRect& r) { printing::RenderPage(p, layout, r); });
        pdf.finish();
    }
    state.counters["pdf_bytes"] = static_cast<double>(QFileInfo(path).size());
}

void BM_CryptogramPuzzlePageA4Image(benchmark::State& state) { typePageIntoImage(state, QPageSize::A4, false, false); }
void BM_CryptogramKeyPageLetterImage(benchmark::State& state) { typePageIntoImage(state, QPageSize::Letter, false, true); }
void BM_MazePuzzlePageA4Image(benchmark::State& state) { typePageIntoImage(state, QPageSize::A4, true, false); }
void BM_MazeKeyPageLetterImage(benchmark::State& state) { typePageIntoImage(state, QPageSize::Letter, true, true); }

struct RunProgram {
    NullClock nullClock;
    RealClock realClock;
    NoBoxes boxes;
    NoProcesses processes;
    Program program;
    PrintProgressWindow progress;
    explicit RunProgram(bool real)
        : program(ProgramPaths(), boxes, real ? static_cast<Clock&>(realClock) : nullClock, processes),
          progress(program)
    {
    }
};

// Everything the program does for one puzzle and one key into a PDF, the progress window and
// its animation included, with waits that return at once.
void BM_PuzzleAndKeyRunToPdfNullClock(benchmark::State& state)
{
    QTemporaryDir dir;
    RunProgram run(false);
    for (auto _ : state) {
        PdfSheets pdf(dir.filePath("run.pdf"), DefaultPdfLayout(QPageSize::A4), 1200);
        printing::RunPrint(pages().request(true, 1), run.progress, pdf);
    }
}

// Ten copies with the real 50 ms waits: the longest time the window thread went without
// handling events (a Cancel press waits at most this long to be heard).
void BM_TenCopyRunLongestEventGap(benchmark::State& state)
{
    QTemporaryDir dir;
    RunProgram run(true);
    double longest = 0;
    for (auto _ : state) {
        QElapsedTimer since;
        since.start();
        QTimer tick;
        tick.setInterval(0);
        QObject::connect(&tick, &QTimer::timeout, [&] {
            longest = std::max(longest, since.nsecsElapsed() / 1e6);
            since.restart();
        });
        tick.start();
        PdfSheets pdf(dir.filePath("ten.pdf"), DefaultPdfLayout(QPageSize::A4), 1200);
        printing::RunPrint(pages().request(false, 10), run.progress, pdf);
        tick.stop();
    }
    state.counters["longest_gap_ms"] = longest;
}

} // namespace

BENCHMARK(BM_WordSearchPuzzlePageA4Image)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_WordSearchKeyPageLetterImage)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_WordSearchPuzzlePagePdf)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_CryptogramPuzzlePageA4Image)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_CryptogramKeyPageLetterImage)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_MazePuzzlePageA4Image)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_MazeKeyPageLetterImage)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_MazeKeyPagePdf)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_PuzzleAndKeyRunToPdfNullClock)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_TenCopyRunLongestEventGap)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InitBrainloftResources();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
