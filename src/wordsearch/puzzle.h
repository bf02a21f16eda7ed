#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

// The one word-search puzzle in memory: grid, word slots and the placement index.
namespace wordsearch {

constexpr int kSide = 22;        // grid indices 0..21; the field is 1..20
constexpr int kField = 20;
constexpr int kSlotCount = 64;
constexpr int kSlotChars = 10;
constexpr char kEmptyCell = '0'; // marks a cell not yet filled while a puzzle is built

// WordGrid[x][y]: x the column, y the row.
using WordGrid = std::array<std::array<char, kSide>, kSide>;

// A length-prefixed string of at most 10 characters, as stored in the file.
struct WordSlot {
    std::uint8_t length = 0;
    std::array<char, kSlotChars> chars{};

    // The slot's word; a length byte above 10 (only a foreign file has one) reads as 10.
    QByteArray word() const;
    bool isEmpty() const { return length == 0; }
    void set(const QByteArray& word);
};

// WordSlots[n - 1] is slot n.
using WordSlots = std::array<WordSlot, kSlotCount>;

// One byte per (x1, y1, x2, y2): the number of the word running from the first cell to the second.
class PlacementIndex {
public:
    static constexpr int kBytes = kSide * kSide * kSide * kSide;

    PlacementIndex() : bytes_(kBytes, 0) {}

    std::uint8_t& at(int x1, int y1, int x2, int y2) { return bytes_[offset(x1, y1, x2, y2)]; }
    std::uint8_t at(int x1, int y1, int x2, int y2) const { return bytes_[offset(x1, y1, x2, y2)]; }
    void fill(std::uint8_t value) { std::fill(bytes_.begin(), bytes_.end(), value); }
    bool operator==(const PlacementIndex&) const = default;

private:
    static std::size_t offset(int x1, int y1, int x2, int y2)
    {
        return ((static_cast<std::size_t>(x1) * kSide + y1) * kSide + x2) * kSide + y2;
    }
    std::vector<std::uint8_t> bytes_;
};

// One placement-table entry of the file: first and last cell, all zero when not placed.
struct TableEntry {
    std::uint8_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool isZero() const { return x1 == 0 && y1 == 0 && x2 == 0 && y2 == 0; }
    bool operator==(const TableEntry&) const = default;
};
using PlacementTable = std::array<TableEntry, kSlotCount>; // [n - 1] is word n

struct WordSearchPuzzle {
    WordGrid grid{};
    WordSlots wordSlots{};
    PlacementIndex index;
};

// Field cells to '0', field index bytes to 0, slot lengths to 0; border and slot characters stay.
void ClearPuzzle(WordSearchPuzzle& puzzle);

// In-memory index to the file's table; ok is false when a byte is not a word number 1..64.
PlacementTable IndexToTable(const PlacementIndex& index, bool& ok);

// File's table to the in-memory index; ok is false when an entry has a coordinate outside
// 1..20 and is not all zero (that entry is skipped).
void TableToIndex(const PlacementTable& table, PlacementIndex& index, bool& ok);

// True when the field cell holds one of 'A' to 'Z'.
inline bool isLetter(char c) { return c >= 'A' && c <= 'Z'; }

} // namespace wordsearch
