#include "wordsearch/game.h"

#include "testpuzzles.h"

#include <gtest/gtest.h>

using namespace wordsearch;
using Click = WordSearchGame::Click;
using namespace wordsearch::testing;

namespace {

const QColor kPurple(180, 16, 203);
const QRgb kPurpleRgb = qRgb(180, 16, 203);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

class GameTest : public ::testing::Test {
protected:
    GameTest() { game.restart(); }

    // Cells here are grid indices 1 to 20, as the placement index has them.
    Click clickCell(int x, int y) { return game.click(QPoint(x - 1, y - 1)); }
    Click pair(int x1, int y1, int x2, int y2)
    {
        EXPECT_EQ(clickCell(x1, y1), Click::marked);
        return clickCell(x2, y2);
    }

    WordSearchPuzzle puzzle = CraftedPuzzle();
    WordSearchGame game{puzzle, BarLetters()};
};

} // namespace

TEST_F(GameTest, RestartListsEverySlotsWordSortedWithNothingFound)
{
    EXPECT_EQ(game.remaining(), (QStringList{"DESK", "LAMP", "SOFA"}));
    EXPECT_TRUE(game.loaded());
    EXPECT_TRUE(game.found().isEmpty());
    EXPECT_TRUE(game.waitingForFirstClick());
    EXPECT_EQ(game.picture(kPurple), game.lettersPicture()) << "no highlight, no marked cell";
    EXPECT_EQ(At(game.lettersPicture(), 15 + 7, 15 + 5), kBlack) << "the letters of the grid";
}

TEST_F(GameTest, PairsOfClicksFindWordsByTheirEndsOnly)
{
    const struct {
        const char* what;
        int x1, y1, x2, y2;
        Click second;
        QStringList remaining;
    } cases[] = {
        {"first then last letter", 2, 2, 5, 2, Click::found, {"DESK", "SOFA"}},
        {"last then first letter", 10, 7, 10, 4, Click::found, {"LAMP", "SOFA"}},
        {"the first and third letter", 4, 12, 6, 14, Click::missed, {"DESK", "LAMP", "SOFA"}},
        {"two cells no word joins", 1, 1, 20, 20, Click::missed, {"DESK", "LAMP", "SOFA"}},
        {"the same cell twice", 2, 2, 2, 2, Click::missed, {"DESK", "LAMP", "SOFA"}},
    };
    for (const auto& c : cases) {
        game.restart();
        EXPECT_EQ(pair(c.x1, c.y1, c.x2, c.y2), c.second) << c.what;
        EXPECT_EQ(game.remaining(), c.remaining) << c.what;
        EXPECT_TRUE(game.waitingForFirstClick()) << "the second click always ends the selection: " << c.what;
        EXPECT_EQ(game.endCell(), QPoint(c.x2 - 1, c.y2 - 1)) << c.what;
    }
}

TEST_F(GameTest, AWordFoundIsPaintedAndFindingItAgainChangesNothing)
{
    ASSERT_EQ(pair(10, 7, 10, 4), Click::found);
    EXPECT_EQ(game.found(), (QList<FoundWord>{{10, 7, 10, 4}})) << "kept as clicked";
    const QImage found = game.picture(kPurple);
    for (int y = 4; y <= 7; ++y)
        EXPECT_EQ(At(found, 9 * 15 + 7, (y - 1) * 15 + 2), kPurpleRgb) << "the bar runs through row " << y;
    EXPECT_EQ(InnerCorner(found, 10, 4), kPurpleRgb);
    EXPECT_EQ(At(found, 9 * 15 + 7, 3 * 15 + 5), kBlack) << "the letter above the bar";
    EXPECT_EQ(InnerCorner(found, 2, 2), kWhite);

    EXPECT_EQ(pair(10, 4, 10, 7), Click::missed);
    EXPECT_EQ(game.picture(kPurple), found);
    EXPECT_EQ(game.remaining().size(), 2);
    EXPECT_EQ(At(game.picture(QColor(9, 255, 9)), 9 * 15 + 2, 3 * 15 + 2), qRgb(9, 255, 9))
        << "drawn in whatever colour is given";
}

