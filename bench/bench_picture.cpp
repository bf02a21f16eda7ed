// The picture maker's paths from a file to the fitted canvas, each beside a floor measured in
// the same run: libjpeg-turbo alone at the scale we pick (for a progressive file, on a copy that
// holds only the scans that scale needs), Qt's own reader at the size we need for PNG and BMP,
// giflib's decode with its colour lookup for GIF. Then the build and save, and a tile move.
//
//   bench_picture                 the Google Benchmark cases
//   bench_picture --ratios [WORD] medians of interleaved runs (processor time), their ratios to
//                                 the floors, and the peak memory of each path (in a process of
//                                 its own), hostile pictures included
//
// The pictures are made once into $BRAINLOFT_BENCH_PICTURES (default /tmp/brainloft-bench-pictures).
#include "picture/gifdecoder.h"
#include "picture/pictureloader.h"
#include "picture/pngdecoder.h"
#include "picture/picturefiles.h"
#include "picture/boardlook.h"
#include "picture/playrules.h"
#include "picture/puzzlebuild.h"
#include "picture/picturewindow.h"
#include "picture/tiles.h"
#include "platform/atomicfile.h"
#include "platform/inputfile.h"
#include "platform/rng.h"
#include "samplepictures.h"
#include "shell/desk.h"
#include "support/testprogram.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <time.h>
#include <vector>

#include <gif_lib.h>
#include <jpeglib.h>

namespace {

// A photograph's worth of detail: the checker with fine noise, so the entropy decoders work.
quint32 Noise(quint32& seed)
{
    seed = seed * 1664525u + 1013904223u;
    return seed >> 27;
}

void DetailRow(QRgb* line, int y, int w, int h, quint32& seed)
{
    for (int x = 0; x < w; ++x) {
        const int cx = x * 8 / w;
        const int cy = y * 6 / h;
        const int n = static_cast<int>(Noise(seed)) - 16;
        line[x] = qRgb(std::clamp(40 + cx * 25 + n, 0, 255), std::clamp(40 + cy * 35 - n, 0, 255),
                       std::clamp((((cx + cy) % 2) ? 220 : 90) + n / 2, 0, 255));
    }
}

QImage Detailed(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    quint32 seed = 12345;
    for (int y = 0; y < h; ++y)
        DetailRow(reinterpret_cast<QRgb*>(image.scanLine(y)), y, w, h, seed);
    return image;
}

// A big baseline JPEG written row by row, never held whole.
QByteArray StreamedJpeg(int w, int h)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(w);
    cinfo.image_height = static_cast<JDIMENSION>(h);
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 85, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<QRgb> row(static_cast<std::size_t>(w));
    quint32 seed = 12345;
    while (cinfo.next_scanline < cinfo.image_height) {
        DetailRow(row.data(), static_cast<int>(cinfo.next_scanline), w, h, seed);
        JSAMPROW rows[1] = {reinterpret_cast<JSAMPROW>(row.data())};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return bytes;
}

QString PictureFolder()
{
    const QByteArray env = qgetenv("BRAINLOFT_BENCH_PICTURES");
    return env.isEmpty() ? QStringLiteral("/tmp/brainloft-bench-pictures") : QString::fromLocal8Bit(env);
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The file holding only the first `scans` scans of a progressive JPEG, then its end.
QByteArray FirstScans(const QByteArray& jpeg, int scans)
{
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(jpeg[i]); };
    int seen = 0;
    for (qsizetype i = 2; i + 4 <= jpeg.size() && byte(i) == 0xff;) {
        const int marker = byte(i + 1);
        if (marker == 0xda && seen++ == scans)
            return jpeg.left(i) + QByteArray("\xff\xd9", 2);
        qsizetype end = i + 2 + ((byte(i + 2) << 8) | byte(i + 3));
        if (marker == 0xda)
            while (end + 1 < jpeg.size() && !(byte(end) == 0xff && byte(end + 1) != 0 && (byte(end + 1) < 0xd0 || byte(end + 1) > 0xd7)))
                ++end;
        i = end;
    }
    return jpeg;
}

// At 1/8 the luminance needs only its DC and the half-size colour its four lowest terms: with
// the DC-first script those are the first three scans (DC, Cb, Cr).
constexpr int kScansAtOneEighth = 3;

QString Sample(const QString& name)
{
    const QString path = PictureFolder() + QLatin1Char('/') + name;
    if (QFile::exists(path))
        return path;
    QDir().mkpath(PictureFolder());
    QByteArray bytes;
    samples::JpegOptions dcFirst{true, samples::JpegColour::Rgb, 0, 85};
    dcFirst.dcFirst = true;
    if (name == "baseline.jpg")
        bytes = samples::MakeJpeg(Detailed(6000, 4000), {false, samples::JpegColour::Rgb, 0, 85});
    else if (name == "progressive.jpg")
        bytes = samples::MakeJpeg(Detailed(6000, 4000), {true, samples::JpegColour::Rgb, 0, 85});
    else if (name == "dcfirst.jpg")
        bytes = samples::MakeJpeg(Detailed(6000, 4000), dcFirst);
    else if (name == "dcfirst-needed.jpg")
        bytes = FirstScans(ReadAll(Sample("dcfirst.jpg")), kScansAtOneEighth);
    else if (name == "huge.jpg")
        bytes = StreamedJpeg(10000, 10000);
    else if (name == "photo.png")
        Detailed(6000, 4000).save(path, "PNG", 30);
    else if (name == "photo.bmp")
        bytes = samples::MakeBmp(Detailed(4000, 3000));
    else
        bytes = samples::MakeGif({{samples::Checker(2000, 1500)}});
    if (!bytes.isEmpty()) {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }
    return path;
}

QString HostileSample(const samples::HostilePicture& hostile)
{
    QString name = QString::fromLatin1(hostile.name);
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]+")), QStringLiteral("-"));
    const QString path = PictureFolder() + QStringLiteral("/hostile/") + name + QLatin1String(hostile.extension);
    if (!QFile::exists(path)) {
        QDir().mkpath(PictureFolder() + QStringLiteral("/hostile"));
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(hostile.bytes);
    }
    return path;
}

