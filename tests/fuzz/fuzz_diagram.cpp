// Feeds the edge search arbitrary site sets on arbitrary canvases.
//
// Input: canvas width and height (two 16-bit values, 1..10000 each), then
// up to 99 sites as pairs of 32-bit floats; non-finite floats are folded to
// finite ones. Checks that the search completes, pumps once per pair, draws
// only finite coordinates, and draws exactly what the plain search draws.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/fuzz/fuzz_input.h"
#include "tests/support/plain_search.h"

namespace {

// Any finite float as it is; the others folded to finite ones.
float finiteOrFolded(float f, float /*side*/)
{
    if (!std::isfinite(f))
        f = std::isnan(f) ? 0.f : std::copysign(3.4e38f, f);
    return f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in;
    if (!decodeFuzzInput(data, size, finiteOrFolded, in))
        return 0;
    const float W = in.W, H = in.H;
    const Sites& sites = in.sites;

    const std::string difference = firstDifference(sites, W, H);
    if (!difference.empty()) {
        std::fprintf(stderr, "the plain search draws otherwise: %s\n", difference.c_str());
        std::abort();
    }
    return 0;
}
