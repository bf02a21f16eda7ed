#pragma once

#include "maze/mazegame.h"
#include "maze/state.h"
#include "shell/desk.h"
#include "shell/playwindow.h"

#include <QSize>
#include <functional>
#include <optional>

class MazeKeyWindow;
class MazePictureView;
class Program;
class QTimer;
class QToolButton;
class NameDialog;
struct Desk;

namespace maze {
struct MazeWindowFrame;
}

// "Windlepath": the maze play window. It draws the maze being played, forwards the arrow keys
// to it and runs the buttons: a maze is made or loaded here, walked from its entrance to its
// exit with the cursor flashing in the "Maze cursor" colour, shown with its key and printed.
class MazeWindow : public PlayWindow {
    Q_OBJECT
public:
    MazeWindow(Program& program, Desk& desk, QWidget* parent = nullptr);
    ~MazeWindow() override;

    maze::MazeState& state() { return state_; }
    // The key, made on first use.
    MazeKeyWindow& key() { return *key_; }

    const maze::MazeGame& game() const { return game_; }
    // 1, 2 or 3 for a picture of 300, 600 or 900 pixels.
    int zoom() const;
    bool flashing() const;

    // One key press: an arrow (or none for any other key) goes to the maze, and at the exit the
    // "Puzzle complete" box is shown and the same maze starts again.
    void pressKey(std::optional<maze::Direction> arrow);

    void btnNewClick();
    void BtnLoadClick();
    void btncheatClick();
    void btnprintClick();
    void btnSmallerClick();
    void btnLargerClick();

    // Where the screen size comes from when the window grows; tests give a fixed size.
    void setScreenSizeSource(std::function<QSize()> source) { screenSize_ = std::move(source); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void FormShow() override;
    void FormClose() override;
    maze::MazeWindowFrame frame() const;
    void setPictureSize(int pixels);
    void UpdateTitle();
    // Draws the game as it stands: the maze or a blank picture, the cursor, the key, the title.
    void showGame();
    void showCursor();
    void flashCursor();

    maze::MazeState state_;
    maze::MazeGame game_;
    OwnedWindow<MazeKeyWindow> key_;
    std::function<QSize()> screenSize_;

    QWidget* Panbuttons = nullptr;
    QWidget* panh2 = nullptr;
    QWidget* panh1 = nullptr;
    QWidget* panw1 = nullptr;
    QWidget* panw2 = nullptr;
    MazePictureView* immain = nullptr;
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
