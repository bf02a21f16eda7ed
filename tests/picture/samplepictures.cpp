#include "samplepictures.h"

#include <QBuffer>
#include <QHash>
#include <QImageWriter>
#include <QPainter>
#include <algorithm>
#include <functional>
#include <cstdio>
#include <cstring>
#include <vector>

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

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
    if (!options.subsampled)
        for (int c = 0; c < cinfo.num_components; ++c)
            cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
    static const jpeg_scan_info dcFirstColour[] = {
        {3, {0, 1, 2}, 0, 0, 0, 0}, {1, {1}, 1, 63, 0, 0}, {1, {2}, 1, 63, 0, 0}, {1, {0}, 1, 5, 0, 0}, {1, {0}, 6, 63, 0, 0}};
    static const jpeg_scan_info dcFirstGrey[] = {{1, {0}, 0, 0, 0, 0}, {1, {0}, 1, 5, 0, 0}, {1, {0}, 6, 63, 0, 0}};
    if (options.progressive && options.dcFirst && (grey || !cmyk)) {
        cinfo.scan_info = grey ? dcFirstGrey : dcFirstColour;
        cinfo.num_scans = grey ? 3 : 5;
    } else if (options.progressive) {
        jpeg_simple_progression(&cinfo);
    }
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

namespace {

void Put16(QByteArray& b, int v)
{
    b += char(v & 0xff);
    b += char((v >> 8) & 0xff);
}

void Put32(QByteArray& b, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b += char((v >> (8 * i)) & 0xff);
}

void Set32(QByteArray& b, int at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xff);
}

QByteArray Encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    return bytes;
}

// The picture's colours as palette indices: its first colours in reading order, then the
// nearest of those.
std::vector<int> Indexed(const QImage& picture, int capacity, QList<QRgb>& palette)
{
    std::vector<int> indices;
    QHash<QRgb, int> known;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb c = picture.pixel(x, y) & 0xffffffu;
            auto it = known.find(c);
            if (it == known.end()) {
                int index = static_cast<int>(palette.size());
                if (palette.size() < capacity) {
                    palette << c;
                } else {
                    int best = 1 << 30;
                    for (int i = 0; i < palette.size(); ++i) {
                        const int d = std::abs(qRed(c) - qRed(palette[i])) + std::abs(qGreen(c) - qGreen(palette[i])) + std::abs(qBlue(c) - qBlue(palette[i]));
                        if (d < best) {
                            best = d;
                            index = i;
                        }
                    }
                }
                it = known.insert(c, index);
            }
            indices.push_back(*it);
        }
    return indices;
}

QByteArray RleRows(const std::vector<int>& indices, int w, int h, bool four)
{
    QByteArray data;
    for (int y = h - 1; y >= 0; --y) {
        const int* row = &indices[std::size_t(y) * w];
        for (int x = 0; x < w;) {
            int run = 1;
            while (x + run < w && run < 255 && row[x + run] == row[x])
                ++run;
            data += char(run);
            data += char(four ? (row[x] << 4) | row[x] : row[x]);
            x += run;
        }
        data += QByteArray("\0\0", 2);
    }
    data += QByteArray("\0\1", 2);
    return data;
}

} // namespace

