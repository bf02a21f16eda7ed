#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>

// A 300 by 300 grid picture drawn at the view's size by whole-pixel copies, with the keyboard's
// cell boxed while the view has the focus. Presses and keys go to the window that owns it.
class GridView : public QWidget {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }

    // Column and row from 0; boxed on screen only, never in the picture. None when null.
    void setFocusCell(const QPoint& cell);

    // Any mouse button; at is in view pixels.
    std::function<void(QPoint at)> onPress;
    // True when the key was the grid's.
    std::function<bool(int key)> onKey;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void scale();

    QImage picture_;
    QImage shown_; // the picture at the view's size
    QPoint focusCell_{-1, -1};
};
