#include "picture/bmpdecoder.h"

#include "picture/areareducer.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <vector>

namespace picture {
namespace {

quint32 Le16(const unsigned char* p)
{
    return p[0] | (p[1] << 8);
}

quint32 Le32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (quint32(p[3]) << 24);
}

const QString kCutShort = QStringLiteral("the bitmap is cut short");

// One colour channel under a mask, widened or narrowed to 8 bits.
class Channel {
public:
    explicit Channel(quint32 mask)
        : shift_(mask ? std::countr_zero(mask) : 0), bits_(std::popcount(mask)), mask_(mask)
    {
        if (bits_ > 0 && bits_ < 8) {
            const quint32 top = (1u << bits_) - 1;
            for (quint32 v = 0; v <= top; ++v)
                widen_[v] = (v * 255 + top / 2) / top;
        }
    }
    quint32 operator()(quint32 pixel) const
    {
        if (bits_ == 0)
            return 0;
        const quint32 v = (pixel & mask_) >> shift_;
        return bits_ >= 8 ? v >> (bits_ - 8) : widen_[v];
    }

private:
    int shift_;
    int bits_;
    quint32 mask_;
    quint32 widen_[128] = {};
};

// Turns one stored row into pixels.
class RowConverter {
public:
    explicit RowConverter(const DibLayout& layout)
        : layout_(layout), red_(layout.masks[0]), green_(layout.masks[1]), blue_(layout.masks[2]), alpha_(layout.alpha ? layout.masks[3] : 0)
    {
        plainMasks_ = layout.masks[0] == 0xff0000u && layout.masks[1] == 0xff00u && layout.masks[2] == 0xffu
            && (!layout.alpha || layout.masks[3] == 0xff000000u);
        if (layout.bits == 16) {
            wide_.resize(65536);
            for (quint32 v = 0; v < 65536; ++v)
                wide_[v] = pixel(v);
        }
    }

    void convert(const unsigned char* in, quint32* out) const
    {
        const int width = layout_.size.width();
        const quint32* palette = layout_.palette;
        switch (layout_.bits) {
        case 1:
            for (int x = 0; x < width; ++x)
                out[x] = palette[(in[x >> 3] >> (7 - (x & 7))) & 1];
            break;
        case 4:
            for (int x = 0; x < width; ++x)
                out[x] = palette[(in[x >> 1] >> ((x & 1) ? 0 : 4)) & 15];
            break;
        case 8:
            for (int x = 0; x < width; ++x)
                out[x] = palette[in[x]];
            break;
        case 16:
            for (int x = 0; x < width; ++x)
                out[x] = wide_[Le16(in + 2 * x)];
            break;
        case 24:
            for (int x = 0; x < width; ++x, in += 3)
                out[x] = 0xff000000u | (quint32(in[2]) << 16) | (quint32(in[1]) << 8) | in[0];
            break;
        default:
            if (plainMasks_) {
                const quint32 opaque = layout_.alpha ? 0 : 0xff000000u;
                for (int x = 0; x < width; ++x)
                    out[x] = Le32(in + 4 * x) | opaque;
            } else {
                for (int x = 0; x < width; ++x)
                    out[x] = pixel(Le32(in + 4 * x));
            }
            break;
        }
    }

    // Indices of a run-length coded row.
    void convertIndices(const unsigned char* indices, quint32* out) const
    {
        for (int x = 0; x < layout_.size.width(); ++x)
            out[x] = layout_.palette[indices[x]];
    }

private:
    quint32 pixel(quint32 v) const
    {
        const quint32 a = layout_.alpha ? alpha_(v) : 255;
        return (a << 24) | (red_(v) << 16) | (green_(v) << 8) | blue_(v);
    }

