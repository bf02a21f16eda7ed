#include "picture/boxreducer.h"

#include <algorithm>
#include <cstring>

namespace picture {

BoxReducer::BoxReducer(QSize source, int factor, bool withAlpha)
    : source_(source), factor_(std::clamp(factor, 1, 4000)), alpha_(withAlpha) // 255 x 4000^2 fits 32 bits
{
    out_ = QSize((source.width() + factor_ - 1) / factor_, (source.height() + factor_ - 1) / factor_);
    if (factor_ == 1) {
        image_ = QImage(source, alpha_ ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        valid_ = !image_.isNull();
        if (valid_)
            image_.fill(alpha_ ? 0xffffffffu : 0xff000000u);
        return;
    }
    try {
        sums_.assign(std::size_t(out_.width()) * std::size_t(out_.height()) * 3, 0);
    } catch (const std::bad_alloc&) {
        valid_ = false;
    }
}

quint32* BoxReducer::sumsOf(int y)
{
    return sums_.data() + std::size_t(y / factor_) * std::size_t(out_.width()) * 3;
}

void BoxReducer::addRow(int y, const quint32* pixels)
{
    if (!valid_ || y < 0 || y >= source_.height())
        return;
    const int width = source_.width();
    if (factor_ == 1) {
        std::memcpy(image_.scanLine(y), pixels, std::size_t(width) * 4);
        return;
    }
    quint32* s = sumsOf(y);
    const int f = factor_;
    int x = 0;
    for (int ox = 0; ox < out_.width(); ++ox, s += 3) {
        const int end = std::min(x + f, width);
        quint32 r = 0, g = 0, b = 0;
        if (alpha_) {
            for (; x < end; ++x) {
                const quint32 c = OverWhite(pixels[x]);
                r += (c >> 16) & 0xff;
                g += (c >> 8) & 0xff;
                b += c & 0xff;
            }
        } else {
            for (; x < end; ++x) {
                const quint32 c = pixels[x];
                r += (c >> 16) & 0xff;
                g += (c >> 8) & 0xff;
                b += c & 0xff;
            }
        }
        s[0] += r;
        s[1] += g;
        s[2] += b;
    }
}

void BoxReducer::addPixels(int y, int x0, int step, const quint32* pixels, int count)
{
    if (!valid_ || y < 0 || y >= source_.height() || step < 1)
        return;
    if (step == 1 && x0 == 0 && count >= source_.width()) {
        addRow(y, pixels);
        return;
    }
    const int width = source_.width();
    if (factor_ == 1) {
        auto* line = reinterpret_cast<quint32*>(image_.scanLine(y));
        for (int i = 0, x = x0; i < count && x < width; ++i, x += step)
            line[x] = pixels[i];
        return;
    }
    quint32* s = sumsOf(y);
    // The block of x, followed without dividing: x0 / f once, then a running boundary.
    int ox = x0 / factor_;
    int boundary = (ox + 1) * factor_;
    quint32* block = s + 3 * ox;
    for (int i = 0, x = x0; i < count && x < width; ++i, x += step) {
        while (x >= boundary) {
            boundary += factor_;
            block += 3;
        }
        const quint32 c = alpha_ ? OverWhite(pixels[i]) : pixels[i];
        block[0] += (c >> 16) & 0xff;
        block[1] += (c >> 8) & 0xff;
        block[2] += c & 0xff;
    }
}

QImage BoxReducer::result()
{
    if (!valid_)
        return QImage();
    if (factor_ == 1)
        return image_;
    QImage image(out_, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    const int f = factor_;
    for (int oy = 0; oy < out_.height(); ++oy) {
        const int rows = std::min(f, source_.height() - oy * f);
        const quint32* s = sums_.data() + std::size_t(oy) * std::size_t(out_.width()) * 3;
        auto* line = reinterpret_cast<quint32*>(image.scanLine(oy));
        for (int ox = 0; ox < out_.width(); ++ox, s += 3) {
            const quint32 area = quint32(rows * std::min(f, source_.width() - ox * f));
            const quint32 half = area / 2;
            line[ox] = 0xff000000u | (((s[0] + half) / area) << 16) | (((s[1] + half) / area) << 8) | ((s[2] + half) / area);
        }
    }
    sums_ = std::vector<quint32>();
    return image;
}

} // namespace picture