TEST_F(GameTest, TheMarkedStartCellShowsInvertedAndKeepsAFoundWordsHighlight)
{
    ASSERT_EQ(pair(2, 2, 5, 2), Click::found);
    const QImage found = game.picture(kPurple);

    ASSERT_EQ(clickCell(2, 2), Click::marked);
    EXPECT_EQ(game.startCell(), QPoint(1, 1));
    const QImage marked = game.picture(kPurple);
    EXPECT_EQ(InnerCorner(marked, 2, 2), qRgb(1, 0, 0)) << "the highlight parked in near-black";
    EXPECT_EQ(At(marked, 15 + 7, 15 + 5), qRgb(254, 255, 255)) << "the letter near-white";
    EXPECT_EQ(At(marked, 15, 15), At(found, 15, 15)) << "outside the inner square";

    EXPECT_EQ(clickCell(2, 2), Click::missed);
    EXPECT_EQ(game.picture(kPurple), found) << "unmarked: the highlight is back";

    ASSERT_EQ(clickCell(7, 7), Click::marked);
    EXPECT_EQ(InnerCorner(game.picture(kPurple), 7, 7), kBlack) << "white turns black";
    game.endSelection();
    EXPECT_TRUE(game.waitingForFirstClick());
    EXPECT_EQ(game.picture(kPurple), found);
}

TEST_F(GameTest, TheLastWordCompletesAndARestartBringsEveryWordBack)
{
    EXPECT_EQ(pair(2, 2, 5, 2), Click::found);
    EXPECT_EQ(pair(10, 4, 10, 7), Click::found);
    EXPECT_EQ(pair(7, 15, 4, 12), Click::completed);
    EXPECT_FALSE(game.loaded());
    EXPECT_EQ(game.found().size(), 3);
    EXPECT_EQ(clickCell(2, 2), Click::ignored) << "nothing to find until the restart";

    game.restart();
    EXPECT_EQ(game.remaining().size(), 3);
    EXPECT_EQ(game.picture(kPurple), game.lettersPicture());
}

TEST_F(GameTest, AWordInTwoSlotsIsListedTwiceAndFoundTwice)
{
    puzzle.wordSlots[4].set("LAMP");
    puzzle.index.at(1, 20, 4, 20) = 5;
    game.restart();
    EXPECT_EQ(game.remaining(), (QStringList{"DESK", "LAMP", "LAMP", "SOFA"}));
    EXPECT_EQ(pair(2, 2, 5, 2), Click::found);
    EXPECT_EQ(pair(2, 2, 5, 2), Click::found) << "the second row of the same word";
    EXPECT_EQ(pair(1, 20, 4, 20), Click::missed) << "no LAMP left to strike";
    EXPECT_EQ(game.remaining(), (QStringList{"DESK", "SOFA"}));
}

TEST_F(GameTest, WithoutAPuzzleClicksMarkNothingButTheKeyboardCellFollows)
{
    WordSearchPuzzle empty;
    ClearPuzzle(empty);
    WordSearchGame none(empty, BarLetters());
    none.restart();
    EXPECT_FALSE(none.loaded());
    EXPECT_EQ(none.click(QPoint(4, 6)), Click::ignored);
    EXPECT_TRUE(none.waitingForFirstClick());
    EXPECT_EQ(none.focusCell(), QPoint(4, 6));
    EXPECT_EQ(none.picture(kPurple), BlankPicture());
    EXPECT_EQ(none.click(QPoint(20, 3)), Click::ignored) << "outside the field";
    EXPECT_EQ(none.focusCell(), QPoint(4, 6));
}

TEST_F(GameTest, TheKeyboardCellMovesStopsAtTheEdgesAndClicks)
{
    const struct {
        int dx, dy, times;
        QPoint after;
    } moves[] = {
        {-1, 0, 3, {0, 0}}, {0, -1, 1, {0, 0}}, {1, 0, 25, {19, 0}}, {0, 1, 30, {19, 19}}, {-1, 0, 4, {15, 19}}, {0, -1, 2, {15, 17}},
    };
    for (const auto& m : moves) {
        for (int i = 0; i < m.times; ++i)
            game.moveFocus(m.dx, m.dy);
        EXPECT_EQ(game.focusCell(), m.after) << m.dx << "," << m.dy << " x" << m.times;
    }
    EXPECT_EQ(clickCell(2, 2), Click::marked);
    EXPECT_EQ(game.focusCell(), QPoint(1, 1)) << "a click moves the keyboard's cell";
    for (int i = 0; i < 3; ++i)
        game.moveFocus(1, 0);
    EXPECT_EQ(game.clickFocus(), Click::found) << "Space on P of LAMP";
}

TEST_F(GameTest, TheLettersShownAreTakenAtTheRestart)
{
    puzzle.grid[1][1] = 'Z';
    puzzle.grid[2][2] = '0';
    EXPECT_EQ(At(game.picture(kPurple), 15 + 7, 15 + 5), kBlack) << "the grid changed, the screen waits";
    game.restart();
    EXPECT_EQ(At(game.picture(kPurple), 15 + 7, 15 + 5), kWhite) << "no letter in the cell after the restart";
}
