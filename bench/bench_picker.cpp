// Opening the picker "Select puzzle" on a word-search folder of 1,000, 5,000 and 20,000 puzzles,
// offscreen, beside a floor: a plain QListView over a QStringListModel of the same names, listed
// with QDir and shown. Each sample makes its window, lists, shows it and waits for the list's
// first paint; the picker is also timed when opened again (made once, as the program keeps it).
//
//   bench_picker [ROUNDS]   interleaved rounds (default 15); medians and ratios
//
// The folders are made once into $BRAINLOFT_BENCH_PICKER (default /tmp/brainloft-bench-picker).
#include "platform/filenames.h"
#include "shell/puzzlepicker.h"
#include "support/testprogram.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QStringListModel>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

namespace {

const char* const kMask = "*.wsp;*.wsd";

// A folder as users fill it: names of words and numbers in mixed case, one in ten a packaged
// puzzle, a few accented, and other types' files besides.
QString makeFolder(const QString& root, int count)
{
    const QString folder = root + QStringLiteral("/%1").arg(count);
    const QString done = folder + QStringLiteral("/.complete");
    if (QFile::exists(done))
        return folder;
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    const char* words[] = {"spring", "Animals", "ZOO", "garden", "Ocean", "birds", "Winter", "café", "trees", "Space",
                           "under_sea", "Farm", "cities", "Rivers", "food", "Sports"};
    std::uint32_t state = 12345;
    const auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    const auto touch = [&](const QString& name) {
        QFile f(folder + QLatin1Char('/') + name);
        if (!f.open(QIODevice::WriteOnly))
            std::fprintf(stderr, "cannot write %s\n", qPrintable(f.fileName()));
    };
    for (int i = 0; i < count; ++i) {
        const QString name = QString::fromUtf8(words[next() % 16]) + QLatin1Char(' ') +
                             QString::fromUtf8(words[next() % 16]) + QLatin1Char(' ') + QString::number(i);
        touch(name + (next() % 10 == 0 ? QStringLiteral(".wsd") : QStringLiteral(".wsp")));
        if (i % 10 == 0)
            touch(name + (i % 20 == 0 ? QStringLiteral(".sbp") : QStringLiteral(".mzp")));
    }
    touch(QStringLiteral(".complete"));
    return folder;
}

// Runs the event loop until the viewport has painted once.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget* viewport) : viewport_(viewport) { viewport->installEventFilter(this); }
    void wait()
    {
        for (int i = 0; i < 1000 && !painted_; ++i)
            QCoreApplication::processEvents();
        if (!painted_)
            std::fprintf(stderr, "the list never painted\n");
        viewport_->removeEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted_ = true;
        return false;
    }

private:
    QWidget* viewport_;
    bool painted_ = false;
};