QByteArray MakeBmp(const QImage& source, const BmpOptions& o)
{
    const QImage picture = source.convertToFormat(QImage::Format_ARGB32);
    const int w = picture.width();
    const int h = picture.height();
    const bool core = o.header == BmpHeader::Core;
    const bool rle = o.packing == BmpPacking::Rle;
    const bool fields = o.packing == BmpPacking::Bitfields;
    QList<QRgb> palette;
    std::vector<int> indices;
    if (o.bits <= 8)
        indices = Indexed(picture, 1 << o.bits, palette);
    QByteArray pixels;
    if (rle) {
        pixels = RleRows(indices, w, h, o.bits == 4);
    } else {
        const int stride = ((w * o.bits + 31) / 32) * 4;
        for (int i = 0; i < h; ++i) {
            const int y = o.topDown ? i : h - 1 - i;
            QByteArray row(stride, '\0');
            for (int x = 0; x < w; ++x) {
                const QRgb c = picture.pixel(x, y);
                switch (o.bits) {
                case 1: row[x / 8] = char(row[x / 8] | (indices[std::size_t(y) * w + x] << (7 - x % 8))); break;
                case 4: row[x / 2] = char(row[x / 2] | (indices[std::size_t(y) * w + x] << (x % 2 ? 0 : 4))); break;
                case 8: row[x] = char(indices[std::size_t(y) * w + x]); break;
                case 16: {
                    const int v = fields ? ((qRed(c) >> 3) << 11) | ((qGreen(c) >> 2) << 5) | (qBlue(c) >> 3)
                                         : ((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3);
                    row[2 * x] = char(v & 0xff);
                    row[2 * x + 1] = char(v >> 8);
                    break;
                }
                case 24:
                    row[3 * x] = char(qBlue(c));
                    row[3 * x + 1] = char(qGreen(c));
                    row[3 * x + 2] = char(qRed(c));
                    break;
                default:
                    row[4 * x] = char(qBlue(c));
                    row[4 * x + 1] = char(qGreen(c));
                    row[4 * x + 2] = char(qRed(c));
                    row[4 * x + 3] = char(fields ? qAlpha(c) : 0);
                    break;
                }
            }
            pixels += row;
        }
    }
    QByteArray header;
    const int entries = o.bits <= 8 ? (1 << o.bits) : 0;
    if (core) {
        Put32(header, 12);
        Put16(header, w);
        Put16(header, h);
        Put16(header, 1);
        Put16(header, o.bits);
    } else {
        const int size = o.header == BmpHeader::V5 ? 124 : 40;
        Put32(header, size);
        Put32(header, quint32(w));
        Put32(header, quint32(o.topDown ? -h : h));
        Put16(header, 1);
        Put16(header, o.bits);
        Put32(header, rle ? (o.bits == 8 ? 1 : 2) : fields ? 3 : 0);
        Put32(header, quint32(pixels.size()));
        Put32(header, 3780);
        Put32(header, 3780);
        Put32(header, quint32(entries));
        Put32(header, 0);
        const quint32 masks[4] = {o.bits == 16 ? 0xf800u : 0xff0000u, o.bits == 16 ? 0x07e0u : 0xff00u, o.bits == 16 ? 0x1fu : 0xffu,
                                  o.bits == 32 ? 0xff000000u : 0u};
        if (size > 40) {
            for (quint32 m : masks)
                Put32(header, m);
            Put32(header, 0x73524742); // sRGB
            header += QByteArray(size - header.size(), '\0');
        } else if (fields) {
            for (int i = 0; i < 3; ++i)
                Put32(header, masks[i]);
        }
    }
    for (int i = 0; i < entries; ++i) {
        const QRgb c = palette.value(i);
        header += char(qBlue(c));
        header += char(qGreen(c));
        header += char(qRed(c));
        if (!core)
            header += '\0';
    }
    QByteArray file("BM");
    Put32(file, quint32(14 + header.size() + pixels.size()));
    Put32(file, 0);
    Put32(file, quint32(14 + header.size()));
    return file + header + pixels;
}

QByteArray MakeIco(const QList<QImage>& pictures, bool png)
{
    QList<QByteArray> images;
    for (const QImage& source : pictures) {
        const QImage p = source.convertToFormat(QImage::Format_ARGB32);
        if (png) {
            images << Encoded(p, "PNG");
            continue;
        }
        QByteArray dib;
        Put32(dib, 40);
        Put32(dib, quint32(p.width()));
        Put32(dib, quint32(2 * p.height()));
        Put16(dib, 1);
        Put16(dib, 32);
        dib += QByteArray(24, '\0');
        for (int y = p.height() - 1; y >= 0; --y)
            for (int x = 0; x < p.width(); ++x) {
                const QRgb c = p.pixel(x, y);
                dib += char(qBlue(c));
                dib += char(qGreen(c));
                dib += char(qRed(c));
                dib += char(qAlpha(c));
            }
        const int maskStride = ((p.width() + 31) / 32) * 4;
        for (int y = p.height() - 1; y >= 0; --y) {
            QByteArray row(maskStride, '\0');
            for (int x = 0; x < p.width(); ++x)
                if (qAlpha(p.pixel(x, y)) == 0)
                    row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
            dib += row;
        }
        images << dib;
    }
    QByteArray file;
    Put16(file, 0);
    Put16(file, 1);
    Put16(file, static_cast<int>(pictures.size()));
    int offset = 6 + 16 * static_cast<int>(pictures.size());
    for (int i = 0; i < pictures.size(); ++i) {
        file += char(pictures[i].width() >= 256 ? 0 : pictures[i].width());
        file += char(pictures[i].height() >= 256 ? 0 : pictures[i].height());
        file += '\0';
        file += '\0';
        Put16(file, 1);
        Put16(file, 32);
        Put32(file, quint32(images[i].size()));
        Put32(file, quint32(offset));
        offset += static_cast<int>(images[i].size());
    }
    for (const QByteArray& image : images)
        file += image;
    return file;
}

namespace {

void AppendPng(png_structp png, png_bytep data, png_size_t length)
{
    static_cast<QByteArray*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
}

} // namespace

QByteArray MakePng(const QImage& source, bool interlaced)
{
    const bool alpha = source.hasAlphaChannel();
    const QImage picture = source.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    QByteArray bytes;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &bytes, AppendPng, nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width()), static_cast<png_uint_32>(picture.height()), 8,
                 alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_bytep> rows(static_cast<std::size_t>(picture.height()));
    for (int y = 0; y < picture.height(); ++y)
        rows[std::size_t(y)] = const_cast<png_bytep>(picture.constScanLine(y));
    png_write_image(png, rows.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return bytes;
}

QByteArray PngChunk(const char* type, const QByteArray& data)
{
    QByteArray chunk;
    const quint32 n = quint32(data.size());
    chunk += char(n >> 24);
    chunk += char(n >> 16);
    chunk += char(n >> 8);
    chunk += char(n);
    chunk += QByteArray(type, 4) + data;
    const uLong crc = crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(chunk.constData() + 4), uInt(chunk.size() - 4));
    chunk += char(crc >> 24);
    chunk += char(crc >> 16);
    chunk += char(crc >> 8);
    chunk += char(crc);
    return chunk;
}

