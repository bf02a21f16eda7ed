#include "printing/pagelayout.h"

#include "platform/fonts.h"

#include <QPainter>
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
