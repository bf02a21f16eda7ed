#include "maze/mazepictureview.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

MazePictureView::MazePictureView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    picture_ = QImage(1, 1, QImage::Format_RGB32);
    picture_.fill(Qt::white);
}

void MazePictureView::setPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

void MazePictureView::setMarkedCell(std::optional<QPoint> cell, const QColor& colour)
{
    if (cell == marked_ && colour == markColour_)
        return;
    updateCell(marked_);
    marked_ = cell;
    markColour_ = colour;
    updateCell(marked_);
}

qreal MazePictureView::ratio() const
{
    return devicePixelRatioF();
}

int MazePictureView::edgeX(int column) const
{
    return column * qRound(width() * ratio()) / std::max(1, picture_.width());
}

int MazePictureView::edgeY(int row) const
{
    return row * qRound(height() * ratio()) / std::max(1, picture_.height());
}

QRect MazePictureView::cellRect(int x, int y) const
{
    return QRect(QPoint(edgeX(x), edgeY(y)), QPoint(edgeX(x + 1) - 1, edgeY(y + 1) - 1));
}

void MazePictureView::updateCell(const std::optional<QPoint>& cell)
{
    if (cell && picture_.valid(*cell)) {
        const QRectF device(cellRect(cell->x(), cell->y()));
        update(QRectF(device.topLeft() / ratio(), device.size() / ratio()).toAlignedRect());
    }
}

void MazePictureView::paintEvent(QPaintEvent* event)
{
    const int columns = picture_.width();
    const int rows = picture_.height();
    const qreal r = ratio();
    const int deviceWidth = qRound(width() * r);
    const int deviceHeight = qRound(height() * r);
    if (columns < 1 || rows < 1 || deviceWidth < 1 || deviceHeight < 1)
        return;
    // Cells are whole blocks of the device's own pixels, edges where the cells meet them: on a
    // denser screen the maze is as sharp as the screen, and where one device pixel is one view
    // pixel nothing differs. Only the cells under the exposed areas are drawn; one cell more on
    // each side covers the rounding of uneven cell widths.
    QPainter painter(this);
    painter.scale(1 / r, 1 / r);
    for (const QRect& logical : event->region()) {
        const QRect area = QRectF(logical.topLeft() * r, logical.size() * r).toAlignedRect();
        const int x0 = std::clamp(area.left() * columns / deviceWidth - 1, 0, columns - 1);
        const int x1 = std::clamp(area.right() * columns / deviceWidth + 1, 0, columns - 1);
        const int y0 = std::clamp(area.top() * rows / deviceHeight - 1, 0, rows - 1);
        const int y1 = std::clamp(area.bottom() * rows / deviceHeight + 1, 0, rows - 1);
        for (int x = x0; x <= x1; ++x)
            for (int y = y0; y <= y1; ++y) {
                const bool marked = marked_ && marked_->x() == x && marked_->y() == y;
                painter.fillRect(cellRect(x, y), marked ? markColour_ : QColor::fromRgb(picture_.pixel(x, y)));
            }
    }
}