// Wall time and the process's processor time, both in milliseconds, from start to now.
class Stopwatch {
public:
    Stopwatch() : cpu0_(cpuNs()) { wall_.start(); }
    struct Reading {
        double wall, cpu;
    };
    Reading read() const { return {wall_.nsecsElapsed() / 1e6, (cpuNs() - cpu0_) / 1e6}; }

private:
    static double cpuNs()
    {
        timespec ts{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
        return ts.tv_sec * 1e9 + ts.tv_nsec;
    }
    QElapsedTimer wall_;
    double cpu0_;
};
using Reading = Stopwatch::Reading;

QWidget* listViewport(QWidget* window)
{
    auto* list = window->findChild<QAbstractScrollArea*>(QStringLiteral("lbfiles"));
    return list ? list->viewport() : nullptr;
}

// The floor: the folder listed by plain QDir, its names in a QStringListModel, a QListView of
// uniform rows shown.
Reading openFloor(const QString& folder, int& rows)
{
    const Stopwatch timer;
    const QStringList files = QDir(folder).entryList({QStringLiteral("*.wsp"), QStringLiteral("*.wsd")}, QDir::Files,
                                                     QDir::Name | QDir::IgnoreCase);
    QStringList names;
    names.reserve(files.size());
    for (const QString& file : files) {
        const QString name = file.left(file.size() - 4);
        names << (file.endsWith(QLatin1String(".wsd")) ? QLatin1Char('<') + name + QLatin1Char('>') : name);
    }
    QStringListModel model(names);
    QListView view;
    view.setUniformItemSizes(true);
    view.setModel(&model);
    view.resize(370, 337);
    FirstPaint paint(view.viewport());
    view.show();
    paint.wait();
    rows = model.rowCount();
    return timer.read();
}

// The real picker, made afresh, listed and shown.
Reading openPicker(Program& program, const QString& folder, int& rows)
{
    const Stopwatch timer;
    PuzzlePicker picker(program);
    picker.listFolder(folder, QString::fromLatin1(kMask), QStringLiteral(".wsd"));
    FirstPaint paint(listViewport(&picker));
    picker.show();
    paint.wait();
    rows = picker.rows().size();
    return timer.read();
}

// The picker kept from an earlier opening, listed and shown again.
Reading reopenPicker(PuzzlePicker& picker, const QString& folder)
{
    picker.hide();
    QCoreApplication::processEvents();
    const Stopwatch timer;
    picker.listFolder(folder, QString::fromLatin1(kMask), QStringLiteral(".wsd"));
    FirstPaint paint(listViewport(&picker));
    picker.show();
    paint.wait();
    return timer.read();
}

double median(const std::vector<Reading>& readings, double Reading::*field)
{
    std::vector<double> v;
    for (const Reading& r : readings)
        v.push_back(r.*field);
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    const QByteArray env = qgetenv("BRAINLOFT_BENCH_PICKER");
    const QString root = env.isEmpty() ? QStringLiteral("/tmp/brainloft-bench-picker") : QString::fromLocal8Bit(env);

    struct Size {
        int files;
        QString folder;
        std::vector<Reading> floor, fresh, again;
        int floorRows = 0, pickerRows = 0;
    };
    std::vector<Size> sizes;
    for (int n : {1000, 5000, 20000})
        sizes.push_back({n, makeFolder(root, n), {}, {}, {}});

    TestProgram t;
    PuzzlePicker kept(*t.program);
    for (Size& s : sizes) { // one untimed opening of each, so every folder is in the cache
        openFloor(s.folder, s.floorRows);
        openPicker(*t.program, s.folder, s.pickerRows);
    }
    for (int r = 0; r < rounds; ++r) {
        for (Size& s : sizes) {
            // Alternate which goes first, so a drift in the machine's load favours neither.
            if (r % 2 == 0)
                s.floor.push_back(openFloor(s.folder, s.floorRows));
            s.fresh.push_back(openPicker(*t.program, s.folder, s.pickerRows));
            s.again.push_back(reopenPicker(kept, s.folder));
            if (r % 2 == 1)
                s.floor.push_back(openFloor(s.folder, s.floorRows));
        }
    }
    std::printf("%d interleaved rounds; medians (ms) of wall and processor time; ratio = picker / floor\n", rounds);
    std::printf("%6s %6s | %8s %8s %6s %8s %6s | %8s %8s %6s %8s %6s\n", "files", "rows", "floor", "picker", "ratio",
                "again", "ratio", "floor", "picker", "ratio", "again", "ratio");
    std::printf("%6s %6s | %38s | %38s\n", "", "", "wall", "processor");
    for (const Size& s : sizes) {
        if (s.floorRows != s.pickerRows)
            std::printf("rows differ: floor %d, picker %d\n", s.floorRows, s.pickerRows);
        std::printf("%6d %6d", s.files, s.pickerRows);
        for (double Reading::*field : {&Reading::wall, &Reading::cpu}) {
            const double f = median(s.floor, field), p = median(s.fresh, field), a = median(s.again, field);
            std::printf(" | %8.2f %8.2f %6.2f %8.2f %6.2f", f, p, p / f, a, a / f);
        }
        std::printf("\n");
    }
    return 0;
}
