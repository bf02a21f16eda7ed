#include "cryptogram/game.h"
#include "platform/rng.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>

using namespace cryptogram;

namespace {

// A game over a puzzle of the given lines with a seeded key and, when skill is given, hints.
struct Played {
    Cryptogram puzzle;
    CryptogramGame game{puzzle};
    int winners = 0;
    std::function<void()> atWinner;

    explicit Played(std::initializer_list<const char*> texts, int skill = 0, std::uint64_t seed = 7)
    {
        MakerLines lines;
        int i = 0;
        for (const char* t : texts)
            lines[i++] = QByteArray(t);
        Rng rng(seed);
        BuildCryptogramPuzzle(puzzle, lines, skill, rng);
        game.setWinnerShown([this] {
            ++winners;
            if (atWinner)
                atWinner();
        });
        game.StartPlaying();
    }

    int symbolFor(char plain) const { return SymbolIndex(Encipher(puzzle.key, plain)); }
    void type(char plain, char typed) { game.TypeGuess(symbolFor(plain), typed); }
    // Row r of the guess (or cipher) cells, trailing blanks dropped.
    QByteArray row(int r, bool cipher = false) const
    {
        QByteArray text;
        for (int p = r * kColumns; p < (r + 1) * kColumns; ++p)
            text += cipher ? game.cipherCell(p) : game.guessCell(p);
        while (text.endsWith(' '))
            text.chop(1);
        return text;
    }
};

} // namespace

TEST(CryptogramGameTest, TypedKeysBecomeGuessesUnderEveryOccurrence)
{
    struct Case {
        const char* keys; // typed one after another into the symbol of Q
        char guess;
        const char* row0;
    };
    const Case cases[] = {
        {"e", 'E', "E___ E____"},      // a small letter shows as its capital, under every Q
        {"E", 'E', "E___ E____"},
        {"7", '7', "7___ 7____"},      // a digit is a guess too
        {"e \b!\x1b", 'E', "E___ E____"}, // blank, Backspace, punctuation and Escape change nothing
        {"e_", '_', "____ _____"},     // the underscore clears the guess
        {"ez", 'Z', "Z___ Z____"},
        {"\xE9", '_', "____ _____"},   // beyond ASCII: no guess
    };
    for (const Case& c : cases) {
        Played played({"QUIZ QUEEN", "I AM 42."});
        for (const char* k = c.keys; *k; ++k)
            played.type('Q', *k);
        EXPECT_EQ(played.game.guess(played.symbolFor('Q')), c.guess) << c.keys;
        EXPECT_EQ(played.row(0), QByteArray(c.row0)) << c.keys;
        EXPECT_EQ(played.row(1), QByteArray("_ __ __.")) << "blanks and the full stop show as they are";
    }

    Played played({"QUIZ QUEEN"});
    played.type('Q', 'e');
    played.game.DeleteGuess(played.symbolFor('Q'));
    EXPECT_EQ(played.row(0), "____ _____");
    QByteArray cipher;
    for (char c : QByteArray("QUIZ QUEEN"))
        cipher += Encipher(played.puzzle.key, c);
    EXPECT_EQ(played.row(0, true), cipher);
}

TEST(CryptogramGameTest, HintsStartLockedAndLockedSymbolsRefuseKeys)
{
    Played played({"THE QUICK FOX"}, 3); // ten distinct symbols
    EXPECT_EQ(played.game.lockedCount(), 3);
    QByteArray shown;
    for (int j = 0; j < 3; ++j) {
        const int i = SymbolIndex(played.puzzle.hints[j]);
        EXPECT_TRUE(played.game.locked(i));
        EXPECT_EQ(played.game.guess(i), played.puzzle.hints[kHintPairs + j]);
        shown += played.puzzle.hints[kHintPairs + j];
    }
    const QByteArray text("THE QUICK FOX");
    QByteArray expected;
    for (char c : text)
        expected += c == ' ' ? ' ' : shown.contains(c) ? c : '_';
    EXPECT_EQ(played.row(0), expected);

    const char hinted = shown[0];
    played.type(hinted, 'z');
    played.game.DeleteGuess(played.symbolFor(hinted));
    EXPECT_EQ(played.game.guess(played.symbolFor(hinted)), hinted) << "a locked symbol keeps its letter";

    // Pairs that name no symbol (empty, an underscore's, a foreign byte) show nothing; a pair
    // whose plain byte is zero still fills and locks its symbol.
    Cryptogram odd;
    odd.text.fill(' ');
    odd.text[0] = 'A';
    odd.text[1] = '_';
    for (int i = 0; i < kSymbols; ++i)
        odd.key[i] = CipherAlphabet[i];
    const char pairs[4][2] = {{'_', '_'}, {'\xC9', 'A'}, {'B', '\0'}, {'\0', '\0'}};
    for (int j = 0; j < 4; ++j) {
        odd.hints[j] = pairs[j][0];
        odd.hints[kHintPairs + j] = pairs[j][1];
    }
    CryptogramGame game(odd);
    game.StartPlaying();
    EXPECT_EQ(game.lockedCount(), 1);
    EXPECT_TRUE(game.locked(SymbolIndex('B')));
    EXPECT_EQ(game.guessCell(1), '_') << "an underscore in the text shows as itself";
}

