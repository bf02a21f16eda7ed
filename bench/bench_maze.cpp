// Maze generation, one cursor step with its repaint in a 900-pixel window, and the file's save
// and load (in a RAM-backed folder when one is available, and in the ordinary temporary folder).
#include "maze/generator.h"
#include "maze/mazefile.h"
#include "maze/mazepicture.h"
#include "maze/walk.h"
#include "platform/rng.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPaintEvent>
#include <QPainter>
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

// A window that stretches the maze picture over 900 pixels without smoothing, as the play
// window does, and repaints only the area of a changed cell.
class StretchView : public QWidget {
public:
    QImage picture;
    void paintEvent(QPaintEvent* event) override
    {
        QPainter p(this);
        p.setClipRegion(event->region());
        p.drawImage(rect(), picture);
    }
    QRect cellRect(int x, int y) const
    {
        const int n = picture.width();
        return QRect(x * width() / n, y * height() / n, width() / n + 2, height() / n + 2);
    }
};

void BM_CursorStepWithRepaint(benchmark::State& state)
{
    maze::MazeGrid grid;
    Rng rng(2);
    const int n = maze::GenerateMaze(grid, maze::kEasy, rng);
    StretchView view;
    view.resize(900, 900);
    QImage key;
    maze::DrawMazePictures(grid, n, view.picture, key);
    view.show();
    QApplication::processEvents();
    maze::Cell cursor{*maze::FindEntrance(grid, n), 0};
    maze::Cell home = cursor;
    for (auto _ : state) {
        std::optional<maze::Cell> next = maze::MoveCursor(grid, n, cursor, maze::Direction::Down);
        if (!next || maze::IsAtExit(next->y, n))
            next = home; // back to the top, as a win would
        maze::PaintCursor(view.picture, cursor.x, cursor.y, false, 255);
        maze::PaintCursor(view.picture, next->x, next->y, true, 255);
        view.repaint(view.cellRect(cursor.x, cursor.y));
        view.repaint(view.cellRect(next->x, next->y));
        cursor = *next;
    }
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