    const DibLayout& layout_;
    Channel red_, green_, blue_, alpha_;
    bool plainMasks_ = false;
    std::vector<quint32> wide_;
};

bool ReadPlainRows(const PictureSource& source, const DibLayout& layout, const std::function<void(int, const quint32*)>& row, QString& why)
{
    const int width = layout.size.width();
    const int height = layout.size.height();
    const RowConverter converter(layout);
    std::vector<quint32> pixels(static_cast<std::size_t>(width));
    std::vector<unsigned char> copy(static_cast<std::size_t>(layout.stride));
    SourceReader reader(source, layout.pixelOffset, std::max<qint64>(64 * 1024, layout.stride));
    for (int i = 0; i < height; ++i) {
        qint64 available = 0;
        const unsigned char* bytes = reader.peek(available);
        if (!bytes || available < layout.stride) {
            if (!reader.readExactly(copy.data(), layout.stride)) {
                why = kCutShort;
                return false;
            }
            bytes = copy.data();
        } else {
            reader.skip(layout.stride);
        }
        converter.convert(bytes, pixels.data());
        row(layout.topDown ? i : height - 1 - i, pixels.data());
    }
    return true;
}

bool ReadRunLengthRows(const PictureSource& source, const DibLayout& layout, const std::function<void(int, const quint32*)>& row, QString& why)
{
    const int width = layout.size.width();
    const int height = layout.size.height();
    const bool eight = layout.compression == 1;
    const RowConverter converter(layout);
    std::vector<unsigned char> indices(static_cast<std::size_t>(width), 0);
    std::vector<quint32> pixels(static_cast<std::size_t>(width));
    SourceReader reader(source, layout.pixelOffset);
    int x = 0;
    int y = 0; // rows done, from the bottom
    const auto endRow = [&] {
        converter.convertIndices(indices.data(), pixels.data());
        row(height - 1 - y, pixels.data());
        std::fill(indices.begin(), indices.end(), 0);
        x = 0;
        ++y;
    };
    const auto put = [&](unsigned char value) {
        if (x < width)
            indices[std::size_t(x)] = value;
        ++x;
    };
    unsigned char literal[256];
    while (y < height) {
        unsigned char code[2];
        if (!reader.readExactly(code, 2)) {
            why = kCutShort;
            return false;
        }
        if (code[0] > 0) {
            for (int k = 0; k < code[0]; ++k)
                put(eight ? code[1] : (k & 1) ? code[1] & 15 : code[1] >> 4);
            continue;
        }
        switch (code[1]) {
        case 0:
            endRow();
            break;
        case 1:
            while (y < height)
                endRow();
            return true;
        case 2: {
            unsigned char delta[2];
            if (!reader.readExactly(delta, 2)) {
                why = kCutShort;
                return false;
            }
            for (int k = 0; k < delta[1] && y < height; ++k) {
                const int keep = x;
                endRow();
                x = keep;
            }
            x += delta[0];
            break;
        }
        default: {
            const int n = code[1];
            int bytes = eight ? n : (n + 1) / 2;
            bytes += bytes & 1;
            if (!reader.readExactly(literal, bytes)) {
                why = kCutShort;
                return false;
            }
            for (int k = 0; k < n; ++k)
                put(eight ? literal[k] : (k & 1) ? literal[k / 2] & 15 : literal[k / 2] >> 4);
            break;
        }
        }
    }
    return true;
}

} // namespace

