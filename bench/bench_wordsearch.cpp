// Full word-search builds (placement and fill, no window) and the puzzle file's save and load.
//
//   bench_wordsearch                      the Google Benchmark cases below
//   bench_wordsearch --versus-peer [N]    N interleaved rounds against the JavaScript generator
//                                         @blex41/word-search on the same lists (medians, ratios)
//   bench_wordsearch --complete [SEEDS]   the share of builds that place every word, seeds 1..SEEDS
//
// The peer is installed with npm into BRAINLOFT_BENCH_PEERS (default ~/.cache/brainloft-bench)
// when it is missing; nothing of it belongs to the repository.
#include "platform/rng.h"
#include "wordsearch/builder.h"
#include "wordsearch/wordsearchfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

// 64 distinct words holding 280 letters in all: the largest list a build takes.
QStringList largestList()
{
    const char* stems[] = {"ABLE", "BAKE", "CODE", "DUSK", "EMIT", "FROG", "GUST", "HINT"};
    QStringList words;
    for (int i = 0; i < 64; ++i)
        words << QString::fromLatin1(stems[i % 8]) + QChar('A' + i / 8);
    for (int i = 0; i < 40; ++i)
        words[i].remove(3, 1);
    return words;
}

// 28 words of ten letters: the densest list a build usually still places whole.
const QStringList kDense = {"ABSOLUTELY", "BACKGROUND", "CALCULATED", "DISCOVERED", "EARTHQUAKE", "FAVOURABLE",
                            "GENERATION", "HELICOPTER", "IMPORTANCE", "JOURNALIST", "KNOWLEDGES", "LEADERSHIP",
                            "MOUNTAINED", "NEWSLETTER", "OBLIGATION", "PARTICULAR", "QUARANTINE", "REASONABLE",
                            "STRAWBERRY", "TELESCOPES", "UNDERSTAND", "VEGETABLES", "WATERPROOF", "XYLOPHONES",
                            "YESTERDAYS", "ZOOKEEPERS", "ATMOSPHERE", "BLACKBOARD"};

const QStringList kTwelve = {"ELEPHANT", "GIRAFFE", "ZEBRA",  "LION", "TIGER",  "MONKEY",
                             "HIPPO",    "RHINO",   "CAMEL", "LLAMA", "BEAVER", "OTTER"};

void buildList(benchmark::State& state, const QStringList& words)
{
    std::uint64_t seed = 1;
    wordsearch::WordSearchPuzzle puzzle;
    for (auto _ : state) {
        Rng rng(seed++);
        wordsearch::GridBuilder builder(puzzle, rng);
        const wordsearch::BuildOutcome outcome = builder.Build(words);
        benchmark::DoNotOptimize(outcome.unplaced.size());
    }
}

void BM_BuildDense28TenLetterWords(benchmark::State& state)
{
    buildList(state, kDense);
}
BENCHMARK(BM_BuildDense28TenLetterWords)->Unit(benchmark::kMillisecond);

void BM_Build64Words280Letters(benchmark::State& state)
{
    buildList(state, largestList());
}
BENCHMARK(BM_Build64Words280Letters)->Unit(benchmark::kMillisecond);

void BM_Build12Words(benchmark::State& state)
{
    buildList(state, kTwelve);
}
BENCHMARK(BM_Build12Words)->Unit(benchmark::kMillisecond);

struct FileFixture {
    FileFixture()
    {
        folder = dir.path() + "/";
        QDir().mkpath(folder + "Brainloft puzzles");
        Rng rng(7);
        wordsearch::GridBuilder(puzzle, rng).Build(largestList());
    }
    QTemporaryDir dir;
    QString folder;
    wordsearch::WordSearchPuzzle puzzle;
};

void BM_SaveWordSearchFile(benchmark::State& state)
{
    FileFixture f;
    for (auto _ : state)
        benchmark::DoNotOptimize(wordsearch::SaveWordSearchFile(f.folder, "Bench", f.puzzle));
}
BENCHMARK(BM_SaveWordSearchFile)->Unit(benchmark::kMicrosecond);

void BM_LoadWordSearchFile(benchmark::State& state)
{
    FileFixture f;
    wordsearch::SaveWordSearchFile(f.folder, "Bench", f.puzzle);
    wordsearch::WordSearchPuzzle loaded;
    for (auto _ : state)
        benchmark::DoNotOptimize(wordsearch::LoadWordSearchFile(f.folder, "Bench", loaded));
}
BENCHMARK(BM_LoadWordSearchFile)->Unit(benchmark::kMicrosecond);

// ---- Side by side with the JavaScript generator ----

struct Sample {
    double wallMs = 0; // per build
    double cpuMs = 0;
    double placed = 0; // words placed per build
};

std::int64_t cpuNow()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return std::int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

Sample runOurs(const QStringList& words, int builds, std::uint64_t& seed)
{
    wordsearch::WordSearchPuzzle puzzle;
    int unplaced = 0;
    const std::int64_t cpu0 = cpuNow();
    const auto wall0 = std::chrono::steady_clock::now();
    for (int i = 0; i < builds; ++i) {
        Rng rng(seed++);
        unplaced += wordsearch::GridBuilder(puzzle, rng).Build(words).unplaced.size();
    }
    const double wallNs = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - wall0).count();
    const double cpuNs = double(cpuNow() - cpu0);
    return {wallNs / builds / 1e6, cpuNs / builds / 1e6, double(words.size() * builds - unplaced) / builds};
}

