#pragma once

#include <QColor>
#include <QPushButton>

// A push button that paints its face in a colour of its own. It clicks, takes focus and acts
// as the default button exactly like any push button; only the drawing is its own.
class ColourButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(QColor ButtonColor READ ButtonColor WRITE setButtonColor)
    Q_PROPERTY(bool Frame3D READ Frame3D WRITE setFrame3D)
    Q_PROPERTY(bool IsFocused READ IsFocused)

public:
    explicit ColourButton(QWidget* parent = nullptr);
    explicit ColourButton(const QString& text, QWidget* parent = nullptr);

    QColor ButtonColor() const { return m_buttonColor; }
    // Repaints at once when the colour changes.
    void setButtonColor(const QColor& colour);

    // Draw the 3-D frame also while pressed; shows at the next repaint.
    bool Frame3D() const { return m_frame3D; }
    void setFrame3D(bool on) { m_frame3D = on; }

    // The focused or the default button of its window.
    bool IsFocused() const { return hasFocus() || isDefault(); }

    // The caption's colour (the button-text colour of the palette).
    QColor captionColor() const;
    void setCaptionColor(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    // A quick second click arrives as a double-click; it is taken as one more press.
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QColor m_buttonColor;
    bool m_frame3D = false;
};
