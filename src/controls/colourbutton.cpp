#include "controls/colourbutton.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

// A 1-pixel border inside r.
void frameRect(QPainter& p, const QRect& r, const QColor& colour)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    p.fillRect(r.left(), r.top(), r.width(), 1, colour);
    p.fillRect(r.left(), r.bottom(), r.width(), 1, colour);
    p.fillRect(r.left(), r.top(), 1, r.height(), colour);
    p.fillRect(r.right(), r.top(), 1, r.height(), colour);
}

// One ring of a bevel: top and left in one colour, bottom and right in the other; r shrinks.
void edgeRing(QPainter& p, QRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    p.fillRect(r.left(), r.top(), r.width() - 1, 1, topLeft);
    p.fillRect(r.left(), r.top(), 1, r.height() - 1, topLeft);
    p.fillRect(r.left(), r.bottom(), r.width(), 1, bottomRight);
    p.fillRect(r.right(), r.top(), 1, r.height(), bottomRight);
    r.adjust(1, 1, -1, -1);
}

// The push-button frame, two pixels deep, raised or pushed in; r shrinks to the interior.
void pushButtonFrame(QPainter& p, QRect& r, const QPalette& pal, bool pushed)
{
    const QColor highlight = pal.color(QPalette::Active, QPalette::Light);
    const QColor light = pal.color(QPalette::Active, QPalette::Midlight);
    const QColor shadow = pal.color(QPalette::Active, QPalette::Dark);
    const QColor darkShadow = pal.color(QPalette::Active, QPalette::Shadow);
    if (pushed) {
        edgeRing(p, r, shadow, highlight);
        edgeRing(p, r, darkShadow, light);
    } else {
        edgeRing(p, r, highlight, darkShadow);
        edgeRing(p, r, light, shadow);
    }
}

// Every other pixel along the border of r, starting at its corner.
void dottedRect(QPainter& p, const QRect& r, const QColor& colour)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    for (int x = r.left(); x <= r.right(); x += 2) {
        p.fillRect(x, r.top(), 1, 1, colour);
        p.fillRect(x, r.bottom(), 1, 1, colour);
    }
    for (int y = r.top(); y <= r.bottom(); y += 2) {
        p.fillRect(r.left(), y, 1, 1, colour);
        p.fillRect(r.right(), y, 1, 1, colour);
    }
}

} // namespace

ColourButton::ColourButton(QWidget* parent)
    : ColourButton(QString(), parent)
{
}

ColourButton::ColourButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent)
    , m_buttonColor(palette().color(QPalette::Active, QPalette::Button))
{
}

void ColourButton::setButtonColor(const QColor& colour)
{
    if (colour == m_buttonColor)
        return;
    m_buttonColor = colour;
    repaint();
}

QColor ColourButton::captionColor() const
{
    return palette().color(QPalette::Active, QPalette::ButtonText);
}

void ColourButton::setCaptionColor(const QColor& colour)
{
    QPalette pal = palette();
    pal.setColor(QPalette::ButtonText, colour);
    setPalette(pal);
}

void ColourButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPalette& pal = palette();
    const bool disabled = !isEnabled();
    const bool pressed = !disabled && isDown();
    const bool focusState = hasFocus();
    const bool isFocused = IsFocused();

    QRect r = rect();
    if (isFocused || focusState) {
        frameRect(p, r, pal.color(QPalette::Active, QPalette::WindowText));
        r.adjust(1, 1, -1, -1);
    }
    if (pressed) {
        frameRect(p, r, pal.color(QPalette::Active, QPalette::Dark));
        r.adjust(1, 1, -1, -1);
        if (m_frame3D)
            pushButtonFrame(p, r, pal, true);
    } else {
        pushButtonFrame(p, r, pal, false);
    }
    if (r.width() > 0 && r.height() > 0)
        p.fillRect(r, m_buttonColor);

    r.adjust(-1, -1, 1, 1);
    if (isFocused)
        r = rect().adjusted(1, 1, -1, -1);
    if (pressed)
        r.translate(1, 1);

    const QString caption = text();
    if (!caption.isEmpty()) {
        p.setFont(font());
        const int flags = Qt::TextSingleLine | Qt::TextShowMnemonic;
        const QSize textSize = p.fontMetrics().size(flags, caption);
        const QPoint at(r.left() + (r.width() - textSize.width() + 1) / 2,
                        r.top() + (r.height() - textSize.height() + 1) / 2);
        const QRect box(at, textSize);
        const int align = Qt::AlignLeft | Qt::AlignTop | flags;
        if (disabled) {
            p.setPen(pal.color(QPalette::Active, QPalette::Light));
            p.drawText(box.translated(1, 1), align, caption);
            p.setPen(pal.color(QPalette::Active, QPalette::Dark));
            p.drawText(box, align, caption);
        } else {
            p.setPen(pal.color(QPalette::Active, QPalette::ButtonText));
            p.drawText(box, align, caption);
        }
    }

    if (isFocused && focusState) {
        // What inverting the face would give, so the dots show on any colour.
        const QColor dots(255 - m_buttonColor.red(), 255 - m_buttonColor.green(), 255 - m_buttonColor.blue());
        dottedRect(p, rect().adjusted(4, 4, -4, -4), dots);
    }
}

void ColourButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        mousePressEvent(event);
    else
        QPushButton::mouseDoubleClickEvent(event);
}
