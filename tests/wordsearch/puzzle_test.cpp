#include "wordsearch/puzzle.h"

#include <gtest/gtest.h>

using namespace wordsearch;

TEST(ClearPuzzle, EmptiesTheFieldButKeepsBorderAndSlotCharacters)
{
    WordSearchPuzzle p;
    p.grid[0][5] = 'B';
    p.grid[21][21] = 'C';
    p.grid[3][4] = 'Q';
    p.index.at(1, 1, 1, 5) = 7;
    p.index.at(0, 1, 1, 5) = 9; // outside the field: untouched
    p.wordSlots[2].set("WORD");
    ClearPuzzle(p);
    EXPECT_EQ(p.grid[3][4], '0');
    EXPECT_EQ(p.grid[1][1], '0');
    EXPECT_EQ(p.grid[20][20], '0');
    EXPECT_EQ(p.grid[0][5], 'B');
    EXPECT_EQ(p.grid[21][21], 'C');
    EXPECT_EQ(p.index.at(1, 1, 1, 5), 0);
    EXPECT_EQ(p.index.at(0, 1, 1, 5), 9);
    EXPECT_EQ(p.wordSlots[2].length, 0);
    EXPECT_EQ(p.wordSlots[2].chars[0], 'W') << "characters beyond the length are left alone";
}

TEST(PlacementTable, ConversionsFollowTheirRules)
{
    PlacementIndex index;
    index.at(5, 6, 5, 9) = 1;
    index.at(2, 2, 4, 4) = 2;
    index.at(7, 1, 7, 3) = 4; // word 3 not placed
    bool ok = false;
    PlacementTable table = IndexToTable(index, ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(table[0], (TableEntry{5, 6, 5, 9}));
    EXPECT_EQ(table[1], (TableEntry{2, 2, 4, 4}));
    EXPECT_TRUE(table[2].isZero());
    EXPECT_EQ(table[3], (TableEntry{7, 1, 7, 3}));

    PlacementIndex back;
    TableToIndex(table, back, ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(back, index);

    // A later cell in scan order replaces an earlier one with the same number.
    index.at(9, 9, 9, 12) = 1;
    table = IndexToTable(index, ok);
    EXPECT_EQ(table[0], (TableEntry{9, 9, 9, 12}));

    index.at(3, 3, 3, 5) = 65;
    IndexToTable(index, ok);
    EXPECT_FALSE(ok) << "a byte that is no word number cannot be saved";
}

TEST(PlacementTable, EntryOutsideTheFieldFailsButTheRestIsRead)
{
    PlacementTable table{};
    table[0] = TableEntry{5, 0, 7, 9};
    table[1] = TableEntry{1, 1, 1, 4};
    table[2] = TableEntry{21, 1, 1, 1};
    PlacementIndex index;
    index.at(2, 2, 2, 2) = 5; // cleared by the conversion
    bool ok = true;
    TableToIndex(table, index, ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(index.at(1, 1, 1, 4), 2);
    EXPECT_EQ(index.at(2, 2, 2, 2), 0);
}

TEST(WordSlot, ForeignLengthByteNeverReadsPastTheSlot)
{
    WordSlot slot;
    slot.set("ABCDEFGHIJKLMN");
    EXPECT_EQ(slot.length, 10);
    EXPECT_EQ(slot.word(), QByteArray("ABCDEFGHIJ"));
    slot.length = 200;
    EXPECT_EQ(slot.word().size(), 10);
}
