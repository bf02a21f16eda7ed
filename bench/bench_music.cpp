// The music: switching tunes on the real player, start-up with music off and on, and the
// memory the synthesiser and sound font take.
#include "app/programwindows.h"
#include "brainloft_resources.h"
#include "platform/fluidtuneplayer.h"
#include "platform/messageboxes.h"
#include "platform/seams.h"
#include "shell/program.h"
#include "shell/launcherwindow.h"
#include "shell/tunes.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>

#include <unistd.h>

namespace {

class SilentBoxes : public MessageBoxes {
public:
    bool question(const QString&, const QString&) override { return false; }
    void warning(const QString&, const QString&) override {}
    void error(const QString&, const QString&) override {}
    void message(const QString&) override {}
};

double ResidentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0;
}

void WaitUntilReady(FluidTunePlayer& player)
{
    while (!player.ready()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
}

// What the synthesiser and the sound font add to the resident memory.
void BM_SynthMemory(benchmark::State& state)
{
    double grown = 0;
    for (auto _ : state) {
        const double before = ResidentMegabytes();
        FluidTunePlayer player;
        player.preload();
        WaitUntilReady(player);
        grown = ResidentMegabytes() - before;
    }
    state.counters["rss_growth_MB"] = grown;
}
BENCHMARK(BM_SynthMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// Stop, open the next tune, play: what the next button and a tune's end do.
void BM_SwitchTunes(benchmark::State& state)
{
    QTemporaryDir dir;
    tunes::ExtractTunes(dir.path());
    const QStringList files = tunes::ListTunes(dir.path());
    FluidTunePlayer player;
    player.preload();
    WaitUntilReady(player);
    int i = 0;
    for (auto _ : state) {
        player.stop();
        player.open(dir.filePath(files[i++ % files.size()]));
        player.play();
    }
    player.close();
    state.counters["audible"] = player.audible() ? 1 : 0;
}
BENCHMARK(BM_SwitchTunes)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// From creating the windows to the launcher's first paint, with the Play setting given.
void BM_StartToFirstPaint(benchmark::State& state)
{
    const bool play = state.range(0) != 0;
    QTemporaryDir dir;
    ProgramPaths paths;
    paths.programFolder = dir.path() + QStringLiteral("/program/");
    paths.programFile = paths.programFolder + QStringLiteral("brainloft");
    paths.inventoryFolder = dir.path() + QStringLiteral("/config/");
    paths.settingsFile = dir.path() + QStringLiteral("/config/Brainloft.ini");
    paths.runtimeFolder = dir.path() + QStringLiteral("/runtime/");
    QDir().mkpath(paths.inventoryFolder);
    QDir().mkpath(paths.musicFolder());
    tunes::ExtractTunes(paths.musicFolder()); // a later start: the tunes are there
    {
        QSettings store(paths.settingsFile, QSettings::IniFormat);
        store.setValue(QStringLiteral("Software/Oakhollow/Brainloft/Main/Play"), play ? "1" : "0");
    }
    SilentBoxes boxes;
    RealClock clock;
    RealProcessRunner processes;
    for (auto _ : state) {
        Program program(paths, boxes, clock, processes);
        auto windows = std::make_unique<ProgramWindows>(program);
        LauncherWindow* launcher = windows->desk().launcher;
        launcher->show();
        benchmark::DoNotOptimize(launcher->grab());
        state.PauseTiming();
        launcher->hide();
        windows.reset(); // waits for a synthesiser still loading
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToFirstPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InitBrainloftResources();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
