#pragma once

#include "printing/printrun.h"
#include "printing/progressanimation.h"

#include <QWidget>
#include <array>

class Program;
class QLabel;
class QPushButton;

// "Printing": the progress window of a print run, always on top, with a sliding bar of blocks
// and a Cancel button that stops the run before its next sheet.
class PrintProgressWindow : public QWidget, public printing::ProgressView {
    Q_OBJECT
public:
    explicit PrintProgressWindow(Program& program, QWidget* parent = nullptr);

    // The bar: state 0 at creation, then 1 to 26, kept from one print to the next.
    void AnimateProgress(int steps) override;
    int animationState() const { return state_; }
    int visibleBlocks() const;

    void showRun() override;
    void setCaption(const QString& caption) override;
    void setMessage(const QString& message) override;
    void setCounter(const QString& counter) override;
    void repaintNow() override;
    bool cancelRequested() const override { return cancelled_; }
    void closeRun() override;

    void btncancelClick();

    static constexpr int kWidth = 205;
    static constexpr int kHeight = 154; // 122 and the Cancel button's row

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormShow();
    void FormClose();
    // 50 ms through the clock, in slices with the window's messages let through between them, so
    // the bar repaints and Cancel is heard.
    void pause(int milliseconds);

    Program& program_;
    int state_ = 0;
    bool cancelled_ = false;
    bool running_ = false;
    bool cursorSet_ = false;

    QLabel* lblmsg = nullptr;
    QLabel* lblmsg2 = nullptr;
    QWidget* panprogress = nullptr;
    std::array<QLabel*, printing::kProgressBlocks> images_{};
    QPushButton* btncancel = nullptr;
};
