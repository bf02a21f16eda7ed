#pragma once

#include "shell/playwindow.h"
#include "maze/walk.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>

class MazePictureView;
class Program;
class QTimer;
class QToolButton;
class NameDialog;
struct Windows;

namespace maze {
struct MazeState;
}

// "Windlepath": the maze play window. A maze is made or loaded here and walked with the arrow
// keys from its entrance to its exit; the cursor flashes in the "Maze cursor" colour.
class MazeWindow : public PlayWindow {
    Q_OBJECT
public:
    MazeWindow(Program& program, Windows& windows, maze::MazeState& state, QWidget* parent = nullptr);

    void UpdateTitle();
    void DrawMaze();
    void PaintCursor(int x, int y, bool on);
    // Key codes 37 to 40 are the arrows; every code runs the exit test.
    void FormKeyUp(int key);
    void tmflashTimer();

    void btnNewClick();
    void BtnLoadClick();
    void btncheatClick();
    void btnprintClick();
    void btnSmallerClick();
    void btnLargerClick();

    // A maze is present when the main picture's corner wall is black.
    bool mazePresent() const;
    const QImage& picture() const;
    maze::Cell cursor() const { return cursor_; }
    const QString& puzzleName() const { return name_; }
    int zoom() const { return zoom_; }
    bool flashing() const;

    // Where the screen size comes from when the window grows; tests give a fixed size.
    void setScreenSizeSource(std::function<QSize()> source) { screenSize_ = std::move(source); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void FormCreate();
    void FormShow() override;
    void FormClose() override;
    void setPictureSize(int pixels);
    void clearMainPicture();
    void clearPictures();
    QImage& mainPicture();

    maze::MazeState& state_;
    std::function<QSize()> screenSize_;

    QString name_;
    int zoom_ = 1;
    maze::Cell cursor_;
    bool flashOn_ = false;
    bool inExit_ = false; // the exit's dialogue is running; keys wait for it

    QWidget* Panbuttons = nullptr;
    QWidget* panh2 = nullptr;
    QWidget* panh1 = nullptr;
    QWidget* panw1 = nullptr;
    QWidget* panw2 = nullptr;
    MazePictureView* immain = nullptr;
    MazePictureView* imblank = nullptr; // a white picture
    QTimer* tmflash = nullptr;
    NameDialog* sd1 = nullptr;
    QToolButton* btnNew = nullptr;
    QToolButton* BtnLoad = nullptr;
    QToolButton* btncheat = nullptr;
    QToolButton* btnprint = nullptr;
    QToolButton* btnSmaller = nullptr;
    QToolButton* btnLarger = nullptr;
    QToolButton* btnoptions = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* btnclose = nullptr;
};
