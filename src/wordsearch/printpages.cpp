#include "wordsearch/printpages.h"

#include "platform/fonts.h"

#include <QPainter>
#include <algorithm>

namespace wordsearch {

namespace {

using printing::PageItem;
using printing::PageLayout;

constexpr int kBelowGridTops[15] = {344, 359, 374, 389, 403, 418, 433, 448, 463, 478, 493, 507, 522, 537, 552};
constexpr int kRightColumnTops[34] = {40,  56,  71,  87,  102, 118, 133, 149, 164, 180, 195, 211,
                                      226, 242, 257, 273, 288, 304, 319, 335, 350, 366, 381, 397,
                                      412, 428, 443, 459, 474, 490, 505, 521, 536, 552};

// Where word label i (0 to 63) stands: two columns under the grid, the third right of it.
QRect wordRect(int i)
{
    if (i < 15)
        return QRect(8, kBelowGridTops[i], 147, 13);
    if (i < 30)
        return QRect(160, kBelowGridTops[i - 15], 147, 13);
    return QRect(312, kRightColumnTops[i - 30], 147, 13);
}

PageItem text(const QString& name, const QRect& rect, const QString& content, const QFont& font, Qt::Alignment alignment)
{
    PageItem item;
    item.kind = PageItem::Kind::text;
    item.name = name;
    item.rect = rect;
    item.colour = Qt::black;
    item.text = content;
    item.font = font;
    item.alignment = static_cast<int>(alignment);
    return item;
}

// The picture with a one-pixel black frame along its edge.
QImage framed(const QImage& picture)
{
    QImage out = BlankPicture();
    QPainter painter(&out);
    if (!picture.isNull())
        painter.drawImage(QPoint(0, 0), picture);
    painter.setPen(QPen(Qt::black, 0));
    const int last = kPicturePixels - 1;
    painter.drawLine(0, 0, last, 0);
    painter.drawLine(last, 0, last, last);
    painter.drawLine(last, last, 0, last);
    painter.drawLine(0, last, 0, 0);
    return out;
}

PageLayout titledPage(const QString& title)
{
    PageLayout page;
    page.size = QSize(kPageWidth, kPageHeight);
    page.background = Qt::white;
    page.items << text(QStringLiteral("lbltitle"), QRect(4, 8, 446, 13), title, fonts::sans(11),
                       Qt::AlignHCenter | Qt::AlignTop);
    return page;
}

PageItem blackPanel(int left, int top)
{
    PageItem panel;
    panel.kind = PageItem::Kind::rectangle;
    panel.name = QStringLiteral("Panel1");
    panel.rect = QRect(left, top, 304, 304);
    panel.colour = Qt::black;
    return panel;
}

// The title at the top, the picture in a black panel 2 pixels wide at left, top.
PageLayout framedPicturePage(const QString& title, const QImage& picture, int left, int top)
{
    PageLayout page = titledPage(title);
    page.items << blackPanel(left, top);
    PageItem image;
    image.kind = PageItem::Kind::picture;
    image.name = QStringLiteral("immain");
    image.rect = QRect(left + 2, top + 2, kPicturePixels, kPicturePixels);
    image.image = framed(picture);
    page.items << image;
    return page;
}

// The same page with the grid drawn: the panel, the one-unit frame along the grid's edge, and
// the grid's bars and letters inside it.
PageLayout framedGridPage(const QString& title, const GridDrawing& drawing, int left, int top)
{
    PageLayout page = titledPage(title);
    page.items << blackPanel(left, top);
    PageItem inside;
    inside.kind = PageItem::Kind::rectangle;
    inside.name = QStringLiteral("immain");
    inside.rect = QRect(left + 3, top + 3, kPicturePixels - 2, kPicturePixels - 2);
    inside.colour = Qt::white;
    page.items << inside;
    AddGridItems(page, drawing, QPoint(left + 2, top + 2));
    return page;
}

void addWords(PageLayout& page, const QStringList& words)
{
    for (int i = 0; i < kPageWords; ++i)
        page.items << text(QStringLiteral("l%1").arg(i), wordRect(i), i < words.size() ? words[i] : QString(),
                           fonts::sans(8), Qt::AlignLeft | Qt::AlignTop);
}

PageItem credit(int left, int width)
{
    return text(QStringLiteral("Label2"), QRect(left, 570, width, 11), printing::CreditLine(), fonts::serif(9),
                Qt::AlignRight | Qt::AlignTop);
}

} // namespace

QStringList PageWords(const WordSearchPuzzle& puzzle)
{
    QStringList words;
    for (const WordSlot& slot : puzzle.wordSlots)
        if (!slot.isEmpty())
            words << QString::fromLatin1(slot.word());
    std::sort(words.begin(), words.end());
    return words;
}

QString PageTitle(const QString& name)
{
    return name.isEmpty() ? QStringLiteral("UNTITLED") : name.toUpper();
}

PageLayout PuzzlePage(const WordSearchPuzzle& puzzle, const QString& name)
{
    PageLayout page = framedGridPage(PageTitle(name), LettersDrawing(puzzle), 4, 38);
    addWords(page, PageWords(puzzle));
    page.items << credit(262, 187);
    return page;
}

PageLayout KeyPage(const WordSearchPuzzle& puzzle, const QColor& highlight, const QString& name)
{
    PageLayout page = framedGridPage(PageTitle(name) + QStringLiteral("   <KEY>"), KeyDrawing(puzzle, highlight), 76, 62);
    page.items << credit(264, 185);
    return page;
}

PageLayout PuzzlePage(const QStringList& words, const QImage& letters, const QString& name)
{
    PageLayout page = framedPicturePage(PageTitle(name), letters, 4, 38);
    addWords(page, words);
    page.items << credit(262, 187);
    return page;
}

PageLayout KeyPage(const QImage& keyPicture, const QString& name)
{
    PageLayout page = framedPicturePage(PageTitle(name) + QStringLiteral("   <KEY>"), keyPicture, 76, 62);
    page.items << credit(264, 185);
    return page;
}

} // namespace wordsearch
