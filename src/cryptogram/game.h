#pragma once

#include "cryptogram/cryptogram.h"

#include <array>
#include <functional>

class Rng;

namespace cryptogram {

// The cryptogram being solved: what the cells show, the player's guess for each cipher symbol,
// the symbols the program has filled in and locked (starting hints and cheats), and the rules of
// play. It plays the program's one puzzle, which the maker and the loader fill; a play window
// draws it and forwards typing to it.
class CryptogramGame {
public:
    static constexpr char kNoGuess = '_';
    // Draws the cheat makes before it gives up on finding an open symbol.
    static constexpr int kRevealDraws = 10001;

    explicit CryptogramGame(Cryptogram& puzzle) : puzzle_(puzzle)
    {
        ClearDisplay();
        SetSymbolsUnlocked(false);
    }
    CryptogramGame(const CryptogramGame&) = delete;
    CryptogramGame& operator=(const CryptogramGame&) = delete;

    const Cryptogram& puzzle() const { return puzzle_; }

    // Runs when a guess or a cheat solves a puzzle that has text, before it starts again: the
    // solved puzzle is still what the game shows.
    void setWinnerShown(std::function<void()> showWinner) { showWinner_ = std::move(showWinner); }

    // What the cells show at position p = r * 33 + c: a blank wherever no text is shown.
    bool textShown() const { return shown_; }
    char cipherCell(int p) const;
    char guessCell(int p) const;
    // The guess for CipherAlphabet[i]: kNoGuess when there is none.
    char guess(int i) const { return guesses_[i]; }
    bool locked(int i) const { return locked_[i]; }
    int lockedCount() const;

    // Every cell blank, every guess kNoGuess.
    void ClearDisplay();
    // The cipher text shown, each symbol over its guess.
    void ShowCipherText();
    // Unlocks (true) or locks (false) every symbol.
    void SetSymbolsUnlocked(bool on);
    // The starting hints as guesses; then every symbol with a guess is locked.
    void ApplyStartingHints();
    // The guesses appear under their symbols as they change; this is the completion check that
    // follows each change.
    void RefreshGuesses();
    // Solved: "Puzzle complete", then the same puzzle again with its hints alone.
    void CheckCompleted();
    // The cheat: an open symbol drawn at random gets its plain symbol and is locked.
    void RevealOneSymbol(Rng& rng);

    // A key typed for the open symbol i: a letter, digit or underscore becomes its guess (the
    // underscore clears it); any other key changes nothing. Either way the guesses are refreshed.
    void TypeGuess(int i, char typed);
    // Delete in the open symbol i: no guess.
    void DeleteGuess(int i);

    // Nothing shown, no puzzle, every symbol locked.
    void Empty();
    // The puzzle as it starts: its text shown, its hints filled in and locked, the rest open.
    void StartPlaying();

private:
    Cryptogram& puzzle_;
    std::function<void()> showWinner_;
    bool shown_ = false;
    bool restarting_ = false;
    std::array<char, kSymbols> guesses_{};
    std::array<bool, kSymbols> locked_{};
};

} // namespace cryptogram
