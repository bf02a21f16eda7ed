#include "cryptogram/game.h"

#include "platform/rng.h"

#include <algorithm>

namespace cryptogram {

char CryptogramGame::cipherCell(int p) const
{
    return shown_ ? Encipher(puzzle_.key, puzzle_.text[p]) : ' ';
}

char CryptogramGame::guessCell(int p) const
{
    if (!shown_)
        return ' ';
    // A symbol's guess shows under every cell of that cipher symbol; blanks, punctuation and
    // key entries that are no symbol keep their placeholder.
    const int i = SymbolIndex(cipherCell(p));
    return i >= 0 ? guesses_[i] : GuessPlaceholder(puzzle_.text[p]);
}

int CryptogramGame::lockedCount() const
{
    return static_cast<int>(std::count(locked_.begin(), locked_.end(), true));
}

void CryptogramGame::ClearDisplay()
{
    shown_ = false;
    guesses_.fill(kNoGuess);
}

void CryptogramGame::ShowCipherText()
{
    shown_ = true;
}

void CryptogramGame::SetSymbolsUnlocked(bool on)
{
    locked_.fill(!on);
}

void CryptogramGame::ApplyStartingHints()
{
    const StartingHints& hints = puzzle_.hints;
    for (int j = 0; j < kHintPairs; ++j) {
        // Empty pairs and an underscore's pair name no symbol and show nothing.
        const int i = SymbolIndex(hints[j]);
        if (i >= 0)
            guesses_[i] = hints[kHintPairs + j];
    }
    for (int i = 0; i < kSymbols; ++i)
        if (guesses_[i] != kNoGuess)
            locked_[i] = true;
}

void CryptogramGame::RefreshGuesses()
{
    CheckCompleted();
}

void CryptogramGame::CheckCompleted()
{
    const CryptogramText& text = puzzle_.text;
    for (int p = 0; p < kCells; ++p)
        if (text[p] != ' ' && guessCell(p) != text[p])
            return;
    if (IsBlankText(text)) {
        ClearDisplay();
        ShowCipherText();
        SetSymbolsUnlocked(false);
        return;
    }
    if (restarting_) {
        // Solved again the moment it starts: nothing is left to solve, so it stays as it is.
        SetSymbolsUnlocked(false);
        return;
    }
    if (showWinner_)
        showWinner_();
    restarting_ = true;
    ClearDisplay();
    StartPlaying();
    restarting_ = false;
}

void CryptogramGame::RevealOneSymbol(Rng& rng)
{
    for (int draw = 0; draw < kRevealDraws; ++draw) {
        const int k = rng.random(kSymbols);
        if (locked_[k])
            continue;
        guesses_[k] = Decipher(puzzle_.key, CipherAlphabet[k]);
        locked_[k] = true;
        RefreshGuesses();
        return;
    }
}

void CryptogramGame::TypeGuess(int i, char typed)
{
    if (locked_[i])
        return;
    if (NeedsGuess(typed))
        guesses_[i] = typed >= 'a' && typed <= 'z' ? static_cast<char>(typed - 'a' + 'A') : typed;
    RefreshGuesses();
}

void CryptogramGame::DeleteGuess(int i)
{
    if (locked_[i])
        return;
    guesses_[i] = kNoGuess;
    RefreshGuesses();
}

void CryptogramGame::Empty()
{
    ClearDisplay();
    puzzle_.clear();
    SetSymbolsUnlocked(false);
}

void CryptogramGame::StartPlaying()
{
    ShowCipherText();
    SetSymbolsUnlocked(true);
    ApplyStartingHints();
    RefreshGuesses();
}

} // namespace cryptogram
