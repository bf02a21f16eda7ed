#pragma once

#include "shell/playwindow.h"
#include "wordsearch/state.h"

#include "wordsearch/gridpicture.h"

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QWidget>
#include <functional>

class Program;
struct Windows;
class QLabel;
class QListWidget;
class QToolButton;

// The word-search play window: the grid, the words still to find, and the button strip.
// A word is found by clicking its first and its last letter, in either order.
class WordSearchWindow : public PlayWindow {
    Q_OBJECT
public:
    WordSearchWindow(Program& program, Windows& windows, wordsearch::WordSearchState& state, QWidget* parent = nullptr);

    void ResetPlayWindow();
    void ShowPuzzle();
    // Fills the print pages from the list, the letters and the key, as the puzzle is shown.
    void PreparePrintPages();
    void DrawLetters();
    void MarkStartCell();
    void UnmarkStartCell();
    void CheckSelection();

    // x and y are pixels of the picture as shown on screen.
    void imPuzzleMouseDown(int x, int y);
    // Arrows, Space and Enter on the grid; true when the key was the grid's.
    bool imPuzzleKeyDown(int key);

    void btnNewClick();
    void BtnLoadClick();
    void SpeedButton4Click();
    void btncheatClick();
    void btnprintClick();
    void btnSmallerClick();
    void btnLargerClick();
    void btnoptionsClick() override;

    // The 300 by 300 picture with letters and highlights, and the letters alone.
    const QImage& picture() const { return picture_; }
    const QImage& letterCopy() const { return imcopy_; }
    int zoom() const { return zoom_; }
    bool waitingForFirstClick() const { return waiting_; }
    QPoint startCell() const { return start_; }
    QPoint focusCell() const { return focusCell_; }
    QPoint endCell() const { return end_; }

    // Highlights already drawn take the colour of pixel (1, 1) of colourPicture (options OK).
    void RecolourHighlights(const QImage& colourPicture);

    // Where the screen size comes from when the window grows; tests give a fixed size.
    void setScreenSizeSource(std::function<QSize()> source) { screenSize_ = std::move(source); }

    static constexpr int kMarginWidth = 221;
    static constexpr int kMarginHeight = 43;
    static constexpr int kListWidth = 206;

signals:
    // The puzzle has been shown again: the options window's tune list follows the music folder.
    void puzzleShown();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormShow() override;
    void FormClose() override;
    void buildControls();
    void setPictureSize(int pixels);
    void refreshPicture();
    enum class Pick { nothing, failed, loaded };
    // Lets the user choose a puzzle file and loads it, passing through the empty state first.
    Pick pickAndLoad(bool forEditing);
    void endSelection();
    QColor highlight() const;

    wordsearch::WordSearchState& state_;
    std::function<QSize()> screenSize_;

    QImage picture_;           // imPuzzle
    QImage imcopy_;            // Imcopy: the letters alone
    QImage imblank_;           // imblank
    wordsearch::LetterPictures letters_; // ima .. imz
    QPoint focusCell_;         // the keyboard's cell, column and row from 0
    QPoint start_;             // column and row of the marked start cell, from 0
    QPoint end_;
    bool waiting_ = true;      // no start cell is marked
    int zoom_ = 1;

    QWidget* panh2 = nullptr;
    QWidget* panbuttons = nullptr;
    QWidget* panw1 = nullptr;
    QWidget* panw2 = nullptr;
    QWidget* panh1 = nullptr;
    QWidget* Panel1 = nullptr;
    QWidget* panw3 = nullptr;
    QWidget* panw4 = nullptr;
    QListWidget* lbItems = nullptr;
    QLabel* imPuzzle = nullptr;
    QToolButton* btnNew = nullptr;
    QToolButton* BtnLoad = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    QToolButton* btncheat = nullptr;
    QToolButton* btnprint = nullptr;
    QToolButton* btnSmaller = nullptr;
    QToolButton* btnLarger = nullptr;
    QToolButton* btnoptions = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* btnclose = nullptr;
};
