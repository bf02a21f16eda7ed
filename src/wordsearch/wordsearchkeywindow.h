#pragma once

#include "wordsearch/state.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <functional>

class Program;
struct Desk;
class GridView;
class QToolButton;

// "Key": the current word search with every placed word highlighted, shown on demand from the
// play window's cheat button. It stays on top of other windows, but not of a box or dialogue
// that waits for an answer, and first opens beside the play window.
class WordSearchKeyWindow : public QWidget {
    Q_OBJECT
public:
    // owner is the play window the key first opens beside.
    WordSearchKeyWindow(Program& program, Desk& desk, wordsearch::WordSearchState& state, const QWidget* owner = nullptr);

    // Draws the key of the current puzzle in the highlight colour; letters is the grid's
    // letters picture (white is transparent).
    void PaintKey(const QImage& letters);

    const QImage& keyPicture() const { return keyPicture_; }
    int zoom() const { return zoom_; }

    // Where the screen size comes from when the window grows; tests give a fixed size.
    void setScreenSizeSource(std::function<QSize()> source) { screenSize_ = std::move(source); }
    // The screen area the key first opens in; tests give a fixed one.
    void setScreenAreaSource(std::function<QRect()> source) { screenArea_ = std::move(source); }

    void makeSmaller();
    void makeLarger();

    static constexpr int kMarginWidth = 10;
    static constexpr int kMarginHeight = 43;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void setPictureSize(int pixels);
    void placeFirstTime();
    // On top of other windows, but not while a box or dialogue waits for an answer.
    void keepOnTop(bool onTop);
    static bool modalShown(const QWidget* except);

    Program& program_;
    Desk& desk_;
    const QWidget* owner_;
    wordsearch::WordSearchState& state_;
    std::function<QSize()> screenSize_;
    std::function<QRect()> screenArea_;
    QImage keyPicture_;
    int zoom_ = 1;
    bool placed_ = false;

    QWidget* panh2 = nullptr;
    QWidget* panbuttons = nullptr;
    GridView* imanswer = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
};
