#include "controls/scrollimage.h"

#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QImage Picture(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::red);
    return image;
}

} // namespace

TEST(ScrollImage, StartsAsCreated)
{
    ScrollImage control;
    EXPECT_EQ(control.size(), QSize(105, 105));
    EXPECT_FALSE(control.Scaled() || control.AllowOverSize());
    EXPECT_EQ(control.Bevel(), ScrollImage::bvLowered);
    EXPECT_EQ(control.imageGeometry().topLeft(), QPoint(1, 1));
    EXPECT_TRUE(control.horizontalBar()->isHidden() && control.verticalBar()->isHidden());
    EXPECT_EQ(control.horizontalBar()->pageStep(), 64);
    EXPECT_EQ(control.verticalBar()->pageStep(), 48);
}

TEST(ScrollImage, LaysOutByScaleAndSize)
{
    struct Case {
        QSize picture, panel;
        bool scaled, allowOverSize;
        QSize image;
        bool stretched, bars;
    };
    const Case cases[] = {
        {{640, 480}, {322, 300}, true, true, {320, 240}, true, false},
        {{640, 480}, {402, 152}, true, true, {201, 150}, true, false}, // the height limits
        {{100, 50}, {300, 300}, true, false, {100, 50}, false, false},
        {{100, 50}, {300, 300}, true, true, {298, 148}, true, false},
        {{640, 480}, {300, 300}, false, false, {640, 480}, false, true},
        {{100, 50}, {300, 300}, false, false, {100, 49}, false, false}, // H - 2 of the rounded height
        {{0, 0}, {300, 300}, true, true, {0, 0}, true, false},         // an empty picture
        {{640, 480}, {1, 1}, true, true, {0, 0}, true, false},         // no room: 0 x 0, no negative size
        {{100000, 1}, {300, 0}, true, true, {298, 0}, true, false},    // aspect 0 and a panel 0 high
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.picture.width() << "x" << c.picture.height() << " in " << c.panel.width() << "x" << c.panel.height());
        ScrollImage control;
        control.resize(c.panel);
        control.setScaled(c.scaled);
        control.setAllowOverSize(c.allowOverSize);
        control.setPicture(c.picture.isEmpty() ? QImage() : Picture(c.picture.width(), c.picture.height()));
        EXPECT_EQ(control.imageGeometry().size(), c.image);
        EXPECT_EQ(control.imageGeometry().topLeft(), QPoint(1, 1));
        EXPECT_EQ(control.stretched(), c.stretched);
        EXPECT_EQ(!control.horizontalBar()->isHidden(), c.bars);
        EXPECT_EQ(!control.verticalBar()->isHidden(), c.bars);
        EXPECT_EQ(control.imageCursorIndex(), c.bars ? ScrollImage::kGrabCursor : 0);
    }
}

TEST(ScrollImage, ScrollsByPagesAndByDragging)
{
    ScrollImage control;
    control.resize(300, 300);
    control.setPicture(Picture(640, 480));
    QScrollBar* h = control.horizontalBar();
    QScrollBar* v = control.verticalBar();
    EXPECT_EQ(h->maximum(), 640 - 298 + v->width());
    EXPECT_EQ(v->maximum(), 480 - 298 + h->height());
    h->triggerAction(QAbstractSlider::SliderPageStepAdd);
    v->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(control.imageGeometry().topLeft(), QPoint(1 - 64, 1 - 48));

    // The grabbed point is kept one pixel up and left of the mouse: position = grab - mouse -
    // image left. The first move takes that pixel up, the next follow the mouse exactly.
    QWidget* image = control.image();
    const QPoint grab(200, 200); // on the picture, whose left is 1 - 64 and top 1 - 48
    QTest::mousePress(image, Qt::LeftButton, {}, grab);
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    const QPoint steps[] = {{-10, -30}, {-10, 0}, {5, 7}};
    QPoint screen = grab + control.imageGeometry().topLeft();
    const int expected[][2] = {{64 + 10 - 1, 48 + 30 - 1}, {83, 77}, {78, 70}};
    for (int i = 0; i < 3; ++i) {
        screen += steps[i];
        QTest::mouseMove(image, screen - control.imageGeometry().topLeft());
        EXPECT_EQ(h->value(), expected[i][0]) << i;
        EXPECT_EQ(v->value(), expected[i][1]) << i;
    }
    QTest::mouseRelease(image, Qt::LeftButton, {}, screen - control.imageGeometry().topLeft());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    QTest::mouseMove(image, QPoint(10, 10)); // no grab: nothing moves
    EXPECT_EQ(h->value(), 78);

    control.setScaled(true); // scaled: back to the origin, no bars
    EXPECT_EQ(h->value(), 0);
    EXPECT_TRUE(h->isHidden());
}
