#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <array>

// The picture puzzle's program-wide data: the board, the solved tiles, the pieces, the storage
// boxes and the preview. The play window draws from it; the maker and the files fill it.
namespace picture {

constexpr int kCells = 48;
constexpr int kColumns = 8;
constexpr int kRows = 6;
constexpr int kTileSize = 80;
constexpr int kCanvasWidth = 640;
constexpr int kCanvasHeight = 480;
constexpr int kBoxes = 5;

// Cursor indices of the program's cursor table.
constexpr int kCursorHand = 1;
constexpr int kCursorPickup = 17;
constexpr int kCursorDrop = 18;
constexpr int kCursorDelete = 23;

struct PictureState {
    PictureState();

    // Index 0 is unused: cells are numbered 1..48, boxes 1..5.
    std::array<QImage, kCells + 1> boardTiles;
    std::array<QImage, kCells + 1> answerTiles;
    QStringList puzzleCells; // decimal cell numbers of the pieces, ascending when built

    std::array<bool, kCells + 1> cellLabelVisible{};
    std::array<int, kCells + 1> cellCursor{};

    std::array<QImage, kBoxes + 1> boxes;
    std::array<bool, kBoxes + 1> boxLabelVisible{};
    std::array<int, kBoxes + 1> boxCursor{};

    bool pieceSelected = false;
    int selectedBox = 0; // the box whose frame shows; 0 when none
    QImage transfer;     // a copy of the selected piece

    QImage preview; // 640 x 480, the solved picture the preview window shows
    QString pictureName;
};

} // namespace picture
