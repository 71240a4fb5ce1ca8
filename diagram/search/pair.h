#pragma once

#include <span>

#include "diagram/bisector.h"
#include "diagram/search/seen_from.h"

// One pair of sites (i, j), whole, in the frame it is worked out in: the
// window's, or the one with x and y exchanged when its bisector is steep.
// Made once per pair; every step of the search reads it from here.
struct Pair {
    std::span<const float> X, Y;  // every site, in the pair's frame
    const SeenFrom& from;         // every site as i sees it, in that frame
    const SameSites& same;
    bool exchanged;
    int i, j;
    float xi, yi;
    Bisector bis;    // the pair's bisector, clipped to the canvas
    double dij;      // dist(i, j)
    float dxj, dyj;  // j - i, single precision

    // A site at the very place of i or j is the pair's own.
    bool ofPair(int k) const { return same.ofPair(k, i, j); }
};
