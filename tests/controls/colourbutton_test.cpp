#include "controls/colourbutton.h"

#include <QApplication>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QColor kNavy(0, 0, 128);
const QColor kWhite(255, 255, 255);

// The smallest rectangle holding every pixel of exactly this colour inside area.
QRect pixelsOf(const QImage& image, const QColor& colour, const QRect& area)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == colour.rgb())
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// The area where a caption may be drawn: inside frame and focus marks.
QRect captionArea(const QImage& image)
{
    return QRect(5, 5, image.width() - 10, image.height() - 10);
}

class ColourButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        button = new ColourButton(QStringLiteral("Play"), window.get());
        other = new ColourButton(QStringLiteral("Other"), window.get());
        layout->addWidget(button);
        layout->addWidget(other);
        QFont font = button->font();
        font.setPixelSize(14);
        font.setStyleStrategy(QFont::NoAntialias); // exact caption pixels
        button->setFont(font);
        button->setFixedSize(100, 30);
        button->setButtonColor(kNavy);
        button->setCaptionColor(kWhite);
    }

    QImage picture() { return button->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    // As stored in an 8-bit picture.
    QColor paletteColour(QPalette::ColorRole role) const
    {
        return QColor(button->palette().color(QPalette::Active, role).rgb());
    }

    void focusButton()
    {
        window->show();
        QApplication::setActiveWindow(window.get());
        button->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ASSERT_TRUE(button->hasFocus());
    }

    std::unique_ptr<QWidget> window;
    ColourButton* button = nullptr;
    ColourButton* other = nullptr;
};

TEST_F(ColourButtonTest, FaceIsTheButtonColourInEveryState)
{
    const QImage normal = picture();
    EXPECT_EQ(normal.pixelColor(4, 15), kNavy);
    EXPECT_EQ(normal.pixelColor(95, 15), kNavy);

    button->setDown(true);
    const QImage pressed = picture();
    EXPECT_EQ(pressed.pixelColor(4, 15), kNavy);
    EXPECT_EQ(pressed.pixelColor(95, 15), kNavy);
    button->setDown(false);

    button->setEnabled(false);
    const QImage disabled = picture();
    EXPECT_EQ(disabled.pixelColor(4, 15), kNavy);
}

TEST_F(ColourButtonTest, RaisedFrameWhenUpAndShadowLineWhenPressed)
{
    const QImage up = picture();
    EXPECT_EQ(up.pixelColor(0, 0), paletteColour(QPalette::Light));
    EXPECT_EQ(up.pixelColor(99, 29), paletteColour(QPalette::Shadow));
    EXPECT_EQ(up.pixelColor(1, 1), paletteColour(QPalette::Midlight));
    EXPECT_EQ(up.pixelColor(98, 28), paletteColour(QPalette::Dark));

    // Pressed: one shadow line, and the face reaches right up to it.
    button->setDown(true);
    const QImage down = picture();
    EXPECT_EQ(down.pixelColor(0, 0), paletteColour(QPalette::Dark));
    EXPECT_EQ(down.pixelColor(99, 29), paletteColour(QPalette::Dark));
    EXPECT_EQ(down.pixelColor(1, 1), kNavy);

    // With Frame3D the pushed frame is drawn inside the shadow line.
    button->setFrame3D(true);
    const QImage down3D = picture();
    EXPECT_EQ(down3D.pixelColor(0, 0), paletteColour(QPalette::Dark));
    EXPECT_EQ(down3D.pixelColor(1, 1), paletteColour(QPalette::Dark));
    EXPECT_EQ(down3D.pixelColor(2, 2), paletteColour(QPalette::Shadow));
    EXPECT_EQ(down3D.pixelColor(3, 3), kNavy);
}

