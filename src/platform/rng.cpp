#include "platform/rng.h"

std::uint64_t Rng::redrawTop(std::uint64_t x, std::uint64_t range)
{
    // The largest draw kept: the values above it are the 2^64 mod range that a plain remainder
    // would hand to the small results once more than the others.
    const std::uint64_t limit = UINT64_MAX - (UINT64_MAX % range + 1) % range;
    while (x > limit)
        x = engine_();
    return x;
}