bool ReadDibLayout(const PictureSource& source, qint64 offset, qint64 pixelOffset, int heightScale, DibLayout& layout,
                   DecodeStatus& status, QString& why)
{
    status = DecodeStatus::Unreadable;
    unsigned char header[124] = {};
    if (!source.readExactly(offset, header, 4)) {
        why = QStringLiteral("not a readable bitmap");
        return false;
    }
    const quint32 headerSize = Le32(header);
    static const quint32 known[] = {12, 16, 40, 52, 56, 64, 108, 124};
    if (std::find(std::begin(known), std::end(known), headerSize) == std::end(known)) {
        why = QStringLiteral("not a readable bitmap");
        return false;
    }
    if (!source.readExactly(offset, header, headerSize)) {
        why = kCutShort;
        return false;
    }
    const bool core = headerSize == 12;
    qint64 width, height;
    quint32 compression = 0, coloursUsed = 0;
    int bits;
    if (core) {
        width = Le16(header + 4);
        height = Le16(header + 6);
        bits = static_cast<int>(Le16(header + 10));
    } else {
        width = static_cast<qint32>(Le32(header + 4));
        height = static_cast<qint32>(Le32(header + 8));
        bits = static_cast<int>(Le16(header + 14));
        if (headerSize >= 20)
            compression = Le32(header + 16);
        if (headerSize >= 36)
            coloursUsed = Le32(header + 32);
        if (headerSize >= 32) {
            layout.dotsPerMeterX = std::max(0, static_cast<qint32>(Le32(header + 24)));
            layout.dotsPerMeterY = std::max(0, static_cast<qint32>(Le32(header + 28)));
        }
    }
    layout.topDown = height < 0;
    height = (height < 0 ? -height : height) / std::max(1, heightScale);
    const DecodeStatus sized = CheckPictureSize(width, height, &why);
    if (sized != DecodeStatus::Ok) {
        status = sized;
        return false;
    }
    layout.size = QSize(static_cast<int>(width), static_cast<int>(height));
    layout.bits = bits;
    layout.compression = static_cast<int>(compression);
    const bool depthKnown = core ? (bits == 1 || bits == 4 || bits == 8 || bits == 24)
                                 : (bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32);
    if (!depthKnown) {
        why = QStringLiteral("bitmaps of %1 bits a pixel are not read").arg(bits);
        return false;
    }
    const bool masked = compression == 3 || compression == 6;
    const bool compressionFits = compression == 0 || (compression == 1 && bits == 8) || (compression == 2 && bits == 4)
        || (masked && (bits == 16 || bits == 32) && headerSize != 64);
    if (!compressionFits) {
        why = QStringLiteral("bitmaps packed this way are not read");
        return false;
    }
    if (layout.topDown && (compression == 1 || compression == 2)) {
        why = QStringLiteral("not a readable bitmap: run-length rows stored top-down");
        return false;
    }

    qint64 paletteAt = offset + headerSize;
    if (masked) {
        if (headerSize == 40) {
            const int count = compression == 6 ? 4 : 3;
            unsigned char masks[16] = {};
            if (!source.readExactly(paletteAt, masks, 4 * count)) {
                why = kCutShort;
                return false;
            }
            for (int i = 0; i < count; ++i)
                layout.masks[i] = Le32(masks + 4 * i);
            paletteAt += 4 * count;
        } else {
            for (int i = 0; i < 4; ++i)
                layout.masks[i] = headerSize >= 52 + 4 * quint32(i) ? Le32(header + 40 + 4 * i) : 0;
        }
        layout.alpha = layout.masks[3] != 0;
        // Each mask one run of bits inside the pixel.
        const quint32 inside = bits == 16 ? 0xffffu : 0xffffffffu;
        for (const quint32 mask : layout.masks) {
            const quint32 run = mask ? mask >> std::countr_zero(mask) : 0;
            if ((mask & ~inside) || (run & (run + 1))) {
                why = QStringLiteral("bitmaps with these colour masks are not read");
                return false;
            }
        }
    } else if (bits == 16) {
        layout.masks[0] = 0x7c00;
        layout.masks[1] = 0x03e0;
        layout.masks[2] = 0x001f;
    } else if (bits == 32) {
        layout.masks[0] = 0xff0000u;
        layout.masks[1] = 0xff00u;
        layout.masks[2] = 0xffu;
    }

    const int entrySize = core ? 3 : 4;
    const qint64 paletteEntries = bits <= 8 ? (coloursUsed ? std::min<qint64>(coloursUsed, qint64(1) << 16) : (qint64(1) << bits)) : coloursUsed;
    const int wanted = bits <= 8 ? static_cast<int>(std::min<qint64>(paletteEntries, qint64(1) << bits)) : 0;
    std::fill(std::begin(layout.palette), std::end(layout.palette), 0xff000000u);
    if (wanted > 0) {
        unsigned char entries[256 * 4];
        if (!source.readExactly(paletteAt, entries, qint64(wanted) * entrySize)) {
            why = kCutShort;
            return false;
        }
        for (int i = 0; i < wanted; ++i) {
            const unsigned char* e = entries + i * entrySize;
            layout.palette[i] = 0xff000000u | (quint32(e[2]) << 16) | (quint32(e[1]) << 8) | e[0];
        }
    }
    layout.pixelOffset = pixelOffset > 0 ? pixelOffset : paletteAt + paletteEntries * entrySize;
    layout.stride = (qint64(width) * bits + 31) / 32 * 4;
    if (compression != 1 && compression != 2 && layout.pixelOffset + layout.stride * height > source.size()) {
        why = kCutShort;
        return false;
    }
    status = DecodeStatus::Ok;
    return true;
}

