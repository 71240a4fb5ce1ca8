// Feeds the edge search arbitrary site sets on arbitrary canvases.
//
// Input: canvas width and height (two 16-bit values, 1..10000 each), then
// up to 99 sites as pairs of 32-bit floats; non-finite floats are folded to
// finite ones. Checks that the search completes, pumps once per pair, draws
// only finite coordinates, and draws exactly what the plain search draws.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "numeric/dist.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/support/reference_edges.h"
#include "tests/support/same_bits.h"
#include "tools/recording/recording_surface.h"

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

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

    RecordingSurface fast(W, H), plain(W, H);
    Sites a = sites, b = sites;
    check(drawEdges(fast, a));
    check(drawEdgesReference(plain, b));

    check(fast.ops().size() == plain.ops().size());  // the pumps too, one a pair
    for (std::size_t k = 0; k < fast.ops().size(); ++k) {
        const auto& f = fast.ops()[k];
        const auto& p = plain.ops()[k];
        check(f.kind == p.kind);
        if (f.kind != RecordingSurface::Kind::Line)
            continue;
        check(std::isfinite(f.x1) && std::isfinite(f.y1) && std::isfinite(f.x2) && std::isfinite(f.y2));
        check(sameBits(f.x1, p.x1) && sameBits(f.y1, p.y1) && sameBits(f.x2, p.x2) && sameBits(f.y2, p.y2));
    }
    return 0;
}
