#include "printing/pagelayout.h"

#include <QPainter>

namespace printing {

const PageItem* PageLayout::find(const QString& name) const
{
    for (const PageItem& item : items)
        if (item.kind != PageItem::Kind::rectangle && item.name == name)
            return &item;
    return nullptr;
}

QRect FitPage(const QSize& pageSize, const QRect& printable)
{
    if (pageSize.isEmpty() || printable.isEmpty())
        return QRect(printable.topLeft(), QSize(0, 0));
    const QSize fitted = pageSize.scaled(printable.size(), Qt::KeepAspectRatio);
    return QRect(printable.topLeft(), fitted);
}

void RenderPage(QPainter& painter, const PageLayout& page, const QRect& printable)
{
    const QRect target = FitPage(page.size, printable);
    if (target.isEmpty())
        return;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(static_cast<qreal>(target.width()) / page.size.width(),
                  static_cast<qreal>(target.height()) / page.size.height());
    painter.setClipRect(QRect(QPoint(0, 0), page.size));
    // Cells of a grid or a maze stay sharp edged, whatever the scale.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::LosslessImageRendering, true);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    if (page.background.isValid() && page.background != Qt::white)
        painter.fillRect(QRect(QPoint(0, 0), page.size), page.background);

    for (const PageItem& item : page.items) {
        switch (item.kind) {
        case PageItem::Kind::rectangle:
            painter.fillRect(item.rect, item.colour);
            break;
        case PageItem::Kind::text: {
            if (item.text.isEmpty())
                break;
            painter.setFont(item.font);
            painter.setPen(item.colour);
            int flags = item.alignment;
            if (item.wordWrap)
                flags |= Qt::TextWordWrap;
            painter.drawText(item.rect, flags, item.text);
            break;
        }
        case PageItem::Kind::picture:
            if (item.image.isNull())
                break;
            if (item.stretch) {
                painter.drawImage(item.rect, item.image);
            } else {
                painter.save();
                painter.setClipRect(item.rect, Qt::IntersectClip);
                painter.drawImage(item.rect.topLeft(), item.image);
                painter.restore();
            }
            break;
        }
    }
    painter.restore();
}

QString CreditLine()
{
    return QStringLiteral("A Brainloft puzzle by Oakhollow");
}

} // namespace printing