namespace {

// WMF records: size in 16-bit words, function, parameters.
void WmfRecord(QByteArray& file, int function, const QList<int>& params, const QByteArray& tail = QByteArray())
{
    Put32(file, quint32(3 + params.size() + tail.size() / 2));
    Put16(file, function);
    for (int p : params)
        Put16(file, p);
    file += tail;
}

// A 2 x 2 picture of a BITMAPINFOHEADER and 24-bit rows: yellow, cyan / magenta, white.
QByteArray SmallDib()
{
    QByteArray dib;
    Put32(dib, 40);
    Put32(dib, 2);
    Put32(dib, 2);
    Put16(dib, 1);
    Put16(dib, 24);
    dib += QByteArray(24, '\0');
    const char rows[] = {'\xff', '\x00', '\xff', '\xff', '\xff', '\xff', 0, 0, // bottom: magenta, white
                         '\x00', '\xff', '\xff', '\xff', '\xff', '\x00', 0, 0}; // top: yellow, cyan
    dib += QByteArray(rows, sizeof rows);
    return dib;
}

} // namespace

QByteArray MakeWmf(int width, int height, bool withBitmap)
{
    // Logical units of 1/1440 inch, 15 to the pixel at 96 dots per inch.
    const int W = width * 15;
    const int H = height * 15;
    QByteArray body;
    WmfRecord(body, 0x0103, {8});          // SETMAPMODE anisotropic
    WmfRecord(body, 0x020B, {0, 0});       // SETWINDOWORG y, x
    WmfRecord(body, 0x020C, {H, W});       // SETWINDOWEXT y, x
    const auto brush = [&](QRgb c, int index) {
        QByteArray lb;
        Put16(lb, 0);                       // solid
        lb += char(qRed(c));
        lb += char(qGreen(c));
        lb += char(qBlue(c));
        lb += '\0';
        Put16(lb, 0);
        WmfRecord(body, 0x02FC, {}, lb);    // CREATEBRUSHINDIRECT
        WmfRecord(body, 0x012D, {index});   // SELECTOBJECT
    };
    QByteArray pen;
    Put16(pen, 5); // null pen
    Put32(pen, 0);
    Put32(pen, 0);
    WmfRecord(body, 0x02FA, {}, pen);       // CREATEPENINDIRECT (object 0)
    WmfRecord(body, 0x012D, {0});
    brush(qRgb(255, 0, 0), 1);
    WmfRecord(body, 0x041B, {H, W / 2, 0, 0}); // RECTANGLE bottom, right, top, left
    brush(qRgb(0, 0, 255), 2);
    WmfRecord(body, 0x041B, {H, W, 0, W / 2});
    brush(qRgb(0, 255, 0), 3);
    WmfRecord(body, 0x041B, {H / 4, W / 4, 0, 0});
    if (withBitmap) {
        // STRETCHDIB: raster op, usage, source h, w, y, x, destination h, w, y, x, the DIB.
        WmfRecord(body, 0x0F43, {0x0020, 0x00CC, 0, 2, 2, 0, 0, H / 4, W / 4, H * 5 / 8, W * 5 / 8}, SmallDib());
    }
    WmfRecord(body, 0x0000, {});           // EOF
    QByteArray file;
    Put32(file, 0x9AC6CDD7);
    Put16(file, 0);
    Put16(file, 0);
    Put16(file, 0);
    Put16(file, W);
    Put16(file, H);
    Put16(file, 1440);
    Put32(file, 0);
    int sum = 0;
    for (int i = 0; i < 20; i += 2)
        sum ^= static_cast<unsigned char>(file[i]) | (static_cast<unsigned char>(file[i + 1]) << 8);
    Put16(file, sum);
    QByteArray header;
    Put16(header, 1);
    Put16(header, 9);
    Put16(header, 0x0300);
    Put32(header, quint32(9 + body.size() / 2));
    Put16(header, 4);
    Put32(header, withBitmap ? 3 + 11 + quint32(SmallDib().size()) / 2 : 8);
    Put16(header, 0);
    return file + header + body;
}

