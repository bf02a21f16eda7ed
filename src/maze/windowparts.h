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

    // Sizes the window to hold a picture of pixels x pixels with its bar and margins.
    void layOut(QWidget* window, int pixels) const;
};

// A white margin panel.
QWidget* WhitePanel(const QString& name, QWidget* parent);

// A flat bar button with an icon from the resources and a hint; it never takes the focus, so
// the arrow keys always reach the window.
QToolButton* BarButton(QWidget* bar, const QString& name, const QString& icon, const QString& hint, int left);


} // namespace maze
