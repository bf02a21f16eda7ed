#include "wordsearch/puzzle.h"

#include <algorithm>

namespace wordsearch {

QByteArray WordSlot::word() const
{
    return QByteArray(chars.data(), std::min<int>(length, kSlotChars));
}

void WordSlot::set(const QByteArray& word)
{
    const int n = std::min<int>(word.size(), kSlotChars);
    length = static_cast<std::uint8_t>(n);
    std::copy_n(word.constData(), n, chars.begin());
}

void ClearPuzzle(WordSearchPuzzle& puzzle)
{
    for (int x = 1; x <= kField; ++x)
        for (int y = 1; y <= kField; ++y)
            puzzle.grid[x][y] = kEmptyCell;
    for (int x1 = 1; x1 <= kField; ++x1)
        for (int y1 = 1; y1 <= kField; ++y1)
            for (int x2 = 1; x2 <= kField; ++x2)
                std::fill_n(&puzzle.index.at(x1, y1, x2, 1), kField, std::uint8_t(0)); // y2 = 1..20
    for (WordSlot& slot : puzzle.wordSlots)
        slot.length = 0;
}

PlacementTable IndexToTable(const PlacementIndex& index, bool& ok)
{
    PlacementTable table{};
    ok = true;
    for (int x1 = 1; x1 <= kField; ++x1)
        for (int y1 = 1; y1 <= kField; ++y1)
            for (int x2 = 1; x2 <= kField; ++x2)
                for (int y2 = 1; y2 <= kField; ++y2) {
                    const int n = index.at(x1, y1, x2, y2);
                    if (n >= 1 && n <= kSlotCount)
                        table[n - 1] = TableEntry{std::uint8_t(x1), std::uint8_t(y1), std::uint8_t(x2), std::uint8_t(y2)};
                    else if (n != 0)
                        ok = false;
                }
    return table;
}

void TableToIndex(const PlacementTable& table, PlacementIndex& index, bool& ok)
{
    index.fill(0);
    ok = true;
    const auto inField = [](int v) { return v >= 1 && v <= kField; };
    for (int n = 1; n <= kSlotCount; ++n) {
        const TableEntry& e = table[n - 1];
        if (inField(e.x1) && inField(e.y1) && inField(e.x2) && inField(e.y2))
            index.at(e.x1, e.y1, e.x2, e.y2) = static_cast<std::uint8_t>(n);
        else if (!e.isZero())
            ok = false;
    }
}

} // namespace wordsearch
