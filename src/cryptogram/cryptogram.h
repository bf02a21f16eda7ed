#pragma once

#include <QByteArray>

#include <array>

class Rng;

// One cryptogram: a text of 20 rows of 33 characters, the substitution that enciphers it and
// the symbols shown solved when play starts. Characters are single Latin-1 bytes.
namespace cryptogram {

constexpr int kRows = 20;
constexpr int kColumns = 33;
constexpr int kCells = kRows * kColumns; // the rows; one spare character follows them
constexpr int kTextSize = kCells + 1;
constexpr int kSymbols = 36;
constexpr int kHintPairs = 11;
constexpr int kHintBytes = 2 * kHintPairs;
constexpr int kMaxSkill = kHintPairs;

using CryptogramText = std::array<char, kTextSize>;
using CipherKey = std::array<char, kSymbols>;   // entry i enciphers CipherAlphabet[i]
using StartingHints = std::array<char, kHintBytes>; // cipher symbols 0..10, plain symbols 11..21
using MakerLines = std::array<QByteArray, kRows>;

struct Cryptogram {
    CryptogramText text;
    CipherKey key;
    StartingHints hints;

    Cryptogram() { clear(); }
    // No puzzle: a text of spaces, a key and hints of zero bytes.
    void clear();
};

// A..Z, 1..9, 0: the order of the key, the key panel and the random draws.
extern const std::array<char, kSymbols> CipherAlphabet;

// The place of c in CipherAlphabet, or -1 for a character that is never enciphered.
int SymbolIndex(char c);

char Encipher(const CipherKey& key, char c);
char Decipher(const CipherKey& key, char s);
// '_' for a position the player fills (digits, letters of either case, the underscore), the
// character itself otherwise.
char GuessPlaceholder(char c);
inline bool NeedsGuess(char c) { return GuessPlaceholder(c) == '_' && c != ' '; }

// A uniformly random permutation of the alphabet: 36 draws, from 36 symbols down to 1.
void MakeCipherKey(CipherKey& key, Rng& rng);

// The non-empty lines, closed up from row 0, each filled up with spaces; at most 33 bytes a line
// are taken.
void CopyMakerLines(CryptogramText& text, const MakerLines& lines);

// Up to skill pairs (skill held to 0..11) of distinct symbols of the text, always leaving one
// symbol unsolved; one draw a pair.
void ChooseStartingHints(Cryptogram& puzzle, int skill, Rng& rng);

// The build sequence shared by the maker and the headless maker: key, lines, hints.
void BuildCryptogramPuzzle(Cryptogram& puzzle, const MakerLines& lines, int skill, Rng& rng);

// The rows of the text as maker lines for an edit: each row trimmed of bytes 0 to 32 at both ends.
MakerLines RowsAsMakerLines(const CryptogramText& text);

// True when positions 0 to 659 are all spaces: no puzzle.
bool IsBlankText(const CryptogramText& text);

} // namespace cryptogram
