#include "printing/pagelayout.h"

#include "platform/fonts.h"

#include <QPainter>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace printing;

TEST(PageLayout, APageFitsThePrintableAreaAtItsTopLeftWithItsProportions)
{
    const struct {
        QSize page;
        QRect printable;
        QRect fitted;
    } cases[] = {
        {{455, 585}, {100, 50, 2244, 3390}, {100, 50, 2244, 2885}}, // narrow paper: width decides
        {{100, 100}, {0, 0, 300, 200}, {0, 0, 200, 200}},           // wide area: height decides
        {{616, 703}, {0, 0, 616, 703}, {0, 0, 616, 703}},
        {{0, 0}, {5, 5, 10, 10}, {5, 5, 0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitPage(c.page, c.printable), c.fitted) << c.page.width() << "x" << c.page.height();
}

namespace {

QImage render(const PageLayout& page, const QSize& sheet)
{
    QImage image(sheet, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    RenderPage(painter, page, QRect(QPoint(0, 0), sheet));
    return image;
}

bool anyInk(const QImage& image, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return true;
    return false;
}

} // namespace

TEST(PageLayout, PicturesScaleWithoutSmoothingAndRectanglesFill)
{
    // A 2 by 2 checkerboard stretched over 20 by 20 page pixels, drawn ten times larger.
    QImage checker(2, 2, QImage::Format_RGB32);
    checker.setPixel(0, 0, qRgb(0, 0, 0));
    checker.setPixel(1, 1, qRgb(0, 0, 0));
    checker.setPixel(1, 0, qRgb(255, 0, 0));
    checker.setPixel(0, 1, qRgb(255, 255, 255));
    PageLayout page;
    page.size = QSize(40, 40);
    PageItem panel;
    panel.rect = QRect(0, 0, 22, 22);
    panel.colour = Qt::blue;
    PageItem picture;
    picture.kind = PageItem::Kind::picture;
    picture.rect = QRect(1, 1, 20, 20);
    picture.image = checker;
    picture.stretch = true;
    page.items << panel << picture;

    const QImage sheet = render(page, QSize(400, 500));
    EXPECT_EQ(sheet.pixel(5, 5), qRgb(0, 0, 255));     // the panel's edge
    EXPECT_EQ(sheet.pixel(10, 10), qRgb(0, 0, 0));     // first cell, its very corner
    EXPECT_EQ(sheet.pixel(109, 109), qRgb(0, 0, 0));   // first cell, its far corner
    EXPECT_EQ(sheet.pixel(110, 10), qRgb(255, 0, 0));  // second cell starts sharp
    EXPECT_EQ(sheet.pixel(209, 109), qRgb(255, 0, 0));
    EXPECT_EQ(sheet.pixel(150, 150), qRgb(0, 0, 0));
    EXPECT_EQ(sheet.pixel(300, 300), qRgb(255, 255, 255)); // past the page's items
    EXPECT_FALSE(anyInk(sheet, QRect(0, 401, 400, 99)));  // below the fitted page
}

TEST(PageLayout, TextsDrawInTheirRectangleColourAndAlignment)
{
    PageLayout page;
    page.size = QSize(200, 100);
    PageItem title;
    title.kind = PageItem::Kind::text;
    title.rect = QRect(0, 10, 200, 20);
    title.text = QStringLiteral("WWW");
    title.font = fonts::sans(16);
    title.colour = QColor(128, 0, 0);
    title.alignment = Qt::AlignRight | Qt::AlignTop;
    page.items << title;

    const QImage sheet = render(page, QSize(400, 200)); // twice the page
    EXPECT_TRUE(anyInk(sheet, QRect(300, 20, 100, 40)));
    EXPECT_FALSE(anyInk(sheet, QRect(0, 0, 200, 200)));  // right-aligned: the left half stays white
    EXPECT_FALSE(anyInk(sheet, QRect(0, 62, 400, 138))); // nothing below its rectangle
    bool maroon = false;
    for (int y = 20; y < 60 && !maroon; ++y)
        for (int x = 300; x < 400 && !maroon; ++x)
            maroon = sheet.pixel(x, y) == qRgb(128, 0, 0);
    EXPECT_TRUE(maroon);
}

// Blocks: one pixel a cell, drawn as rectangles. Whatever the pattern, each device pixel shows
// its own cell's colour exactly, cells of the page's background are left alone, and scales
// that split pixels unevenly leave no seam.
TEST(PageLayout, BlocksFillEveryCellInItsColour)
{
    const QRgb colours[] = {qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 90, 200)};
    QRandomGenerator random(4);
    QImage cells(23, 17, QImage::Format_RGB32);
    for (int y = 0; y < cells.height(); ++y)
        for (int x = 0; x < cells.width(); ++x)
            cells.setPixel(x, y, colours[random.bounded(4)]);
    // Runs that stack into taller blocks, and one whole row.
    for (int y = 3; y < 9; ++y)
        for (int x = 2; x < 7; ++x)
            cells.setPixel(x, y, colours[1]);
    for (int x = 0; x < cells.width(); ++x)
        cells.setPixel(x, 12, colours[2]);

    // Seven pixels a cell, and a width that gives cells of 7 or 8 pixels.
    for (const int width : {23 * 7, 23 * 7 + 5}) {
        SCOPED_TRACE(width);
        PageLayout page;
        page.size = QSize(cells.width() * 10, cells.height() * 10);
        page.background = QColor(colours[0]);
        PageItem under; // shows through the background cells only
        under.rect = QRect(QPoint(0, 0), page.size);
        under.colour = QColor(0, 255, 0);
        PageItem blocks;
        blocks.kind = PageItem::Kind::blocks;
        blocks.rect = QRect(QPoint(0, 0), page.size);
        blocks.image = cells;
        page.items << under << blocks;
        const QSize sheetSize(width, 200);
        const QRect fitted = FitPage(page.size, QRect(QPoint(0, 0), sheetSize));
        const QImage sheet = render(page, sheetSize);
        int wrong = 0;
        for (int y = 0; y < fitted.height(); ++y)
            for (int x = 0; x < fitted.width(); ++x) {
                const QRgb cell = cells.pixel(int((x + 0.5) * cells.width() / fitted.width()),
                                              int((y + 0.5) * cells.height() / fitted.height()));
                wrong += sheet.pixel(x, y) != (cell == colours[0] ? qRgb(0, 255, 0) : cell);
            }
        EXPECT_EQ(wrong, 0);
    }
}

// A line is a round-capped stroke of its width in its colour, and no item draws outside its clip.
TEST(PageLayout, LinesStrokeAndClipsBound)
{
    PageLayout page;
    page.size = QSize(100, 100);
    PageItem line;
    line.kind = PageItem::Kind::line;
    line.line = QLineF(10.5, 10.5, 60.5, 10.5);
    line.penWidth = 3;
    line.colour = QColor(180, 16, 203);
    PageItem clipped;
    clipped.rect = QRect(0, 50, 100, 50);
    clipped.colour = Qt::black;
    clipped.clip = QRect(20, 60, 10, 10);
    page.items << line << clipped;

    const QImage sheet = render(page, QSize(400, 400));
    EXPECT_EQ(sheet.pixel(42, 42), qRgb(180, 16, 203));
    EXPECT_EQ(sheet.pixel(200, 37), qRgb(180, 16, 203));   // a unit and a bit off the middle
    EXPECT_EQ(sheet.pixel(200, 30), qRgb(255, 255, 255));  // past its width
    EXPECT_EQ(sheet.pixel(38, 42), qRgb(180, 16, 203));    // the round caps past the ends
    EXPECT_EQ(sheet.pixel(246, 42), qRgb(180, 16, 203));
    EXPECT_FALSE(anyInk(sheet, QRect(260, 0, 140, 200)));
    EXPECT_EQ(sheet.pixel(100, 260), qRgb(0, 0, 0));
    EXPECT_FALSE(anyInk(sheet, QRect(0, 200, 79, 200)));
    EXPECT_FALSE(anyInk(sheet, QRect(120, 200, 280, 200)));
    EXPECT_FALSE(anyInk(sheet, QRect(80, 280, 40, 120)));
}

// A line of cells draws each character as a text item of its own centred in its cell would, at a
// size Qt draws from its cache and at one too large for it.
TEST(PageLayout, CellLinesMatchTextItemsOfTheirOwnAtAnySize)
{
    PageLayout line;
    line.size = QSize(160, 20);
    PageItem cells;
    cells.kind = PageItem::Kind::text;
    cells.rect = QRect(0, 2, 15, 15);
    cells.cellPitch = 15;
    cells.text = QStringLiteral("QUAWMGJ@Z9");
    cells.font = fonts::sans(16, true);
    cells.colour = QColor(0, 0, 128);
    cells.alignment = Qt::AlignCenter;
    line.items << cells;
    PageLayout separate = line;
    separate.items.clear();
    for (int i = 0; i < cells.text.size(); ++i) {
        PageItem one = cells;
        one.cellPitch = 0;
        one.text = cells.text.mid(i, 1);
        one.rect.translate(i * 15, 0);
        separate.items << one;
    }
    for (const int scale : {2, 7}) // glyphs of 32 and of 112 pixels
        EXPECT_EQ(render(line, line.size * scale), render(separate, line.size * scale)) << scale;
}