// ---- the paths measured -----------------------------------------------------------------

// The GIF decoder alone, from the file's bytes to its reduced picture: what the floor does too.
void OurGifDecoder(const QString& path)
{
    picture::DecodedPicture decoded;
    picture::DecodeGif(ReadAll(path), [](QSize s) { return picture::FitRect(s).size(); }, decoded);
    benchmark::DoNotOptimize(decoded.image.constBits());
}

// The PNG decoder alone, from the open file to its reduced picture.
void OurPngDecoder(const QString& path)
{
    inputfile::InputFile file;
    if (!file.open(path, 1LL << 30))
        return;
    picture::DecodedPicture decoded;
    picture::DecodePng(picture::PictureSource(file.descriptor(), file.size()), [](QSize s) { return picture::FitRect(s).size(); }, decoded);
    benchmark::DoNotOptimize(decoded.image.constBits());
}

void OurPath(const QString& path)
{
    const picture::FittedPicture fitted = picture::LoadFittedPicture(path);
    benchmark::DoNotOptimize(fitted.canvas.constBits());
}

// libjpeg-turbo alone, from the file, at scale num/8, into one picture.
void LibjpegAtScale(const QString& path, unsigned scaleNum)
{
    FILE* file = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!file)
        return;
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    err.emit_message = [](j_common_ptr, int) {};
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, file);
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
    std::fclose(file);
    benchmark::DoNotOptimize(image.data());
}

// Qt's own reader asked for the size the fit needs.
void QtReaderAtFitSize(const QString& path)
{
    QImageReader reader(path);
    reader.setScaledSize(picture::FitRect(reader.size()).size());
    QImageReader::setAllocationLimit(1024);
    const QImage image = reader.read();
    benchmark::DoNotOptimize(image.constBits());
}

// giflib's decode of the first frame with the colour lookup into a full-size picture.
void GiflibWithColours(const QString& path)
{
    int error = 0;
    GifFileType* gif = DGifOpenFileName(QFile::encodeName(path).constData(), &error);
    if (!gif)
        return;
    GifRecordType type;
    while (DGifGetRecordType(gif, &type) != GIF_ERROR && type != IMAGE_DESC_RECORD_TYPE && type != TERMINATE_RECORD_TYPE) {
        if (type == EXTENSION_RECORD_TYPE) {
            int code;
            GifByteType* block;
            DGifGetExtension(gif, &code, &block);
            while (block)
                DGifGetExtensionNext(gif, &block);
        }
    }
    if (type == IMAGE_DESC_RECORD_TYPE && DGifGetImageDesc(gif) != GIF_ERROR) {
        const ColorMapObject* map = gif->Image.ColorMap ? gif->Image.ColorMap : gif->SColorMap;
        quint32 palette[256] = {};
        for (int i = 0; map && i < map->ColorCount && i < 256; ++i)
            palette[i] = 0xff000000u | (map->Colors[i].Red << 16) | (map->Colors[i].Green << 8) | map->Colors[i].Blue;
        const int w = gif->Image.Width;
        std::vector<quint32> image(std::size_t(w) * gif->Image.Height);
        std::vector<GifPixelType> line(static_cast<std::size_t>(w));
        for (int y = 0; y < gif->Image.Height; ++y) {
            if (DGifGetLine(gif, line.data(), w) == GIF_ERROR)
                break;
            quint32* out = image.data() + std::size_t(y) * w;
            for (int x = 0; x < w; ++x)
                out[x] = palette[line[std::size_t(x)]];
        }
        benchmark::DoNotOptimize(image.data());
    }
    DGifCloseFile(gif, &error);
}

