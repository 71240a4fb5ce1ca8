#include "diagram/random.h"

#include <array>
#include <chrono>

std::uint64_t clockSeed()
{
    const auto ticks = static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
    // Spread the clock's fast-changing low bits over the whole seed.
    std::seed_seq seq{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
    std::array<std::uint32_t, 2> out{};
    seq.generate(out.begin(), out.end());
    return (static_cast<std::uint64_t>(out[1]) << 32) | out[0];
}
