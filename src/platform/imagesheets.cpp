#include "platform/imagesheets.h"

#include <QPainter>

ImageSheets::ImageSheets(const QPageLayout& layout, int dpi, QString name)
    : layout_(layout), dpi_(dpi), name_(std::move(name))
{
}

bool ImageSheets::printSheet(const DrawSheet& draw)
{
    QImage sheet(layout_.fullRectPixels(dpi_).size(), QImage::Format_RGB32);
    sheet.setDotsPerMeterX(qRound(dpi_ / 0.0254));
    sheet.setDotsPerMeterY(qRound(dpi_ / 0.0254));
    sheet.fill(Qt::white);
    const QRect printable = layout_.paintRectPixels(dpi_);
    QPainter painter(&sheet);
    painter.translate(printable.topLeft());
    draw(painter, QRect(QPoint(0, 0), printable.size()));
    painter.end();
    sheets << sheet;
    return true;
}
