#pragma once

#include <QPointer>
#include <QSize>
#include <QWidget>
#include <functional>

class MazePictureView;
class Program;
class QToolButton;
struct Desk;

namespace maze {
class MazeGame;
struct MazeWindowFrame;
} // namespace maze

// "Key": the maze being played with its route in red, shown from the maze window's cheat button
// and kept on top of the other windows, but under the boxes that other windows show. It first
// opens beside the maze window where the screen has room.
class MazeKeyWindow : public QWidget {
    Q_OBJECT
public:
    // maze is the play window the key first opens beside.
    MazeKeyWindow(Program& program, Desk& desk, const QWidget* maze = nullptr);

    // Draws the key of the maze in game; the maze window calls it whenever its maze changes.
    void DrawKey(const maze::MazeGame& game);

    void btnSmallerClick();
    void btnLargerClick();
    void btncloseClick();

    // Where the screen size comes from when the window grows; tests give a fixed size.
    void setScreenSizeSource(std::function<QSize()> source) { screenSize_ = std::move(source); }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    maze::MazeWindowFrame frame() const;
    void setPictureSize(int pixels);
    void showPictureSize();
    bool placeBesideMaze();
    void stayUnderOtherBoxes();

    Program& program_;
    Desk& desk_;
    const QWidget* maze_;
    std::function<QSize()> screenSize_;
    bool placed_ = false;
    QPointer<QWidget> box_; // the box the key stepped under

    QWidget* panbuttons = nullptr;
    QWidget* panh2 = nullptr;
    QWidget* panh1 = nullptr;
    QWidget* panw2 = nullptr;
    QWidget* panw1 = nullptr;
    MazePictureView* imanswer = nullptr;
    QToolButton* btnSmaller = nullptr;
    QToolButton* btnLarger = nullptr;
    QToolButton* btnclose = nullptr;
};
