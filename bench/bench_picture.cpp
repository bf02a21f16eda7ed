// The picture maker's paths: a 6000 x 4000 JPEG (baseline and progressive) from file to the
// fitted canvas beside libjpeg-turbo's own decode at the same scale and beside a full decode
// with a smooth scale; a 2000 x 1500 GIF; the build and save, and apart its two halves: the cut,
// scramble and encoding in memory, and the all-or-none write of the three files (three synced
// temporaries and three renames, where the disk sets the pace); a tile move.
// The pictures are made once into $BRAINLOFT_BENCH_PICTURES (default /tmp/brainloft-bench-pictures).
#include "picture/jpegdecoder.h"
#include "picture/pictureloader.h"
#include "picture/picturefiles.h"
#include "picture/boardlook.h"
#include "picture/playrules.h"
#include "picture/puzzlebuild.h"
#include "picture/picturewindow.h"
#include "picture/tiles.h"
#include "platform/atomicfile.h"
#include "platform/rng.h"
#include "samplepictures.h"
#include "shell/desk.h"
#include "support/testprogram.h"

#include <QApplication>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace {

// A photograph's worth of detail: the checker with fine noise, so the entropy decoder works.
QImage Detailed(int w, int h)
{
    QImage image = samples::Checker(w, h);
    quint32 seed = 12345;
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int n = static_cast<int>(seed >> 27) - 16;
            line[x] = qRgb(std::clamp(qRed(line[x]) + n, 0, 255), std::clamp(qGreen(line[x]) - n, 0, 255), std::clamp(qBlue(line[x]) + n / 2, 0, 255));
        }
    }
    return image;
}

QString PictureFolder()
{
    const QByteArray env = qgetenv("BRAINLOFT_BENCH_PICTURES");
    return env.isEmpty() ? QStringLiteral("/tmp/brainloft-bench-pictures") : QString::fromLocal8Bit(env);
}

QString Sample(const QString& name)
{
    const QString path = PictureFolder() + QLatin1Char('/') + name;
    if (QFile::exists(path))
        return path;
    QDir().mkpath(PictureFolder());
    QByteArray bytes;
    if (name == "baseline.jpg")
        bytes = samples::MakeJpeg(Detailed(6000, 4000), {false, samples::JpegColour::Rgb, 0, 85});
    else if (name == "progressive.jpg")
        bytes = samples::MakeJpeg(Detailed(6000, 4000), {true, samples::JpegColour::Rgb, 0, 85});
    else
        bytes = samples::MakeGif({{samples::Checker(2000, 1500)}});
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// libjpeg-turbo alone: the file's bytes to pixels at the scale our path picks (1/8 here).
void DecodeAtScale(const QByteArray& bytes, unsigned scaleNum)
{
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.constData()), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_EXT_BGRA;
    cinfo.scale_num = scaleNum;
    cinfo.scale_denom = 8;
    jpeg_start_decompress(&cinfo);
    std::vector<unsigned char> image(std::size_t(cinfo.output_width) * cinfo.output_height * 4);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = image.data() + std::size_t(cinfo.output_scanline) * cinfo.output_width * 4;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    benchmark::DoNotOptimize(image.data());
}

void BM_LibjpegAtScale(benchmark::State& state, const char* name)
{
    const QString path = Sample(name);
    for (auto _ : state)
        DecodeAtScale(ReadAll(path), 1);
}

void BM_FileToFittedCanvas(benchmark::State& state, const char* name)
{
    const QString path = Sample(name);
    for (auto _ : state) {
        const picture::FittedPicture fitted = picture::LoadFittedPicture(path);
        if (fitted.status != picture::DecodeStatus::Ok)
            state.SkipWithError("not decoded");
        benchmark::DoNotOptimize(fitted.canvas.constBits());
    }
}

void BM_FullDecodeAndSmoothScale(benchmark::State& state, const char* name)
{
    const QString path = Sample(name);
    for (auto _ : state) {
        picture::DecodedPicture full;
        picture::DecodeJpeg(ReadAll(path), nullptr, full);
        benchmark::DoNotOptimize(picture::FitPicture(full.image).constBits());
    }
}

void BM_CutScrambleSave(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString program = dir.path() + "/";
    QDir().mkpath(program + "Brainloft puzzles");
    const QImage canvas = picture::FitPicture(samples::Checker(640, 480));
    Rng rng(1);
    for (auto _ : state) {
        picture::PictureState puzzle;
        picture::BuildPicturePuzzle(puzzle, canvas, rng);
        if (picture::SavePictureFiles(program, "bench", puzzle) != 0)
            state.SkipWithError("not saved");
    }
}

void BM_CutScrambleEncode(benchmark::State& state)
{
    const QImage canvas = picture::FitPicture(samples::Checker(640, 480));
    Rng rng(1);
    for (auto _ : state) {
        picture::PictureState puzzle;
        picture::BuildPicturePuzzle(puzzle, canvas, rng);
        const picture::PictureFileBytes files = picture::EncodePictureFiles(puzzle);
        benchmark::DoNotOptimize(files.board.constData());
    }
}

void BM_WriteThreeFiles(benchmark::State& state)
{
    QTemporaryDir dir;
    picture::PictureState puzzle;
    Rng rng(1);
    picture::BuildPicturePuzzle(puzzle, picture::FitPicture(samples::Checker(640, 480)), rng);
    const picture::PictureFileBytes files = picture::EncodePictureFiles(puzzle);
    const QString stem = dir.path() + "/bench.tlp";
    for (auto _ : state) {
        if (!atomicfile::WriteFiles({{stem + "1", files.board}, {stem + "2", files.cells}, {stem + "3", files.answer}}))
            state.SkipWithError("not written");
    }
}

void BM_TileMove(benchmark::State& state)
{
    picture::PictureState puzzle;
    Rng rng(1);
    picture::BuildPicturePuzzle(puzzle, picture::FitPicture(samples::Checker(640, 480)), rng);
    picture::BoardLook look;
    for (auto _ : state) {
        picture::LiftOrDrop(puzzle, 17); // board -> box 1
        picture::UpdateCursors(puzzle, look);
        picture::SelectBox(puzzle, 1);
        picture::UpdateCursors(puzzle, look);
        picture::LiftOrDrop(puzzle, 17); // box 1 -> the same cell
        picture::UpdateCursors(puzzle, look);
    }
}

// The same three clicks in the play window, each followed by a full repaint.
void BM_TileMoveWithRepaint(benchmark::State& state)
{
    TestProgram test(1);
    Desk desk;
    PictureWindow play(*test.program, desk);
    Rng rng(1);
    picture::BuildPicturePuzzle(play.state(), picture::FitPicture(samples::Checker(640, 480)), rng);
    play.show();
    play.repaint();
    for (auto _ : state) {
        play.liftOrDrop(17);
        play.repaint();
        play.selectBox(1);
        play.repaint();
        play.liftOrDrop(17);
        play.repaint();
    }
    play.hide();
}

} // namespace

BENCHMARK_CAPTURE(BM_LibjpegAtScale, baseline, "baseline.jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FileToFittedCanvas, baseline, "baseline.jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FullDecodeAndSmoothScale, baseline, "baseline.jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LibjpegAtScale, progressive, "progressive.jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FileToFittedCanvas, progressive, "progressive.jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FileToFittedCanvas, gif2000x1500, "big.gif")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CutScrambleSave)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CutScrambleEncode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteThreeFiles)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TileMove)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TileMoveWithRepaint)->Unit(benchmark::kMicrosecond);

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
