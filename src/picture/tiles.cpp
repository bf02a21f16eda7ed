#include "picture/tiles.h"

#include "picture/state.h"

#include <QPainter>
#include <cstring>

namespace picture {

QImage BlackPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(0xff000000u);
    return image;
}

QImage BlackTile()
{
    return BlackPicture(kTileSize, kTileSize);
}

bool IsEmptyTile(const QImage& picture)
{
    if (picture.isNull())
        return true;
    const QImage rgb = picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
        ? picture
        : picture.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width();
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const quint32*>(rgb.constScanLine(y));
        for (int x = 0; x < width; ++x)
            if (line[x] & 0x00ffffffu)
                return false;
    }
    return true;
}

const QImage& XTile()
{
    static const QImage tile = [] {
        QImage t = BlackTile();
        const quint32 red = 0xffff0000u;
        for (int i = 0; i < kTileSize; ++i)
            for (int d = 0; d < 2; ++d) {
                t.setPixel(i, d, red);
                t.setPixel(i, kTileSize - 1 - d, red);
                t.setPixel(d, i, red);
                t.setPixel(kTileSize - 1 - d, i, red);
            }
        // A small X of two-pixel strokes in the middle.
        for (int i = 30; i < 50; ++i)
            for (int d = 0; d < 2; ++d) {
                t.setPixel(i, std::min(i + d, 49), red);
                t.setPixel(i, std::max(79 - i - d, 30), red);
            }
        return t;
    }();
    return tile;
}

QRect CellRect(int k)
{
    const int r = (k - 1) / kColumns;
    const int c = (k - 1) % kColumns;
    return QRect(kTileSize * c, kTileSize * r, kTileSize, kTileSize);
}

QRect FitRect(QSize pictureSize)
{
    if (pictureSize.width() <= 0 || pictureSize.height() <= 0)
        return QRect();
    const double ratio = static_cast<double>(pictureSize.width()) / static_cast<double>(pictureSize.height());
    int w = kCanvasWidth;
    int h = kCanvasHeight;
    // 479 and 639 with truncation, as the puzzles made so far were fitted.
    if (ratio < 4.0 / 3.0)
        w = static_cast<int>(479.0 * ratio);
    else if (ratio > 4.0 / 3.0)
        h = static_cast<int>(639.0 / ratio);
    if (w <= 0 || h <= 0)
        return QRect();
    return QRect((kCanvasWidth - w) / 2, (kCanvasHeight - h) / 2, w, h);
}

QImage FitIntoCanvas(const QImage& picture, const QRect& rect)
{
    QImage canvas = BlackPicture(kCanvasWidth, kCanvasHeight);
    if (picture.isNull() || rect.isEmpty())
        return canvas;
    QImage source = picture;
    if (source.hasAlphaChannel()) {
        QImage white(source.size(), QImage::Format_RGB32);
        white.fill(Qt::white);
        QPainter painter(&white);
        painter.drawImage(0, 0, source);
        painter.end();
        source = white;
    }
    if (source.size() != rect.size())
        source = source.scaled(rect.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    source = source.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rect.height(); ++y)
        std::memcpy(canvas.scanLine(rect.top() + y) + 4 * rect.left(), source.constScanLine(y), 4 * static_cast<size_t>(rect.width()));
    return canvas;
}

QImage FitPicture(const QImage& picture)
{
    return FitIntoCanvas(picture, FitRect(picture.size()));
}

QImage CutTile(const QImage& canvas, int k)
{
    return canvas.copy(CellRect(k)).convertToFormat(QImage::Format_RGB32);
}

QImage JoinTiles(const std::array<QImage, 49>& tiles)
{
    QImage canvas = BlackPicture(kCanvasWidth, kCanvasHeight);
    for (int k = 1; k <= kCells; ++k) {
        if (tiles[k].isNull())
            continue;
        const QImage tile = tiles[k].convertToFormat(QImage::Format_RGB32);
        const QRect cell = CellRect(k);
        const int w = std::min(tile.width(), kTileSize);
        for (int y = 0; y < std::min(tile.height(), kTileSize); ++y)
            std::memcpy(canvas.scanLine(cell.top() + y) + 4 * cell.left(), tile.constScanLine(y), 4 * static_cast<size_t>(w));
    }
    return canvas;
}

} // namespace picture
