#include "picture/pngdecoder.h"

#include "picture/areareducer.h"

#include <csetjmp>
#include <cstring>
#include <memory>
#include <vector>

#include <png.h>

namespace picture {
namespace {

constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

quint32 Be32(const unsigned char* p)
{
    return (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | p[3];
}

struct PngHeader {
    quint32 width = 0;
    quint32 height = 0;
};

// The chunk structure, from the file's own lengths: false with a reason.
bool WalkChunks(const PictureSource& source, PngHeader& header, QString& why)
{
    SourceReader reader(source);
    unsigned char head[8];
    if (!reader.readExactly(head, 8) || std::memcmp(head, kSignature, 8) != 0) {
        why = QStringLiteral("not a PNG picture");
        return false;
    }
    bool first = true;
    bool sawData = false;
    for (;;) {
        const qint64 at = reader.position();
        if (!reader.readExactly(head, 8)) {
            why = QStringLiteral("the PNG is cut short");
            return false;
        }
        const quint32 length = Be32(head);
        if (length > 0x7fffffffu || at + 12 + qint64(length) > source.size()) {
            why = QStringLiteral("the PNG is cut short: a chunk runs past the end of the file");
            return false;
        }
        const bool isHeader = std::memcmp(head + 4, "IHDR", 4) == 0;
        if (first != isHeader || (isHeader && length != 13)) {
            why = QStringLiteral("not a readable PNG picture: its header is damaged");
            return false;
        }
        if (isHeader) {
            unsigned char data[8];
            if (!reader.readExactly(data, 8)) {
                why = QStringLiteral("the PNG is cut short");
                return false;
            }
            header.width = Be32(data);
            header.height = Be32(data + 4);
            reader.skip(length - 8 + 4);
        } else {
            reader.skip(qint64(length) + 4);
        }
        first = false;
        if (std::memcmp(head + 4, "IDAT", 4) == 0)
            sawData = true;
        if (std::memcmp(head + 4, "IEND", 4) == 0)
            break;
    }
    if (!sawData) {
        why = QStringLiteral("the PNG holds no picture data");
        return false;
    }
    return true;
}

// Plain data for the library and its callbacks; see CallLibrary.
struct PngSession {
    png_structp png;
    png_infop info;
    char message[256];
    const PictureSource* source;
    SourceReader* reader;
    png_bytep row;
    bool alpha;
    int passes;
    png_uint_32 width, height;
};

void PngError(png_structp png, png_const_charp message)
{
    auto* s = static_cast<PngSession*>(png_get_error_ptr(png));
    std::snprintf(s->message, sizeof s->message, "%s", message ? message : "");
    png_longjmp(png, 1);
}

void PngWarning(png_structp, png_const_charp) {}

void PngRead(png_structp png, png_bytep data, png_size_t length)
{
    auto* s = static_cast<PngSession*>(png_get_io_ptr(png));
    if (static_cast<png_size_t>(s->reader->read(data, static_cast<qint64>(length))) != length)
        png_error(png, "the file ends early");
}

enum class Call { Create, ReadInfo, ReadRow };

// The one place the library is called; its errors come back by a long jump and leave as false.
// No frame between here and the library's holds anything that needs unwinding.
bool CallLibrary(PngSession* s, Call call)
{
    if (call == Call::Create) {
        s->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, s, PngError, PngWarning);
        if (!s->png)
            return false;
        s->info = png_create_info_struct(s->png);
        if (!s->info)
            return false;
    }
    if (setjmp(png_jmpbuf(s->png)))
        return false;
    png_structp png = s->png;
    png_infop info = s->info;
    switch (call) {
    case Call::Create: {
        png_set_read_fn(png, s, PngRead);
        png_set_chunk_malloc_max(png, 8 * 1024 * 1024);
        // Extras the picture does not need are skipped, not read.
        static const png_byte skipped[] = "bKGD\0cHRM\0eXIf\0gAMA\0hIST\0iCCP\0iTXt\0oFFs\0pCAL\0pHYs\0sBIT\0sCAL\0sPLT\0sRGB\0tEXt\0tIME\0zTXt";
        png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, skipped, 17);
        break;
    }
    case Call::ReadInfo: {
        png_read_info(png, info);
        const int colourType = png_get_color_type(png, info);
        s->alpha = (colourType & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS);
        png_set_expand(png);
        png_set_scale_16(png);
        if (!(colourType & PNG_COLOR_MASK_COLOR))
            png_set_gray_to_rgb(png);
        png_set_bgr(png);
        if (!s->alpha)
            png_set_filler(png, 0xff, PNG_FILLER_AFTER);
        png_read_update_info(png, info);
        s->width = png_get_image_width(png, info);
        s->height = png_get_image_height(png, info);
        s->passes = png_get_interlace_type(png, info) == PNG_INTERLACE_ADAM7 ? 7 : 1;
        if (png_get_rowbytes(png, info) != std::size_t(s->width) * 4)
            png_error(png, "unexpected row size");
        break;
    }
    case Call::ReadRow:
        png_read_row(png, s->row, nullptr);
        break;
    }
    return true;
}

struct PngCloser {
    PngSession* s;
    ~PngCloser()
    {
        if (s->png)
            png_destroy_read_struct(&s->png, s->info ? &s->info : nullptr, nullptr);
    }
};

} // namespace

