#pragma once

#include <array>
#include <cstdint>

// The cryptogram puzzle record: one 976-byte block, little-endian.
namespace cryptogram::format {

constexpr int kRecordSize = 976;
constexpr int kHeaderSize = 256;
constexpr std::array<std::uint8_t, 5> kMagic = {0x04, 0x57, 0xC3, 0x53, 0xB7}; // length 4, then the magic
constexpr int kMagicOffset = 0;
constexpr int kVersionOffset = 5; // bytes 5 and 6 hold 0 and 9
constexpr std::uint8_t kVersionByte5 = 0;
constexpr std::uint8_t kVersionByte6 = 9;
constexpr int kSizeOffset = 16;   // unsigned 32-bit record size
constexpr int kTextOffset = 256;  // text position p at kTextOffset + p
constexpr int kKeyOffset = 917;   // key entry i at kKeyOffset + i
constexpr int kHintsOffset = 953; // cipher symbols of the pairs, then their plain symbols
constexpr int kTailOffset = 975;  // one zero byte to the end

// Reader and writer results.
constexpr int kOk = 0;
constexpr int kWriteFailed = -1;
constexpr int kReadFailed = -2;
constexpr int kWrongMagic = -3;
constexpr int kBadContent = -4;

static_assert(kTextOffset + 661 == kKeyOffset);
static_assert(kKeyOffset + 36 == kHintsOffset);
static_assert(kHintsOffset + 22 == kTailOffset);
static_assert(kTailOffset + 1 == kRecordSize);

} // namespace cryptogram::format
