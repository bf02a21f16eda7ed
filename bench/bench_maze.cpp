// Maze generation, one cursor step with its repaint in the 900-pixel play window, and the file's save
// and load (in a RAM-backed folder when one is available, and in the ordinary temporary folder).
#include "maze/generator.h"
#include "maze/mazefile.h"
#include "maze/mazepicture.h"
#include "maze/state.h"
#include "maze/mazewindow.h"
#include "platform/messageboxes.h"
#include "platform/seams.h"
#include "shell/program.h"
#include "shell/desk.h"
#include "platform/rng.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QWidget>
#include <benchmark/benchmark.h>

namespace {

void BM_GenerateMaze100(benchmark::State& state)
{
    maze::MazeGrid grid;
    Rng rng(1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(maze::GenerateMaze(grid, maze::kHard, rng));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_GenerateMaze100)->Unit(benchmark::kMicrosecond);

// Counts the paints of one widget, to show that each step repaints the picture.
class PaintCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
    long paints = 0;
};

class NoBoxes : public MessageBoxes {
public:
    bool question(const QString&, const QString&) override { return false; }
    void warning(const QString&, const QString&) override {}
    void error(const QString&, const QString&) override {}
    void message(const QString&) override {}
};
class NoClock : public Clock {
public:
    void wait(int) override {}
};
class NoProcesses : public ProcessRunner {
public:
    bool runAndWait(const QString&, int, const QString&) override { return false; }
};

// One arrow key in the play window at 900 pixels, with the repaint it causes (the cell left
// and the cell entered), alternating down and up between the entrance and row 1.
void BM_CursorStepWithRepaint(benchmark::State& state)
{
    QTemporaryDir dir;
    NoBoxes boxes;
    NoClock clock;
    NoProcesses processes;
    ProgramPaths paths;
    paths.programFolder = dir.path() + QLatin1Char('/');
    Program program(paths, boxes, clock, processes);
    program.settings.mzlevel = maze::kEasy;
    Desk desk;
    MazeWindow window(program, desk);
    window.setScreenSizeSource([] { return QSize(4000, 4000); });
    window.show();
    window.btnNewClick();
    window.btnLargerClick();
    window.btnLargerClick();
    QApplication::processEvents();
    if (window.zoom() != 3 || !window.game().shown()) {
        state.SkipWithError("no maze at 900 pixels");
        return;
    }
    PaintCounter counter;
    window.findChild<QWidget*>(QStringLiteral("immain"))->installEventFilter(&counter);
    bool down = true;
    for (auto _ : state) {
        window.pressKey(down ? maze::Direction::Down : maze::Direction::Up);
        QApplication::processEvents();
        down = !down;
    }
    state.counters["paints"] = benchmark::Counter(double(counter.paints), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_CursorStepWithRepaint)->Unit(benchmark::kMicrosecond);

QString ramFolder()
{
    return QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : QDir::tempPath();
}

void saveIn(benchmark::State& state, const QString& base)
{
    QTemporaryDir dir(base + QStringLiteral("/bench-maze-XXXXXX"));
    const QString folder = dir.path() + QLatin1Char('/');
    QDir().mkpath(folder + QStringLiteral("Brainloft puzzles"));
    maze::MazeGrid grid;
    Rng rng(3);
    const int n = maze::GenerateMaze(grid, maze::kHard, rng);
    for (auto _ : state)
        benchmark::DoNotOptimize(maze::SaveMazeFile(folder, QStringLiteral("Bench"), grid, n));
}

void BM_SaveMazeFileRam(benchmark::State& state)
{
    saveIn(state, ramFolder());
}
BENCHMARK(BM_SaveMazeFileRam)->Unit(benchmark::kMicrosecond);

void BM_SaveMazeFileDisk(benchmark::State& state)
{
    saveIn(state, QDir::tempPath());
}
BENCHMARK(BM_SaveMazeFileDisk)->Unit(benchmark::kMicrosecond);

void BM_LoadMazeFileRam(benchmark::State& state)
{
    QTemporaryDir dir(ramFolder() + QStringLiteral("/bench-maze-XXXXXX"));
    const QString folder = dir.path() + QLatin1Char('/');
    QDir().mkpath(folder + QStringLiteral("Brainloft puzzles"));
    maze::MazeGrid grid;
    Rng rng(4);
    int n = maze::GenerateMaze(grid, maze::kHard, rng);
    maze::SaveMazeFile(folder, QStringLiteral("Bench"), grid, n);
    for (auto _ : state)
        benchmark::DoNotOptimize(maze::LoadMazeFile(folder, QStringLiteral("Bench"), grid, n));
}
BENCHMARK(BM_LoadMazeFileRam)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
