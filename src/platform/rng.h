#pragma once

#include <cstdint>
#include <random>

// The program's one source of randomness. The engine's output is fixed by the C++ standard
// and the range reduction is our own, so a seed gives the same draws with any toolchain.
class Rng {
public:
    explicit Rng(std::uint64_t seed = 0) : engine_(seed) {}

    void seed(std::uint64_t s) { engine_.seed(s); }

    // A uniform integer in [0, n); 0 when n < 1.
    int random(int n)
    {
        if (n < 1)
            return 0;
        const std::uint64_t range = static_cast<std::uint64_t>(n);
        std::uint64_t x = engine_();
        // Only the top sliver of the 64-bit range, fewer than n values, would favour small
        // results and is drawn again. Anything n or more below the top is clear of it, so the
        // exact bound is worked out only in the rare draw that lands up there.
        if (x > UINT64_MAX - range)
            x = redrawTop(x, range);
        return static_cast<int>(x % range);
    }

    // One whole 64-bit output of the engine: 64 fair, independent bits. A caller may split it
    // into fields of a power-of-two size (eight 3-bit directions, say) in place of that many
    // draws of random(2^k).
    std::uint64_t bits() { return engine_(); }

private:
    std::uint64_t redrawTop(std::uint64_t x, std::uint64_t range);

    std::mt19937_64 engine_;
};