TEST_F(ColourButtonTest, CaptionIsCentredAndMovesOneRightAndDownWhenPressed)
{
    const QImage up = picture();
    const QRect upCaption = pixelsOf(up, kWhite, captionArea(up));
    ASSERT_FALSE(upCaption.isNull());
    EXPECT_NEAR(upCaption.left(), 100 - 1 - upCaption.right(), 3);
    EXPECT_NEAR(upCaption.top(), 30 - 1 - upCaption.bottom(), 5);

    button->setDown(true);
    const QImage down = picture();
    const QRect downCaption = pixelsOf(down, kWhite, captionArea(down));
    EXPECT_EQ(downCaption, upCaption.translated(1, 1));
}

TEST_F(ColourButtonTest, DisabledCaptionIsEngraved)
{
    const QColor highlight = paletteColour(QPalette::Light);
    const QColor shadow = paletteColour(QPalette::Dark);
    ASSERT_NE(highlight, shadow);
    const QRect upCaption = pixelsOf(picture(), kWhite, captionArea(picture()));

    button->setEnabled(false);
    const QImage image = picture();
    const QRect lit = pixelsOf(image, highlight, captionArea(image));
    const QRect dark = pixelsOf(image, shadow, captionArea(image));
    ASSERT_FALSE(lit.isNull());
    ASSERT_FALSE(dark.isNull());
    // The shadow copy sits where the normal caption is; the highlight copy shows below right.
    EXPECT_EQ(dark, upCaption);
    EXPECT_EQ(lit.bottomRight(), dark.bottomRight() + QPoint(1, 1));
}

TEST_F(ColourButtonTest, FocusedButtonShowsOutlineAndDottedRectangle)
{
    const QColor outline = paletteColour(QPalette::WindowText);
    const QColor dots(255, 255, 127); // the navy face inverted

    const QImage plain = picture();
    EXPECT_NE(plain.pixelColor(0, 0), outline);
    EXPECT_EQ(plain.pixelColor(4, 4), kNavy);

    focusButton();
    const QImage focused = picture();
    EXPECT_EQ(focused.pixelColor(0, 0), outline);
    EXPECT_EQ(focused.pixelColor(99, 29), outline);
    EXPECT_EQ(focused.pixelColor(1, 1), paletteColour(QPalette::Light));
    for (int x = 4; x <= 95; x += 2)
        EXPECT_EQ(focused.pixelColor(x, 4), dots) << x;
    EXPECT_EQ(focused.pixelColor(5, 4), kNavy);
    EXPECT_EQ(focused.pixelColor(4, 24), dots);
    EXPECT_EQ(focused.pixelColor(95, 6), dots);
}

TEST_F(ColourButtonTest, DefaultButtonWithoutFocusHasOutlineButNoDots)
{
    button->setDefault(true);
    other->setFocus();
    const QImage image = picture();
    EXPECT_TRUE(button->IsFocused());
    EXPECT_EQ(image.pixelColor(0, 0), paletteColour(QPalette::WindowText));
    EXPECT_EQ(image.pixelColor(4, 4), kNavy);
}

// Counts paint events without letting any queued ones run.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

TEST_F(ColourButtonTest, ChangingTheColourRepaintsAtOnce)
{
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    PaintCounter counter;
    button->installEventFilter(&counter);

    button->setButtonColor(kNavy);
    EXPECT_EQ(counter.paints, 0);

    const QColor red(200, 0, 0);
    button->setButtonColor(red);
    EXPECT_EQ(counter.paints, 1);
    EXPECT_EQ(picture().pixelColor(4, 15), red);

    // Frame3D waits for the next repaint.
    counter.paints = 0;
    button->setFrame3D(true);
    EXPECT_EQ(counter.paints, 0);
}

// A real double-click arrives as press, release, double-click, release.
TEST_F(ColourButtonTest, QuickSecondLeftClickCountsAsAClick)
{
    QSignalSpy clicks(button, &QPushButton::clicked);
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseDClick(button, Qt::LeftButton);
    QTest::mouseRelease(button, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(ColourButtonTest, RightDoubleClickIsNoClick)
{
    QSignalSpy clicks(button, &QPushButton::clicked);
    QTest::mouseDClick(button, Qt::RightButton);
    QTest::mouseRelease(button, Qt::RightButton);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_FALSE(button->isDown());
}

} // namespace