TEST(CryptogramGameTest, SolvingShowsTheWinnerOnceThenRestartsWithTheHints)
{
    Played played({"HELLO, WORLD!"}, 2);
    bool solvedWhenShown = false;
    played.atWinner = [&] { solvedWhenShown = played.row(0) == "HELLO, WORLD!"; };
    for (char c : QByteArray("HELOWRD"))
        if (!played.game.locked(played.symbolFor(c)))
            played.type(c, c);
    EXPECT_EQ(played.winners, 1);
    EXPECT_TRUE(solvedWhenShown) << "the solved puzzle stays in view under the winner";
    EXPECT_EQ(played.game.lockedCount(), 2) << "the same puzzle again, its hints alone filled in";
    QByteArray expected = "_____, _____!";
    for (int c = 0; c < expected.size(); ++c)
        for (int j = 0; j < 2; ++j)
            if (QByteArray("HELLO, WORLD!")[c] == played.puzzle.hints[kHintPairs + j])
                expected[c] = played.puzzle.hints[kHintPairs + j];
    EXPECT_EQ(played.row(0), expected);

    // A text with nothing to guess (underscores show as themselves) is solved as soon as it
    // shows: one winner, and it stays as it is.
    Played nothing({"!?!", "__"});
    EXPECT_EQ(nothing.winners, 1);
    EXPECT_EQ(nothing.row(0), "!?!");
    EXPECT_EQ(nothing.row(1), "__");
    EXPECT_EQ(nothing.game.lockedCount(), kSymbols);
}

TEST(CryptogramGameTest, CheatsRevealOpenSymbolsInDrawOrderUntilSolved)
{
    Played played({"AB 12"});
    played.type('A', 'z'); // a wrong guess the cheat overwrites
    bool solvedAsShown = false;
    played.atWinner = [&] {
        solvedAsShown = played.row(0) == "AB 12" && played.game.guess(played.symbolFor('A')) == 'A';
    };
    Rng rng(11);
    Rng replay(11);
    int cheats = 0;
    while (played.winners == 0 && cheats < kSymbols) {
        std::array<bool, kSymbols> before{};
        for (int i = 0; i < kSymbols; ++i)
            before[i] = played.game.locked(i);
        played.game.RevealOneSymbol(rng);
        ++cheats;
        // The first draw that lands on a symbol not yet revealed is the one revealed.
        int k = replay.random(kSymbols);
        while (before[k])
            k = replay.random(kSymbols);
        if (played.winners == 0) {
            EXPECT_TRUE(played.game.locked(k));
            EXPECT_EQ(played.game.lockedCount(), cheats) << "one symbol a cheat, used in the text or not";
            EXPECT_EQ(played.game.guess(k), Decipher(played.puzzle.key, CipherAlphabet[k]));
        }
    }
    EXPECT_EQ(played.winners, 1);
    EXPECT_TRUE(solvedAsShown);
    EXPECT_GE(cheats, 4);
    EXPECT_EQ(played.row(0), "__ __") << "restarted with no hints";
    EXPECT_EQ(played.game.lockedCount(), 0);
}

TEST(CryptogramGameTest, EmptyGameShowsNothingAndTheCheatDrawsInVain)
{
    Played played({"HELLO"});
    played.game.Empty();
    EXPECT_FALSE(played.game.textShown());
    EXPECT_EQ(played.row(0), "");
    EXPECT_EQ(played.game.lockedCount(), kSymbols);
    EXPECT_EQ(played.puzzle.key, CipherKey{});

    Rng rng(3);
    Rng replay(3);
    played.game.RevealOneSymbol(rng);
    for (int i = 0; i < CryptogramGame::kRevealDraws; ++i)
        replay.random(kSymbols);
    EXPECT_EQ(rng.random(1000), replay.random(1000)) << "all 10001 draws made, nothing revealed";
    EXPECT_EQ(played.game.lockedCount(), kSymbols);
    EXPECT_EQ(played.game.guess(0), CryptogramGame::kNoGuess);

    // A blank text counts as solved without a winner: it shows, all locked.
    played.game.SetSymbolsUnlocked(true);
    played.game.RefreshGuesses();
    EXPECT_EQ(played.winners, 0);
    EXPECT_TRUE(played.game.textShown());
    EXPECT_EQ(played.game.lockedCount(), kSymbols);
}
