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
    int random(int n);

private:
    std::mt19937_64 engine_;
};
