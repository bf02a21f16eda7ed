// Full word-search builds (placement and fill, no window) and the puzzle file's save and load.
#include "platform/rng.h"
#include "wordsearch/builder.h"
#include "wordsearch/wordsearchfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

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

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
