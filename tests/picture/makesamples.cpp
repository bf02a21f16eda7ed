// Writes our own sample pictures: `make_picture_samples DIR` for trying the maker by hand,
// `make_picture_samples --corpus FUZZDIR` for the fuzz targets' seed files.
// `make_picture_samples --load-bounded FILE` loads FILE as the maker does, in an address space
// that may grow by at most 160 MiB, and prints the outcome (0 read, 1 refused, 2 too large) and
// the resident memory the load added at its peak, in KiB: the tests' bounded child process.
#include "picture/picturefiles.h"
#include "picture/pictureloader.h"
#include "picture/puzzlebuild.h"
#include "picture/tiles.h"
#include "platform/rng.h"
#include "samplepictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>

namespace {

QImage Landscape(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(40, 90, 200));
    sky.setColorAt(0.6, QColor(250, 200, 140));
    p.fillRect(image.rect(), sky);
    p.setBrush(QColor(255, 230, 80));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(w * 0.72, h * 0.3), h * 0.12, h * 0.12);
    const QColor hills[] = {QColor(60, 140, 70), QColor(30, 100, 50), QColor(20, 70, 40)};
    for (int i = 0; i < 3; ++i) {
        QPainterPath path;
        path.moveTo(0, h);
        for (int x = 0; x <= w; x += std::max(1, w / 40))
            path.lineTo(x, h * (0.55 + 0.12 * i) - h * 0.08 * std::sin(x * 6.28 / w * (i + 1) + i));
        path.lineTo(w, h);
        p.setBrush(hills[i]);
        p.drawPath(path);
    }
    p.setBrush(QColor(140, 60, 40));
    p.drawRect(QRectF(w * 0.2, h * 0.62, w * 0.08, h * 0.1));
    p.setBrush(QColor(200, 40, 40));
    p.drawPolygon(QPolygonF({QPointF(w * 0.19, h * 0.62), QPointF(w * 0.24, h * 0.55), QPointF(w * 0.29, h * 0.62)}));
    return image;
}

QByteArray Encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    return bytes;
}

bool Put(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "%s: cannot write\n", qPrintable(path));
        return false;
    }
    return true;
}

QByteArray Le32(quint32 v)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = static_cast<char>(v >> (8 * i));
    return b;
}

// A 640 x 480 RLE8 bitmap: small seed files for the three-file reader.
QByteArray RleBitmap(const QImage& canvas)
{
    QByteArray pixels;
    QList<QRgb> palette;
    for (int y = canvas.height() - 1; y >= 0; --y) {
        int x = 0;
        while (x < canvas.width()) {
            const QRgb c = canvas.pixel(x, y) & 0xffffffu;
            int run = 1;
            while (x + run < canvas.width() && run < 255 && (canvas.pixel(x + run, y) & 0xffffffu) == c)
                ++run;
            int index = static_cast<int>(palette.indexOf(c));
            if (index < 0 && palette.size() < 256) {
                palette << c;
                index = static_cast<int>(palette.size()) - 1;
            }
            pixels += char(run);
            pixels += char(std::max(index, 0));
            x += run;
        }
        pixels += QByteArray("\0\0", 2);
    }
    pixels += QByteArray("\0\1", 2);
    QByteArray header("BM");
    const quint32 offset = 54 + 4 * 256;
    header += Le32(offset + pixels.size()) + Le32(0) + Le32(offset) + Le32(40) + Le32(640) + Le32(480);
    header += QByteArray("\1\0\x08\0", 4) + Le32(1) + Le32(pixels.size()) + Le32(3780) + Le32(3780) + Le32(256) + Le32(0);
    for (int i = 0; i < 256; ++i)
        header += Le32(palette.value(i));
    return header + pixels;
}

QByteArray ThreeFiles(const QByteArray& a, const QByteArray& b, const QByteArray& c)
{
    return Le32(a.size()) + Le32(b.size()) + a + b + c;
}

