#include "picture/boardlook.h"
#include "picture/playrules.h"
#include "picture/puzzlebuild.h"
#include "picture/tiles.h"
#include "platform/rng.h"
#include "samplepictures.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace picture;

namespace {

// A built puzzle of 32 pieces (cells 9..40), its board as the scramble left it, and the look
// the play window shows straight after the build.
class PlayRules : public ::testing::Test {
protected:
    void SetUp() override
    {
        Rng rng(11);
        ASSERT_TRUE(BuildPicturePuzzle(state, FitPicture(samples::Checker(1280, 480)), rng));
        UpdateCursors(state, look);
    }
    // "cell k" or "box n", as the window hands it over.
    void act(const std::string& action)
    {
        const int index = std::stoi(action.substr(action.find(' ') + 1));
        if (action.rfind("cell", 0) == 0)
            LiftOrDrop(state, index);
        else
            SelectBox(state, index);
        UpdateCursors(state, look);
    }
    std::string boxesHeld() const
    {
        std::string held;
        for (int n = 1; n <= kBoxes; ++n)
            held += BoxHoldsPiece(state, n) ? '1' : '0';
        return held;
    }
    PictureState state;
    BoardLook look;
};

} // namespace

TEST_F(PlayRules, AfterABuildPiecesShowHandsAndNoLabels)
{
    for (int k = 1; k <= kCells; ++k) {
        const bool piece = k >= 9 && k <= 40;
        EXPECT_EQ(IsPuzzleCell(state, k), piece) << k;
        EXPECT_EQ(look.cellCursor[k], piece ? kCursorHand : kCursorDelete) << k;
        EXPECT_FALSE(look.cellLabelShown[k]) << k;
    }
    for (int n = 1; n <= kBoxes; ++n) {
        EXPECT_EQ(look.boxCursor[n], kCursorDelete);
        EXPECT_TRUE(look.boxLabelShown[n]);
    }
}

TEST_F(PlayRules, EveryMoveGoesBoardBoxEmptyCell)
{
    struct Step {
        const char* action;
        int selected;           // the selected box afterwards, 0 for none
        const char* boxes;      // '1' where a box holds a piece
        std::vector<int> empty; // the puzzle cells without a piece
        std::vector<std::pair<int, int>> cursors; // cell k, or box n given as -n, and its cursor
    };
    const Step steps[] = {
        {"cell 12", 0, "10000", {12}, {{12, kCursorDelete}, {13, kCursorHand}, {-1, kCursorPickup}, {-2, kCursorDelete}}},
        {"cell 13", 0, "11000", {12, 13}, {{13, kCursorDelete}, {-2, kCursorPickup}}},
        {"box 1", 1, "11000", {12, 13}, {{12, kCursorDrop}, {14, kCursorDelete}, {1, kCursorDelete}, {-1, kCursorPickup}}},
        {"cell 14", 0, "11000", {12, 13}, {{14, kCursorHand}, {12, kCursorDelete}}}, // occupied: only deselects
        {"box 1", 1, "11000", {12, 13}, {}},
        {"cell 3", 0, "11000", {12, 13}, {{3, kCursorDelete}}}, // scenery: only deselects
        {"box 2", 2, "11000", {12, 13}, {}},
        {"box 4", 0, "11000", {12, 13}, {{12, kCursorDelete}, {-4, kCursorDelete}}}, // an empty box deselects
        {"cell 12", 0, "11000", {12, 13}, {}}, // an empty cell with nothing selected
        {"box 2", 2, "11000", {12, 13}, {{13, kCursorDrop}}},
        {"cell 12", 0, "10000", {13}, {{12, kCursorHand}, {-2, kCursorDelete}}}, // only the framed box empties
        {"cell 9", 0, "11000", {9, 13}, {}},
        {"box 1", 1, "11000", {9, 13}, {}},
        {"cell 13", 0, "01000", {9}, {{13, kCursorHand}}},
    };
    const QImage first = state.boardTiles[12];
    const QImage second = state.boardTiles[13];
    for (const Step& step : steps) {
        SCOPED_TRACE(step.action);
        act(step.action);
        EXPECT_EQ(state.selectedBox, step.selected);
        EXPECT_EQ(PieceSelected(state), step.selected != 0);
        EXPECT_EQ(boxesHeld(), step.boxes);
        for (int k = 9; k <= 40; ++k) {
            const bool empty = std::find(step.empty.begin(), step.empty.end(), k) != step.empty.end();
            EXPECT_EQ(CellHoldsPiece(state, k), !empty) << k;
            EXPECT_EQ(look.cellLabelShown[k], empty) << k;
        }
        for (int n = 1; n <= kBoxes; ++n)
            EXPECT_EQ(look.boxLabelShown[n], step.boxes[n - 1] == '0') << n;
        for (const auto& [where, cursor] : step.cursors)
            EXPECT_EQ(where > 0 ? look.cellCursor[where] : look.boxCursor[-where], cursor) << where;
    }
    // The pieces went where the clicks took them, pictures and all.
    EXPECT_EQ(state.boardTiles[12], second);
    EXPECT_EQ(state.boardTiles[13], first);
}

TEST_F(PlayRules, FiveFullBoxesBlockLifting)
{
    for (int k = 9; k <= 13; ++k)
        act("cell " + std::to_string(k));
    EXPECT_TRUE(AllBoxesFull(state));
    const QImage piece = state.boardTiles[14];
    act("cell 14");
    EXPECT_EQ(state.boardTiles[14], piece);
    for (int k = 14; k <= 40; ++k)
        EXPECT_EQ(look.cellCursor[k], kCursorDelete) << k;
    act("box 5");
    EXPECT_EQ(look.cellCursor[9], kCursorDrop);
    EXPECT_EQ(look.cellCursor[14], kCursorDelete);
}

TEST_F(PlayRules, AnEmptyCellOutsideThePuzzleKeepsItsLabel)
{
    state.boardTiles[1] = BlackTile(); // scenery left black, as a hand-made file may have it
    for (const bool shown : {false, true}) {
        look.cellLabelShown[1] = shown;
        UpdateCursors(state, look);
        EXPECT_EQ(look.cellLabelShown[1], shown);
        EXPECT_EQ(look.cellCursor[1], kCursorDelete);
    }
}

TEST_F(PlayRules, ResetBoardEmptiesEverythingButThePreview)
{
    act("cell 10");
    act("box 1");
    const QImage preview = state.preview;
    ResetBoard(state);
    ResetLook(look);
    EXPECT_TRUE(state.puzzleCells.isEmpty());
    EXPECT_TRUE(state.pictureName.isEmpty());
    EXPECT_FALSE(PieceSelected(state));
    EXPECT_EQ(boxesHeld(), "00000");
    for (int k = 1; k <= kCells; ++k) {
        EXPECT_TRUE(IsEmptyTile(state.boardTiles[k]) && IsEmptyTile(state.answerTiles[k]));
        EXPECT_TRUE(look.cellLabelShown[k]);
        EXPECT_EQ(look.cellCursor[k], kCursorDelete);
    }
    EXPECT_EQ(state.preview, preview);
}

TEST_F(PlayRules, AClosedWindowReleasesPicturesAndSelection)
{
    act("cell 10");
    act("box 1");
    const QImage preview = state.preview;
    ReleaseBoard(state);
    EXPECT_TRUE(state.boardTiles[11].isNull() && state.answerTiles[11].isNull() && state.boxes[1].isNull());
    EXPECT_FALSE(PieceSelected(state));
    EXPECT_EQ(state.preview, preview);
}
