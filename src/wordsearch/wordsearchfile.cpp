#include "wordsearch/wordsearchfile.h"

#include "shell/program.h"

#include "platform/filenames.h"
#include "platform/recordfile.h"
#include "wordsearch/wordsearchformat.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace wordsearch {
namespace {

using namespace format;
using recordfile::kBadContent;
using recordfile::kOk;

// A word listed twice is placed twice under the number of its first row, and the table has one
// entry per number: the extra placements go into the entries of the later copies, whose own
// entries are empty, so that loading the file gives back every placement.
void keepDuplicatePlacements(const WordSearchPuzzle& puzzle, PlacementTable& table)
{
    std::vector<std::vector<TableEntry>> cells(kSlotCount + 1);
    std::array<bool, kSlotCount + 1> numberUsed{};
    for (int x1 = 1; x1 <= kField; ++x1)
        for (int y1 = 1; y1 <= kField; ++y1)
            for (int x2 = 1; x2 <= kField; ++x2)
                for (int y2 = 1; y2 <= kField; ++y2) {
                    const int n = puzzle.index.at(x1, y1, x2, y2);
                    if (n >= 1 && n <= kSlotCount) {
                        cells[n].push_back(TableEntry{std::uint8_t(x1), std::uint8_t(y1), std::uint8_t(x2), std::uint8_t(y2)});
                        numberUsed[n] = true;
                    }
                }
    for (int n = 1; n <= kSlotCount; ++n) {
        if (cells[n].size() < 2)
            continue;
        const QByteArray word = puzzle.wordSlots[n - 1].word().toUpper();
        // The table already holds the last cell of the scan; hand out the others.
        std::size_t next = 0;
        for (int m = n + 1; m <= kSlotCount && next + 1 < cells[n].size(); ++m) {
            if (numberUsed[m] || !table[m - 1].isZero() || puzzle.wordSlots[m - 1].isEmpty())
                continue;
            if (puzzle.wordSlots[m - 1].word().toUpper() != word)
                continue;
            table[m - 1] = cells[n][next++];
            numberUsed[m] = true;
        }
    }
}

int decodeRecord(const recordfile::Record& record, WordSearchPuzzle& puzzle, PlacementTable* tableOut)
{
    if (record.code != kOk)
        return record.code;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(record.bytes.constData());
    for (int x = 0; x < kSide; ++x)
        for (int y = 0; y < kSide; ++y)
            puzzle.grid[x][y] = static_cast<char>(bytes[kGridOffset + x * kSide + y]);
    for (int n = 0; n < kSlotCount; ++n) {
        const std::uint8_t* slot = bytes + kSlotsOffset + n * kSlotBytes;
        puzzle.wordSlots[n].length = slot[0];
        std::memcpy(puzzle.wordSlots[n].chars.data(), slot + 1, kSlotChars);
    }
    PlacementTable table{};
    for (int n = 0; n < kSlotCount; ++n) {
        const std::uint8_t* entry = bytes + kTableOffset + n * kTableEntryBytes;
        table[n] = TableEntry{entry[0], entry[1], entry[2], entry[3]};
    }
    if (tableOut)
        *tableOut = table;
    bool ok = false;
    TableToIndex(table, puzzle.index, ok);
    return ok ? kOk : kBadContent;
}

} // namespace

QString WordSearchFilePath(const QString& programFolder, const QString& name)
{
    const QString folder = ProgramPaths::puzzleFolderIn(programFolder);
    if (filenames::lowerExtension(name) == QLatin1String(".wsd"))
        return filenames::resolveInFolder(folder, name);
    return filenames::resolveInFolder(folder, filenames::replaceExtension(name, QStringLiteral(".wsp")));
}

QByteArray EncodeWordSearchRecord(const WordSearchPuzzle& puzzle, bool& ok)
{
    QByteArray buffer = recordfile::NewRecord(kFormat);
    auto* bytes = reinterpret_cast<std::uint8_t*>(buffer.data());
    for (int x = 0; x < kSide; ++x)
        for (int y = 0; y < kSide; ++y)
            bytes[kGridOffset + x * kSide + y] = static_cast<std::uint8_t>(puzzle.grid[x][y]);
    PlacementTable table = IndexToTable(puzzle.index, ok);
    if (!ok)
        return QByteArray();
    keepDuplicatePlacements(puzzle, table);
    for (int n = 0; n < kSlotCount; ++n) {
        std::uint8_t* entry = bytes + kTableOffset + n * kTableEntryBytes;
        entry[0] = table[n].x1;
        entry[1] = table[n].y1;
        entry[2] = table[n].x2;
        entry[3] = table[n].y2;
    }
    for (int n = 0; n < kSlotCount; ++n) {
        std::uint8_t* slot = bytes + kSlotsOffset + n * kSlotBytes;
        slot[0] = puzzle.wordSlots[n].length;
        std::memcpy(slot + 1, puzzle.wordSlots[n].chars.data(), kSlotChars);
    }
    return buffer;
}

int DecodeWordSearchRecord(const QByteArray& fileBytes, WordSearchPuzzle& puzzle, PlacementTable* tableOut)
{
    return decodeRecord(recordfile::Parse(fileBytes, kFormat), puzzle, tableOut);
}

int SaveWordSearchFileAt(const QString& path, const WordSearchPuzzle& puzzle, QString* error)
{
    bool ok = false;
    const QByteArray record = EncodeWordSearchRecord(puzzle, ok);
    if (!ok)
        return kBadContent;
    return recordfile::Write(path, record, error);
}

int LoadWordSearchFileAt(const QString& path, WordSearchPuzzle& puzzle, PlacementTable* table)
{
    return decodeRecord(recordfile::Read(path, kFormat), puzzle, table);
}

int SaveWordSearchFile(const QString& programFolder, const QString& name, const WordSearchPuzzle& puzzle)
{
    return SaveWordSearchFileAt(WordSearchFilePath(programFolder, name), puzzle);
}

int LoadWordSearchFile(const QString& programFolder, const QString& name, WordSearchPuzzle& puzzle)
{
    return LoadWordSearchFileAt(WordSearchFilePath(programFolder, name), puzzle);
}

} // namespace wordsearch