QByteArray MakeEmf(int width, int height, bool withBitmap)
{
    QByteArray records;
    int count = 1;
    const auto record = [&](int type, const QByteArray& data) {
        Put32(records, quint32(type));
        Put32(records, quint32(8 + data.size()));
        records += data;
        ++count;
    };
    const auto ints = [](const QList<int>& values) {
        QByteArray b;
        for (int v : values)
            Put32(b, quint32(v));
        return b;
    };
    record(17, ints({1})); // SETMAPMODE MM_TEXT: a logical unit is a pixel
    const auto fill = [&](QRgb c, int handle, const QRect& r) {
        record(39, ints({handle, 0, int(qRed(c) | (qGreen(c) << 8) | (qBlue(c) << 16)), 0})); // CREATEBRUSHINDIRECT
        record(37, ints({handle}));                                                      // SELECTOBJECT
        record(43, ints({r.left(), r.top(), r.right() + 1, r.bottom() + 1}));              // RECTANGLE
    };
    record(37, ints({int(0x80000008)})); // SELECTOBJECT the stock null pen
    fill(qRgb(255, 0, 0), 1, QRect(0, 0, width / 2, height));
    fill(qRgb(0, 0, 255), 2, QRect(width / 2, 0, width - width / 2, height));
    fill(qRgb(0, 255, 0), 3, QRect(0, 0, width / 4, height / 4));
    if (withBitmap) {
        // STRETCHDIBITS: bounds, destination x, y, source x, y, w, h, offsets and sizes of the
        // header and bits, usage, raster op, destination w, h; then the DIB.
        const QByteArray dib = SmallDib();
        const int fixed = 8 + 72;
        record(81, ints({0, 0, width, height, width * 5 / 8, height * 5 / 8, 0, 0, 2, 2, fixed, 40, fixed + 40, int(dib.size()) - 40, 0,
                         0x00CC0020, width / 4, height / 4})
                       + dib);
    }
    record(14, ints({0, 16, 20})); // EOF
    QByteArray header;
    const int frameW = width * 2540 / 96; // hundredths of a millimetre
    const int frameH = height * 2540 / 96;
    header += ints({0, 0, width - 1, height - 1, 0, 0, frameW, frameH});
    Put32(header, 0x464D4520); // " EMF"
    Put32(header, 0x10000);
    Put32(header, 0); // total size, set below
    Put32(header, quint32(count));
    Put16(header, 5);
    Put16(header, 0);
    header += ints({0, 0, 0, 1024, 768, 271, 203}); // description, palette, device pixels and millimetres
    QByteArray file;
    Put32(file, 1);
    Put32(file, quint32(8 + header.size()));
    file += header + records;
    Set32(file, 48, quint32(file.size()));
    return file;
}

