#include "printing/pagepicture.h"

#include <QPainter>

PagePicture::PagePicture(QWidget* parent, bool stretch) : QWidget(parent), stretch_(stretch) {}

void PagePicture::setPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

void PagePicture::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (stretch_)
        painter.drawImage(rect(), picture_);
    else
        painter.drawImage(QPoint(0, 0), picture_);
}
