#include "printing/progressanimation.h"

namespace printing {

std::optional<BlockChange> ProgressAction(int state)
{
    if (state < 1 || state > kProgressStates)
        return std::nullopt;
    // The first three states fill blocks 1 to 3 and the last two empty 12 and 13; in between,
    // odd states show the block ahead of the run and even states hide the one behind it.
    if (state <= 3)
        return BlockChange{state, true};
    if (state >= 25)
        return BlockChange{state - 13, false};
    if (state % 2 == 1)
        return BlockChange{(state + 3) / 2, true};
    return BlockChange{(state - 2) / 2, false};
}

int NextProgressState(int state)
{
    return state >= 1 && state < kProgressStates ? state + 1 : 1;
}

} // namespace printing
