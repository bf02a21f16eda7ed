#include "wordsearch/wordlisteditor.h"

#include <gtest/gtest.h>

using namespace wordsearch;
using Tone = WordListEditor::Tone;

namespace {

const QString kSingle = QStringLiteral("Single characters are not allowed!");

class WordListTest : public ::testing::Test {
protected:
    WordListTest() { list.reset(); }

    // Letters typed into the field one by one, as the field passes them on.
    void type(const QString& keys)
    {
        for (const QChar key : keys) {
            const QChar letter = WordListEditor::TypedLetter(key, static_cast<int>(list.input().size()));
            if (!letter.isNull())
                list.inputChanged(list.input() + letter);
        }
    }
    void backspace() { list.inputChanged(list.input().chopped(1)); }
    void enter(const QString& word)
    {
        type(word);
        EXPECT_TRUE(list.enter()) << word.toStdString();
    }

    WordListEditor list;
};

} // namespace

TEST_F(WordListTest, ANewListHasOneEmptyRowSelectedAndAllLettersFree)
{
    EXPECT_EQ(list.rows(), QStringList{QString()});
    EXPECT_EQ(list.selected(), 0);
    EXPECT_EQ(list.statusText(), "280 characters available");
    EXPECT_EQ(list.statusColour(), QColor(0, 128, 0));
    EXPECT_FALSE(list.clearEnabled());
}

TEST_F(WordListTest, TypedLettersShowInCapitalsInTheRowAtOnce)
{
    type("c");
    EXPECT_EQ(list.rows(), QStringList{"C"});
    type("at");
    EXPECT_EQ(list.input(), "CAT");
    EXPECT_EQ(list.rows(), QStringList{"CAT"});
    EXPECT_EQ(list.statusText(), "277 characters available");
    EXPECT_TRUE(list.clearEnabled());
}

TEST(WordListKeys, OnlyLettersPassAsCapitalsAndNoMoreThanTen)
{
    const struct {
        char16_t typed;
        int length;
        QChar letter;
    } keys[] = {{u'a', 0, u'A'}, {u'Z', 3, u'Z'}, {u'q', 9, u'Q'}, {u'q', 10, QChar()},
                {u'1', 0, QChar()}, {u' ', 2, QChar()}, {u'-', 2, QChar()}, {u'\u00e9', 1, QChar()}};
    for (const auto& k : keys)
        EXPECT_EQ(WordListEditor::TypedLetter(k.typed, k.length), k.letter) << int(k.typed) << " at " << k.length;

    const struct {
        QString pasted;
        int cursor;
        QString word;
        int cursorAfter;
    } pastes[] = {{"x1y z-wvutsrqpo", 15, "XYZWVUTSRQ", 10}, {"a1b", 2, "AB", 1}, {"", 0, "", 0}, {"12", 1, "", 0}};
    for (const auto& p : pastes) {
        int cursor = p.cursor;
        EXPECT_EQ(WordListEditor::CleanedWord(p.pasted, cursor), p.word) << p.pasted.toStdString();
        EXPECT_EQ(cursor, p.cursorAfter) << p.pasted.toStdString();
    }
}

TEST_F(WordListTest, EnterCommitsSortsAndOffersAnEmptyTopRow)
{
    enter("dog");
    enter("cat");
    EXPECT_EQ(list.rows(), (QStringList{"", "CAT", "DOG"}));
    EXPECT_EQ(list.selected(), 0);
    EXPECT_TRUE(list.input().isEmpty());
    EXPECT_EQ(list.statusText(), "274 characters available");
}

TEST_F(WordListTest, EscapeAndPickingAnotherRowEndTheEditOfARow)
{
    enter("dog");
    enter("cat");
    ASSERT_TRUE(list.selectRow(2));
    EXPECT_EQ(list.input(), "DOG");
    type("s");
    EXPECT_EQ(list.rows()[2], "DOGS");
    list.escape();
    EXPECT_EQ(list.input(), "DOG");
    EXPECT_EQ(list.rows(), (QStringList{"", "CAT", "DOG"}));

    backspace();
    backspace();
    type("eer");
    ASSERT_TRUE(list.selectRow(1));
    EXPECT_EQ(list.rows(), (QStringList{"", "CAT", "DEER"}));
    EXPECT_EQ(list.selected(), 1);
    EXPECT_EQ(list.input(), "CAT");

    // A row emptied by the user goes when another is picked; the pick follows its word.
    list.selectRow(2);
    for (int i = 0; i < 4; ++i)
        backspace();
    list.selectRow(1);
    EXPECT_EQ(list.rows(), (QStringList{"", "CAT"}));
    EXPECT_EQ(list.input(), "CAT");
}

