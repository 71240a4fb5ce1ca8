#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

#include "diagram/run.h"

// The diagram fuzzers' input: canvas width and height (two 16-bit values,
// 1..10000 each), then up to 99 sites as pairs of 32-bit floats, each passed
// through fold(value, side) to make it a site coordinate.
struct FuzzInput {
    float W = 0, H = 0;
    Sites sites;
};

inline float fuzzFloat(const std::uint8_t* bytes)
{
    float f = 0;
    std::memcpy(&f, bytes, sizeof f);
    return f;
}

template <class Fold>
bool decodeFuzzInput(const std::uint8_t* data, std::size_t size, Fold fold, FuzzInput& in)
{
    if (size < 4)
        return false;
    auto side = [](const std::uint8_t* bytes) { return static_cast<float>(1 + (bytes[0] | (bytes[1] << 8)) % 10000); };
    in.W = side(data);
    in.H = side(data + 2);
    data += 4;
    size -= 4;
    Sites& s = in.sites;
    while (size >= 8 && s.N < 99) {
        const float x = fold(fuzzFloat(data), in.W);
        s.add(x, fold(fuzzFloat(data + 4), in.H));
        data += 8;
        size -= 8;
    }
    return true;
}
