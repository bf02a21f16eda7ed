#include "platform/imagesheets.h"

#include <QPainter>

ImageSheets::ImageSheets(const QPageLayout& layout, int dpi, QString name)
    : layout_(layout), dpi_(dpi), name_(std::move(name))
{
}

bool ImageSheets::printSheet(const DrawSheet& draw)
{
    // From the paper's millimetres: its size in points is rounded (A4 would lose a column).
    const QSizeF mm = layout_.fullRect(QPageLayout::Millimeter).size();
    QImage sheet(qRound(mm.width() / 25.4 * dpi_), qRound(mm.height() / 25.4 * dpi_), QImage::Format_RGB32);
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
