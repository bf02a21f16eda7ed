#include "wordsearch/gridview.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

GridView::GridView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GridView::setDrawing(const wordsearch::GridDrawing& drawing)
{
    static const wordsearch::LetterPictures letters = wordsearch::LoadLetterPictures();
    picture_ = wordsearch::DrawingPicture(drawing, letters);
    grid_ = printing::PageLayout();
    grid_.size = QSize(wordsearch::kPicturePixels, wordsearch::kPicturePixels);
    wordsearch::AddGridItems(grid_, drawing, QPoint(0, 0));
    sharp_ = true;
    scale();
    update();
}

void GridView::setPicture(const QImage& picture)
{
    picture_ = picture;
    sharp_ = false;
    grid_ = printing::PageLayout();
    scale();
    update();
}

QPoint GridView::pressPoint(QPointF position) const
{
    const qreal ratio = devicePixelRatioF();
    // A cell's edges fall where the grid's units meet the device's pixels, so at a fractional
    // scale its pixels are not always the view pixels under it: the pressed device pixel's
    // centre decides, as it decides where the cell is drawn.
    const auto along = [ratio](qreal v, int length) {
        const int view = static_cast<int>(std::floor(v));
        const int cell = length / wordsearch::kField;
        if (cell <= 0)
            return view;
        // Positions come as device pixels divided by the ratio, a hair under a whole pixel.
        const qreal device = std::floor(v * ratio + 1e-4);
        const int index = static_cast<int>(std::floor((device + 0.5) / (cell * ratio)));
        return std::clamp(view, index * cell, index * cell + cell - 1);
    };
    return QPoint(along(position.x(), width()), along(position.y(), height()));
}

void GridView::setFocusCell(const QPoint& cell)
{
    if (cell == focusCell_)
        return;
    focusCell_ = cell;
    if (hasFocus())
        update();
}

void GridView::scale()
{
    // Whole-number zooms of a picture of letters: plain pixel copies keep the letters sharp.
    shown_ = picture_.isNull() ? QImage()
                               : picture_.scaled(width(), height(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

void GridView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    scale();
}

void GridView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (sharp_ && devicePixelRatioF() != 1) {
        painter.fillRect(rect(), Qt::white);
        printing::RenderPage(painter, grid_, rect());
    } else if (!shown_.isNull()) {
        painter.drawImage(QPoint(0, 0), shown_);
    }
    if (hasFocus() && focusCell_.x() >= 0 && focusCell_.y() >= 0) {
        const int cell = width() / wordsearch::kField;
        painter.setPen(QPen(QColor(0, 120, 215), 2));
        painter.drawRect(QRect(focusCell_.x() * cell + 1, focusCell_.y() * cell + 1, cell - 2, cell - 2));
    }
}

void GridView::mousePressEvent(QMouseEvent* event)
{
    // Mouse and keyboard can be mixed: a click gives the grid the keys.
    if (focusPolicy() & Qt::ClickFocus)
        setFocus(Qt::MouseFocusReason);
    if (onPress)
        onPress(pressPoint(event->position()));
    event->accept();
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click is a click of its own.
    mousePressEvent(event);
}

void GridView::keyPressEvent(QKeyEvent* event)
{
    if (onKey && onKey(event->key()))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void GridView::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void GridView::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}
