#pragma once

#include "platform/recordfile.h"

// The word-search puzzle record: one 1748-byte block, little-endian, after the shared header.
namespace wordsearch::format {

constexpr int kRecordSize = 1748;
// A file too short for the header is of another type; one cut short after it reads as zeros.
constexpr recordfile::Format kFormat{{0x57, 0xC2, 0x53, 0xB6}, kRecordSize, recordfile::ShortHeader::ReadsAsEmpty,
                                     recordfile::ShortRecord::ZeroFilled};
constexpr int kGridOffset = 256;    // cell (x, y) at kGridOffset + x * 22 + y, border included
constexpr int kGridBytes = 22 * 22;
constexpr int kTableOffset = 740;   // entry of word n at kTableOffset + (n - 1) * 4: x1, y1, x2, y2
constexpr int kTableEntryBytes = 4;
constexpr int kSlotsOffset = 996;   // slot n at kSlotsOffset + (n - 1) * 11: length, 10 characters
constexpr int kSlotBytes = 11;
constexpr int kTailOffset = 1700;   // 48 zero bytes to the end

static_assert(recordfile::kHeaderSize == kGridOffset);
static_assert(kGridOffset + kGridBytes == kTableOffset);
static_assert(kTableOffset + 64 * kTableEntryBytes == kSlotsOffset);
static_assert(kSlotsOffset + 64 * kSlotBytes == kTailOffset);
static_assert(kTailOffset + 48 == kRecordSize);

} // namespace wordsearch::format