QString peerFolder()
{
    const QByteArray env = qgetenv("BRAINLOFT_BENCH_PEERS");
    const QString root = env.isEmpty() ? QDir::homePath() + "/.cache/brainloft-bench" : QString::fromLocal8Bit(env);
    return root + "/wordsearch-peer";
}

bool ensurePeer(const QString& folder)
{
    if (QFileInfo::exists(folder + "/node_modules/@blex41/word-search/package.json"))
        return true;
    std::fprintf(stderr, "installing @blex41/word-search into %s\n", qPrintable(folder));
    QDir().mkpath(folder);
    QProcess npm;
    npm.setProcessChannelMode(QProcess::ForwardedChannels);
    npm.start("npm", {"install", "--prefix", folder, "--no-audit", "--no-fund", "@blex41/word-search@1.2.0"});
    return npm.waitForFinished(300000) && npm.exitCode() == 0 &&
           QFileInfo::exists(folder + "/node_modules/@blex41/word-search/package.json");
}

class Peer {
public:
    bool start(const QString& folder)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("NODE_PATH", folder + "/node_modules");
        node_.setProcessEnvironment(env);
        node_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        node_.start("node", {QStringLiteral(BRAINLOFT_BENCH_DIR "/wordsearch_peer.js")});
        return node_.waitForStarted();
    }
    bool run(const QStringList& words, int builds, Sample& out)
    {
        node_.write(QByteArray::number(builds) + ' ' + words.join(',').toLatin1() + '\n');
        while (!node_.canReadLine())
            if (!node_.waitForReadyRead(600000))
                return false;
        const QList<QByteArray> parts = node_.readLine().trimmed().split(' ');
        if (parts.size() != 3)
            return false;
        out = {parts[0].toDouble() / builds / 1e6, parts[1].toDouble() / builds / 1e6, parts[2].toDouble() / builds};
        return true;
    }
    ~Peer()
    {
        node_.closeWriteChannel();
        node_.waitForFinished(5000);
    }

private:
    QProcess node_;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Case {
    const char* name;
    QStringList words;
    int ourBuilds;
    int peerBuilds;
    std::vector<Sample> ours, peer;
};

int versusPeer(int rounds)
{
    const QString folder = peerFolder();
    if (!ensurePeer(folder)) {
        std::fprintf(stderr, "the peer could not be installed (npm and node needed)\n");
        return 1;
    }
    Peer peer;
    if (!peer.start(folder)) {
        std::fprintf(stderr, "node could not be started\n");
        return 1;
    }
    std::vector<Case> cases = {{"dense 28 x 10 letters", kDense, 20, 10, {}, {}},
                               {"64 words, 280 letters", largestList(), 40, 10, {}, {}},
                               {"12 animals", kTwelve, 100, 40, {}, {}}};
    std::uint64_t seed = 1;
    Sample warm;
    for (Case& c : cases) { // a first, untimed run of each side
        runOurs(c.words, 1, seed);
        if (!peer.run(c.words, 2, warm))
            return 1;
    }
    for (int r = 0; r < rounds; ++r) {
        for (Case& c : cases) {
            // Alternate which side goes first, so a drift in the machine's load favours neither.
            Sample s;
            if (r % 2 == 0)
                c.ours.push_back(runOurs(c.words, c.ourBuilds, seed));
            if (!peer.run(c.words, c.peerBuilds, s))
                return 1;
            c.peer.push_back(s);
            if (r % 2 == 1)
                c.ours.push_back(runOurs(c.words, c.ourBuilds, seed));
        }
    }
    std::printf("%d interleaved rounds; medians per build (ms); ratio = ours / peer\n", rounds);
    std::printf("%-24s %10s %10s %8s %10s %10s %8s %8s %8s\n", "list", "ours wall", "peer wall", "ratio", "ours cpu",
                "peer cpu", "ratio", "placed", "peer pl.");
    for (const Case& c : cases) {
        const auto pick = [](const std::vector<Sample>& v, double Sample::*m) {
            std::vector<double> x;
            for (const Sample& s : v)
                x.push_back(s.*m);
            return median(x);
        };
        const double ow = pick(c.ours, &Sample::wallMs), pw = pick(c.peer, &Sample::wallMs);
        const double oc = pick(c.ours, &Sample::cpuMs), pc = pick(c.peer, &Sample::cpuMs);
        std::printf("%-24s %10.3f %10.3f %8.3f %10.3f %10.3f %8.3f %8.2f %8.2f\n", c.name, ow, pw, ow / pw, oc, pc,
                    oc / pc, pick(c.ours, &Sample::placed), pick(c.peer, &Sample::placed));
    }
    return 0;
}

int completeShare(int seeds)
{
    const std::vector<std::pair<const char*, QStringList>> lists = {
        {"dense 28 x 10 letters", kDense}, {"64 words, 280 letters", largestList()}, {"12 animals", kTwelve}};
    wordsearch::WordSearchPuzzle puzzle;
    for (const auto& [name, words] : lists) {
        int complete = 0;
        long unplaced = 0;
        for (int s = 1; s <= seeds; ++s) {
            Rng rng(static_cast<std::uint64_t>(s));
            const int missing = wordsearch::GridBuilder(puzzle, rng).Build(words).unplaced.size();
            complete += missing == 0;
            unplaced += missing;
        }
        std::printf("%-24s complete %5d of %d (%.1f %%), words left out %.3f a build\n", name, complete, seeds,
                    100.0 * complete / seeds, double(unplaced) / seeds);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 2 && args[1] == "--versus-peer")
        return versusPeer(args.size() >= 3 ? args[2].toInt() : 15);
    if (args.size() >= 2 && args[1] == "--complete")
        return completeShare(args.size() >= 3 ? args[2].toInt() : 1000);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
