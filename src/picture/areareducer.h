#pragma once

#include <QImage>
#include <QSize>
#include <QtGlobal>
#include <vector>

// Takes a picture's rows as a decoder produces them, in any order, and keeps only what the
// maker needs. A picture at least twice the target both ways is averaged straight down to the
// target size, each target pixel the mean of the source area it covers (partly covered source
// pixels in proportion); a smaller one is kept at its own size for the fit to scale. So a big
// picture is never held whole. The line loops hold no divisions and only 32-bit sums.
namespace picture {

class AreaReducer {
public:
    // withAlpha: the rows carry alpha. Kept when the picture keeps its size (the fit lays it on
    // white); when reducing, each pixel is laid on white before it is summed.
    AreaReducer(QSize source, QSize target, bool withAlpha = false);

    // The size result() will have.
    static QSize OutputSize(QSize source, QSize target);

    // False when the memory for the picture could not be had.
    bool isValid() const { return valid_; }

    // Source row y, full width, pixels 0xAARRGGBB (alpha ignored unless withAlpha).
    void addRow(int y, const quint32* pixels);
    // count pixels of row y at x0, x0 + step, ... (an interlaced pass).
    void addPixels(int y, int x0, int step, const quint32* pixels, int count);

    // Every source pixel must have been given once; pixels never given count as black.
    QImage result();

private:
    struct Span {
        qint64 start; // in 1/256 of a source pixel
        qint64 end;
    };
    // A target row still gathering: its sums, 3 channels a pixel, and how much of its source
    // area has arrived. Rows that arrive in order keep one or two of these open at a time.
    struct OpenRow {
        std::vector<quint32> sums;     // when a target pixel's whole sum fits 32 bits
        std::vector<quint64> wideSums; // else
        qint64 received = 0;
    };
    std::size_t targetRow(int y) const;
    void flushPending();
    void addScratch(int y, int pixels);
    void addToTarget(std::size_t i, std::vector<quint32>& sums, qint64 weight, qint64 area, bool clear = true);
    void finish(std::size_t i);

    QSize source_;
    QSize out_;
    bool alpha_;
    bool reducing_ = false;
    bool valid_ = true;
    QImage image_;                    // the picture kept, or the reduced one being filled
    std::vector<Span> columns_;       // of the target, over the source
    std::vector<double> inverseWidths_;
    std::vector<Span> rows_;
    std::vector<quint32> pendingRedBlue_; // whole source rows of one target row, summed by pixel
    std::vector<quint32> pendingGreen_;
    std::vector<quint32> columnSums_;
    std::size_t pendingTarget_ = 0;
    qint64 pendingRows_ = 0;
    qint64 pendingLimit_ = 1;
    bool wide_ = false;               // target sums need 64 bits
    std::vector<quint32> scratch_;    // a source row split between target rows, or a partial one
    std::vector<OpenRow> open_;       // one per target row
};

// c over white, with c's own alpha: the same rounding as a division by 255.
inline quint32 OverWhite(quint32 c)
{
    const quint32 a = c >> 24;
    if (a == 255)
        return c;
    const quint32 white = 255 * (255 - a);
    const auto channel = [&](quint32 v) {
        const quint32 t = v * a + white + 128;
        return (t + (t >> 8)) >> 8;
    };
    return 0xff000000u | (channel((c >> 16) & 0xff) << 16) | (channel((c >> 8) & 0xff) << 8) | channel(c & 0xff);
}

} // namespace picture
