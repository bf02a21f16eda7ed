#pragma once

#include "printing/pagelayout.h"
#include "wordsearch/gridpicture.h"

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>

// The grid drawn at the view's size, with the keyboard's cell boxed while the view has the focus.
// Given a drawing, it shows the letter pictures pixel for pixel where one device pixel is one
// pixel, and draws the same grid at the device's resolution (letters as text, bars as strokes)
// on a denser screen. Given only a picture, it enlarges that picture by whole-pixel copies.
// Presses and keys go to the window that owns it.
class GridView : public QWidget {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);

    void setDrawing(const wordsearch::GridDrawing& drawing);
    void setPicture(const QImage& picture);
    // The grid at one pixel a unit, as drawn from the drawing or as given.
    const QImage& picture() const { return picture_; }

    // Column and row from 0; boxed on screen only, never in the picture. None when null.
    void setFocusCell(const QPoint& cell);

    // Any mouse button; at is a whole view pixel inside the cell drawn under the pressed device
    // pixel, so a press at a fractional scale lands on the cell the user sees there.
    std::function<void(QPoint at)> onPress;
    // True when the key was the grid's.
    std::function<bool(int key)> onKey;

    // Where a press at position (view coordinates) is reported.
    QPoint pressPoint(QPointF position) const;

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
    bool sharp_ = false;
    printing::PageLayout grid_; // the drawing over 300 units, for denser screens
    QPoint focusCell_{-1, -1};
};
