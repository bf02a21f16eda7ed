#include "picture/icodecoder.h"

#include "picture/bmpdecoder.h"
#include "picture/areareducer.h"
#include "picture/pngdecoder.h"

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

struct Entry {
    qint64 offset = 0;
    qint64 size = 0;
    qint64 area = 0;
    int bits = 0;
};

} // namespace

DecodeStatus DecodeIco(const QByteArray& bytes, const TargetForSize& targetFor, DecodedPicture& out)
{
    return DecodeIco(PictureSource(bytes), targetFor, out);
}

DecodeStatus DecodeIco(const PictureSource& source, const TargetForSize& targetFor, DecodedPicture& out)
{
    const QString notIcon = QStringLiteral("not an ICO picture");
    unsigned char head[6];
    if (!source.readExactly(0, head, 6) || Le16(head) != 0 || (Le16(head + 2) != 1 && Le16(head + 2) != 2) || Le16(head + 4) == 0)
        return Refuse(out, DecodeStatus::Unreadable, notIcon);
    const int count = static_cast<int>(Le16(head + 4));
    std::vector<unsigned char> directory(std::size_t(count) * 16);
    if (!source.readExactly(6, directory.data(), qint64(directory.size())))
        return Refuse(out, DecodeStatus::Unreadable, QStringLiteral("the icon is cut short"));
    Entry best;
    for (int i = 0; i < count; ++i) {
        const unsigned char* e = directory.data() + 16 * i;
        Entry entry;
        const int w = e[0] ? e[0] : 256;
        const int h = e[1] ? e[1] : 256;
        entry.area = qint64(w) * h;
        entry.bits = static_cast<int>(Le16(e + 6));
        entry.size = Le32(e + 8);
        entry.offset = Le32(e + 12);
        if (entry.offset < 6 + qint64(count) * 16 || entry.size < 16 || entry.offset + entry.size > source.size())
            return Refuse(out, DecodeStatus::Unreadable, QStringLiteral("the icon is cut short: an entry lies beyond the end of the file"));
        if (entry.area > best.area || (entry.area == best.area && entry.bits > best.bits))
            best = entry;
    }

    const PictureSource image = source.part(best.offset, best.size);
    unsigned char signature[8] = {};
    image.readExactly(0, signature, 8);
    if (std::memcmp(signature, "\x89PNG\r\n\x1a\n", 8) == 0)
        return DecodePng(image, targetFor, out);

    const auto layout = std::make_unique<DibLayout>();
    DecodeStatus status;
    QString why;
    if (!ReadDibLayout(image, 0, 0, 2, *layout, status, why))
        return Refuse(out, status, why);
    if (layout->topDown || layout->compression == 1 || layout->compression == 2)
        return Refuse(out, DecodeStatus::Unreadable, notIcon);
    const QSize size = layout->size;
    // The mask follows the colour rows: one bit a pixel, set where the icon is see-through.
    const qint64 maskStride = (qint64(size.width()) + 31) / 32 * 4;
    const qint64 maskAt = layout->pixelOffset + layout->stride * size.height();
    std::vector<unsigned char> mask;
    if (maskAt + maskStride * size.height() <= image.size()) {
        mask.resize(std::size_t(maskStride * size.height()));
        if (!image.readExactly(maskAt, mask.data(), qint64(mask.size())))
            mask.clear();
    } else if (layout->bits != 32) {
        return Refuse(out, DecodeStatus::Unreadable, QStringLiteral("the icon is cut short"));
    }
    // 32-bit icons carry alpha in their fourth byte; one whose alpha is all zero relies on the mask.
    bool anyAlpha = false;
    if (layout->bits == 32 && layout->compression == 0) {
        layout->alpha = true;
        layout->masks[3] = 0xff000000u;
        ReadDibRows(image, *layout, [&](int, const quint32* row) {
            for (int x = 0; x < size.width() && !anyAlpha; ++x)
                anyAlpha = (row[x] >> 24) != 0;
        }, why);
        layout->alpha = anyAlpha;
    }
    out.uprightSize = size;
    const QSize target = targetFor ? targetFor(size) : size;
    AreaReducer reducer(size, target, true);
    if (!reducer.isValid())
        return Refuse(out, DecodeStatus::Unreadable, QStringLiteral("not enough memory for the picture"));
    std::vector<quint32> masked(static_cast<std::size_t>(size.width()));
    const bool ok = ReadDibRows(image, *layout, [&](int y, const quint32* row) {
        const unsigned char* bits = mask.empty() ? nullptr : mask.data() + (size.height() - 1 - y) * maskStride;
        for (int x = 0; x < size.width(); ++x) {
            quint32 c = anyAlpha ? row[x] : (row[x] | 0xff000000u);
            if (!anyAlpha && bits && (bits[x >> 3] & (0x80 >> (x & 7))))
                c &= 0x00ffffffu;
            masked[std::size_t(x)] = c;
        }
        reducer.addRow(y, masked.data());
    }, why);
    if (!ok)
        return Refuse(out, DecodeStatus::Unreadable, why);
    out.image = reducer.result();
    if (out.image.isNull())
        return Refuse(out, DecodeStatus::Unreadable, QStringLiteral("not enough memory for the picture"));
    return DecodeStatus::Ok;
}

} // namespace picture
