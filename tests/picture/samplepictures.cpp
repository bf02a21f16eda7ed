#include "samplepictures.h"

#include <QHash>
#include <cstdio>
#include <cstring>
#include <vector>

#include <gif_lib.h>
#include <jpeglib.h>

namespace samples {

QByteArray MakeJpeg(const QImage& source, const JpegOptions& options)
{
    const QImage picture = source.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(picture.width());
    cinfo.image_height = static_cast<JDIMENSION>(picture.height());
    const bool cmyk = options.colour == JpegColour::Cmyk || options.colour == JpegColour::Ycck;
    const bool grey = options.colour == JpegColour::Grey;
    cinfo.input_components = cmyk ? 4 : grey ? 1 : 3;
    cinfo.in_color_space = cmyk ? JCS_CMYK : grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    if (options.colour == JpegColour::Ycck)
        jpeg_set_colorspace(&cinfo, JCS_YCCK);
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    if (options.progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    if (options.orientation > 0) {
        // Big-endian TIFF with one IFD entry: orientation.
        const unsigned char exif[] = {'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8, 0, 1,
                                      0x01, 0x12, 0, 3, 0, 0, 0, 1, 0, static_cast<unsigned char>(options.orientation), 0, 0,
                                      0, 0, 0, 0};
        jpeg_write_marker(&cinfo, JPEG_APP0 + 1, exif, sizeof exif);
    }
    std::vector<unsigned char> row(static_cast<std::size_t>(picture.width()) * 4);
    while (cinfo.next_scanline < cinfo.image_height) {
        const uchar* in = picture.constScanLine(static_cast<int>(cinfo.next_scanline));
        for (int x = 0; x < picture.width(); ++x) {
            const int r = in[3 * x], g = in[3 * x + 1], b = in[3 * x + 2];
            if (cmyk) {
                // Stored inverted, as the common editors write CMYK with an Adobe marker.
                const int k = 255 - std::max({r, g, b});
                const int d = 255 - k;
                row[4 * x] = static_cast<unsigned char>(d ? 255 - (255 * (d - r) / d) : 0);
                row[4 * x + 1] = static_cast<unsigned char>(d ? 255 - (255 * (d - g) / d) : 0);
                row[4 * x + 2] = static_cast<unsigned char>(d ? 255 - (255 * (d - b) / d) : 0);
                row[4 * x + 3] = static_cast<unsigned char>(255 - k);
            } else if (grey) {
                row[x] = static_cast<unsigned char>((r * 299 + g * 587 + b * 114) / 1000);
            } else {
                std::memcpy(&row[3 * x], in + 3 * x, 3);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return bytes;
}

QByteArray WithJpegSize(QByteArray jpeg, int width, int height)
{
    for (int i = 2; i + 9 < jpeg.size();) {
        const auto marker = static_cast<unsigned char>(jpeg[i + 1]);
        const int length = (static_cast<unsigned char>(jpeg[i + 2]) << 8) | static_cast<unsigned char>(jpeg[i + 3]);
        if (marker == 0xc0 || marker == 0xc2) {
            jpeg[i + 5] = static_cast<char>(height >> 8);
            jpeg[i + 6] = static_cast<char>(height & 0xff);
            jpeg[i + 7] = static_cast<char>(width >> 8);
            jpeg[i + 8] = static_cast<char>(width & 0xff);
            break;
        }
        i += 2 + length;
    }
    return jpeg;
}

namespace {

GifColorType PaletteColour(int i)
{
    static const GifColorType fixed[] = {{0, 0, 0}, {255, 255, 255}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};
    if (i < 6)
        return fixed[i];
    if (i < 6 + 216) {
        const int c = i - 6;
        return {GifByteType(c / 36 * 51), GifByteType(c / 6 % 6 * 51), GifByteType(c % 6 * 51)};
    }
    const auto v = static_cast<GifByteType>((i - 222) * 255 / 33);
    return {v, v, v};
}

int NearestIndex(QRgb c)
{
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < 256; ++i) {
        const GifColorType p = PaletteColour(i);
        const int d = (qRed(c) - p.Red) * (qRed(c) - p.Red) + (qGreen(c) - p.Green) * (qGreen(c) - p.Green) + (qBlue(c) - p.Blue) * (qBlue(c) - p.Blue);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

int WriteBytes(GifFileType* gif, const GifByteType* data, int length)
{
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

} // namespace

QByteArray MakeGif(const QList<GifFrame>& frames, const GifOptions& options)
{
    QByteArray bytes;
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, WriteBytes, &error);
    GifColorType colours[256];
    for (int i = 0; i < 256; ++i)
        colours[i] = PaletteColour(i);
    ColorMapObject* map = GifMakeMapObject(256, colours);
    const int sw = options.screenWidth ? options.screenWidth : frames.first().picture.width();
    const int sh = options.screenHeight ? options.screenHeight : frames.first().picture.height();
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, sw, sh, 8, 0, map);
    QHash<QRgb, int> nearest;
    for (int f = 0; f < frames.size(); ++f) {
        const GifFrame& frame = frames[f];
        if (f == 0 && options.transparentIndex >= 0) {
            GraphicsControlBlock gcb{};
            gcb.TransparentColor = options.transparentIndex;
            gcb.DelayTime = 10;
            GifByteType ext[4];
            const size_t n = EGifGCBToExtension(&gcb, ext);
            EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(n), ext);
        }
        const QImage picture = frame.picture.convertToFormat(QImage::Format_RGB32);
        const int w = picture.width();
        const int h = picture.height();
        EGifPutImageDesc(gif, frame.left, frame.top, w, h, options.interlace, nullptr);
        std::vector<GifPixelType> line(static_cast<std::size_t>(w));
        QList<int> order;
        if (options.interlace) {
            for (int y = 0; y < h; y += 8) order << y;
            for (int y = 4; y < h; y += 8) order << y;
            for (int y = 2; y < h; y += 4) order << y;
            for (int y = 1; y < h; y += 2) order << y;
        } else {
            for (int y = 0; y < h; ++y) order << y;
        }
        for (int y : order) {
            const auto* in = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
            for (int x = 0; x < w; ++x) {
                const QRgb c = in[x] & 0xffffffu;
                auto it = nearest.find(c);
                if (it == nearest.end())
                    it = nearest.insert(c, NearestIndex(c));
                line[static_cast<std::size_t>(x)] = static_cast<GifPixelType>(*it);
            }
            EGifPutLine(gif, line.data(), w);
        }
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return bytes;
}

QImage Checker(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int cx = x * 8 / width;
            const int cy = y * 6 / height;
            line[x] = qRgb(40 + cx * 25, 40 + cy * 35, ((cx + cy) % 2) ? 220 : 90);
        }
    }
    return image;
}

} // namespace samples