namespace {

struct JpegSegment {
    int marker;
    int start;
    int end; // past the segment, and past the entropy-coded data after an SOS
};

QList<JpegSegment> JpegSegments(const QByteArray& jpeg)
{
    QList<JpegSegment> segments;
    const auto byte = [&](int i) { return static_cast<unsigned char>(jpeg[i]); };
    int i = 2;
    while (i + 4 <= jpeg.size() && byte(i) == 0xff) {
        const int marker = byte(i + 1);
        if (marker == 0xd9)
            break;
        int end = i + 2 + ((byte(i + 2) << 8) | byte(i + 3));
        if (marker == 0xda) {
            while (end + 1 < jpeg.size() && !(byte(end) == 0xff && byte(end + 1) != 0 && (byte(end + 1) < 0xd0 || byte(end + 1) > 0xd7)))
                ++end;
        }
        segments.append({marker, i, end});
        i = end;
    }
    return segments;
}

// Everything before the first scan, a scan n times, then the end: a file that keeps the
// decoder busy far beyond its size.
QByteArray RepeatedScans(const QByteArray& jpeg, int scanIndex, int times)
{
    const QList<JpegSegment> segments = JpegSegments(jpeg);
    QByteArray head = jpeg.left(2);
    QByteArray scan;
    int scans = 0;
    for (const JpegSegment& s : segments) {
        if (s.marker == 0xda) {
            if (scans++ == scanIndex) {
                scan += jpeg.mid(s.start, s.end - s.start);
                break;
            }
            continue;
        }
        if (scans == 0)
            head += jpeg.mid(s.start, s.end - s.start);
        else if (s.marker == 0xc4 && scans == scanIndex)
            scan += jpeg.mid(s.start, s.end - s.start); // the scan's own tables
    }
    if (scanIndex > 0) {
        // The first scan stays in front, once.
        for (const JpegSegment& s : segments)
            if (s.marker == 0xda) {
                head += jpeg.mid(s.start, s.end - s.start);
                break;
            }
    }
    QByteArray file = head;
    for (int i = 0; i < times; ++i)
        file += scan;
    return file + QByteArray("\xff\xd9", 2);
}

QByteArray Deflated(const std::function<QByteArray(int)>& row, int rows)
{
    z_stream z{};
    deflateInit(&z, 9);
    QByteArray out;
    std::vector<unsigned char> buffer(1 << 16);
    for (int y = 0; y <= rows; ++y) {
        QByteArray in = y < rows ? row(y) : QByteArray();
        z.next_in = reinterpret_cast<Bytef*>(in.data());
        z.avail_in = uInt(in.size());
        const int flush = y < rows ? Z_NO_FLUSH : Z_FINISH;
        do {
            z.next_out = buffer.data();
            z.avail_out = uInt(buffer.size());
            deflate(&z, flush);
            out.append(reinterpret_cast<const char*>(buffer.data()), qsizetype(buffer.size() - z.avail_out));
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    return out;
}

QByteArray PngHeader(int w, int h, int colourType = 2)
{
    QByteArray ihdr;
    for (int v : {w, h})
        for (int s = 24; s >= 0; s -= 8)
            ihdr += char((v >> s) & 0xff);
    ihdr += char(8);
    ihdr += char(colourType);
    ihdr += QByteArray(3, '\0');
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", ihdr);
}

QByteArray BmpFileHeader(int headerSize, int w, int h, int bits, int compression, int colours, int dataSize)
{
    QByteArray b("BM");
    Put32(b, quint32(14 + headerSize + 4 * colours + dataSize));
    Put32(b, 0);
    Put32(b, quint32(14 + headerSize + 4 * colours));
    Put32(b, quint32(headerSize));
    Put32(b, quint32(w));
    Put32(b, quint32(h));
    Put16(b, 1);
    Put16(b, bits);
    Put32(b, quint32(compression));
    Put32(b, quint32(dataSize));
    Put32(b, 3780);
    Put32(b, 3780);
    Put32(b, quint32(colours));
    Put32(b, 0);
    for (int i = 0; i < colours; ++i)
        Put32(b, i ? 0x00ffffffu : 0x00203040u);
    return b;
}

QList<HostilePicture> MakeHostile()
{
    QList<HostilePicture> list;
    const QImage small = Checker(200, 150);

    list.append({"png 10000 x 10000 of zeros", ".png",
                 PngHeader(10000, 10000) + PngChunk("IDAT", Deflated([](int) { return QByteArray(30001, '\0'); }, 10000))
                     + PngChunk("IEND", {})});
    {
        QByteArray png = PngHeader(64, 48);
        png += QByteArray("\x7f\xff\xff\xfftEXtTitle\0", 14) + QByteArray(14, 'x');
        list.append({"png whose text claims 2^31-1 bytes", ".png", png});
    }
    const QByteArray goodPng = Encoded(small, "PNG");
    list.append({"png cut short", ".png", goodPng.left(goodPng.size() / 2)});
    list.append({"png damaged under good CRCs", ".png",
                 PngHeader(200, 150) + PngChunk("IDAT", QByteArray("\x78\x9c\xff\xff\xff\xff\x00\x01\x02", 9)) + PngChunk("IEND", {})});
    {
        QByteArray png = PngHeader(200, 150);
        png += PngChunk("IDAT", Deflated([](int) { return QByteArray(601, '\0'); }, 75)); // half the rows
        png += PngChunk("IEND", {});
        list.append({"png missing rows", ".png", png});
    }

    {
        QByteArray rle;
        for (int i = 0; i < 400; ++i)
            rle += QByteArray("\xff\x01", 2);
        rle += QByteArray("\0\1", 2);
        list.append({"bmp rle8 10000 x 10000 of 1 KB", ".bmp", BmpFileHeader(40, 10000, 10000, 8, 1, 2, rle.size()) + rle});
        list.append({"bmp rle8 without its end", ".bmp", BmpFileHeader(40, 640, 480, 8, 1, 2, rle.size() - 2) + rle.left(rle.size() - 2)});
        list.append({"bmp rle8 top-down", ".bmp", BmpFileHeader(40, 640, -480, 8, 1, 2, rle.size()) + rle});
    }
    {
        const QByteArray bmp = MakeBmp(small);
        list.append({"bmp missing rows", ".bmp", bmp.left(bmp.size() - 3 * 600)});
        BmpOptions core;
        core.header = BmpHeader::Core;
        core.bits = 8;
        const QByteArray coreBmp = MakeBmp(small, core);
        list.append({"bmp core header missing rows", ".bmp", coreBmp.left(coreBmp.size() - 400)});
        BmpOptions topDown;
        topDown.topDown = true;
        const QByteArray top = MakeBmp(small, topDown);
        list.append({"bmp top-down missing rows", ".bmp", top.left(top.size() - 600)});
        QByteArray indices(200 * 150, '\0');
        for (int i = 0; i < indices.size(); ++i)
            indices[i] = char(i * 7);
        list.append({"bmp indices beyond its palette", ".bmp", BmpFileHeader(40, 200, 150, 8, 0, 2, indices.size()) + indices});
        list.append({"bmp claiming 30000 x 30000 in 1 KB", ".bmp", BmpFileHeader(40, 30000, 30000, 24, 0, 0, 1000) + QByteArray(1000, '\x40')});
    }

    {
        JpegOptions progressive;
        progressive.progressive = true;
        progressive.quality = 50;
        const QByteArray seed = MakeJpeg(Checker(64, 48), progressive);
        const QByteArray big = WithJpegSize(seed, 10000, 10000);
        list.append({"jpeg progressive 10000 x 10000 of 499 scans", ".jpg", RepeatedScans(big, 0, 499)});
        list.append({"jpeg progressive 10000 x 10000 of 602 scans", ".jpg", RepeatedScans(big, 0, 602)});
        list.append({"jpeg baseline 10000 x 10000 without data", ".jpg", WithJpegSize(MakeJpeg(Checker(64, 48)), 10000, 10000)});
        // Real scans, each run through end to end: the picture's first AC band, 2000 times.
        JpegOptions grey = progressive;
        grey.colour = JpegColour::Grey;
        QImage flat(4000, 3000, QImage::Format_RGB32);
        flat.fill(qRgb(90, 120, 150));
        list.append({"jpeg progressive 4000 x 3000 of 2000 real scans", ".jpg", RepeatedScans(MakeJpeg(flat, grey), 1, 2000)});
    }

    {
        QImage one(3000, 3000, QImage::Format_RGB32);
        one.fill(qRgb(0, 0, 255));
        QByteArray gif = MakeGif({{one}});
        gif[6] = char(0x10); // a 10000 x 10000 screen around it
        gif[7] = char(0x27);
        gif[8] = char(0x10);
        gif[9] = char(0x27);
        list.append({"gif 10000 x 10000 screen", ".gif", gif});
        const QByteArray smallGif = MakeGif({{small}});
        list.append({"gif cut short", ".gif", smallGif.left(smallGif.size() / 2)});
    }

    {
        QByteArray ico = MakeIco({Checker(32, 32)});
        Set32(ico, 18, 1 << 20); // the entry's offset far past the end
        list.append({"ico entry beyond the file", ".ico", ico});
        QByteArray tall = MakeIco({Checker(32, 32)});
        Set32(tall, 6 + 16 + 4, 30000);  // the DIB claims 30000 x 15000
        Set32(tall, 6 + 16 + 8, 30000);
        list.append({"ico claiming 30000 x 15000", ".ico", tall});
    }

    {
        QByteArray wmf = MakeWmf(640, 480);
        Set32(wmf, 22 + 18, 0x7fffffff); // the first record's size
        list.append({"wmf record beyond the file", ".wmf", wmf});
        QByteArray emf = MakeEmf(640, 480);
        Set32(emf, 88 + 12 + 4, 0x7ffffff0); // the second record's size
        list.append({"emf record beyond the file", ".emf", emf});
        QByteArray emfBitmap = MakeEmf(64, 48, true);
        const int at = emfBitmap.indexOf(QByteArray("\x28\0\0\0\x02\0\0\0\x02\0\0\0", 12));
        if (at > 0) {
            Set32(emfBitmap, at + 4, 30000);
            Set32(emfBitmap, at + 8, 30000);
        }
        list.append({"emf bitmap claiming 30000 x 30000", ".emf", emfBitmap});
        QByteArray wmfBitmap = MakeWmf(64, 48, true);
        const int wat = wmfBitmap.indexOf(QByteArray("\x28\0\0\0\x02\0\0\0\x02\0\0\0", 12));
        if (wat > 0) {
            Set32(wmfBitmap, wat + 4, 30000);
            Set32(wmfBitmap, wat + 8, 30000);
        }
        list.append({"wmf bitmap claiming 30000 x 30000", ".wmf", wmfBitmap});
        // Many full-frame fills: each record is small, its drawing is not.
        QByteArray many = MakeEmf(640, 480);
        QByteArray fills;
        for (int i = 0; i < 40000; ++i) {
            Put32(fills, 43);
            Put32(fills, 24);
            for (int v : {0, 0, 640, 480})
                Put32(fills, quint32(v));
        }
        many.insert(many.size() - 20, fills);
        Set32(many, 48, quint32(many.size()));
        Set32(many, 52, 40000 + 15);
        list.append({"emf of 40000 full-frame fills", ".emf", many});
        QByteArray manyWmf = MakeWmf(640, 480);
        QByteArray wmfFills;
        for (int i = 0; i < 60000; ++i)
            WmfRecord(wmfFills, 0x041B, {480 * 15, 640 * 15, 0, 0});
        manyWmf.insert(manyWmf.size() - 6, wmfFills);
        list.append({"wmf of 60000 full-frame fills", ".wmf", manyWmf});
    }
    return list;
}

} // namespace

const QList<HostilePicture>& HostilePictures()
{
    static const QList<HostilePicture> list = MakeHostile();
    return list;
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
