#pragma once

#include "shell/playwindow.h"
#include "picture/state.h"

#include <QWidget>
#include <array>

class Program;
class QLabel;
class QListWidget;
class QToolButton;
struct Windows;

// The picture puzzle's play window: 48 cells, 6 rows of 8, and five storage boxes. Pieces go
// from the board into a box and from a selected box into an empty cell.
class PictureWindow : public PlayWindow {
    Q_OBJECT
public:
    PictureWindow(Program& program, Windows& windows, picture::PictureState& state, QWidget* parent = nullptr);

    void UpdateTitle();
    void ResetBoard();
    void UpdateCursors();
    // A left-button release over cell k (1..48).
    void i1MouseUp(int k);
    // A click on storage box n (1..5).
    void imstoreClick(int n);

    void btnNewClick();
    void BtnLoadClick();
    void btnpictureClick();

    // Draws the state: cells, boxes, labels, frames and cursors.
    void refresh();

    static constexpr int kClientWidth = 760;
    static constexpr int kClientHeight = 542;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void FormShow() override;
    void FormClose() override;
    void setCursorIndex(QWidget* widget, int index);

    picture::PictureState& state_;

    QWidget* p7 = nullptr;
    QToolButton* btnNew = nullptr;
    QToolButton* BtnLoad = nullptr;
    QToolButton* btnpicture = nullptr;
    QToolButton* btnoptions = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* btnclose = nullptr;
    QWidget* p1 = nullptr;
    QLabel* Image1 = nullptr;
    std::array<QLabel*, picture::kCells + 1> cells_{};  // i1 .. i48
    std::array<QLabel*, picture::kCells + 1> cellLabels_{}; // pp1 .. pp48
    std::array<QWidget*, picture::kBoxes + 1> frames_{};  // p4 p5 p6 p8 p2
    std::array<QLabel*, picture::kBoxes + 1> boxes_{};    // imstore1 .. 5
    std::array<QLabel*, picture::kBoxes + 1> selections_{}; // imsel1 .. 5
    std::array<QLabel*, picture::kBoxes + 1> boxLabels_{}; // Pane1 .. 5
    QListWidget* lbok = nullptr;
};
