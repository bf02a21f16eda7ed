#pragma once

#include "maze/mazegrid.h"
#include "platform/recordfile.h"

// The maze record: one 49544-byte block, little-endian, after the shared header.
namespace maze::format {

constexpr int kRecordSize = 49544;
// The header is read as far as a short file goes; a record cut short is damaged.
constexpr recordfile::Format kFormat{{0x57, 0xC4, 0x53, 0xB8}, kRecordSize,
                                     recordfile::ShortHeader::ReadsAsFarAsItGoes, recordfile::ShortRecord::Damaged};
constexpr int kCellsOffset = 256; // cell (x, y) as signed 32-bit at kCellsOffset + (x * 111 + y) * 4
constexpr int kCellBytes = 4;
constexpr int kMazeSizeOffset = 49540; // N, signed 32-bit

static_assert(recordfile::kHeaderSize == kCellsOffset);
static_assert(kCellsOffset + kGridCells * kCellBytes == kMazeSizeOffset);
static_assert(kMazeSizeOffset + 4 == kRecordSize);

} // namespace maze::format
