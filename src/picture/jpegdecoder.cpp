#include "picture/jpegdecoder.h"

#include <QTransform>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

namespace picture {
namespace {

// Scans decoded times the picture's pixels: ten full scans of a 100-megapixel picture, a few
// hundred of a small one; hostile files repeat scans to multiply the work.
constexpr long long kMaxScanPixels = 2'000'000'000LL;
// A progressive or multi-scan file keeps every coefficient of the picture (two bytes each) until
// its last needed scan. That much is always allowed up to the floor; beyond it only as far as
// the file is big enough to have meant it, and never beyond the ceiling.
constexpr long long kCoefficientFloor = 64LL * 1024 * 1024;
constexpr long long kCoefficientsPerFileByte = 96;
constexpr long long kCoefficientCeiling = 768LL * 1024 * 1024;
constexpr std::size_t kSourceBuffer = 64 * 1024;
constexpr int kRowsPerCall = 16;

// Zigzag position to row * 8 + column.
constexpr int kNatural[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
                              41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
                              30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// Everything the library and its callbacks touch: plain data, so that a long jump out of the
// library leaves nothing to unwind. cinfo comes first: the callbacks find the session from it.
struct JpegSession {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    jpeg_source_mgr source;
    jpeg_progress_mgr progress;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    const PictureSource* picture;
    unsigned char* buffer;
    long long nextOffset; // of the file, for the next fill
    long long pixels;
    bool created;
    bool cutShort; // the data of a scan ended before the scan did
    bool tooManyScans;
    int consumeResult;
    JDIMENSION rowsRead;
    JSAMPROW rows[kRowsPerCall];
    int rowsWanted;
};

JpegSession* SessionOf(j_common_ptr cinfo)
{
    return reinterpret_cast<JpegSession*>(cinfo);
}

[[noreturn]] void ErrorExit(j_common_ptr cinfo)
{
    JpegSession* s = SessionOf(cinfo);
    (*cinfo->err->format_message)(cinfo, s->message);
    std::longjmp(s->jump, 1);
}

void OutputMessage(j_common_ptr) {}

void EmitMessage(j_common_ptr cinfo, int level)
{
    const int code = cinfo->err->msg_code;
    if (level < 0 && (code == JWRN_HIT_MARKER || code == JWRN_JPEG_EOF))
        SessionOf(cinfo)->cutShort = true;
}

void ProgressMonitor(j_common_ptr cinfo)
{
    JpegSession* s = SessionOf(cinfo);
    if (cinfo->is_decompressor && s->cinfo.input_scan_number * s->pixels > kMaxScanPixels) {
        s->tooManyScans = true;
        std::snprintf(s->message, sizeof s->message, "the JPEG has too many scans");
        std::longjmp(s->jump, 1);
    }
}

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr cinfo)
{
    JpegSession* s = reinterpret_cast<JpegSession*>(cinfo);
    static const JOCTET end[2] = {0xFF, JPEG_EOI};
    qint64 n = 0;
    if (!s->picture->memory()) {
        n = s->picture->readAt(s->nextOffset, s->buffer, kSourceBuffer);
        if (n > 0)
            s->nextOffset += n;
    }
    if (n <= 0) {
        // The data ran out: an end marker makes the library finish what it has; a scan cut
        // short by it is noted through the warning it gives.
        s->source.next_input_byte = end;
        s->source.bytes_in_buffer = 2;
        return TRUE;
    }
    s->source.next_input_byte = s->buffer;
    s->source.bytes_in_buffer = static_cast<std::size_t>(n);
    return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count)
{
    JpegSession* s = reinterpret_cast<JpegSession*>(cinfo);
    if (count <= 0)
        return;
    if (static_cast<std::size_t>(count) <= s->source.bytes_in_buffer) {
        s->source.next_input_byte += count;
        s->source.bytes_in_buffer -= static_cast<std::size_t>(count);
        return;
    }
    const long long beyond = count - static_cast<long long>(s->source.bytes_in_buffer);
    s->source.bytes_in_buffer = 0;
    if (s->picture->memory()) {
        s->source.next_input_byte = nullptr;
        return;
    }
    s->nextOffset += beyond;
}

enum class Call { Create, ReadHeader, CalcDimensions, Start, Consume, StartOutput, ReadRows };

// The one place the library is called. Its errors come back here by a long jump and leave as
// false, with the message in the session; no frame between here and the library's holds
// anything that needs unwinding.
bool CallLibrary(JpegSession* s, Call call)
{
    if (setjmp(s->jump))
        return false;
    j_decompress_ptr cinfo = &s->cinfo;
    switch (call) {
    case Call::Create:
        jpeg_create_decompress(cinfo);
        s->created = true;
        cinfo->src = &s->source;
        cinfo->progress = &s->progress;
        jpeg_save_markers(cinfo, JPEG_APP0 + 1, 0xffff);
        break;
    case Call::ReadHeader:
        jpeg_read_header(cinfo, TRUE);
        break;
    case Call::CalcDimensions:
        jpeg_calc_output_dimensions(cinfo);
        break;
    case Call::Start:
        jpeg_start_decompress(cinfo);
        break;
    case Call::Consume:
        s->consumeResult = jpeg_consume_input(cinfo);
        break;
    case Call::StartOutput:
        jpeg_start_output(cinfo, cinfo->input_scan_number);
        break;
    case Call::ReadRows:
        s->rowsRead = jpeg_read_scanlines(cinfo, s->rows, static_cast<JDIMENSION>(s->rowsWanted));
        break;
    }
    return true;
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

// Every coefficient the scaled inverse transform of each component reads (its low
// DCT_scaled_size x DCT_scaled_size corner) has arrived in full.
bool HasWhatTheScaleNeeds(const jpeg_decompress_struct& cinfo)
{
    if (!cinfo.coef_bits)
        return false;
    for (int ci = 0; ci < cinfo.num_components; ++ci) {
        const int size = std::clamp(cinfo.comp_info[ci].DCT_scaled_size, 1, DCTSIZE);
        for (int k = 0; k < DCTSIZE2; ++k) {
            const int row = kNatural[k] / DCTSIZE;
            const int column = kNatural[k] % DCTSIZE;
            if (row < size && column < size && cinfo.coef_bits[ci][k] != 0)
                return false;
        }
    }
    return true;
}

long long CoefficientBytes(const jpeg_decompress_struct& cinfo)
{
    long long bytes = 0;
    for (int ci = 0; ci < cinfo.num_components; ++ci) {
        const jpeg_component_info& c = cinfo.comp_info[ci];
        const long long width = (static_cast<long long>(c.width_in_blocks) + c.h_samp_factor - 1) / c.h_samp_factor * c.h_samp_factor;
        const long long height = (static_cast<long long>(c.height_in_blocks) + c.v_samp_factor - 1) / c.v_samp_factor * c.v_samp_factor;
        bytes += width * height * static_cast<long long>(sizeof(JBLOCK));
    }
    return bytes;
}

QString Message(const JpegSession& s)
{
    return QString::fromLatin1(s.message);
}

// Reads the output rows of the current pass into image.
bool ReadRows(JpegSession& s, QImage& image, bool cmyk, std::vector<JSAMPLE>& cmykRows)
{
    const JDIMENSION width = s.cinfo.output_width;
    while (s.cinfo.output_scanline < s.cinfo.output_height) {
        const int first = static_cast<int>(s.cinfo.output_scanline);
        s.rowsWanted = std::min<int>(kRowsPerCall, static_cast<int>(s.cinfo.output_height) - first);
        for (int i = 0; i < s.rowsWanted; ++i)
            s.rows[i] = cmyk ? cmykRows.data() + std::size_t(i) * width * 4 : reinterpret_cast<JSAMPROW>(image.scanLine(first + i));
        if (!CallLibrary(&s, Call::ReadRows) || s.rowsRead == 0 || s.cutShort)
            return false;
        if (cmyk)
            for (JDIMENSION i = 0; i < s.rowsRead; ++i)
                CmykToRgb(s.rows[i], reinterpret_cast<quint32*>(image.scanLine(first + static_cast<int>(i))), width, s.cinfo.saw_Adobe_marker);
    }
    return true;
}

struct SessionCloser {
    JpegSession* s;
    ~SessionCloser()
    {
        if (s->created)
            jpeg_destroy_decompress(&s->cinfo);
    }
};

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
    return DecodeJpeg(PictureSource(bytes), targetFor, out);
}

DecodeStatus DecodeJpeg(const PictureSource& source, const TargetForSize& targetFor, DecodedPicture& out)
{
    const auto session = std::make_unique<JpegSession>();
    JpegSession& s = *session;
    std::vector<unsigned char> buffer(source.memory() ? 0 : kSourceBuffer);
    s.picture = &source;
    s.buffer = buffer.data();
    s.cinfo.err = jpeg_std_error(&s.errors);
    s.errors.error_exit = ErrorExit;
    s.errors.output_message = OutputMessage;
    s.errors.emit_message = EmitMessage;
    s.progress.progress_monitor = ProgressMonitor;
    s.source.init_source = InitSource;
    s.source.fill_input_buffer = FillInputBuffer;
    s.source.skip_input_data = SkipInputData;
    s.source.resync_to_restart = jpeg_resync_to_restart;
    s.source.term_source = TermSource;
    if (source.memory()) {
        s.source.next_input_byte = reinterpret_cast<const JOCTET*>(source.memory());
        s.source.bytes_in_buffer = static_cast<std::size_t>(source.size());
    }
    const SessionCloser closer{&s};
    if (!CallLibrary(&s, Call::Create))
        return Refuse(out, DecodeStatus::Unreadable, Message(s));
    if (!CallLibrary(&s, Call::ReadHeader))
        return Refuse(out, DecodeStatus::Unreadable, Message(s));
    jpeg_decompress_struct& cinfo = s.cinfo;
    const DecodeStatus sized = CheckPictureSize(cinfo.image_width, cinfo.image_height, &out.reason);
    if (sized != DecodeStatus::Ok)
        return Refuse(out, sized, out.reason);
    s.pixels = static_cast<long long>(cinfo.image_width) * cinfo.image_height;

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
        if (!CallLibrary(&s, Call::CalcDimensions))
            return Refuse(out, DecodeStatus::Unreadable, Message(s));
        if (int(cinfo.output_width) >= target.width() && int(cinfo.output_height) >= target.height())
            break;
    }

