#include "picture/metafiles.h"

#include "picture/areareducer.h"
#include "picture/metafilecommon.h"
#include "picture/pngdecoder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include <libwmf/api.h>
#include <libwmf/gd.h>
#include <libwmf/ipa.h>

namespace picture {
namespace {

using namespace metafile;

// Memory the library may take, drawing surface and fonts included.
constexpr std::size_t kLibraryMemory = 96 * 1024 * 1024;

// Where the bitmap starts in each record that carries one, counted from the record's start.
int BitmapOffset(quint32 function)
{
    switch (function) {
    case 0x0940: return 6 + 4 + 12;     // DIBBITBLT: raster op, source y, x, height, width, y, x
    case 0x0B41: return 6 + 4 + 16;     // DIBSTRETCHBLT
    case 0x0F43: return 6 + 4 + 2 + 16; // STRETCHDIB: raster op, usage, eight coordinates
    case 0x0D33: return 6 + 2 + 16;     // SETDIBTODEV: usage, eight coordinates
    case 0x0142: return 6 + 4;          // DIBCREATEPATTERNBRUSH: style, usage
    default: return 0;
    }
}

bool WalkRecords(const QByteArray& file, QString& why)
{
    const auto* data = reinterpret_cast<const unsigned char*>(file.constData());
    const qint64 size = file.size();
    why = QStringLiteral("not a WMF picture");
    qint64 at = 0;
    if (size >= 22 && Le32(data) == 0x9AC6CDD7u)
        at = 22; // the placeable header: frame and units, read by the library
    if (at + 18 > size)
        return false;
    const quint32 type = Le16(data + at);
    if ((type != 1 && type != 2) || Le16(data + at + 2) != 9)
        return false;
    at += 18;
    qint64 records = 0;
    qint64 bitmapPixels = 0;
    for (;;) {
        if (at + 6 > size) {
            why = QStringLiteral("the WMF is cut short");
            return false;
        }
        const qint64 bytes = qint64(Le32(data + at)) * 2;
        const quint32 function = Le16(data + at + 4);
        if (bytes < 6 || at + bytes > size) {
            why = QStringLiteral("the WMF is cut short: a record runs past the end of the file");
            return false;
        }
        if (++records > kMaxWmfRecords) {
            why = QStringLiteral("the WMF has more than 100,000 records");
            return false;
        }
        if (function == 0 && bytes == 6)
            break; // the end record, as the library knows it: any other size plays on
        const unsigned char* record = data + at;
        const qint64 params = bytes - 6;
        bool fits = true;
        switch (function) {
        case 0x0324: // POLYGON
        case 0x0325: // POLYLINE
            fits = params >= 2 && 2 + 4 * qint64(Le16(record + 6)) <= params;
            break;
        case 0x0538: { // POLYPOLYGON
            const qint64 polygons = params >= 2 ? Le16(record + 6) : 0;
            fits = params >= 2 && 2 + 2 * polygons <= params;
            qint64 points = 0;
            for (qint64 i = 0; fits && i < polygons; ++i)
                points += Le16(record + 8 + 2 * i);
            fits = fits && 2 + 2 * polygons + 4 * points <= params;
            break;
        }
        case 0x00F7: // CREATEPALETTE
        case 0x0037: // SETPALENTRIES
        case 0x0436: // ANIMATEPALETTE
            fits = params >= 4 && 4 + 4 * qint64(Le16(record + 8)) <= params;
            break;
        case 0x0521: // TEXTOUT
            fits = params >= 2 && 2 + qint64(Le16(record + 6)) + 4 <= params + 1;
            break;
        case 0x0A32: { // EXTTEXTOUT: y, x, length, options, a rectangle when clipped or opaque
            const qint64 length = params >= 8 ? Le16(record + 10) : 0;
            const qint64 options = params >= 8 ? Le16(record + 12) : 0;
            fits = params >= 8 && 8 + ((options & 0x0006) ? 8 : 0) + length <= params;
            break;
        }
        default:
            break;
        }
        if (const int offset = BitmapOffset(function); fits && offset && bytes - offset >= 12) {
            QString bitmapWhy;
            fits = CheckEmbeddedBitmap(record + offset, bytes - offset, -1, bitmapPixels, bitmapWhy);
            if (!fits) {
                why = bitmapWhy;
                return false;
            }
        }
        if (!fits) {
            why = QStringLiteral("the WMF has a damaged record");
            return false;
        }
        at += bytes;
    }
    return true;
}

// Allocation through the budget: a small header before each block holds its size.
struct Allocator {
    std::size_t used = 0;
};

constexpr std::size_t kHeader = 16;

void* Allocate(void* context, std::size_t size)
{
    auto* a = static_cast<Allocator*>(context);
    if (size > kLibraryMemory - std::min(a->used, kLibraryMemory))
        return nullptr;
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (!block)
        return nullptr;
    std::memcpy(block, &size, sizeof size);
    a->used += size;
    return block + kHeader;
}

void Release(void* context, void* memory)
{
    if (!memory)
        return;
    auto* block = static_cast<unsigned char*>(memory) - kHeader;
    std::size_t size;
    std::memcpy(&size, block, sizeof size);
    static_cast<Allocator*>(context)->used -= size;
    std::free(block);
}

void* Reallocate(void* context, void* memory, std::size_t size)
{
    if (!memory)
        return Allocate(context, size);
    auto* a = static_cast<Allocator*>(context);
    auto* block = static_cast<unsigned char*>(memory) - kHeader;
    std::size_t old;
    std::memcpy(&old, block, sizeof old);
    if (size > old && size - old > kLibraryMemory - std::min(a->used, kLibraryMemory))
        return nullptr;
    auto* grown = static_cast<unsigned char*>(std::realloc(block, size + kHeader));
    if (!grown)
        return nullptr;
    std::memcpy(grown, &size, sizeof size);
    a->used = a->used - old + size;
    return grown + kHeader;
}

// The drawing layer's own functions, each first charged to the budget. Shapes come in the
// metafile's device units; scale turns them into pixels of the drawn picture.
struct Metering {
    wmfFunctionReference real;
    DrawBudget budget{kWmfDrawBudget};
    double scaleX = 1;
    double scaleY = 1;
    double canvas = 0;