// ---- Google Benchmark cases -------------------------------------------------------------

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

void BM_LibjpegAtScale(benchmark::State& state, const char* name, unsigned scaleNum)
{
    const QString path = Sample(name);
    for (auto _ : state)
        LibjpegAtScale(path, scaleNum);
}

void BM_QtReaderAtFitSize(benchmark::State& state, const char* name)
{
    const QString path = Sample(name);
    for (auto _ : state)
        QtReaderAtFitSize(path);
}

void BM_GiflibWithColours(benchmark::State& state)
{
    const QString path = Sample("big.gif");
    for (auto _ : state)
        GiflibWithColours(path);
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

// ---- the ratio report -------------------------------------------------------------------

// Runs one path: `--peak MODE PATH [TIMES]` prints the resident memory the runs added at their
// peak, in KiB. Each measurement is a fresh process, so nothing else counts. (TIMES helps an
// instruction count: `valgrind --tool=callgrind bench_picture --peak ours FILE 10`.)
const std::map<std::string, std::function<void(const QString&)>>& Modes()
{
    static const std::map<std::string, std::function<void(const QString&)>> modes = {
        {"ours", OurPath},
        {"gifdecoder", OurGifDecoder},
        {"pngdecoder", OurPngDecoder},
        {"libjpeg", [](const QString& path) { LibjpegAtScale(path, 1); }},
        {"qt", QtReaderAtFitSize},
        {"giflib", GiflibWithColours},
        {"nothing", [](const QString&) {}}, // the process alone, to subtract
    };
    return modes;
}

long long StatusField(const char* key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(static_cast<qsizetype>(std::strlen(key))).trimmed().split(' ').first().toLongLong();
    return 0;
}

int MeasureOnce(const std::string& mode, const QString& path, int times)
{
    const auto run = Modes().find(mode);
    if (run == Modes().end())
        return 2;
    QFile reset(QStringLiteral("/proc/self/clear_refs"));
    if (reset.open(QIODevice::WriteOnly))
        reset.write("5");
    reset.close();
    const long long start = StatusField("VmRSS:");
    for (int i = 0; i < times; ++i)
        run->second(path);
    std::printf("%lld\n", StatusField("VmHWM:") - start);
    return 0;
}

double PeakMiB(const char* mode, const QString& path)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--peak"), QString::fromLatin1(mode), path});
    if (!child.waitForFinished(120000) || child.exitCode() != 0)
        return -1;
    return child.readAllStandardOutput().trimmed().toDouble() / 1024.0;
}

