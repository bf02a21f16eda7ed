#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <array>

// The picture puzzle's program-wide data: the game on the board, the solved tiles, the pieces,
// the storage boxes, the selection and the preview. The maker and the files fill it; the play
// rules move its pieces; the windows only draw it.
namespace picture {

constexpr int kCells = 48;
constexpr int kColumns = 8;
constexpr int kRows = 6;
constexpr int kTileSize = 80;
constexpr int kCanvasWidth = 640;
constexpr int kCanvasHeight = 480;
constexpr int kBoxes = 5;

struct PictureState {
    PictureState();

    // Index 0 is unused: cells are numbered 1..48, boxes 1..5.
    std::array<QImage, kCells + 1> boardTiles;
    std::array<QImage, kCells + 1> answerTiles;
    QStringList puzzleCells; // decimal cell numbers of the pieces, ascending when built

    std::array<QImage, kBoxes + 1> boxes;
    int selectedBox = 0; // the box whose piece waits to be dropped; 0 when none is selected

    QImage preview; // 640 x 480, the solved picture the preview window shows
    QString pictureName;
};

} // namespace picture
