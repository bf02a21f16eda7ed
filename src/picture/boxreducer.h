#pragma once

#include <QImage>
#include <QSize>
#include <QtGlobal>
#include <algorithm>
#include <vector>

// Reduces a picture by a whole factor as its full rows arrive: each factor x factor block (smaller
// at the right and bottom edges) becomes its mean, rounded as the maker always has. Rows that
// arrive in order are gathered a block row at a time, two channels to a word; rows out of order
// (an interlaced picture) are summed straight into the reduced picture. The line loops hold no
// divisions and only 32-bit sums.
namespace picture {

// The largest whole factor by which size can be box-reduced and still cover target (at least 1).
inline int ReductionFactor(QSize size, QSize target)
{
    const int byWidth = size.width() / std::max(1, target.width());
    const int byHeight = size.height() / std::max(1, target.height());
    return std::max(1, std::min(byWidth, byHeight));
}

class BoxReducer {
public:
    BoxReducer(QSize source, int factor);

    bool isValid() const { return valid_; }

    // Source row y, full width, pixels 0xffRRGGBB; each row once.
    void addRow(int y, const quint32* pixels);

    // Rows never given count as black.
    QImage result();

private:
    void flushBand();
    void sumRowInto(const quint32* pixels, quint32* sums) const;
    void finishRow(int oy, const quint32* sums);

    QSize source_;
    int factor_;
    QSize out_;
    bool valid_ = true;
    QImage image_;
    // The block row being gathered: per source pixel, red and blue in one word, green in another.
    std::vector<quint32> redBlue_;
    std::vector<quint32> green_;
    int band_ = -1;
    int bandRows_ = 0;
    std::vector<quint32> rowSums_;       // one block row, 3 channels
    std::vector<quint32> sums_;          // every reduced pixel, once rows come out of order
    std::vector<int> rowsGiven_;         // per block row, once rows come out of order
};

} // namespace picture
