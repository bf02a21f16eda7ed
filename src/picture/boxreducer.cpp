#include "picture/boxreducer.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace picture {
namespace {

// Two channels to a word stay apart for this many rows: 257 x 255 still fits 16 bits.
constexpr int kGatherRows = 257;

// first: the band's first row, stored rather than added.
template <bool first>
void Gather(const quint32* __restrict pixels, quint32* __restrict redBlue, quint32* __restrict green, int width)
{
    int x = 0;
#if defined(__SSE2__)
    const __m128i mask = _mm_set1_epi32(0x00ff00ff);
    const __m128i low = _mm_set1_epi32(0xff);
    for (; x + 4 <= width; x += 4) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + x));
        auto* rb = reinterpret_cast<__m128i*>(redBlue + x);
        auto* g = reinterpret_cast<__m128i*>(green + x);
        const __m128i redAndBlue = _mm_and_si128(c, mask);
        const __m128i greenOnly = _mm_and_si128(_mm_srli_epi32(c, 8), low);
        _mm_storeu_si128(rb, first ? redAndBlue : _mm_add_epi32(_mm_loadu_si128(rb), redAndBlue));
        _mm_storeu_si128(g, first ? greenOnly : _mm_add_epi32(_mm_loadu_si128(g), greenOnly));
    }
#endif
    for (; x < width; ++x) {
        redBlue[x] = (first ? 0 : redBlue[x]) + (pixels[x] & 0x00ff00ffu);
        green[x] = (first ? 0 : green[x]) + ((pixels[x] >> 8) & 0xffu);
    }
}

// The gathered pixels summed a block at a time (F: the factor when it is small and known).
template <int F>
void SumBlocks(const quint32* redBlue, const quint32* green, int width, int factor, quint32* sums)
{
    const int f = F > 0 ? F : factor;
    for (int x = 0; x < width; sums += 3) {
        const int end = std::min(x + f, width);
        quint32 rb = 0, g = 0;
        for (; x < end; ++x) {
            rb += redBlue[x];
            g += green[x];
        }
        sums[0] = rb >> 16;
        sums[1] = g;
        sums[2] = rb & 0xffffu;
    }
}

} // namespace

BoxReducer::BoxReducer(QSize source, int factor)
    : source_(source), factor_(std::clamp(factor, 1, 4000)), // 255 x 4000^2 fits 32 bits
      out_((source.width() + factor_ - 1) / factor_, (source.height() + factor_ - 1) / factor_)
{
    image_ = QImage(out_, QImage::Format_RGB32);
    valid_ = !image_.isNull();
    if (!valid_ || factor_ == 1)
        return;
    image_.fill(0xff000000u);
    try {
        if (factor_ <= kGatherRows) {
            redBlue_.assign(std::size_t(source.width()), 0);
            green_.assign(std::size_t(source.width()), 0);
        }
        rowSums_.assign(std::size_t(out_.width()) * 3, 0);
    } catch (const std::bad_alloc&) {
        valid_ = false;
    }
}

void BoxReducer::addRow(int y, const quint32* pixels)
{
    if (!valid_ || y < 0 || y >= source_.height())
        return;
    if (factor_ == 1) {
        std::memcpy(image_.scanLine(y), pixels, std::size_t(source_.width()) * 4);
        return;
    }
    const int band = y / factor_;
    if (sums_.empty() && !redBlue_.empty() && (band_ < 0 || band == band_) && y == band * factor_ + bandRows_) {
        band_ = band;
        ++bandRows_;
        if (bandRows_ == 1)
            Gather<true>(pixels, redBlue_.data(), green_.data(), source_.width());
        else
            Gather<false>(pixels, redBlue_.data(), green_.data(), source_.width());
        if (bandRows_ == std::min(factor_, source_.height() - band * factor_))
            flushBand();
        return;
    }
    // Out of order: from here on every row is summed into the reduced picture directly.
    if (sums_.empty()) {
        try {
            sums_.assign(std::size_t(out_.width()) * std::size_t(out_.height()) * 3, 0);
            rowsGiven_.assign(std::size_t(out_.height()), 0);
        } catch (const std::bad_alloc&) {
            valid_ = false;
            return;
        }
        if (band_ >= 0 && bandRows_ > 0) {
            // The rows gathered so far go in as they are.
            const int width = source_.width();
            std::vector<quint32> row(static_cast<std::size_t>(width));
            quint32* target = sums_.data() + std::size_t(band_) * out_.width() * 3;
            for (int ox = 0, x = 0; ox < out_.width(); ++ox) {
                const int end = std::min(x + factor_, width);
                for (; x < end; ++x) {
                    target[3 * ox] += redBlue_[std::size_t(x)] >> 16;
                    target[3 * ox + 1] += green_[std::size_t(x)];
                    target[3 * ox + 2] += redBlue_[std::size_t(x)] & 0xffffu;
                }
            }
            rowsGiven_[std::size_t(band_)] = bandRows_;
        }
        band_ = -1;
        bandRows_ = 0;
    }
    sumRowInto(pixels, sums_.data() + std::size_t(band) * out_.width() * 3);
    ++rowsGiven_[std::size_t(band)];
}

