#include "printing/pagecapture.h"

#include "printing/pagepicture.h"

#include <QLabel>
#include <QPixmap>

namespace printing {
namespace {

// Point sizes would resolve at the printer's resolution; the page is laid out in screen pixels.
QFont inPixels(QFont font)
{
    if (font.pixelSize() <= 0)
        font.setPixelSize(qRound(font.pointSizeF() * 96.0 / 72.0));
    return font;
}

void describeChildren(const QWidget& page, const QWidget& parent, const QRect& clip, PageLayout& layout)
{
    for (QObject* object : parent.children()) {
        auto* w = qobject_cast<QWidget*>(object);
        if (!w || w->isWindow() || !w->isVisibleTo(&page))
            continue;
        const QRect rect(w->mapTo(&page, QPoint(0, 0)), w->size());
        const QRect visible = rect.intersected(clip);
        if (visible.isEmpty())
            continue;

        PageItem item;
        item.name = w->objectName();
        item.rect = rect;
        if (w->autoFillBackground()) {
            PageItem fill;
            fill.name = item.name;
            fill.rect = visible;
            fill.colour = w->palette().color(w->backgroundRole());
            layout.items << fill;
        }
        if (auto* picture = qobject_cast<PagePicture*>(w)) {
            item.kind = PageItem::Kind::picture;
            item.image = picture->picture();
            item.stretch = picture->stretch();
            item.rect = picture->stretch() ? rect : visible;
            layout.items << item;
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            const QPixmap pixmap = label->pixmap();
            if (!pixmap.isNull()) {
                item.kind = PageItem::Kind::picture;
                item.image = pixmap.toImage();
                item.stretch = label->hasScaledContents();
                item.rect = item.stretch ? rect : visible;
            } else {
                item.kind = PageItem::Kind::text;
                item.text = label->text();
                item.font = inPixels(label->font());
                item.colour = label->palette().color(label->foregroundRole());
                item.alignment = static_cast<int>(label->alignment());
                item.wordWrap = label->wordWrap();
            }
            layout.items << item;
        }
        describeChildren(page, *w, visible, layout);
    }
}

} // namespace

PageLayout DescribePage(const QWidget& page)
{
    PageLayout layout;
    layout.size = page.size();
    layout.background = page.autoFillBackground() ? page.palette().color(page.backgroundRole()) : QColor(Qt::white);
    describeChildren(page, page, QRect(QPoint(0, 0), page.size()), layout);
    return layout;
}

} // namespace printing
