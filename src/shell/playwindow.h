#pragma once

#include <QWidget>

class Program;
class QToolButton;
struct Desk;

// What the four play windows share: the music, options, instructions and close buttons, and
// a first showing centred unless stored bounds placed the window. Each window makes its own
// buttons (btnmusic and btnnext included) and says what showing and closing do in FormShow and
// FormClose.
class PlayWindow : public QWidget {
public:
    virtual void btnoptionsClick();
    void btnmusicClick();
    void btnnextClick();
    void showInstructions();
    void btncloseClick();

protected:
    PlayWindow(Program& program, Desk& desk, QWidget* parent, Qt::WindowFlags flags);

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Runs when the program shows the window (not when the window system restores it).
    virtual void FormShow() = 0;
    // Runs when the window closes: music stops and the launcher comes back.
    virtual void FormClose() = 0;

    Program& program_;
    Desk& desk_;
    QToolButton* btnmusic = nullptr;
    QToolButton* btnnext = nullptr;

private:
    bool centred_ = false;
};
