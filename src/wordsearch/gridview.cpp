#include "wordsearch/gridview.h"

#include "wordsearch/gridpicture.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

GridView::GridView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GridView::setPicture(const QImage& picture)
{
    picture_ = picture;
    scale();
    update();
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
    if (!shown_.isNull())
        painter.drawImage(QPoint(0, 0), shown_);
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
        onPress(event->position().toPoint());
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