// One source row added into a block row's sums, a block at a time.
void BoxReducer::sumRowInto(const quint32* pixels, quint32* sums) const
{
    const int width = source_.width();
    for (int ox = 0, x = 0; ox < out_.width(); ++ox, sums += 3) {
        const int end = std::min(x + factor_, width);
        quint32 redBlue = 0, green = 0, r = 0, b = 0;
        for (int n = 0; x < end; ++x, ++n) {
            if (n == kGatherRows) {
                r += redBlue >> 16;
                b += redBlue & 0xffffu;
                redBlue = 0;
                n = 0;
            }
            redBlue += pixels[x] & 0x00ff00ffu;
            green += (pixels[x] >> 8) & 0xffu;
        }
        sums[0] += r + (redBlue >> 16);
        sums[1] += green;
        sums[2] += b + (redBlue & 0xffffu);
    }
}

void BoxReducer::flushBand()
{
    const int width = source_.width();
    quint32* sums = rowSums_.data();
    const quint32* redBlue = redBlue_.data();
    const quint32* green = green_.data();
    // A block of up to 16 x 16 holds at most 65280 a channel: red and blue still share a word.
    switch (factor_) {
    case 2: SumBlocks<2>(redBlue, green, width, factor_, sums); break;
    case 3: SumBlocks<3>(redBlue, green, width, factor_, sums); break;
    case 4: SumBlocks<4>(redBlue, green, width, factor_, sums); break;
    default:
        if (factor_ <= 16) {
            SumBlocks<0>(redBlue, green, width, factor_, sums);
            break;
        }
        for (int x = 0; x < width; sums += 3) {
            const int end = std::min(x + factor_, width);
            quint32 r = 0, g = 0, b = 0;
            for (; x < end; ++x) {
                r += redBlue[x] >> 16;
                b += redBlue[x] & 0xffffu;
                g += green[x];
            }
            sums[0] = r;
            sums[1] = g;
            sums[2] = b;
        }
        break;
    }
    finishRow(band_, rowSums_.data());
    band_ = -1;
    bandRows_ = 0;
}

// The means of a block row, rounded as the maker's reduction always rounded them:
// ceil((sum - area / 2) / area), a mean rounding halves down.
void BoxReducer::finishRow(int oy, const quint32* sums)
{
    const int rows = std::min(factor_, source_.height() - oy * factor_);
    auto* line = reinterpret_cast<quint32*>(image_.scanLine(oy));
    const auto finish = [&](int from, int to, quint32 area) {
        const quint32 bias = area - 1 - area / 2;
        if (area < 4096) {
            // Up to 63 x 63 a division by a multiplication, exact for every sum a block holds.
            const quint64 magic = (quint64(1) << 32) / area + 1;
            for (int ox = from; ox < to; ++ox) {
                const quint32* s = sums + 3 * ox;
                line[ox] = 0xff000000u | quint32((quint64(s[0] + bias) * magic) >> 32) << 16
                    | quint32((quint64(s[1] + bias) * magic) >> 32) << 8 | quint32((quint64(s[2] + bias) * magic) >> 32);
            }
        } else {
            for (int ox = from; ox < to; ++ox) {
                const quint32* s = sums + 3 * ox;
                line[ox] = 0xff000000u | ((s[0] + bias) / area) << 16 | ((s[1] + bias) / area) << 8 | ((s[2] + bias) / area);
            }
        }
    };
    const int whole = source_.width() / factor_;
    finish(0, whole, quint32(rows * factor_));
    if (whole < out_.width())
        finish(whole, out_.width(), quint32(rows * (source_.width() - whole * factor_)));
}

QImage BoxReducer::result()
{
    if (!valid_)
        return QImage();
    if (factor_ == 1)
        return image_;
    if (!sums_.empty()) {
        for (int oy = 0; oy < out_.height(); ++oy)
            finishRow(oy, sums_.data() + std::size_t(oy) * out_.width() * 3);
        sums_ = std::vector<quint32>();
    } else if (band_ >= 0 && bandRows_ > 0) {
        flushBand();
    }
    return image_;
}

} // namespace picture
