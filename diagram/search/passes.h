#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "diagram/bisector.h"
#include "diagram/search/seen_from.h"

// The passes over every third site k of site i: plain loops over arrays,
// written so that the compiler can vectorise them. IEEE rounding is the same
// in every lane, so each gives, bit for bit, what the rule or formula gives
// for one k.

// The passes' results, one slot per site.
struct PassResults {
    explicit PassResults(std::size_t n) : cmp(n), hides(n), records(n), crossX(n), crossY(n) {}
    std::vector<std::int32_t> cmp, hides, records;
    std::vector<float> crossX, crossY;
};

// cmp[k] = +1 where d_ij > d_ik, -1 where d_ij < d_ik, 0 where they tie.
void compareDistances(int n, const double* __restrict d, double dij, std::int32_t* __restrict cmp);

// The hiding and crossing rules for one third site k, which every pass and
// every look at a single k applies: e = e1 e2 tells whether the bisector of i
// and k passes between the pair's two ends (e < 0); cmp compares d_ij with
// d_ik (as compareDistances gives it). k hides the pair when it lies in j's
// quadrant seen from i, is nearer to i than j and its bisector does not pass
// between the ends; a crossing is recorded when the bisector passes between
// the ends, or when k is nearer than j but not in j's quadrant. (0 or 1 each,
// in integer lanes, so that a loop of them vectorises.)
struct Verdict {
    std::int32_t hide, record;
};
inline Verdict rulesFor(std::int32_t sameQuadrant, std::int32_t cmp, float e)
{
    const std::int32_t nearer = cmp > 0;
    const std::int32_t farther = cmp < 0;
    const std::int32_t between = e < 0;
    return {sameQuadrant & nearer & (e > 0), ((1 - sameQuadrant) | farther | between) & (between | nearer)};
}

// The rules for every k, into hides and records. Returns whether any k hides.
bool applyRules(int n, const SeenFrom& f, const std::int32_t* __restrict cmp, const Bisector& bis, float dxj, float dyj,
                std::int32_t* __restrict hides, std::int32_t* __restrict records);

// Where the line y = p x + b crosses each bisector of i, as crossing() has it:
// x = (c - A b) / (den + A p), which is (c - b) / (p - q) for the sloped ones
// and (c - A b) / (1 + A p) for the steep ones; then y = b + x p. Parallel
// lines give points that are not finite.
void crossingsWith(int n, const SeenFrom& f, float p, float b, float* __restrict X, float* __restrict Y);

// Whether some crossing of the line y = p x + b with a bisector of i may lie
// farther than cap from x = 0; parallel lines give none. Below the normal
// range, where roundings are no longer relative, every crossing may.
bool crossingsBeyond(int n, const SeenFrom& f, float p, float b, float cap);
