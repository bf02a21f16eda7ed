#include "platform/rng.h"

int Rng::random(int n)
{
    if (n < 1)
        return 0;
    const std::uint64_t range = static_cast<std::uint64_t>(n);
    // Reject the top sliver of the 64-bit range that would favour small results.
    const std::uint64_t limit = UINT64_MAX - (UINT64_MAX % range + 1) % range;
    std::uint64_t x;
    do {
        x = engine_();
    } while (x > limit);
    return static_cast<int>(x % range);
}
