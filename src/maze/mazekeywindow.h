#pragma once

#include <QImage>
#include <QSize>
#include <QWidget>
#include <functional>

class MazePictureView;
class Program;
class QToolButton;
struct Windows;

// "Key": the current maze with its route in red, shown from the maze window's cheat button and
// kept on top. The maze window paints it whenever it draws a maze.
class MazeKeyWindow : public QWidget {
    Q_OBJECT
public:
    MazeKeyWindow(Program& program, Windows& windows, QWidget* parent = nullptr);

    void SetPicture(const QImage& picture);
    void ClearPicture();
    const QImage& picture() const;

    void btnSmallerClick();
    void btnLargerClick();
    void btncloseClick();

    // Where the screen size comes from when the window grows; tests give a fixed size.
    void setScreenSizeSource(std::function<QSize()> source) { screenSize_ = std::move(source); }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate();
    void setPictureSize(int pixels);
    void showPictureSize();

    Program& program_;
    std::function<QSize()> screenSize_;
    bool centred_ = false;

    QWidget* panbuttons = nullptr;
    QWidget* panh2 = nullptr;
    QWidget* panh1 = nullptr;
    QWidget* panw2 = nullptr;
    QWidget* panw1 = nullptr;
    MazePictureView* imanswer = nullptr;
    MazePictureView* imblank = nullptr;
    QToolButton* btnSmaller = nullptr;
    QToolButton* btnLarger = nullptr;
    QToolButton* btnclose = nullptr;
};
