#pragma once

#include <array>
#include <cstdint>

// The word-search puzzle record: one 1748-byte block, little-endian.
namespace wordsearch::format {

constexpr int kRecordSize = 1748;
constexpr int kHeaderSize = 256;
constexpr std::array<std::uint8_t, 5> kMagic = {0x04, 0x57, 0xC2, 0x53, 0xB6}; // length 4, then the magic
constexpr int kMagicOffset = 0;
constexpr int kVersionOffset = 5;   // bytes 5 and 6 hold 0 and 9
constexpr std::uint8_t kVersionByte5 = 0;
constexpr std::uint8_t kVersionByte6 = 9;
constexpr int kSizeOffset = 16;     // unsigned 32-bit record size
constexpr int kGridOffset = 256;    // cell (x, y) at kGridOffset + x * 22 + y, border included
constexpr int kGridBytes = 22 * 22;
constexpr int kTableOffset = 740;   // entry of word n at kTableOffset + (n - 1) * 4: x1, y1, x2, y2
constexpr int kTableEntryBytes = 4;
constexpr int kSlotsOffset = 996;   // slot n at kSlotsOffset + (n - 1) * 11: length, 10 characters
constexpr int kSlotBytes = 11;
constexpr int kTailOffset = 1700;   // 48 zero bytes to the end

// Reader and writer results.
constexpr int kOk = 0;
constexpr int kWriteFailed = -1;
constexpr int kReadFailed = -2;
constexpr int kWrongMagic = -3;
constexpr int kBadContent = -4;

static_assert(kGridOffset + kGridBytes == kTableOffset);
static_assert(kTableOffset + 64 * kTableEntryBytes == kSlotsOffset);
static_assert(kSlotsOffset + 64 * kSlotBytes == kTailOffset);
static_assert(kTailOffset + 48 == kRecordSize);

} // namespace wordsearch::format
