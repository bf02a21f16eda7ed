#pragma once

#include "platform/recordfile.h"

// The cryptogram puzzle record: one 976-byte block, little-endian, after the shared header.
namespace cryptogram::format {

constexpr int kRecordSize = 976;
// A file too short for the header is of another type; one cut short after it is damaged.
constexpr recordfile::Format kFormat{{0x57, 0xC3, 0x53, 0xB7}, kRecordSize, recordfile::ShortHeader::ReadsAsEmpty,
                                     recordfile::ShortRecord::Damaged};
constexpr int kTextOffset = 256;  // text position p at kTextOffset + p
constexpr int kKeyOffset = 917;   // key entry i at kKeyOffset + i
constexpr int kHintsOffset = 953; // cipher symbols of the pairs, then their plain symbols
constexpr int kTailOffset = 975;  // one zero byte to the end

static_assert(recordfile::kHeaderSize == kTextOffset);
static_assert(kTextOffset + 661 == kKeyOffset);
static_assert(kKeyOffset + 36 == kHintsOffset);
static_assert(kHintsOffset + 22 == kTailOffset);
static_assert(kTailOffset + 1 == kRecordSize);

} // namespace cryptogram::format
