#include "maze/printpages.h"

#include "maze/mazegame.h"
#include "maze/mazepicture.h"
#include "platform/fonts.h"

#include <QPainter>

namespace maze {
namespace {

printing::PageItem textItem(const QString& name, const QRect& rect, const QString& text, const QFont& font,
                            Qt::Alignment alignment)
{
    printing::PageItem item;
    item.kind = printing::PageItem::Kind::text;
    item.name = name;
    item.rect = rect;
    item.colour = Qt::black;
    item.text = text;
    item.font = font;
    item.alignment = static_cast<int>(alignment);
    return item;
}

} // namespace

printing::PageLayout MazePage(const MazeGame& game, bool key, const QString& name)
{
    printing::PageLayout page;
    page.size = QSize(kPageWidth, kPageHeight);
    page.background = Qt::white;

    const QString title = name.isEmpty() ? QStringLiteral("UNTITLED") : name;
    page.items << textItem(QStringLiteral("lblname"), QRect(8, 24, 601, 20),
                           key ? title + QStringLiteral("   <KEY>") : title, fonts::sans(16, true),
                           Qt::AlignHCenter | Qt::AlignTop);

    QImage picture = BlankMazePicture(game.size());
    const QImage& source = key ? game.keyPicture() : game.mainPicture();
    if (!source.isNull()) {
        QPainter painter(&picture);
        painter.drawImage(QPoint(0, 0), source);
    }
    // Walls and route as filled rectangles: sharp at any zoom of the paper or the PDF.
    printing::PageItem maze;
    maze.kind = printing::PageItem::Kind::blocks;
    maze.name = QStringLiteral("imprint");
    maze.rect = QRect(8, 72, 600, 600);
    maze.image = picture;
    page.items << maze;

    page.items << textItem(QStringLiteral("Label2"), QRect(308, 684, 300, 11), printing::CreditLine(), fonts::serif(9),
                           Qt::AlignRight | Qt::AlignTop);
    return page;
}

} // namespace maze
