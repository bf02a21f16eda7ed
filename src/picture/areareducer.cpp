#include "picture/areareducer.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace picture {
namespace {

std::vector<qint64> Edges(int source, int target)
{
    std::vector<qint64> edges(static_cast<std::size_t>(target) + 1);
    for (int i = 0; i <= target; ++i)
        edges[std::size_t(i)] = qint64(i) * source * 256 / target;
    return edges;
}

inline void Add(quint32* sum, quint32 c, quint32 weight)
{
    sum[0] += ((c >> 16) & 0xff) * weight;
    sum[1] += ((c >> 8) & 0xff) * weight;
    sum[2] += (c & 0xff) * weight;
}

template <bool alpha>
inline quint32 Pixel(const quint32* pixels, qint64 x)
{
    return alpha ? OverWhite(pixels[x]) : pixels[x];
}

// Adds one source row into the target columns (in 1/256 of a pixel). Whole pixels are summed
// two channels to a word: red and blue side by side stay apart for 257 pixels.
template <bool alpha, typename Spans>
void SumColumns(const Spans& columns, const quint32* pixels, quint32* sum)
{
    for (const auto& column : columns) {
        qint64 x = column.start >> 8;
        const qint64 last = column.end >> 8;
        if (const quint32 cut = quint32(column.start & 255)) {
            Add(sum, Pixel<alpha>(pixels, x), 256 - cut);
            ++x;
        }
        quint32 r = 0, g = 0, b = 0;
        while (x < last) {
            const qint64 end = std::min(last, x + 256);
            quint32 redBlue = 0, green = 0;
            for (; x < end; ++x) {
                const quint32 c = Pixel<alpha>(pixels, x);
                redBlue += c & 0x00ff00ffu;
                green += c & 0x0000ff00u;
            }
            r += redBlue >> 16;
            b += redBlue & 0xffffu;
            g += green >> 8;
        }
        sum[0] += r << 8;
        sum[1] += g << 8;
        sum[2] += b << 8;
        if (const quint32 cut = quint32(column.end & 255))
            Add(sum, Pixel<alpha>(pixels, last), cut);
        sum += 3;
    }
}

// A whole row into the per-pixel gathering words (the loops the compiler can widen).
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
        _mm_storeu_si128(rb, _mm_add_epi32(_mm_loadu_si128(rb), _mm_and_si128(c, mask)));
        _mm_storeu_si128(g, _mm_add_epi32(_mm_loadu_si128(g), _mm_and_si128(_mm_srli_epi32(c, 8), low)));
    }
#endif
    for (; x < width; ++x) {
        redBlue[x] += pixels[x] & 0x00ff00ffu;
        green[x] += (pixels[x] >> 8) & 0xffu;
    }
}

void GatherOverWhite(const quint32* __restrict pixels, quint32* __restrict redBlue, quint32* __restrict green, int width)
{
    for (int x = 0; x < width; ++x) {
        const quint32 c = OverWhite(pixels[x]);
        redBlue[x] += c & 0x00ff00ffu;
        green[x] += (c >> 8) & 0xffu;
    }
}

template <typename Sum>
void AddWeighted(Sum* __restrict target, const quint32* __restrict sums, std::size_t n, quint32 weight)
{
    for (std::size_t k = 0; k < n; ++k)
        target[k] += Sum(sums[k]) * weight;
}

// The same over rows gathered per pixel: red and blue side by side in one word, green in another.
template <typename Spans>
void SumGatheredColumns(const Spans& columns, const quint32* redBlue, const quint32* green, quint32* sum)
{
    const auto addWeighted = [&](qint64 x, quint32 weight) {
        sum[0] += (redBlue[x] >> 16) * weight;
        sum[1] += green[x] * weight;
        sum[2] += (redBlue[x] & 0xffffu) * weight;
    };
    for (const auto& column : columns) {
        qint64 x = column.start >> 8;
        const qint64 last = column.end >> 8;
        if (const quint32 cut = quint32(column.start & 255)) {
            addWeighted(x, 256 - cut);
            ++x;
        }
        quint32 r = 0, g = 0, b = 0;
        for (; x < last; ++x) {
            r += redBlue[x] >> 16;
            g += green[x];
            b += redBlue[x] & 0xffffu;
        }
        sum[0] += r << 8;
        sum[1] += g << 8;
        sum[2] += b << 8;
        if (const quint32 cut = quint32(column.end & 255))
            addWeighted(last, cut);
        sum += 3;
    }
}

} // namespace

