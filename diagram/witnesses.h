#pragma once

#include "diagram/bisector.h"
#include "diagram/crossing_list.h"
#include "diagram/seen_from.h"

// Two witness sites that bound site i's part of a pair's bisector, and what
// they prove: where along the line a stretch's midpoint is certainly nearer
// to one of them than to i, by more than the rounding of the midpoint and of
// dist can make up.

// The pair at hand as the proof sees it: the pair's sloped bisector with its
// ends, site i, what i sees, and which sites are the pair's own.
struct PairView {
    const SeenFrom& from;
    const SameSites& same;
    const Bisector& bis;
    int i, j;
    float xi, yi;

    bool ofPair(int k) const { return same.ofPair(k, i, j); }
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
// tightly: a from below, b from above. Leaves them as they are where none do.
void findWitnesses(const PairView& v, int& a, int& b);

// What a and b prove; false when they prove nothing.
bool proveBy(const PairView& v, int a, int b, Proof& pr);

// True when no stretch of the pair can pass, whatever its crossing list
// holds, as a and b (tried first: the witnesses of the last pair) or the
// pair's own witnesses prove. Such a pair draws nothing. The witnesses that
// proved it stay in a and b.
bool certainlyEmpty(const PairView& v, int N, int& a, int& b);

// The stretches near i's part of the line, in order along it. Points that the
// proof certainly rejects by a lie together at the low end of the sorted
// list, those it rejects by b at the high end, and a stretch between two such
// points is rejected too; so only the stretches from the highest of the first
// to the lowest of the second can pass. Puts their entries, sorted by x, in
// order and returns how many; returns -1 where that does not hold or keys
// tie (then every stretch must be tested).
int nearPart(const Proof& pr, const CrossingList& list, int* order);