DecodeStatus DecodePng(const QByteArray& bytes, const TargetForSize& targetFor, DecodedPicture& out)
{
    return DecodePng(PictureSource(bytes), targetFor, out);
}

DecodeStatus DecodePng(const PictureSource& source, const TargetForSize& targetFor, DecodedPicture& out)
{
    PngHeader header;
    QString why;
    if (!WalkChunks(source, header, why))
        return Refuse(out, DecodeStatus::Unreadable, why);
    const DecodeStatus sized = CheckPictureSize(header.width, header.height, &why);
    if (sized != DecodeStatus::Ok)
        return Refuse(out, sized, why);

    SourceReader reader(source);
    const auto session = std::make_unique<PngSession>();
    PngSession& s = *session;
    s.source = &source;
    s.reader = &reader;
    const PngCloser closer{&s};
    const auto damaged = [&] {
        return Refuse(out, DecodeStatus::Unreadable,
                      s.message[0] ? QStringLiteral("not a readable PNG picture: %1").arg(QString::fromLatin1(s.message))
                                   : QStringLiteral("not enough memory for the picture"));
    };
    if (!CallLibrary(&s, Call::Create) || !CallLibrary(&s, Call::ReadInfo))
        return damaged();
    out.uprightSize = QSize(static_cast<int>(s.width), static_cast<int>(s.height));
    const QSize target = targetFor ? targetFor(out.uprightSize) : out.uprightSize;
    AreaReducer reducer(out.uprightSize, target, s.alpha);
    if (!reducer.isValid())
        return Refuse(out, DecodeStatus::Unreadable, QStringLiteral("not enough memory for the picture"));
    std::vector<quint32> row(s.width);
    s.row = reinterpret_cast<png_bytep>(row.data());
    for (int pass = 0; pass < s.passes; ++pass) {
        const png_uint_32 columns = s.passes == 1 ? s.width : PNG_PASS_COLS(s.width, pass);
        const png_uint_32 rows = s.passes == 1 ? s.height : PNG_PASS_ROWS(s.height, pass);
        if (columns == 0 || rows == 0)
            continue;
        const int firstRow = s.passes == 1 ? 0 : PNG_PASS_START_ROW(pass);
        const int rowStep = s.passes == 1 ? 1 : 1 << PNG_PASS_ROW_SHIFT(pass);
        const int firstColumn = s.passes == 1 ? 0 : PNG_PASS_START_COL(pass);
        const int columnStep = s.passes == 1 ? 1 : 1 << PNG_PASS_COL_SHIFT(pass);
        for (png_uint_32 r = 0; r < rows; ++r) {
            if (!CallLibrary(&s, Call::ReadRow))
                return damaged();
            reducer.addPixels(firstRow + static_cast<int>(r) * rowStep, firstColumn, columnStep, row.data(), static_cast<int>(columns));
        }
    }
    out.image = reducer.result();
    if (out.image.isNull())
        return Refuse(out, DecodeStatus::Unreadable, QStringLiteral("not enough memory for the picture"));
    return DecodeStatus::Ok;
}

} // namespace picture