bool WriteCorpus(const QString& root)
{
    const QImage small = Landscape(96, 72);
    const QString jpegs = root + "/fuzz_picture_jpeg";
    const QString gifs = root + "/fuzz_picture_gif";
    const QString files = root + "/fuzz_picture_files";
    const QString bmps = root + "/fuzz_picture_bmp";
    const QString pngs = root + "/fuzz_picture_png";
    const QString icos = root + "/fuzz_picture_ico";
    const QString wmfs = root + "/fuzz_picture_wmf";
    const QString emfs = root + "/fuzz_picture_emf";
    for (const QString& d : {jpegs, gifs, files, bmps, pngs, icos, wmfs, emfs})
        QDir().mkpath(d);
    bool ok = Put(jpegs + "/baseline.jpg", samples::MakeJpeg(small, {false, samples::JpegColour::Rgb, 0, 50}))
        && Put(jpegs + "/progressive.jpg", samples::MakeJpeg(small, {true, samples::JpegColour::Rgb, 0, 50}))
        && Put(jpegs + "/grey.jpg", samples::MakeJpeg(small, {false, samples::JpegColour::Grey, 0, 50}))
        && Put(jpegs + "/cmyk.jpg", samples::MakeJpeg(small, {false, samples::JpegColour::Cmyk, 0, 50}))
        && Put(jpegs + "/ycck.jpg", samples::MakeJpeg(small, {true, samples::JpegColour::Ycck, 0, 50}))
        && Put(jpegs + "/turned.jpg", samples::MakeJpeg(small, {false, samples::JpegColour::Rgb, 6, 50}))
        && Put(jpegs + "/huge-header.jpg", samples::WithJpegSize(samples::MakeJpeg(small.copy(0, 0, 16, 16)), 10001, 10000));
    samples::GifOptions interlaced;
    interlaced.interlace = true;
    samples::GifOptions clipped;
    clipped.transparentIndex = 0;
    clipped.screenWidth = 60;
    clipped.screenHeight = 40;
    const QImage tiny = Landscape(48, 36);
    ok = ok && Put(gifs + "/plain.gif", samples::MakeGif({{tiny}}))
        && Put(gifs + "/interlaced.gif", samples::MakeGif({{tiny}}, interlaced))
        && Put(gifs + "/clipped-transparent-animated.gif", samples::MakeGif({{tiny, 30, 10}, {tiny, 0, 0}}, clipped));

    const QImage few = Landscape(37, 23).convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither).convertToFormat(QImage::Format_RGB32);
    using samples::BmpHeader;
    using samples::BmpPacking;
    ok = ok && Put(bmps + "/core-8.bmp", samples::MakeBmp(few, {8, BmpHeader::Core}))
        && Put(bmps + "/mono.bmp", samples::MakeBmp(few, {1}))
        && Put(bmps + "/rle4.bmp", samples::MakeBmp(few, {4, BmpHeader::Info, BmpPacking::Rle}))
        && Put(bmps + "/rle8.bmp", samples::MakeBmp(few, {8, BmpHeader::Info, BmpPacking::Rle}))
        && Put(bmps + "/masks-16.bmp", samples::MakeBmp(few, {16, BmpHeader::Info, BmpPacking::Bitfields}))
        && Put(bmps + "/alpha-32.bmp", samples::MakeBmp(few, {32, BmpHeader::V5, BmpPacking::Bitfields}))
        && Put(bmps + "/top-down-24.bmp", samples::MakeBmp(few, {24, BmpHeader::Info, BmpPacking::Plain, true}));
    QImage see = Landscape(40, 30).convertToFormat(QImage::Format_ARGB32);
    for (int x = 0; x < 40; ++x)
        see.setPixel(x, 0, qRgba(0, 0, 0, 0));
    ok = ok && Put(pngs + "/rgb.png", samples::MakePng(tiny)) && Put(pngs + "/alpha.png", samples::MakePng(see))
        && Put(pngs + "/interlaced.png", samples::MakePng(tiny, true))
        && Put(pngs + "/palette.png", Encoded(few.convertToFormat(QImage::Format_Indexed8), "PNG"))
        && Put(pngs + "/grey16.png", Encoded(few.convertToFormat(QImage::Format_Grayscale16), "PNG"));
    ok = ok && Put(icos + "/alpha.ico", samples::MakeIco({see.copy(0, 0, 16, 16), see.copy(0, 0, 32, 24)}))
        && Put(icos + "/png.ico", samples::MakeIco({see}, true))
        && Put(icos + "/indexed.ico", Encoded(few.copy(0, 0, 16, 16), "ICO"));
    ok = ok && Put(wmfs + "/shapes.wmf", samples::MakeWmf(64, 48)) && Put(wmfs + "/bitmap.wmf", samples::MakeWmf(64, 48, true));
    ok = ok && Put(emfs + "/shapes.emf", samples::MakeEmf(64, 48)) && Put(emfs + "/bitmap.emf", samples::MakeEmf(64, 48, true));

    picture::PictureState state;
    Rng rng(1);
    picture::BuildPicturePuzzle(state, picture::FitPicture(Landscape(1280, 560)), rng);
    const picture::PictureFileBytes set = picture::EncodePictureFiles(state);
    const QByteArray board = RleBitmap(picture::JoinTiles(state.boardTiles));
    const QByteArray answer = RleBitmap(picture::JoinTiles(state.answerTiles));
    picture::PictureState check;
    if (picture::DecodePictureFiles({board, set.cells, answer}, check) != 0) {
        std::fprintf(stderr, "the RLE seed set does not read back\n");
        return false;
    }
    ok = ok && Put(files + "/rle-set", ThreeFiles(board, set.cells, answer))
        && Put(files + "/lf-endings", ThreeFiles(board, QByteArray(set.cells).replace("\r\n", "\n"), answer))
        && Put(files + "/bad-line", ThreeFiles(board, "05\r\n", answer))
        && Put(files + "/top-down", ThreeFiles(samples::MakeBmp(picture::JoinTiles(state.boardTiles), {24, samples::BmpHeader::Info, samples::BmpPacking::Plain, true}),
                                               set.cells, samples::MakeBmp(picture::JoinTiles(state.answerTiles), {8, samples::BmpHeader::Core})))
        && Put(files + "/mono-bitmaps", ThreeFiles(Encoded(picture::XTile().scaled(640, 480).convertToFormat(QImage::Format_Mono), "BMP"), "1\r\n48\r\n",
                                                   Encoded(picture::BlackPicture(640, 480).convertToFormat(QImage::Format_Mono), "BMP")));
    return ok;
}