QSize AreaReducer::OutputSize(QSize source, QSize target)
{
    if (target.width() < 1 || target.height() < 1)
        return source;
    return source.width() >= 2 * target.width() && source.height() >= 2 * target.height() ? target : source;
}

AreaReducer::AreaReducer(QSize source, QSize target, bool withAlpha)
    : source_(source), out_(OutputSize(source, target)), alpha_(withAlpha), reducing_(out_ != source)
{
    if (!reducing_) {
        image_ = QImage(source, alpha_ ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        valid_ = !image_.isNull();
        if (valid_)
            image_.fill(0xff000000u);
        return;
    }
    try {
        const std::vector<qint64> xs = Edges(source.width(), out_.width());
        const std::vector<qint64> ys = Edges(source.height(), out_.height());
        qint64 widest = 1;
        for (int j = 0; j < out_.width(); ++j) {
            columns_.push_back({xs[std::size_t(j)], xs[std::size_t(j) + 1]});
            inverseWidths_.push_back(1.0 / double(xs[std::size_t(j) + 1] - xs[std::size_t(j)]));
            widest = std::max(widest, xs[std::size_t(j) + 1] - xs[std::size_t(j)]);
        }
        qint64 tallest = 1;
        for (int i = 0; i < out_.height(); ++i) {
            rows_.push_back({ys[std::size_t(i)], ys[std::size_t(i) + 1]});
            tallest = std::max(tallest, ys[std::size_t(i) + 1] - ys[std::size_t(i)]);
        }
        wide_ = double(widest) * double(tallest) * 255.0 >= 4294967295.0;
        // Whole rows gather per pixel while red and blue stay apart in their word and a column's
        // sum fits 32 bits.
        pendingLimit_ = std::clamp<qint64>(qint64(0xffffffffu) / (255 * widest), 1, 257);
        pendingRedBlue_.assign(std::size_t(source.width()), 0);
        pendingGreen_.assign(std::size_t(source.width()), 0);
        columnSums_.assign(std::size_t(out_.width()) * 3, 0);
        scratch_.assign(std::size_t(out_.width()) * 3, 0);
        open_.resize(std::size_t(out_.height()));
    } catch (const std::bad_alloc&) {
        valid_ = false;
        return;
    }
    image_ = QImage(out_, QImage::Format_RGB32);
    valid_ = !image_.isNull();
}

std::size_t AreaReducer::targetRow(int y) const
{
    const qint64 from = qint64(y) << 8;
    std::size_t i = std::min<std::size_t>(rows_.size() - 1, std::size_t(qint64(y) * out_.height() / source_.height()));
    while (i > 0 && rows_[i].start > from)
        --i;
    while (rows_[i].end <= from)
        ++i;
    return i;
}

void AreaReducer::addRow(int y, const quint32* pixels)
{
    if (!valid_ || y < 0 || y >= source_.height())
        return;
    if (!reducing_) {
        std::memcpy(image_.scanLine(y), pixels, std::size_t(source_.width()) * 4);
        return;
    }
    const std::size_t i = targetRow(y);
    const qint64 from = qint64(y) << 8;
    if (rows_[i].end >= from + 256) {
        // A row wholly inside one target row joins the ones gathered before it.
        if (pendingRows_ > 0 && (pendingTarget_ != i || pendingRows_ >= pendingLimit_))
            flushPending();
        pendingTarget_ = i;
        ++pendingRows_;
        if (alpha_)
            GatherOverWhite(pixels, pendingRedBlue_.data(), pendingGreen_.data(), source_.width());
        else
            Gather(pixels, pendingRedBlue_.data(), pendingGreen_.data(), source_.width());
        return;
    }
    if (alpha_)
        SumColumns<true>(columns_, pixels, scratch_.data());
    else
        SumColumns<false>(columns_, pixels, scratch_.data());
    addScratch(y, source_.width());
}

void AreaReducer::addPixels(int y, int x0, int step, const quint32* pixels, int count)
{
    if (!valid_ || y < 0 || y >= source_.height() || step < 1)
        return;
    if (step == 1 && x0 == 0 && count >= source_.width()) {
        addRow(y, pixels);
        return;
    }
    const int width = source_.width();
    if (!reducing_) {
        auto* line = reinterpret_cast<quint32*>(image_.scanLine(y));
        for (int i = 0, x = x0; i < count && x < width; ++i, x += step)
            line[x] = pixels[i];
        return;
    }
    std::size_t j = 0;
    int given = 0;
    for (int i = 0, x = x0; i < count && x < width; ++i, x += step, ++given) {
        const qint64 from = qint64(x) << 8;
        while (columns_[j].end <= from)
            ++j;
        const quint32 c = alpha_ ? OverWhite(pixels[i]) : pixels[i];
        const qint64 inside = std::min<qint64>(columns_[j].end, from + 256) - from;
        Add(&scratch_[3 * j], c, quint32(inside));
        if (inside < 256)
            Add(&scratch_[3 * (j + 1)], c, quint32(256 - inside));
    }
    addScratch(y, given);
}

// Adds the whole rows gathered so far to their target row.
void AreaReducer::flushPending()
{
    if (pendingRows_ == 0)
        return;
    SumGatheredColumns(columns_, pendingRedBlue_.data(), pendingGreen_.data(), columnSums_.data());
    std::fill(pendingRedBlue_.begin(), pendingRedBlue_.end(), 0);
    std::fill(pendingGreen_.begin(), pendingGreen_.end(), 0);
    addToTarget(pendingTarget_, columnSums_, 256, 256 * pendingRows_ * source_.width());
    pendingRows_ = 0;
}

// Adds the scratch sums of source row y (pixels of it given) to the target rows it covers.
void AreaReducer::addScratch(int y, int pixels)
{
    flushPending();
    const std::size_t i = targetRow(y);
    const qint64 from = qint64(y) << 8;
    const qint64 inside = std::min<qint64>(rows_[i].end, from + 256) - from;
    if (inside < 256 && i + 1 < rows_.size()) {
        // Both parts first: the first part may finish row i, the sums must not be gone then.
        addToTarget(i + 1, scratch_, 256 - inside, (256 - inside) * pixels, false);
    }
    addToTarget(i, scratch_, inside, inside * pixels);
}

// sums x weight into target row i; the row is done once its whole source area has arrived.
// clear: empty sums afterwards.
void AreaReducer::addToTarget(std::size_t i, std::vector<quint32>& sums, qint64 weight, qint64 area, bool clear)
{
    OpenRow& open = open_[i];
    if (open.received >= 0) {
        if (wide_) {
            if (open.wideSums.empty())
                open.wideSums.assign(sums.size(), 0);
            AddWeighted(open.wideSums.data(), sums.data(), sums.size(), quint32(weight));
        } else {
            if (open.sums.empty())
                open.sums.assign(sums.size(), 0);
            AddWeighted(open.sums.data(), sums.data(), sums.size(), quint32(weight));
        }
        open.received += area;
        if (open.received >= (rows_[i].end - rows_[i].start) * source_.width())
            finish(i);
    }
    if (clear)
        std::fill(sums.begin(), sums.end(), 0);
}

// Divides a target row's sums by the area each pixel covers and frees them.
void AreaReducer::finish(std::size_t i)
{
    OpenRow& open = open_[i];
    auto* line = reinterpret_cast<quint32*>(image_.scanLine(static_cast<int>(i)));
    const double inverseHeight = 1.0 / double(rows_[i].end - rows_[i].start);
    const quint32* narrow = open.sums.empty() ? nullptr : open.sums.data();
    const quint64* wide = open.wideSums.empty() ? nullptr : open.wideSums.data();
    for (std::size_t j = 0; j < columns_.size(); ++j) {
        // The sums stay far below 2^53: the mean rounds as an integer division would.
        const double scale = inverseWidths_[j] * inverseHeight;
        const auto mean = [&](double v) { return quint32(v * scale + 0.5); };
        if (narrow)
            line[j] = 0xff000000u | mean(narrow[3 * j]) << 16 | mean(narrow[3 * j + 1]) << 8 | mean(narrow[3 * j + 2]);
        else if (wide)
            line[j] = 0xff000000u | mean(double(wide[3 * j])) << 16 | mean(double(wide[3 * j + 1])) << 8 | mean(double(wide[3 * j + 2]));
        else
            line[j] = 0xff000000u;
    }
    open.sums = std::vector<quint32>();
    open.wideSums = std::vector<quint64>();
    open.received = -1; // finished
}

QImage AreaReducer::result()
{
    if (!valid_)
        return QImage();
    if (reducing_) {
        flushPending();
        for (std::size_t i = 0; i < open_.size(); ++i)
            if (open_[i].received >= 0)
                finish(i);
        open_.clear();
    }
    return image_;
}

} // namespace picture
