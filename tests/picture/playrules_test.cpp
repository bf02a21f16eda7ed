#include "picture/playrules.h"
#include "picture/puzzlebuild.h"
#include "picture/tiles.h"
#include "platform/rng.h"
#include "samplepictures.h"

#include <gtest/gtest.h>

using namespace picture;

namespace {

// A built puzzle of 32 pieces (cells 9..40), its board as the scramble left it.
class PlayRules : public ::testing::Test {
protected:
    void SetUp() override
    {
        Rng rng(11);
        ASSERT_TRUE(BuildPicturePuzzle(state, FitPicture(samples::Checker(1280, 480)), rng));
        UpdateCursors(state);
    }
    PictureState state;
};

int EmptyBoxes(const PictureState& s)
{
    int n = 0;
    for (int b = 1; b <= kBoxes; ++b)
        n += IsEmptyTile(s.boxes[b]);
    return n;
}

} // namespace

TEST_F(PlayRules, AfterABuildPiecesShowHandsAndNoLabels)
{
    for (int k = 1; k <= kCells; ++k) {
        const bool piece = k >= 9 && k <= 40;
        EXPECT_EQ(state.cellCursor[k], piece ? kCursorHand : kCursorDelete) << k;
        EXPECT_FALSE(state.cellLabelVisible[k]) << k;
    }
    for (int b = 1; b <= kBoxes; ++b) {
        EXPECT_EQ(state.boxCursor[b], kCursorDelete);
        EXPECT_TRUE(state.boxLabelVisible[b]);
    }
}

TEST_F(PlayRules, LiftSelectAndDropThroughTheBoxes)
{
    const QImage piece = state.boardTiles[12];
    i1MouseUp(state, 12);
    EXPECT_TRUE(IsEmptyTile(state.boardTiles[12]));
    EXPECT_EQ(state.boxes[1], piece);
    EXPECT_TRUE(state.cellLabelVisible[12]);
    EXPECT_FALSE(state.boxLabelVisible[1]);
    EXPECT_EQ(state.cellCursor[12], kCursorDelete);
    EXPECT_EQ(state.boxCursor[1], kCursorPickup);

    i1MouseUp(state, 13);
    imstoreClick(state, 1);
    EXPECT_TRUE(state.pieceSelected);
    EXPECT_EQ(state.selectedBox, 1);
    EXPECT_EQ(state.cellCursor[12], kCursorDrop);
    EXPECT_EQ(state.cellCursor[14], kCursorDelete);
    EXPECT_EQ(state.cellCursor[1], kCursorDelete);

    i1MouseUp(state, 13); // the other empty cell
    EXPECT_EQ(state.boardTiles[13], piece);
    EXPECT_TRUE(IsEmptyTile(state.boxes[1]));
    EXPECT_FALSE(IsEmptyTile(state.boxes[2])); // only the framed box is emptied
    EXPECT_FALSE(state.pieceSelected);
    EXPECT_EQ(state.selectedBox, 0);
    EXPECT_FALSE(state.cellLabelVisible[13]);
    EXPECT_EQ(state.cellCursor[13], kCursorHand);
}

TEST_F(PlayRules, ClicksThatOnlyClearTheSelection)
{
    i1MouseUp(state, 20);
    imstoreClick(state, 1);
    i1MouseUp(state, 21); // occupied cell while selected
    EXPECT_FALSE(state.pieceSelected);
    EXPECT_FALSE(IsEmptyTile(state.boxes[1]));
    EXPECT_FALSE(IsEmptyTile(state.boardTiles[21]));

    imstoreClick(state, 1);
    i1MouseUp(state, 3); // scenery
    EXPECT_FALSE(state.pieceSelected);
    EXPECT_EQ(state.boardTiles[3], XTile());

    imstoreClick(state, 1);
    imstoreClick(state, 4); // an empty box cancels, and no "drop" cursor is left behind
    EXPECT_FALSE(state.pieceSelected);
    EXPECT_EQ(state.cellCursor[20], kCursorDelete);
    i1MouseUp(state, 20);
    EXPECT_TRUE(IsEmptyTile(state.boardTiles[20]));
    EXPECT_EQ(EmptyBoxes(state), 4); // nothing was lifted from the empty cell
}

TEST_F(PlayRules, FiveFullBoxesBlockLifting)
{
    for (int k = 9; k <= 13; ++k)
        i1MouseUp(state, k);
    EXPECT_EQ(EmptyBoxes(state), 0);
    const QImage piece = state.boardTiles[14];
    i1MouseUp(state, 14);
    EXPECT_EQ(state.boardTiles[14], piece);
    for (int k = 14; k <= 40; ++k)
        EXPECT_EQ(state.cellCursor[k], kCursorDelete) << k;
    imstoreClick(state, 5);
    EXPECT_EQ(state.cellCursor[9], kCursorDrop);
}

TEST_F(PlayRules, ResetBoardEmptiesEverythingButThePreview)
{
    i1MouseUp(state, 10);
    imstoreClick(state, 1);
    const QImage preview = state.preview;
    ResetBoard(state);
    EXPECT_TRUE(state.puzzleCells.isEmpty());
    EXPECT_TRUE(state.pictureName.isEmpty());
    EXPECT_FALSE(state.pieceSelected);
    EXPECT_EQ(EmptyBoxes(state), 5);
    for (int k = 1; k <= kCells; ++k) {
        EXPECT_TRUE(IsEmptyTile(state.boardTiles[k]) && IsEmptyTile(state.answerTiles[k]));
        EXPECT_TRUE(state.cellLabelVisible[k]);
        EXPECT_EQ(state.cellCursor[k], kCursorDelete);
    }
    EXPECT_EQ(state.preview, preview);
}
