// Feeds the edge search arbitrary site sets on arbitrary canvases.
//
// Input: canvas width and height (two 16-bit values, 1..10000 each), then
// up to 99 sites as pairs of 32-bit floats; non-finite floats are folded to
// finite ones. Checks that the search completes, pumps once per pair, draws
// only finite coordinates, and draws exactly what the plain search draws.

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "diagram/recording_surface.h"
#include "numeric/dist.h"
#include "tests/reference_edges.h"

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

float finiteFloat(const std::uint8_t* bytes)
{
    float f = 0;
    std::memcpy(&f, bytes, sizeof f);
    if (!std::isfinite(f))
        f = std::isnan(f) ? 0.f : std::copysign(3.4e38f, f);
    return f;
}

bool sameBits(float a, float b) { return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b); }

float side(const std::uint8_t* bytes)
{
    const int v = bytes[0] | (bytes[1] << 8);
    return static_cast<float>(1 + v % 10000);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    const float W = side(data);
    const float H = side(data + 2);
    data += 4;
    size -= 4;

    Sites sites;
    while (size >= 8 && sites.N < 99) {
        const float x = finiteFloat(data);
        const float y = finiteFloat(data + 4);
        sites.X[sites.N] = x;
        sites.Y[sites.N] = y;
        sites.D[sites.N] = dist(0, 0, x, y);
        ++sites.N;
        data += 8;
        size -= 8;
    }

    RecordingSurface fast(W, H), plain(W, H);
    Sites a = sites, b = sites;
    check(drawEdges(fast, a));
    check(drawEdgesReference(plain, b));

    const int n = sites.N;
    check(fast.pumps() == (n > 1 ? n * (n - 1) / 2 : 0));
    check(fast.ops().size() == plain.ops().size());
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
