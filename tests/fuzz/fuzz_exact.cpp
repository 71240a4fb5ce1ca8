// Holds the drawing of arbitrary site sets against the exact diagram.
//
// Input: canvas width and height (two 16-bit values, 1..10000 each), then up
// to 99 sites as pairs of 32-bit floats, each folded onto the canvas: its
// magnitude taken modulo the side (exact in floats), non-finite ones to 0.
// Folding keeps every float a site can be, so sites may share coordinates,
// coincide or lie a hair apart in x or in y. Off the canvas, a site's float
// step can be larger than a pixel, and nothing could be drawn to within one:
// those are left to the fuzzer that compares the search with the plain one.
//
// Where two sites j and k lie close together, the bisectors of a third site
// i with them meet at an angle as small as |jk| / L, L = W + H, and single
// precision places each of them only to within a step of the float at L,
// about L 2^-23: their crossing, which bounds an edge, is then placed only to
// within L^2 2^-23 / |jk| along them. Inputs with two sites (not at one
// place) closer than L^2 2^-22, where that could exceed half a pixel, are
// passed over: 0.44 px on the window's canvas.
//
// Checks that every drawn edge lies within 1 px of a true edge, and every
// true edge within 1 px of a drawn one.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "numeric/dist.h"
#include "tests/fuzz/fuzz_input.h"
#include "tests/support/oracle.h"
#include "tools/recording/recording_surface.h"

namespace {

float onCanvas(float f, float side)
{
    if (!std::isfinite(f))
        return 0;
    return std::fmod(std::fabs(f), side);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in;
    if (!decodeFuzzInput(data, size, onCanvas, in))
        return 0;
    const float W = in.W, H = in.H;
    Sites& sites = in.sites;

    const double L = double{W} + double{H};
    const double near = L * L * 0x1p-22;
    for (int a = 0; a < sites.N; ++a) {
        for (int b = 0; b < a; ++b) {
            const double d = dist(sites.X[a], sites.Y[a], sites.X[b], sites.Y[b]);
            if (d > 0 && d < near)
                return 0;
        }
    }

    const Comparison c = drawnAgainstExact(sites, W, H);
    if (!c.ok()) {
        std::fprintf(stderr, "canvas %g x %g, %d sites: %s\n", double{W}, double{H}, int{sites.N},
                     described(c).c_str());
        for (int n = 0; n < sites.N; ++n)
            std::fprintf(stderr, "%.9g %.9g\n", double{sites.X[n]}, double{sites.Y[n]});
        std::abort();
    }
    return 0;
}