double MedianMs(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// Processor time of the whole process (helper threads included), in ms: on a shared machine
// the wall clock mostly measures the neighbours.
double CpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Medians of rounds that alternate the two runs, so that the machine's moods fall on both.
std::pair<double, double> Interleaved(const std::function<void()>& ours, const std::function<void()>& floor, int rounds)
{
    std::vector<double> a, b;
    ours();
    floor();
    for (int i = 0; i < rounds; ++i) {
        double start = CpuMs();
        ours();
        a.push_back(CpuMs() - start);
        start = CpuMs();
        floor();
        b.push_back(CpuMs() - start);
    }
    return {MedianMs(a), MedianMs(b)};
}

void Report(const QString& only)
{
    struct Pair {
        const char* name;
        const char* mode;
        QString file;
        const char* floorMode;
        QString floorFile;
        const char* floorName;
        double timeTarget; // 0: none
    };
    const QString dcFirst = Sample("dcfirst.jpg");
    const QString dcFirstNeeded = Sample("dcfirst-needed.jpg");
    const QString progressive = Sample("progressive.jpg");
    const QString baseline = Sample("baseline.jpg");
    const QString png = Sample("photo.png");
    const QString bmp = Sample("photo.bmp");
    const QString gif = Sample("big.gif");
    const QString huge = Sample("huge.jpg");
    const std::vector<Pair> pairs = {
        {"progressive JPEG 6000x4000, DC first, at 1/8", "ours", dcFirst, "libjpeg", dcFirstNeeded, "libjpeg: the needed scans alone", 1.5},
        {"progressive JPEG 6000x4000, library script", "ours", progressive, "libjpeg", progressive, "libjpeg: the whole file at 1/8", 0},
        {"baseline JPEG 6000x4000", "ours", baseline, "libjpeg", baseline, "libjpeg at 1/8", 0},
        {"PNG 6000x4000, decoder", "pngdecoder", png, "qt", png, "Qt's reader at the fit size", 1.1},
        {"PNG 6000x4000, to the canvas", "ours", png, "qt", png, "Qt's reader at the fit size", 0},
        {"BMP 4000x3000", "ours", bmp, "qt", bmp, "Qt's reader at the fit size", 1.1},
        {"GIF 2000x1500, decoder", "gifdecoder", gif, "giflib", gif, "giflib and colour lookup", 1.2},
        {"GIF 2000x1500, to the canvas", "ours", gif, "giflib", gif, "giflib and colour lookup", 0},
        {"baseline JPEG 10000x10000", "ours", huge, "libjpeg", huge, "libjpeg at 1/8 from the file", 0},
    };
    std::printf("%-46s %9s %9s %6s %6s | %8s %8s %6s\n", "path", "ours ms", "floor ms", "ratio", "target", "ours MiB", "flr MiB", "ratio");
    for (const Pair& p : pairs) {
        if (!QString::fromLatin1(p.name).contains(only, Qt::CaseInsensitive))
            continue;
        const auto ourRun = Modes().at(p.mode);
        const auto floorRun = Modes().at(p.floorMode);
        const auto [ours, floor] = Interleaved([&] { ourRun(p.file); }, [&] { floorRun(p.floorFile); }, 9);
        const double ourPeak = PeakMiB(p.mode, p.file);
        const double floorPeak = PeakMiB(p.floorMode, p.floorFile);
        std::printf("%-46s %9.1f %9.1f %6.2f %6s | %8.1f %8.1f %6.2f\n", p.name, ours, floor, ours / floor,
                    p.timeTarget > 0 ? QByteArray::number(p.timeTarget).constData() : "-", ourPeak, floorPeak, ourPeak / floorPeak);
        std::printf("    floor: %s\n", p.floorName);
    }
    std::printf("\n%-52s %9s %9s  %s\n", "hostile picture", "ms", "peak MiB", "outcome");
    for (const samples::HostilePicture& hostile : samples::HostilePictures()) {
        if (!QString::fromLatin1(hostile.name).contains(only, Qt::CaseInsensitive))
            continue;
        const QString path = HostileSample(hostile);
        std::vector<double> times;
        picture::FittedPicture fitted;
        for (int i = 0; i < 3; ++i) {
            const double start = CpuMs();
            fitted = picture::LoadFittedPicture(path);
            times.push_back(CpuMs() - start);
        }
        std::printf("%-52s %9.1f %9.1f  %s\n", hostile.name, MedianMs(times), PeakMiB("ours", path),
                    fitted.status == picture::DecodeStatus::Ok ? "handled" : qPrintable(QStringLiteral("refused: ") + fitted.reason));
    }
}

} // namespace

BENCHMARK_CAPTURE(BM_LibjpegAtScale, baseline, "baseline.jpg", 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FileToFittedCanvas, baseline, "baseline.jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LibjpegAtScale, dcfirst_needed_scans, "dcfirst-needed.jpg", 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FileToFittedCanvas, dcfirst, "dcfirst.jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FileToFittedCanvas, progressive, "progressive.jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_QtReaderAtFitSize, png, "photo.png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FileToFittedCanvas, png, "photo.png")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_QtReaderAtFitSize, bmp, "photo.bmp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FileToFittedCanvas, bmp, "photo.bmp")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GiflibWithColours)->Unit(benchmark::kMillisecond);
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
    if ((argc == 4 || argc == 5) && QByteArray(argv[1]) == "--peak")
        return MeasureOnce(argv[2], QString::fromLocal8Bit(argv[3]), argc == 5 ? std::max(1, std::atoi(argv[4])) : 1);
    for (int i = 1; i < argc; ++i)
        if (QByteArray(argv[i]) == "--ratios") {
            Report(i + 1 < argc ? QString::fromLocal8Bit(argv[i + 1]) : QString());
            return 0;
        }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
