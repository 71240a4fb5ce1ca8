#pragma once

#include <bit>
#include <cstdint>

// Two floats alike to the last bit (so -0 is not +0, and a NaN is itself).
inline bool sameBits(float a, float b) { return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b); }