    bool charge(double x0, double y0, double x1, double y1, double extra = 0)
    {
        const double area = std::min(canvas, std::fabs(x1 - x0) * scaleX * std::fabs(y1 - y0) * scaleY);
        return budget.spend(area + extra);
    }
    bool chargePoints(const wmfD_Coord* points, int count)
    {
        if (!points || count <= 0)
            return budget.spend(0);
        double x0 = points[0].x, x1 = x0, y0 = points[0].y, y1 = y0;
        for (int i = 1; i < count; ++i) {
            x0 = std::min<double>(x0, points[i].x);
            x1 = std::max<double>(x1, points[i].x);
            y0 = std::min<double>(y0, points[i].y);
            y1 = std::max<double>(y1, points[i].y);
        }
        return charge(x0, y0, x1, y1, 8.0 * count);
    }
};

Metering* MeteringOf(wmfAPI* api)
{
    return static_cast<Metering*>(api->user_data);
}

void MeterFloodInterior(wmfAPI* api, wmfFlood_t* d)
{
    if (MeteringOf(api)->budget.spend(MeteringOf(api)->canvas))
        MeteringOf(api)->real.flood_interior(api, d);
}
void MeterFloodExterior(wmfAPI* api, wmfFlood_t* d)
{
    if (MeteringOf(api)->budget.spend(MeteringOf(api)->canvas))
        MeteringOf(api)->real.flood_exterior(api, d);
}
void MeterPixel(wmfAPI* api, wmfDrawPixel_t* d)
{
    if (MeteringOf(api)->budget.spend(1))
        MeteringOf(api)->real.draw_pixel(api, d);
}
void MeterPie(wmfAPI* api, wmfDrawArc_t* d)
{
    if (MeteringOf(api)->charge(d->TL.x, d->TL.y, d->BR.x, d->BR.y))
        MeteringOf(api)->real.draw_pie(api, d);
}
void MeterChord(wmfAPI* api, wmfDrawArc_t* d)
{
    if (MeteringOf(api)->charge(d->TL.x, d->TL.y, d->BR.x, d->BR.y))
        MeteringOf(api)->real.draw_chord(api, d);
}
void MeterArc(wmfAPI* api, wmfDrawArc_t* d)
{
    if (MeteringOf(api)->charge(d->TL.x, d->TL.y, d->BR.x, d->BR.y))
        MeteringOf(api)->real.draw_arc(api, d);
}
void MeterEllipse(wmfAPI* api, wmfDrawArc_t* d)
{
    if (MeteringOf(api)->charge(d->TL.x, d->TL.y, d->BR.x, d->BR.y))
        MeteringOf(api)->real.draw_ellipse(api, d);
}
void MeterLine(wmfAPI* api, wmfDrawLine_t* d)
{
    if (MeteringOf(api)->charge(d->from.x, d->from.y, d->to.x, d->to.y))
        MeteringOf(api)->real.draw_line(api, d);
}
void MeterPolyLine(wmfAPI* api, wmfPolyLine_t* d)
{
    if (MeteringOf(api)->chargePoints(d->pt, d->count))
        MeteringOf(api)->real.poly_line(api, d);
}
void MeterPolygon(wmfAPI* api, wmfPolyLine_t* d)
{
    if (MeteringOf(api)->chargePoints(d->pt, d->count))
        MeteringOf(api)->real.draw_polygon(api, d);
}
void MeterPolyPolygon(wmfAPI* api, wmfPolyPoly_t* d)
{
    bool ok = true;
    for (int i = 0; ok && d->pt && d->count && i < d->npoly; ++i)
        ok = MeteringOf(api)->chargePoints(d->pt[i], d->count[i]);
    if (ok)
        MeteringOf(api)->real.draw_polypolygon(api, d);
}
void MeterRectangle(wmfAPI* api, wmfDrawRectangle_t* d)
{
    if (MeteringOf(api)->charge(d->TL.x, d->TL.y, d->BR.x, d->BR.y))
        MeteringOf(api)->real.draw_rectangle(api, d);
}
void MeterRop(wmfAPI* api, wmfROP_Draw_t* d)
{
    if (MeteringOf(api)->charge(d->TL.x, d->TL.y, d->BR.x, d->BR.y))
        MeteringOf(api)->real.rop_draw(api, d);
}
void MeterBitmap(wmfAPI* api, wmfBMP_Draw_t* d)
{
    // The library visits every pixel of the destination, inside the picture or not.
    Metering* m = MeteringOf(api);
    const double width = std::fabs(double(d->crop.w) * d->pixel_width) * m->scaleX;
    const double height = std::fabs(double(d->crop.h) * d->pixel_height) * m->scaleY;
    if (m->budget.spend((width + 1) * (height + 1) + double(d->bmp.width) * d->bmp.height))
        m->real.bmp_draw(api, d);
}
void MeterText(wmfAPI* api, wmfDrawText_t* d)
{
    if (MeteringOf(api)->charge(d->TL.x, d->TL.y, d->BR.x, d->BR.y))
        MeteringOf(api)->real.draw_text(api, d);
}
void MeterRegions(wmfAPI* api, wmfPolyRectangle_t* d, void (*real)(wmfAPI*, wmfPolyRectangle_t*))
{
    bool ok = true;
    for (unsigned i = 0; ok && d->TL && d->BR && i < d->count; ++i)
        ok = MeteringOf(api)->charge(d->TL[i].x, d->TL[i].y, d->BR[i].x, d->BR[i].y);
    if (ok)
        real(api, d);
}
void MeterRegionFrame(wmfAPI* api, wmfPolyRectangle_t* d)
{
    MeterRegions(api, d, MeteringOf(api)->real.region_frame);
}
void MeterRegionPaint(wmfAPI* api, wmfPolyRectangle_t* d)
{
    MeterRegions(api, d, MeteringOf(api)->real.region_paint);
}

// The drawing comes back as a PNG through this sink: the drawing surface is then freed by the
// library itself, which it never does for a surface handed out whole.
int CollectPng(void* context, char* buffer, int length)
{
    if (length > 0)
        static_cast<QByteArray*>(context)->append(buffer, length);
    return length;
}

int StopWhenSpent(void* context, float)
{
    return static_cast<Metering*>(context)->budget.exceeded() ? 1 : 0;
}

struct ApiCloser {
    wmfAPI* api = nullptr;
    ~ApiCloser()
    {
        if (api) {
            wmf_mem_close(api);
            wmf_api_destroy(api);
        }
    }
};

} // namespace

DecodeStatus DecodeWmf(const QByteArray& bytes, const TargetForSize& targetFor, DecodedPicture& out)
{
    return DecodeWmf(PictureSource(bytes), targetFor, out);
}

DecodeStatus DecodeWmf(const PictureSource& source, const TargetForSize& targetFor, DecodedPicture& out)
{
    QByteArray file;
    QString why;
    if (const DecodeStatus read = ReadWhole(source, file, why); read != DecodeStatus::Ok)
        return Refuse(out, read, why);
    if (!WalkRecords(file, why))
        return Refuse(out, DecodeStatus::Unreadable, why);

    Allocator allocator;
    wmfAPI_Options options;
    std::memset(&options, 0, sizeof options);
    options.context = &allocator;
    options.malloc = Allocate;
    options.realloc = Reallocate;
    options.free = Release;
    options.function = wmf_gd_function;
    const unsigned long flags = WMF_OPT_ALLOC | WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    ApiCloser closer;
    const QString damaged = QStringLiteral("not a readable WMF picture");
    if (wmf_api_create(&closer.api, flags, &options) != wmf_E_None || !closer.api)
        return Refuse(out, DecodeStatus::Unreadable, damaged);
    wmfAPI* api = closer.api;
    auto* data = reinterpret_cast<unsigned char*>(const_cast<char*>(file.constData()));
    if (wmf_mem_open(api, data, static_cast<long>(file.size())) != wmf_E_None)
        return Refuse(out, DecodeStatus::Unreadable, damaged);
    wmfD_Rect box;
    if (wmf_scan(api, 0, &box) != wmf_E_None)
        return Refuse(out, DecodeStatus::Unreadable, damaged);
    unsigned width = 0, height = 0;
    if (wmf_display_size(api, &width, &height, 96, 96) != wmf_E_None)
        return Refuse(out, DecodeStatus::Unreadable, damaged);
    if (!FrameSize(width, height, out.uprightSize))
        return Refuse(out, DecodeStatus::Unreadable, QStringLiteral("the WMF has no size"));
    const double boxWidth = double(box.BR.x) - box.TL.x;
    const double boxHeight = double(box.BR.y) - box.TL.y;
    if (!(boxWidth > 0 && boxHeight > 0))
        return Refuse(out, DecodeStatus::Unreadable, QStringLiteral("the WMF draws nothing"));
    const QSize target = (targetFor ? targetFor(out.uprightSize) : out.uprightSize).boundedTo(QSize(4096, 4096));

    auto* device = WMF_GD_GetData(api);
    if (!(device->flags & WMF_GD_SUPPORTS_PNG))
        return Refuse(out, DecodeStatus::Unreadable, QStringLiteral("WMF pictures cannot be drawn here"));
    QByteArray drawn;
    device->type = wmf_gd_png;
    device->flags |= WMF_GD_OUTPUT_MEMORY | WMF_GD_OWN_BUFFER;
    device->sink.context = &drawn;
    device->sink.function = CollectPng;
    device->bbox = box;
    device->width = static_cast<unsigned>(target.width());
    device->height = static_cast<unsigned>(target.height());
    auto* functions = static_cast<wmfFunctionReference*>(api->function_reference);
    Metering metering;
    metering.real = *functions;
    metering.scaleX = target.width() / boxWidth;
    metering.scaleY = target.height() / boxHeight;
    metering.canvas = double(target.width()) * target.height();
    api->user_data = &metering;
    functions->flood_interior = MeterFloodInterior;
    functions->flood_exterior = MeterFloodExterior;
    functions->draw_pixel = MeterPixel;
    functions->draw_pie = MeterPie;
    functions->draw_chord = MeterChord;
    functions->draw_arc = MeterArc;
    functions->draw_ellipse = MeterEllipse;
    functions->draw_line = MeterLine;
    functions->poly_line = MeterPolyLine;
    functions->draw_polygon = MeterPolygon;
    functions->draw_polypolygon = MeterPolyPolygon;
    functions->draw_rectangle = MeterRectangle;
    functions->rop_draw = MeterRop;
    functions->bmp_draw = MeterBitmap;
    functions->draw_text = MeterText;
    functions->region_frame = MeterRegionFrame;
    functions->region_paint = MeterRegionPaint;
    wmf_status_function(api, &metering, StopWhenSpent);

    const wmf_error_t played = wmf_play(api, 0, &box);
    if (metering.budget.exceeded())
        return Refuse(out, DecodeStatus::TooLarge, QStringLiteral("the WMF draws more than a picture can hold"));
    if (played != wmf_E_None || drawn.isEmpty())
        return Refuse(out, DecodeStatus::Unreadable, damaged);
    DecodedPicture picture;
    if (DecodePng(drawn, nullptr, picture) != DecodeStatus::Ok || picture.image.size() != target)
        return Refuse(out, DecodeStatus::Unreadable, damaged);
    QImage image = picture.image;
    if (image.hasAlphaChannel()) {
        // See-through parts are laid on white.
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                line[x] = OverWhite(line[x]);
        }
        image = image.convertToFormat(QImage::Format_RGB32);
    }
    out.image = image;
    return DecodeStatus::Ok;
}

} // namespace picture
