#include "cryptogram/cryptogram.h"

#include "platform/rng.h"

#include <algorithm>

namespace cryptogram {

const std::array<char, kSymbols> CipherAlphabet = [] {
    std::array<char, kSymbols> alphabet{};
    for (int i = 0; i < 26; ++i)
        alphabet[i] = static_cast<char>('A' + i);
    for (int i = 0; i < 9; ++i)
        alphabet[26 + i] = static_cast<char>('1' + i);
    alphabet[35] = '0';
    return alphabet;
}();

void Cryptogram::clear()
{
    text.fill(' ');
    key.fill('\0');
    hints.fill('\0');
}

int SymbolIndex(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= '1' && c <= '9')
        return 26 + (c - '1');
    if (c == '0')
        return 35;
    return -1;
}

char Encipher(const CipherKey& key, char c)
{
    const int i = SymbolIndex(c);
    return i < 0 ? c : key[i];
}

char Decipher(const CipherKey& key, char s)
{
    const auto found = std::find(key.begin(), key.end(), s);
    return found == key.end() ? s : CipherAlphabet[found - key.begin()];
}

char GuessPlaceholder(char c)
{
    const bool symbol = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    return symbol ? '_' : c;
}

void MakeCipherKey(CipherKey& key, Rng& rng)
{
    std::array<char, kSymbols> left = CipherAlphabet;
    int n = kSymbols;
    for (int i = 0; i < kSymbols; ++i) {
        const int k = rng.random(n);
        key[i] = left[k];
        std::copy(left.begin() + k + 1, left.begin() + n, left.begin() + k);
        --n;
    }
}

void CopyMakerLines(CryptogramText& text, const MakerLines& lines)
{
    text.fill(' ');
    int row = 0;
    for (const QByteArray& line : lines) {
        if (line.isEmpty())
            continue;
        const int length = std::min<int>(line.size(), kColumns);
        std::copy(line.constData(), line.constData() + length, text.begin() + row * kColumns);
        ++row;
    }
}

void ChooseStartingHints(Cryptogram& puzzle, int skill, Rng& rng)
{
    std::array<char, 256> distinct{};
    int d = 0;
    std::array<bool, 256> seen{};
    for (int p = 0; p < kCells; ++p) {
        const char c = puzzle.text[p];
        const auto u = static_cast<unsigned char>(c);
        if (GuessPlaceholder(c) == '_' && !seen[u]) {
            seen[u] = true;
            distinct[d++] = c;
        }
    }
    puzzle.hints.fill('\0');
    // The record holds eleven pairs, so a larger level stored in the settings gives eleven.
    skill = std::clamp(skill, 0, kMaxSkill);
    const int pairs = d <= skill ? std::max(d - 1, 0) : skill;
    for (int j = 0; j < pairs; ++j) {
        const int k = rng.random(d);
        const char p = distinct[k];
        puzzle.hints[j] = Encipher(puzzle.key, p);
        puzzle.hints[kHintPairs + j] = p;
        std::copy(distinct.begin() + k + 1, distinct.begin() + d, distinct.begin() + k);
        --d;
    }
}

void BuildCryptogramPuzzle(Cryptogram& puzzle, const MakerLines& lines, int skill, Rng& rng)
{
    MakeCipherKey(puzzle.key, rng);
    CopyMakerLines(puzzle.text, lines);
    ChooseStartingHints(puzzle, skill, rng);
}

MakerLines RowsAsMakerLines(const CryptogramText& text)
{
    MakerLines lines;
    for (int r = 0; r < kRows; ++r) {
        const char* row = text.data() + r * kColumns;
        int first = 0;
        int last = kColumns;
        while (first < last && static_cast<unsigned char>(row[first]) <= 32)
            ++first;
        while (last > first && static_cast<unsigned char>(row[last - 1]) <= 32)
            --last;
        lines[r] = QByteArray(row + first, last - first);
    }
    return lines;
}

bool IsBlankText(const CryptogramText& text)
{
    return std::all_of(text.begin(), text.begin() + kCells, [](char c) { return c == ' '; });
}

} // namespace cryptogram
