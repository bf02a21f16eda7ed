#include "cryptogram/cryptogram.h"
#include "cryptogram/linefilter.h"
#include "cryptogram/textfile.h"
#include "platform/rng.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace cryptogram;

namespace {

MakerLines linesOf(std::initializer_list<const char*> texts)
{
    MakerLines lines;
    int i = 0;
    for (const char* t : texts)
        lines[i++] = QByteArray(t);
    return lines;
}

QByteArray row(const CryptogramText& text, int r)
{
    return QByteArray(text.data() + r * kColumns, kColumns);
}

QByteArray padded(const char* s)
{
    QByteArray b(s);
    return b + QByteArray(kColumns - b.size(), ' ');
}

int hintCount(const StartingHints& hints)
{
    int n = 0;
    while (n < kHintPairs && hints[n] != '\0')
        ++n;
    return n;
}

} // namespace

TEST(CipherTest, CharacterRules)
{
    EXPECT_EQ(QByteArray(CipherAlphabet.data(), kSymbols), QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890"));
    CipherKey key{};
    for (int i = 0; i < kSymbols; ++i)
        key[i] = CipherAlphabet[(i + 1) % kSymbols]; // A->B ... 9->0, 0->A

    const QByteArray plain("HELLO, WORLD! I AM 42. a_~");
    QByteArray cipher, guesses;
    for (char c : plain) {
        cipher += Encipher(key, c);
        guesses += GuessPlaceholder(c);
    }
    EXPECT_EQ(cipher, QByteArray("IFMMP, XPSME! J BN 53. a_~"));
    EXPECT_EQ(guesses, QByteArray("_____, _____! _ __ __. __~"));
    for (char c : plain)
        EXPECT_EQ(Decipher(key, Encipher(key, c)), c);
    EXPECT_EQ(Encipher(key, '0'), 'A');

    const CipherKey empty{};
    EXPECT_EQ(Decipher(empty, 'Q'), 'Q') << "no key: the symbol stands as it is";
    CipherKey twice = key;
    twice[5] = 'B'; // B now enciphers both A and F: the first wins
    EXPECT_EQ(Decipher(twice, 'B'), 'A');
    EXPECT_TRUE(NeedsGuess('_'));
    EXPECT_FALSE(NeedsGuess(' '));
    EXPECT_FALSE(NeedsGuess('\xC9'));
}

TEST(CipherTest, MakerLinesCloseUpAndRowsComeBackTrimmed)
{
    CryptogramText text{};
    CopyMakerLines(text, linesOf({"ONE", "", "THREE", "   ", "FIVE", "", "", "", "", "", "", "", "", "", "", "", "",
                                  "", "", "LAST"}));
    EXPECT_EQ(row(text, 0), padded("ONE"));
    EXPECT_EQ(row(text, 1), padded("THREE"));
    EXPECT_EQ(row(text, 2), padded("   ")) << "a line of blanks keeps its row";
    EXPECT_EQ(row(text, 3), padded("FIVE"));
    EXPECT_EQ(row(text, 4), padded("LAST"));
    for (int r = 5; r < kRows; ++r)
        EXPECT_EQ(row(text, r), padded(""));
    EXPECT_EQ(text[660], ' ');

    CopyMakerLines(text, linesOf({"  HELLO", "0123456789012345678901234567890123456789"}));
    EXPECT_EQ(row(text, 1), QByteArray("012345678901234567890123456789012"));
    const MakerLines back = RowsAsMakerLines(text);
    EXPECT_EQ(back[0], QByteArray("HELLO")) << "leading blanks are lost on edit";
    EXPECT_EQ(back[1].size(), kColumns);
    EXPECT_TRUE(back[2].isEmpty());
    EXPECT_FALSE(IsBlankText(text));
    text.fill(' ');
    text[660] = 'X';
    EXPECT_TRUE(IsBlankText(text)) << "the spare character is no part of the rows";
}

TEST(CipherTest, HintCountsFollowTheLevelAndLeaveOneSymbol)
{
    struct Case {
        const char* text;
        int skill;
        int pairs;
    };
    const Case cases[] = {
        {"HELLO", 0, 0}, {"HELLO", 1, 1}, {"HELLO", 2, 2}, {"HELLO", 3, 3},  {"HELLO", 4, 3},
        {"HELLO", 7, 3}, {"HELLO", 11, 3}, {"AAAA", 0, 0}, {"AAAA", 5, 0},   {"AAAA", 11, 0},
        {"!?.", 3, 0},    {"", 3, 0},       {"THE QUICK BROWN FOX 1234567890", 20, 11},
        {"THE QUICK BROWN FOX 1234567890", -5, 0},
    };
    for (const Case& c : cases) {
        Rng rng(3);
        Cryptogram p;
        BuildCryptogramPuzzle(p, linesOf({c.text}), c.skill, rng);
        EXPECT_EQ(hintCount(p.hints), c.pairs) << c.text << " at level " << c.skill;
    }
}

TEST(CipherTest, BuildsOverManySeedsKeepTheirPromises)
{
    const MakerLines texts[] = {
        linesOf({"HELLO, WORLD!"}),
        linesOf({"THE QUICK BROWN FOX", "JUMPS OVER 13 LAZY DOGS", "", "2024_A_B"}),
        linesOf({"ÀÉÎ MIXED a b c", "Z9"}),
    };
    for (std::uint64_t seed = 1; seed <= 300; ++seed) {
        const MakerLines& lines = texts[seed % 3];
        Rng rng(seed);
        Cryptogram p;
        const int skill = static_cast<int>(seed % 12);
        BuildCryptogramPuzzle(p, lines, skill, rng);

        CipherKey sorted = p.key;
        std::sort(sorted.begin(), sorted.end());
        CipherKey alphabet = CipherAlphabet;
        std::sort(alphabet.begin(), alphabet.end());
        ASSERT_EQ(sorted, alphabet) << "seed " << seed;

        const int pairs = hintCount(p.hints);
        std::set<char> plains;
        for (int j = 0; j < pairs; ++j) {
            const char plain = p.hints[kHintPairs + j];
            EXPECT_TRUE(std::find(p.text.begin(), p.text.end(), plain) != p.text.end());
            EXPECT_EQ(p.hints[j], Encipher(p.key, plain));
            EXPECT_TRUE(plains.insert(plain).second) << "hints are distinct symbols";
        }
        for (int j = pairs; j < kHintPairs; ++j) {
            EXPECT_EQ(p.hints[j], '\0');
            EXPECT_EQ(p.hints[kHintPairs + j], '\0');
        }
    }
}

TEST(CipherTest, FixedSeedPinsKeyAndHints)
{
    Rng rng(42);
    Cryptogram p;
    BuildCryptogramPuzzle(p, linesOf({"HELLO WORLD"}), 3, rng);
    EXPECT_EQ(QByteArray(p.key.data(), kSymbols), QByteArray("5YAKXTSBZ2UPC0V684LFW9JO1HI7RNEQMDG3"));
    EXPECT_EQ(QByteArray(p.hints.data(), kHintBytes), QByteArray("B4V\0\0\0\0\0\0\0\0HRO\0\0\0\0\0\0\0\0", kHintBytes));
}

TEST(LineFilterTest, TakesLatin1WithoutControlsInCapitals)
{
    struct Case {
        QString input;
        QString expected;
    };
    const Case cases[] = {
        {"hello, world!", "HELLO, WORLD!"},
        {QString::fromUtf8("àéîõüþ÷ßÿµ"), QString::fromUtf8("ÀÉÎÕÜÞ÷ßÿµ")},
        {QString::fromUtf8("a\tb\x7f" "c\u0085d\u20ace\U0001F600f"), "ABCDEF"},
        {QString::fromUtf8("¡¿ «»"), QString::fromUtf8("¡¿ «»")},
        {QString(40, 'x'), QString(33, 'X')},
        {"  _under_", "  _UNDER_"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FilterMakerLine(c.input), c.expected) << c.input.toStdString();

    EXPECT_EQ(FirstUntakenCharacter("ABC"), -1);
    EXPECT_EQ(FirstUntakenCharacter(QString::fromUtf8("AB€")), 2);
    EXPECT_EQ(FirstUntakenCharacter(QString("A\rB")), 1);
}

TEST(TextFileTest, LinesAreTakenOrRefusedWithTheirLine)
{
    struct Case {
        const char* name;
        QByteArray text;
        int line; // 0: taken
    };
    const QByteArray twenty = QByteArray("A\n").repeated(20);
    const Case cases[] = {
        {"LF", "hello\n\nworld\n", 0},
        {"CR LF and BOM", "\xEF\xBB\xBFhello\r\nworld", 0},
        {"twenty lines, empty ones after", twenty + "\n\n", 0},
        {"33 characters", QByteArray(33, 'x'), 0},
        {"34 characters", "ok\n" + QByteArray(34, 'x'), 2},
        {"a line after 20", twenty + "\nB", 22},
        {"tab", "ok\na\tb", 2},
        {"beyond Latin-1", "ok\nok\n\xE2\x82\xAC", 3},
        {"broken UTF-8", "\xC3", 1},
        {"blank first line", "   \nHELLO", 1},
        {"empty file", "", 1},
    };
    for (const Case& c : cases) {
        const TextFileResult r = ParseCryptogramText(c.text);
        EXPECT_EQ(r.line, c.line) << c.name << ": " << r.error.toStdString();
        EXPECT_EQ(r.error.isEmpty(), c.line == 0) << c.name;
    }
    const TextFileResult r = ParseCryptogramText(QByteArray("\xC3\xA9t\xC3\xA9 42\r\n\r\n  x\n"));
    EXPECT_EQ(r.lines[0], QByteArray("\xC9T\xC9 42"));
    EXPECT_TRUE(r.lines[1].isEmpty());
    EXPECT_EQ(r.lines[2], QByteArray("  X"));
}
