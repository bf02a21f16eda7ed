// The cryptogram's build (key, lines, hints and the two rows a window shows), its record, a
// keystroke in the play window followed by a full render, and a print of puzzle and key into a
// PDF against a floor program that draws the same characters.
#include "cryptogram/cryptogram.h"
#include "cryptogram/cryptogramfile.h"
#include "cryptogram/state.h"
#include "cryptogram/cryptogramwindow.h"
#include "cryptogram/inks.h"
#include "cryptogram/printpages.h"
#include "platform/fonts.h"
#include "platform/messageboxes.h"
#include "platform/pdfsheets.h"
#include "platform/rng.h"
#include "platform/seams.h"
#include "shell/program.h"
#include "shell/desk.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <array>
#include <functional>

namespace {

cryptogram::MakerLines fullLines()
{
    cryptogram::MakerLines lines;
    const QByteArray sample("THE QUICK BROWN FOX, 1234567890 J");
    for (int i = 0; i < cryptogram::kRows; ++i)
        lines[i] = sample.mid(i % 7) + sample.left(i % 7);
    return lines;
}

void BM_BuildFullTextLevel11(benchmark::State& state)
{
    const cryptogram::MakerLines lines = fullLines();
    cryptogram::Cryptogram puzzle;
    std::array<char, cryptogram::kCells> cipher{};
    std::array<char, cryptogram::kCells> guesses{};
    std::uint64_t seed = 1;
    for (auto _ : state) {
        Rng rng(seed++);
        cryptogram::BuildCryptogramPuzzle(puzzle, lines, 11, rng);
        for (int p = 0; p < cryptogram::kCells; ++p) {
            cipher[p] = cryptogram::Encipher(puzzle.key, puzzle.text[p]);
            guesses[p] = cryptogram::GuessPlaceholder(puzzle.text[p]);
        }
        benchmark::DoNotOptimize(cipher.data());
        benchmark::DoNotOptimize(guesses.data());
    }
}
BENCHMARK(BM_BuildFullTextLevel11)->Unit(benchmark::kMicrosecond);

cryptogram::Cryptogram builtPuzzle()
{
    cryptogram::Cryptogram puzzle;
    Rng rng(7);
    cryptogram::BuildCryptogramPuzzle(puzzle, fullLines(), 11, rng);
    return puzzle;
}

void BM_EncodeRecord(benchmark::State& state)
{
    const cryptogram::Cryptogram puzzle = builtPuzzle();
    for (auto _ : state)
        benchmark::DoNotOptimize(cryptogram::EncodeCryptogramRecord(puzzle));
}
BENCHMARK(BM_EncodeRecord)->Unit(benchmark::kMicrosecond);

void BM_DecodeRecord(benchmark::State& state)
{
    const QByteArray record = cryptogram::EncodeCryptogramRecord(builtPuzzle());
    cryptogram::Cryptogram loaded;
    for (auto _ : state)
        benchmark::DoNotOptimize(cryptogram::DecodeCryptogramRecord(record, loaded));
}
BENCHMARK(BM_DecodeRecord)->Unit(benchmark::kMicrosecond);

// Waits on the disk (the flush before the rename): reported, not held to a target.
void BM_SaveFileToDisk(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    QDir().mkpath(folder + "Brainloft puzzles");
    const cryptogram::Cryptogram puzzle = builtPuzzle();
    for (auto _ : state)
        benchmark::DoNotOptimize(cryptogram::SaveCryptogramFile(folder, "Bench", puzzle));
}
BENCHMARK(BM_SaveFileToDisk)->Unit(benchmark::kMicrosecond);

class SilentBoxes : public MessageBoxes {
public:
    bool question(const QString&, const QString&) override { return false; }
    void warning(const QString&, const QString&) override {}
    void error(const QString&, const QString&) override {}
    void message(const QString&) override {}
};

// One guess typed into a key edit of a full puzzle, then the whole window drawn.
void BM_KeystrokeThenRender(benchmark::State& state)
{
    QTemporaryDir dir;
    SilentBoxes boxes;
    RealClock clock;
    RealProcessRunner processes;
    ProgramPaths paths;
    paths.programFolder = dir.path() + "/";
    Program program(paths, boxes, clock, processes);
    Desk desk;
    CryptogramWindow window(program, desk);
    cryptogram::CryptogramState& puzzleState = window.state();
    window.show();
    puzzleState.puzzle = builtPuzzle();
    window.game().StartPlaying();
    window.showGame();
    QCoreApplication::processEvents();

    // The edit of a symbol that is no hint, so it takes the keys.
    QLineEdit* edit = nullptr;
    for (int i = 0; i < cryptogram::kSymbols && !edit; ++i)
        if (window.keyEdit(i)->isEnabled())
            edit = window.keyEdit(i);
    QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
    const QString keys[] = {QStringLiteral("q"), QStringLiteral("z")};
    int n = 0;
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, keys[n++ % 2]);
        QApplication::sendEvent(edit, &press);
        window.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    window.hide();
}
BENCHMARK(BM_KeystrokeThenRender)->Unit(benchmark::kMillisecond);

