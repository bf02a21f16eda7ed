#pragma once

#include "maze/mazegrid.h"

#include <array>
#include <cstdint>

// The maze record: one 49544-byte block, little-endian.
namespace maze::format {

constexpr int kRecordSize = 49544;
constexpr int kHeaderSize = 256;
constexpr std::array<std::uint8_t, 5> kMagic = {0x04, 0x57, 0xC4, 0x53, 0xB8}; // length 4, then the magic
constexpr int kMagicOffset = 0;
constexpr int kVersionOffset = 5; // bytes 5 and 6 hold 0 and 9; never examined on reading
constexpr std::uint8_t kVersionByte5 = 0;
constexpr std::uint8_t kVersionByte6 = 9;
constexpr int kSizeOffset = 16;   // unsigned 32-bit record size
constexpr int kCellsOffset = 256; // cell (x, y) as signed 32-bit at kCellsOffset + (x * 111 + y) * 4
constexpr int kCellBytes = 4;
constexpr int kMazeSizeOffset = 49540; // N, signed 32-bit

// Reader and writer results.
constexpr int kOk = 0;
constexpr int kWriteFailed = -1;
constexpr int kReadFailed = -2;
constexpr int kWrongMagic = -3;
constexpr int kBadContent = -4;

static_assert(kCellsOffset + kGridCells * kCellBytes == kMazeSizeOffset);
static_assert(kMazeSizeOffset + 4 == kRecordSize);

} // namespace maze::format
