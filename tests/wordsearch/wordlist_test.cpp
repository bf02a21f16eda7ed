#include "wordsearch/wordlist.h"

#include <gtest/gtest.h>

using wordsearch::ParseWordList;

TEST(WordList, TrimsSkipsBlanksAndUpperCases)
{
    const auto r = ParseWordList("  cat \r\n\n\tDog\nbird");
    EXPECT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    EXPECT_EQ(r.words, QStringList({"CAT", "DOG", "BIRD"}));
}

TEST(WordList, RefusalsNameTheFaultAndLine)
{
    struct Case {
        QByteArray text;
        int line;
        const char* fault;
    } cases[] = {
        {"cat\ndo g\n", 2, "letters A to Z"},
        {"cat\n\nx\n", 3, "single"},
        {"abcdefghijk\n", 1, "at most 10"},
        {"caf\xe9\n", 1, "letters A to Z"},
        {"cat1\n", 1, "letters A to Z"},
        {"", 0, "no words"},
        {"\n  \n", 0, "no words"},
    };
    for (const Case& c : cases) {
        const auto r = ParseWordList(c.text);
        EXPECT_EQ(r.line, c.line) << c.text.constData();
        EXPECT_TRUE(r.error.contains(QLatin1String(c.fault))) << r.error.toStdString();
    }
}

TEST(WordList, LimitsOfWordsAndLetters)
{
    QByteArray words64;
    for (int i = 0; i < 64; ++i)
        words64 += "AB\n";
    EXPECT_TRUE(ParseWordList(words64).error.isEmpty());
    const auto r65 = ParseWordList(words64 + "CD\n");
    EXPECT_EQ(r65.line, 65);
    EXPECT_TRUE(r65.error.contains("64"));

    QByteArray letters280;
    for (int i = 0; i < 28; ++i)
        letters280 += "ABCDEFGHIJ\n";
    EXPECT_TRUE(ParseWordList(letters280).error.isEmpty());
    const auto r281 = ParseWordList(letters280 + "AB\n");
    EXPECT_EQ(r281.line, 29);
    EXPECT_TRUE(r281.error.contains("280"));
}
