#pragma once

#include <cstdint>
#include <functional>
#include <random>

// Where a run's random numbers come from: reseeded as each run starts.
class Random {
public:
    virtual ~Random() = default;
    virtual void reseed() = 0;
    virtual float next() = 0;  // 0 <= r < 1
};

// A seed from the high-resolution clock: two runs in the same second differ.
std::uint64_t clockSeed();

// Uniform single-precision values in [0, 1): 24 random bits scaled by 2^-24,
// so the largest value is 1 - 2^-24 and 1.0 never comes out (rounding a wider
// value to float could give 1.0).
class Rng : public Random {
public:
    // seeder gives the seed at each reseed: the clock, so that runs differ.
    explicit Rng(std::function<std::uint64_t()> seeder = clockSeed) : seeder_(std::move(seeder)) {}
    // The same seed at each reseed (and from the start): every run the same.
    explicit Rng(std::uint64_t seed) : seeder_([seed] { return seed; }), engine_(seed) {}

    void reseed() override { engine_.seed(seeder_()); }
    float next() override { return static_cast<float>(engine_() >> 40) * 0x1p-24f; }

private:
    std::function<std::uint64_t()> seeder_;
    std::mt19937_64 engine_;
};
