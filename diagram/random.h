#pragma once

#include <cstdint>
#include <random>

// Uniform single-precision values in [0, 1): 24 random bits scaled by 2^-24,
// so the largest value is 1 - 2^-24 and 1.0 never comes out (rounding a wider
// value to float could give 1.0).
class Rng {
public:
    explicit Rng(std::uint64_t seed = 0) : engine_(seed) {}
    void seed(std::uint64_t seed) { engine_.seed(seed); }
    float next() { return static_cast<float>(engine_() >> 40) * 0x1p-24f; }

private:
    std::mt19937_64 engine_;
};

// A seed from the high-resolution clock: two runs in the same second differ.
std::uint64_t clockSeed();
