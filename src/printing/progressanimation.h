#pragma once

#include <optional>

// The progress window's moving bar: 13 blocks and a cycle of 26 states that slides a run of
// three blocks from left to right. State 0 is the window's state before its first step.
namespace printing {

constexpr int kProgressBlocks = 13;
constexpr int kProgressStates = 26;

struct BlockChange {
    int block;    // 1 to 13
    bool visible;
};

// What a state does to the blocks; state 0 (and anything outside 1 to 26) does nothing.
std::optional<BlockChange> ProgressAction(int state);

// The state after state: 1 follows 26, and 0.
int NextProgressState(int state);

} // namespace printing
