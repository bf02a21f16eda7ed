#pragma once

#include <QSize>
#include <QString>

class MazePictureView;
class QToolButton;
class QWidget;

// What the maze window and its key are both built from: a button bar on top, white margins
// round the picture, and the screen size the size buttons measure against.
namespace maze {

struct MazeWindowFrame {
    QWidget* bar = nullptr;    // the button bar, 33 high
    QWidget* top = nullptr;    // white margins, 20 wide or high
    QWidget* bottom = nullptr;
    QWidget* left = nullptr;
    QWidget* right = nullptr;
    MazePictureView* picture = nullptr;

    // Sizes the window to hold a picture of pixels x pixels with its bar and margins; the
    // window's size is then fixed.
    void layOut(QWidget* window, int pixels) const;
    // A size given from outside (stored bounds, which count a frame that a hidden window does
    // not know yet) picks the picture size it has room for, and the window takes that size's
    // fixed size again: it never grows by its frame nor becomes resizable. Returns the picture size.
    int fitTo(QWidget* window) const;
};

// A white margin panel.
QWidget* WhitePanel(const QString& name, QWidget* parent);


} // namespace maze