TEST_F(WordListTest, ASingleLetterCannotBeCommittedNorLeft)
{
    enter("dog");
    type("x");
    EXPECT_FALSE(list.enter());
    EXPECT_EQ(list.statusText(), kSingle);
    EXPECT_EQ(list.statusColour(), QColor(84, 9, 208));
    EXPECT_EQ(list.rows(), (QStringList{"X", "DOG"}));

    EXPECT_FALSE(list.selectRow(1));
    EXPECT_EQ(list.selected(), 0) << "back on the one-letter row";
    EXPECT_EQ(list.input(), "X");
    EXPECT_EQ(list.rows(), (QStringList{"X", "DOG"}));
}

TEST_F(WordListTest, StatusCountsDownToOliveAndTurnsRedOverTheLimit)
{
    for (int i = 0; i < 27; ++i)
        enter(QString(10, QChar(u'A' + i % 26)));
    const struct {
        QString keys;
        QString status;
        Tone tone;
    } steps[] = {
        {"bcdefghi", "2 characters available", Tone::low},
        {"j", "1 character available", Tone::low},
        {"k", "0 characters available", Tone::low},
    };
    for (const auto& s : steps) {
        type(s.keys);
        EXPECT_EQ(list.statusText(), s.status);
        EXPECT_EQ(list.tone(), s.tone);
    }
    EXPECT_EQ(list.statusColour(), QColor(128, 128, 0));
    list.enter();
    EXPECT_TRUE(list.rows().front().isEmpty());

    type("a");
    EXPECT_EQ(list.statusText(), "1 character over limit");
    EXPECT_EQ(list.statusColour(), QColor(255, 0, 0));
    EXPECT_TRUE(list.overLimit());
    type("bcde");
    EXPECT_EQ(list.statusText(), "5 characters over limit");
    list.enter();
    EXPECT_EQ(list.rows().size(), 29);
    EXPECT_FALSE(list.rows().contains(QString())) << "no new empty row over the limit";
}

TEST_F(WordListTest, TheSixtyFifthWordCannotBeStarted)
{
    for (int i = 0; i < 63; ++i)
        enter(QString(QChar(char16_t(u'A' + i % 26))) + QChar(char16_t(u'A' + i / 26)));
    EXPECT_EQ(list.rows().size(), 64);
    EXPECT_TRUE(list.rows().front().isEmpty());
    enter("zz");
    EXPECT_EQ(list.rows().size(), 64);
    EXPECT_FALSE(list.rows().contains(QString()));
    EXPECT_FALSE(list.insertKey());
}

TEST_F(WordListTest, DeleteClearsTheTopRowAndRemovesOthers)
{
    enter("dog");
    enter("cat");
    type("eel");
    list.deleteKey();
    EXPECT_EQ(list.rows(), (QStringList{"", "CAT", "DOG"}));
    EXPECT_TRUE(list.input().isEmpty());

    list.selectRow(2);
    list.deleteKey();
    EXPECT_EQ(list.rows(), (QStringList{"", "CAT"}));
    EXPECT_EQ(list.selected(), 1) << "the last row when the position is gone";
    EXPECT_EQ(list.input(), "CAT");
}

TEST_F(WordListTest, InsertGoesBackToTheEmptyTopRow)
{
    enter("dog");
    enter("cat");
    list.selectRow(2);
    EXPECT_TRUE(list.insertKey());
    EXPECT_EQ(list.selected(), 0);
    EXPECT_TRUE(list.input().isEmpty());
    type("ant");
    EXPECT_EQ(list.rows(), (QStringList{"ANT", "CAT", "DOG"}));
}

TEST_F(WordListTest, ClearLeavesOneEmptyRow)
{
    enter("dog");
    enter("cat");
    list.clear();
    EXPECT_EQ(list.rows(), QStringList{QString()});
    EXPECT_EQ(list.selected(), 0);
    EXPECT_EQ(list.statusText(), "280 characters available");
    EXPECT_FALSE(list.clearEnabled());
}

TEST_F(WordListTest, ALoadedPuzzlesWordsKeepSlotOrderUntilTheFirstCommit)
{
    const QStringList words = {"ZEBRA", "APPLE", "MANGO", "KIWI"};
    list.openWords(words);
    EXPECT_EQ(list.rows(), words);
    EXPECT_EQ(list.selected(), -1);
    EXPECT_TRUE(list.input().isEmpty());
    EXPECT_EQ(list.statusText(), "261 characters available");
    EXPECT_TRUE(list.clearEnabled());

    type("fig");
    EXPECT_EQ(list.rows(), (QStringList{"FIG", "ZEBRA", "APPLE", "MANGO", "KIWI"})) << "a new top row, not the first word";
    list.enter();
    EXPECT_EQ(list.rows(), (QStringList{"", "APPLE", "FIG", "KIWI", "MANGO", "ZEBRA"}));

    list.openWords({});
    EXPECT_FALSE(list.clearEnabled());
    list.dropRows();
    EXPECT_TRUE(list.rows().isEmpty());
}