// Puzzle and key as brainloft-make prints them: A4 at 1200 dots an inch, one page each, into
// memory so that no disk wait is timed. draw gets the painter and the page's printable area.
QByteArray twoPagePdf(const std::function<void(QPainter&, const QRect&, bool key)>& draw)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(1200);
    writer.setPageLayout(DefaultPdfLayout(QPageSize::A4));
    writer.setCreator(QStringLiteral("Brainloft"));
    QPainter painter(&writer);
    for (bool key : {false, true}) {
        if (key)
            writer.newPage();
        painter.save();
        draw(painter, QRect(0, 0, writer.width(), writer.height()), key);
        painter.restore();
    }
    painter.end();
    return bytes;
}

void BM_PrintPuzzleAndKeyToPdf(benchmark::State& state)
{
    const cryptogram::Cryptogram puzzle = builtPuzzle();
    qsizetype size = 0;
    for (auto _ : state) {
        const QByteArray pdf = twoPagePdf([&](QPainter& painter, const QRect& printable, bool key) {
            printing::RenderPage(painter, cryptogram::ComposePrintPage(puzzle, QStringLiteral("Riddle"), key), printable);
        });
        size = pdf.size();
    }
    state.counters["pdf_bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_PrintPuzzleAndKeyToPdf)->Unit(benchmark::kMillisecond);

// The floor: the same characters on the same pages, each line of cells one plain string in its
// ink, with no cells placed and no page described first.
void BM_FloorPuzzleAndKeyToPdf(benchmark::State& state)
{
    const cryptogram::Cryptogram puzzle = builtPuzzle();
    const QFont title = fonts::sans(16, true);
    const QFont credit = fonts::serif(11);
    const QFont cells = fonts::sans(11, true);
    qsizetype size = 0;
    for (auto _ : state) {
        const QByteArray pdf = twoPagePdf([&](QPainter& painter, const QRect& printable, bool key) {
            const QSize page(cryptogram::kPageWidth, cryptogram::kPageHeight);
            const QRect fit = printing::FitPage(page, printable);
            painter.scale(double(fit.width()) / page.width(), double(fit.height()) / page.height());
            painter.setPen(Qt::black);
            painter.setFont(title);
            painter.drawText(QPointF(300, 40), key ? QStringLiteral("RIDDLE  <KEY>") : QStringLiteral("RIDDLE"));
            painter.setFont(credit);
            painter.drawText(QPointF(520, 890), printing::CreditLine());
            painter.setFont(cells);
            for (int r = 0; r < cryptogram::kRows; ++r) {
                QString cipher, answer;
                for (int c = 0; c < cryptogram::kColumns; ++c) {
                    const char plain = puzzle.text[r * cryptogram::kColumns + c];
                    cipher += QChar::fromLatin1(cryptogram::Encipher(puzzle.key, plain));
                    answer += QChar::fromLatin1(key ? plain : cryptogram::GuessPlaceholder(plain));
                }
                painter.setPen(cryptogram::kCipherInk);
                painter.drawText(QPointF(64, 64 + 39 * r + 10), cipher);
                painter.setPen(cryptogram::kGuessInk);
                painter.drawText(QPointF(64, 64 + 39 * r + 23), answer);
            }
        });
        size = pdf.size();
    }
    state.counters["pdf_bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_FloorPuzzleAndKeyToPdf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