bool WriteSamples(const QString& dir)
{
    QDir().mkpath(dir);
    const QImage photo = Landscape(1600, 1200);
    QImage cut = Landscape(800, 800);
    QImage see(300, 200, QImage::Format_ARGB32);
    see.fill(Qt::transparent);
    QPainter(&see).drawImage(QRect(50, 20, 200, 160), Landscape(200, 160));
    return Put(dir + "/landscape.jpg", samples::MakeJpeg(photo))
        && Put(dir + "/progressive.JPEG", samples::MakeJpeg(photo, {true}))
        && Put(dir + "/grey.jpg", samples::MakeJpeg(photo, {false, samples::JpegColour::Grey}))
        && Put(dir + "/cmyk.jpg", samples::MakeJpeg(photo, {false, samples::JpegColour::Cmyk}))
        && Put(dir + "/turned.jpg", samples::MakeJpeg(photo.transformed(QTransform().rotate(270)), {false, samples::JpegColour::Rgb, 6}))
        && Put(dir + "/interlaced.gif", samples::MakeGif({{Landscape(640, 300)}}, {0, 0, true, -1}))
        && Put(dir + "/square.bmp", Encoded(cut, "BMP"))
        && Put(dir + "/window.png", Encoded(see, "PNG"))
        && Put(dir + "/icon.ico", Encoded(Landscape(48, 48), "ICO"))
        && Put(dir + "/drawing.wmf", samples::MakeWmf(400, 300, true))
        && Put(dir + "/drawing.emf", samples::MakeEmf(400, 300, true))
        && Put(dir + "/top-down.bmp", samples::MakeBmp(cut, {24, samples::BmpHeader::Info, samples::BmpPacking::Plain, true}))
        && Put(dir + "/interlaced.png", samples::MakePng(photo, true))
        && Put(dir + "/night.bmp", Encoded(picture::BlackPicture(320, 240), "BMP"))
        && Put(dir + "/not-a-picture.jpg", Encoded(cut, "PNG"))
        && Put(dir + "/huge.jpg", samples::WithJpegSize(samples::MakeJpeg(cut.copy(0, 0, 16, 16)), 10001, 10000));
}

long long StatusField(const char* key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qsizetype(std::strlen(key))).trimmed().split(' ').first().toLongLong();
    return 0;
}

int LoadBounded(const QString& path)
{
    const rlim_t limit = rlim_t(StatusField("VmSize:") + 160 * 1024) * 1024;
    const rlimit cap{limit, limit};
    if (setrlimit(RLIMIT_AS, &cap) != 0)
        return 3;
    QFile reset(QStringLiteral("/proc/self/clear_refs"));
    if (!reset.open(QIODevice::WriteOnly) || reset.write("5") != 1)
        return 3;
    reset.close();
    const long long before = StatusField("VmRSS:");
    const picture::FittedPicture fitted = picture::LoadFittedPicture(path);
    std::printf("%d %lld\n", int(fitted.status), StatusField("VmHWM:") - before);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 3 && QByteArray(argv[1]) == "--load-bounded")
        return LoadBounded(QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && QByteArray(argv[1]) == "--corpus")
        return WriteCorpus(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    if (argc == 2)
        return WriteSamples(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
    std::fprintf(stderr, "usage: make_picture_samples DIR | --corpus FUZZDIR\n");
    return 2;
}