    if (jpeg_has_multiple_scans(&cinfo)) {
        const long long needed = CoefficientBytes(cinfo);
        const long long allowed = std::clamp(kCoefficientsPerFileByte * source.size(), kCoefficientFloor, kCoefficientCeiling);
        if (needed > allowed)
            return Refuse(out, DecodeStatus::TooLarge, QStringLiteral("the JPEG needs more memory than its size explains"));
        cinfo.mem->max_memory_to_use = static_cast<long>(allowed + 32LL * 1024 * 1024);
    }

    QImage image(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height), QImage::Format_RGB32);
    if (image.isNull())
        return Refuse(out, DecodeStatus::Unreadable, QStringLiteral("not enough memory for the picture"));
    std::vector<JSAMPLE> cmykRows(cmyk ? std::size_t(cinfo.output_width) * 4 * kRowsPerCall : 0);
    const QString cutShort = QStringLiteral("the JPEG data ends early");

    if (cinfo.progressive_mode) {
        cinfo.buffered_image = TRUE;
        cinfo.do_block_smoothing = FALSE;
        if (!CallLibrary(&s, Call::Start))
            return Refuse(out, s.tooManyScans ? DecodeStatus::TooLarge : DecodeStatus::Unreadable, Message(s));
        for (bool enough = false; !enough;) {
            if (!CallLibrary(&s, Call::Consume))
                return Refuse(out, s.tooManyScans ? DecodeStatus::TooLarge : DecodeStatus::Unreadable, Message(s));
            if (s.cutShort)
                return Refuse(out, DecodeStatus::Unreadable, cutShort);
            switch (s.consumeResult) {
            case JPEG_REACHED_SOS:
                if (cinfo.input_scan_number * s.pixels > kMaxScanPixels)
                    return Refuse(out, DecodeStatus::TooLarge, QStringLiteral("the JPEG has too many scans"));
                break;
            case JPEG_SCAN_COMPLETED:
                enough = HasWhatTheScaleNeeds(cinfo);
                break;
            case JPEG_REACHED_EOI:
                enough = true;
                break;
            case JPEG_SUSPENDED:
                return Refuse(out, DecodeStatus::Unreadable, cutShort);
            default:
                break;
            }
        }
        if (!CallLibrary(&s, Call::StartOutput))
            return Refuse(out, DecodeStatus::Unreadable, Message(s));
    } else if (!CallLibrary(&s, Call::Start)) {
        return Refuse(out, s.tooManyScans ? DecodeStatus::TooLarge : DecodeStatus::Unreadable, Message(s));
    }
    if (s.cutShort)
        return Refuse(out, DecodeStatus::Unreadable, cutShort);
    if (!ReadRows(s, image, cmyk, cmykRows))
        return Refuse(out, s.tooManyScans ? DecodeStatus::TooLarge : DecodeStatus::Unreadable, s.cutShort || s.message[0] == 0 ? cutShort : Message(s));
    out.scansRead = cinfo.input_scan_number;
    out.image = Orient(image, orientation);
    if (out.image.isNull())
        return Refuse(out, DecodeStatus::Unreadable, QStringLiteral("not enough memory for the picture"));
    return DecodeStatus::Ok;
}

} // namespace picture
