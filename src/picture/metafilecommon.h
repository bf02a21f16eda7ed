#pragma once

#include "picture/decodedpicture.h"
#include "picture/picturesource.h"

#include <QByteArray>
#include <QSize>
#include <QString>

// What the two metafile readers share: limits, the embedded-bitmap check, the drawing budget.
namespace picture::metafile {

constexpr qint64 kMaxBytes = 16 * 1024 * 1024;
constexpr qint64 kMaxWmfRecords = 100'000;
// Each EMF record becomes an SVG element held in memory (about a kilobyte each).
constexpr qint64 kMaxEmfRecords = 50'000;
// All embedded bitmaps together; each becomes a full-colour picture in memory.
constexpr qint64 kMaxBitmapPixels = 8'000'000;
// Pixels painted, summed over every shape at the drawn size: a few hundred full canvases for
// Qt's painter, fewer for the slower one inside libwmf.
constexpr double kCanvasPixels = 640.0 * 480;
constexpr double kEmfDrawBudget = 400 * kCanvasPixels;
constexpr double kWmfDrawBudget = 120 * kCanvasPixels;

inline quint32 Le16(const unsigned char* p)
{
    return p[0] | (p[1] << 8);
}

inline quint32 Le32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (quint32(p[3]) << 24);
}

// Reads the whole metafile (both libraries want it in memory), refusing one over the limit.
DecodeStatus ReadWhole(const PictureSource& source, QByteArray& bytes, QString& why);

// A device-independent bitmap whose header, masks and palette take headerBytes and whose pixels
// take bitsBytes (-1: the pixels follow in the same headerBytes): a known header, a sane size,
// and every row present. pixels grows by its area.
bool CheckEmbeddedBitmap(const unsigned char* header, qint64 headerBytes, qint64 bitsBytes, qint64& pixels, QString& why);

// The picture's size from a frame in 1/96 inch; false when it has no area.
bool FrameSize(double width, double height, QSize& size);

class DrawBudget {
public:
    explicit DrawBudget(double budget) : budget_(budget) {}
    // Adds the painted area (in pixels of the drawn picture); false once the budget is spent.
    bool spend(double pixels)
    {
        spent_ += pixels + 64; // each shape costs something however small
        return spent_ <= budget_;
    }
    bool exceeded() const { return spent_ > budget_; }

private:
    double budget_;
    double spent_ = 0;
};

} // namespace picture::metafile