bool ReadDibRows(const PictureSource& source, const DibLayout& layout, const std::function<void(int, const quint32*)>& row, QString& why)
{
    if (layout.compression == 1 || layout.compression == 2)
        return ReadRunLengthRows(source, layout, row, why);
    return ReadPlainRows(source, layout, row, why);
}

namespace {

bool ReadFileLayout(const PictureSource& source, DibLayout& layout, DecodeStatus& status, QString& why)
{
    unsigned char head[14] = {};
    if (!source.readExactly(0, head, 14) || head[0] != 'B' || head[1] != 'M') {
        status = DecodeStatus::Unreadable;
        why = QStringLiteral("not a bitmap");
        return false;
    }
    // An offset inside the headers is a writer's slip: the pixels then follow the palette.
    const qint64 offset = Le32(head + 10);
    return ReadDibLayout(source, 14, offset >= 14 + 12 ? offset : 0, 1, layout, status, why);
}

} // namespace

DecodeStatus DecodeBmp(const QByteArray& bytes, const TargetForSize& targetFor, DecodedPicture& out)
{
    return DecodeBmp(PictureSource(bytes), targetFor, out);
}

DecodeStatus DecodeBmp(const PictureSource& source, const TargetForSize& targetFor, DecodedPicture& out)
{
    const auto layout = std::make_unique<DibLayout>();
    DecodeStatus status;
    QString why;
    if (!ReadFileLayout(source, *layout, status, why))
        return Refuse(out, status, why);
    out.uprightSize = layout->size;
    const QSize target = targetFor ? targetFor(layout->size) : layout->size;
    AreaReducer reducer(layout->size, target, layout->alpha);
    if (!reducer.isValid())
        return Refuse(out, DecodeStatus::Unreadable, QStringLiteral("not enough memory for the picture"));
    if (!ReadDibRows(source, *layout, [&](int y, const quint32* pixels) { reducer.addRow(y, pixels); }, why))
        return Refuse(out, DecodeStatus::Unreadable, why);
    out.image = reducer.result();
    if (out.image.isNull())
        return Refuse(out, DecodeStatus::Unreadable, QStringLiteral("not enough memory for the picture"));
    return DecodeStatus::Ok;
}

bool ReadBitmapOfSize(const QByteArray& bytes, QSize size, QImage& image, QString& why)
{
    const PictureSource source(bytes);
    const auto layout = std::make_unique<DibLayout>();
    DecodeStatus status;
    if (!ReadFileLayout(source, *layout, status, why)) {
        if (why != QLatin1String("not a bitmap") && why != kCutShort)
            why = QStringLiteral("not a readable bitmap");
        return false;
    }
    if (layout->size != size) {
        why = QStringLiteral("the bitmap is %1 x %2, not %3 x %4").arg(layout->size.width()).arg(layout->size.height()).arg(size.width()).arg(size.height());
        return false;
    }
    layout->alpha = false;
    QImage result(size, QImage::Format_RGB32);
    if (result.isNull()) {
        why = QStringLiteral("not enough memory for the picture");
        return false;
    }
    const std::size_t rowBytes = std::size_t(size.width()) * 4;
    if (!ReadDibRows(source, *layout, [&](int y, const quint32* pixels) { std::memcpy(result.scanLine(y), pixels, rowBytes); }, why))
        return false;
    if (layout->dotsPerMeterX > 0 && layout->dotsPerMeterY > 0) {
        result.setDotsPerMeterX(layout->dotsPerMeterX);
        result.setDotsPerMeterY(layout->dotsPerMeterY);
    }
    image = result;
    return true;
}

} // namespace picture
