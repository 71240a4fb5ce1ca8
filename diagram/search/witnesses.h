#pragma once

#include <optional>
#include <span>

#include "diagram/run.h"
#include "diagram/search/crossing_list.h"
#include "diagram/search/pair.h"

// Two witness sites that bound site i's part of a pair's bisector, and what
// they prove: where along the line a stretch's midpoint is certainly nearer
// to one of them than to i, by more than the rounding of the midpoint and of
// dist can make up.

// Two sites: a, nearer than i below some x along the line, and b, nearer
// above some x.
struct Witnesses {
    int a = noSite, b = noSite;
};

// What sites a and b prove along the pair's bisector. Site a is nearer than
// i below x = lo and site b above x = hi, so at x one of them is nearer than
// i by at least g(x) = max(A (lo - x), B (x - hi)). A midpoint at distance R
// from i is off the line, and its distances are off, by well under
// 2^-18 (R + reach)^2, reach being the farthest site from i, and
// R <= (1 + |p|) |x| + offset. Where g(x) is larger than that, a midpoint is
// certainly rejected.
struct Proof {
    double A = 0, B = 0, lo = 0, hi = 0, kink = 0, slope = 0, offset = 0;

    double slack(double x) const;
    // Certainly rejected at x by a (below the kink) or by b (above it).
    bool byA(double x) const { return x < kink && A * (lo - x) > slack(x); }
    bool byB(double x) const { return x > kink && B * (x - hi) > slack(x); }
};

// The two sites among i's cell's that bound i's part of the line most
// tightly: a from below, b from above; noSite on a side none bounds.
Witnesses findWitnesses(const Pair& pair);

// What a and b prove; none when they prove nothing.
std::optional<Proof> proveBy(const Pair& pair, Witnesses w);

// True when no stretch of the pair can pass, whatever its crossing list
// holds, as `tried` (the witnesses of the last pair, tried first) or the
// pair's own witnesses prove. Such a pair draws nothing. The pair's own
// witnesses, where they were looked for, are left in `tried` for the next.
bool certainlyEmpty(const Pair& pair, int N, Witnesses& tried);

// The stretches near i's part of the line, in order along it. Points that the
// proof certainly rejects by a lie together at the low end of the sorted
// list, those it rejects by b at the high end, and a stretch between two such
// points is rejected too; so only the stretches from the highest of the first
// to the lowest of the second can pass. Returns their entries, sorted by x,
// in the front of order; none where that does not hold or keys tie (then
// every stretch must be tested).
std::optional<std::span<const int>> nearPart(const Proof& pr, const CrossingList& list, std::span<int> order);
