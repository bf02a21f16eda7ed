#include "picture/jpegdecoder.h"

#include <QTransform>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

namespace picture {
namespace {

// A progressive file may hold any number of scans; past this many it is hostile.
constexpr int kMaxScans = 500;
// The decoder's own buffers (a progressive file keeps every coefficient).
constexpr long kMemoryCap = 384L * 1024 * 1024;

// Thrown from the library's error exit instead of a long jump: the library is C and keeps no
// resources on its stack, and our frames unwind normally.
struct JpegFailure {
    QString reason;
};

struct ErrorManager {
    jpeg_error_mgr pub;
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo)
{
    char text[JMSG_LENGTH_MAX] = {};
    (*cinfo->err->format_message)(cinfo, text);
    throw JpegFailure{QString::fromLatin1(text)};
}

void Silent(j_common_ptr) {}
void SilentEmit(j_common_ptr, int) {}

void ProgressMonitor(j_common_ptr cinfo)
{
    if (cinfo->is_decompressor && reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
        throw JpegFailure{QStringLiteral("the JPEG has too many scans")};
}

unsigned readShort(const unsigned char* p, bool little)
{
    return little ? (p[0] | (p[1] << 8)) : ((p[0] << 8) | p[1]);
}

std::uint32_t readLong(const unsigned char* p, bool little)
{
    return little ? (p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24))
                  : ((std::uint32_t(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3]);
}

QImage Orient(const QImage& image, int orientation)
{
    switch (orientation) {
    case 2: return image.mirrored(true, false);
    case 3: return image.transformed(QTransform().rotate(180));
    case 4: return image.mirrored(false, true);
    case 5: return image.transformed(QTransform().rotate(90)).mirrored(true, false);
    case 6: return image.transformed(QTransform().rotate(90));
    case 7: return image.transformed(QTransform().rotate(90)).mirrored(false, true);
    case 8: return image.transformed(QTransform().rotate(270));
    default: return image;
    }
}

void CmykToRgb(const JSAMPLE* in, quint32* out, JDIMENSION width, bool inverted)
{
    for (JDIMENSION x = 0; x < width; ++x, in += 4) {
        int c = in[0], m = in[1], y = in[2], k = in[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[x] = 0xff000000u | (quint32((c * k + 127) / 255) << 16) | (quint32((m * k + 127) / 255) << 8) | quint32((y * k + 127) / 255);
    }
}

} // namespace

int ExifOrientation(const unsigned char* data, std::size_t size)
{
    if (size < 14 || std::memcmp(data, "Exif\0\0", 6) != 0)
        return 1;
    const unsigned char* tiff = data + 6;
    const std::size_t len = size - 6;
    bool little;
    if (tiff[0] == 'I' && tiff[1] == 'I')
        little = true;
    else if (tiff[0] == 'M' && tiff[1] == 'M')
        little = false;
    else
        return 1;
    if (readShort(tiff + 2, little) != 42)
        return 1;
    const std::uint32_t ifd = readLong(tiff + 4, little);
    if (ifd > len || len - ifd < 2)
        return 1;
    const unsigned count = readShort(tiff + ifd, little);
    for (unsigned i = 0; i < count; ++i) {
        const std::size_t at = ifd + 2 + std::size_t(i) * 12;
        if (at + 12 > len)
            break;
        if (readShort(tiff + at, little) == 0x0112 && readShort(tiff + at + 2, little) == 3) {
            const unsigned value = readShort(tiff + at + 8, little);
            return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
        }
    }
    return 1;
}

DecodeStatus DecodeJpeg(const QByteArray& bytes, const TargetForSize& targetFor, DecodedPicture& out)
{
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    jpeg_progress_mgr progress;
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    err.pub.output_message = Silent;
    err.pub.emit_message = SilentEmit;
    progress.progress_monitor = ProgressMonitor;
    bool created = false;
    DecodeStatus status = DecodeStatus::Unreadable;
    try {
        jpeg_create_decompress(&cinfo);
        created = true;
        cinfo.mem->max_memory_to_use = kMemoryCap;
        cinfo.progress = &progress;
        jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.constData()), static_cast<unsigned long>(bytes.size()));
        jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xffff);
        jpeg_read_header(&cinfo, TRUE);

        status = CheckPictureSize(cinfo.image_width, cinfo.image_height, &out.reason);
        if (status != DecodeStatus::Ok) {
            jpeg_destroy_decompress(&cinfo);
            return status;
        }
        status = DecodeStatus::Unreadable;
        int orientation = 1;
        for (jpeg_saved_marker_ptr m = cinfo.marker_list; m; m = m->next)
            if (m->marker == JPEG_APP0 + 1 && (orientation = ExifOrientation(m->data, m->data_length)) != 1)
                break;
        const bool turned = orientation >= 5;
        const QSize stored(static_cast<int>(cinfo.image_width), static_cast<int>(cinfo.image_height));
        out.uprightSize = turned ? stored.transposed() : stored;
        QSize target = targetFor ? targetFor(out.uprightSize) : out.uprightSize;
        if (turned)
            target.transpose();

        const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
        cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
        cinfo.scale_denom = 8;
        for (unsigned m = 1; m <= 8; ++m) {
            cinfo.scale_num = m;
            jpeg_calc_output_dimensions(&cinfo);
            if (int(cinfo.output_width) >= target.width() && int(cinfo.output_height) >= target.height())
                break;
        }
        jpeg_start_decompress(&cinfo);
        QImage image(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height), QImage::Format_RGB32);
        if (image.isNull())
            throw JpegFailure{QStringLiteral("not enough memory for the picture")};
        std::vector<JSAMPLE> row(cmyk ? std::size_t(cinfo.output_width) * 4 : 0);
        while (cinfo.output_scanline < cinfo.output_height) {
            const int y = static_cast<int>(cinfo.output_scanline);
            JSAMPROW target = cmyk ? row.data() : reinterpret_cast<JSAMPROW>(image.scanLine(y));
            if (jpeg_read_scanlines(&cinfo, &target, 1) != 1)
                throw JpegFailure{QStringLiteral("the JPEG data ends early")};
            if (cmyk)
                CmykToRgb(row.data(), reinterpret_cast<quint32*>(image.scanLine(y)), cinfo.output_width, cinfo.saw_Adobe_marker);
        }
        jpeg_destroy_decompress(&cinfo);
        out.image = Orient(image, orientation);
        return out.image.isNull() ? DecodeStatus::Unreadable : DecodeStatus::Ok;
    } catch (const JpegFailure& failure) {
        if (created)
            jpeg_destroy_decompress(&cinfo);
        out.reason = failure.reason;
        out.image = QImage();
        return DecodeStatus::Unreadable;
    }
}

} // namespace picture
