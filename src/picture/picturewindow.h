#pragma once

#include "picture/boardlook.h"
#include "picture/state.h"
#include "shell/desk.h"
#include "shell/playwindow.h"

#include <QWidget>
#include <array>

class PictureMaker;
class PicturePreview;
class Program;
class QLabel;
class QToolButton;
struct Desk;

// The picture puzzle's play window: 48 cells, 6 rows of 8, and five storage boxes. It draws the
// board from the state and hands each click on a cell or a box to the play rules.
class PictureWindow : public PlayWindow {
    Q_OBJECT
public:
    PictureWindow(Program& program, Desk& desk, QWidget* parent = nullptr);
    ~PictureWindow() override;

    // The puzzle being played, shared with the maker and the preview.
    picture::PictureState& state() { return state_; }
    // The maker and the preview, made on first use.
    PictureMaker& maker() { return *maker_; }
    PicturePreview& preview() { return *preview_; }

    // What a left-button release over cell k (1..48) and a click on storage box n (1..5) do.
    void liftOrDrop(int k);
    void selectBox(int n);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static constexpr int kClientWidth = 760;
    static constexpr int kClientHeight = 542;

    void buildControls();
    void FormShow() override;
    void FormClose() override;

    void btnNewClick();
    void BtnLoadClick();
    void btnpictureClick();

    void UpdateTitle();
    void ResetBoard();
    void UpdateCursors();
    // Cells, boxes, selection frames, labels and cursors as the state and the look say.
    void drawBoard();
    void setCursorIndex(QWidget* widget, int index);

    picture::PictureState state_;
    OwnedWindow<PictureMaker> maker_;
    OwnedWindow<PicturePreview> preview_;
    // Shows the state's solved picture in the preview, if it has been made.
    void refreshPreview();
    picture::BoardLook look_;

    QWidget* p7 = nullptr;
    QToolButton* btnNew = nullptr;
    QToolButton* BtnLoad = nullptr;
    QToolButton* btnpicture = nullptr;
    QToolButton* btnoptions = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* btnclose = nullptr;
    QWidget* p1 = nullptr;
    QLabel* Image1 = nullptr;
    std::array<QLabel*, picture::kCells + 1> cells_{};       // i1 .. i48
    std::array<QLabel*, picture::kCells + 1> cellLabels_{};  // pp1 .. pp48
    std::array<QWidget*, picture::kBoxes + 1> frames_{};     // p4 p5 p6 p8 p2
    std::array<QLabel*, picture::kBoxes + 1> boxes_{};       // imstore1 .. 5
    std::array<QLabel*, picture::kBoxes + 1> selections_{};  // imsel1 .. 5
    std::array<QLabel*, picture::kBoxes + 1> boxLabels_{};   // Pane1 .. 5
};
