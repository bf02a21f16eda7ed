#pragma once

#include <QImage>
#include <QSize>
#include <QtGlobal>
#include <vector>

// Takes a picture's rows as a decoder produces them, in any order, and keeps only what the
// maker needs: at factor 1 the picture itself; above it each factor x factor block averaged to
// one pixel (blocks at the right and bottom edges may be smaller), so a big picture is never
// held at full size. The line loops hold no divisions and only 32-bit sums.
namespace picture {

class BoxReducer {
public:
    // withAlpha: the rows carry alpha. At factor 1 it is kept (the fit lays the picture on
    // white); above 1 each pixel is laid on white before it is summed.
    BoxReducer(QSize source, int factor, bool withAlpha = false);

    // False when the picture could not be allocated.
    bool isValid() const { return valid_; }
    QSize sourceSize() const { return source_; }
    int factor() const { return factor_; }

    // Source row y, full width, pixels 0xAARRGGBB (alpha ignored unless withAlpha).
    void addRow(int y, const quint32* pixels);
    // count pixels of row y at x0, x0 + step, ... (an interlaced pass).
    void addPixels(int y, int x0, int step, const quint32* pixels, int count);

    // The reduced picture; every row must have been given, else the missing ones are black.
    QImage result();

private:
    quint32* sumsOf(int y);

    QSize source_;
    int factor_;
    bool alpha_;
    bool valid_ = true;
    QSize out_;
    QImage image_;              // factor 1, or the result
    std::vector<quint32> sums_; // red, green, blue per reduced pixel
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
