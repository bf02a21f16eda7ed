#pragma once

#include "wordsearch/state.h"

#include <QImage>
#include <QSize>
#include <QWidget>
#include <functional>

class Program;
struct Windows;
class QLabel;
class QToolButton;

// "Key": the current word search with every placed word highlighted, shown on demand from the
// play window's cheat button and kept on top.
class WordSearchKeyWindow : public QWidget {
    Q_OBJECT
public:
    WordSearchKeyWindow(Program& program, Windows& windows, wordsearch::WordSearchState& state, QWidget* parent = nullptr);

    // Repaints the key from the current puzzle; letters is the play window's picture of the
    // letters alone (white is transparent).
    void PaintKey(const QImage& letters);

    const QImage& keyPicture() const { return imanswerPicture_; }
    int zoom() const { return zoom_; }

    // Where the screen size comes from when the window grows; tests give a fixed size.
    void setScreenSizeSource(std::function<QSize()> source) { screenSize_ = std::move(source); }

    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void imanswerClick() {}

    static constexpr int kMarginWidth = 10;
    static constexpr int kMarginHeight = 43;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate();
    void setPictureSize(int pixels);
    void refreshPicture();

    Program& program_;
    Windows& windows_;
    wordsearch::WordSearchState& state_;
    std::function<QSize()> screenSize_;
    QImage imanswerPicture_;
    int zoom_ = 1;
    bool centred_ = false;

    QWidget* panh2 = nullptr;
    QWidget* panbuttons = nullptr;
    QLabel* imanswer = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
};
