#pragma once

#include "shell/desk.h"
#include "shell/playwindow.h"
#include "shell/puzzlefiles.h"
#include "wordsearch/game.h"
#include "wordsearch/state.h"

#include "printing/pagelayout.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QWidget>
#include <functional>

class Program;
struct Desk;
class GridView;
class WordSearchKeyWindow;
class WordSearchMaker;
class QListWidget;
class QToolButton;

// The word-search play window: the grid, the words still to find, and the button strip. It
// draws its game and hands clicks and keys to it.
class WordSearchWindow : public PlayWindow {
    Q_OBJECT
public:
    WordSearchWindow(Program& program, Desk& desk, QWidget* parent = nullptr);
    ~WordSearchWindow() override;

    // The current puzzle, shared with the maker and the key.
    wordsearch::WordSearchState& state() { return state_; }
    // The key and the maker, made on first use.
    WordSearchKeyWindow& key() { return *key_; }
    WordSearchMaker& maker() { return *maker_; }

    void ResetPlayWindow();
    void ShowPuzzle();

    // x and y are pixels of the picture as shown on screen.
    void imPuzzleMouseDown(int x, int y);
    // Arrows, Space and Enter on the grid; true when the key was the grid's.
    bool imPuzzleKeyDown(int key);

    void btnNewClick();
    void BtnLoadClick();
    void editPuzzle();
    void btncheatClick();
    void btnprintClick();
    void btnSmallerClick();
    void btnLargerClick();
    void btnoptionsClick() override;

    const wordsearch::WordSearchGame& game() const { return game_; }
    // The grid as it is shown: letters, highlights and the marked start cell.
    QImage picture() const;
    int zoom() const { return zoom_; }
    bool waitingForFirstClick() const { return game_.waitingForFirstClick(); }
    QPoint startCell() const { return game_.startCell(); }
    QPoint focusCell() const { return game_.focusCell(); }

    // The printed puzzle (false) or key (true) page of the puzzle shown.
    printing::PageLayout describePage(bool key) const;

    // The highlight colour changed: found words and the key are drawn in it again.
    void RecolourHighlights();

    // Where the screen size comes from when the window grows; tests give a fixed size.
    void setScreenSizeSource(std::function<QSize()> source) { screenSize_ = std::move(source); }

    static constexpr int kMarginWidth = 221;
    static constexpr int kMarginHeight = 43;
    static constexpr int kListWidth = 206;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void FormCreate();
    void FormShow() override;
    void FormClose() override;
    void buildControls();
    void setPictureSize(int pixels);
    void refreshPicture();
    void refreshList();
    void play(wordsearch::WordSearchGame::Click click);
    // Lets the user choose a puzzle file and loads it, passing through the empty state first.
    puzzlefiles::Pick pickAndLoad(bool forEditing);
    void endSelection();
    QColor highlight() const;

    wordsearch::WordSearchState state_;
    wordsearch::WordSearchGame game_;
    OwnedWindow<WordSearchKeyWindow> key_;
    OwnedWindow<WordSearchMaker> maker_;
    std::function<QSize()> screenSize_;
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
    GridView* imPuzzle = nullptr;
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
