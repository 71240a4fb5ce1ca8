#include "diagram/random.h"

#include <array>
#include <atomic>
#include <chrono>

std::uint64_t clockSeed()
{
    const auto ticks = static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
    // Two seeds taken within one tick of the clock (a tenth of a microsecond
    // on Windows) still differ: each call is counted too.
    static std::atomic<std::uint32_t> calls{0};
    // Spread the clock's fast-changing low bits over the whole seed.
    std::seed_seq seq{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32), calls++};
    std::array<std::uint32_t, 2> out{};
    seq.generate(out.begin(), out.end());
    return (static_cast<std::uint64_t>(out[1]) << 32) | out[0];
}
