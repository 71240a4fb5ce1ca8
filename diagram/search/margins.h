#pragma once

// The edge search's safety margins: where an acceleration trusts a quantity
// computed in floating point, the margin by which it must clear what it is
// compared with. Each is given with the error it covers and why its value
// covers it. u = 2^-24 is single precision's unit roundoff; double's (2^-53)
// is negligible beside it throughout. None of them changes what is drawn as
// long as it covers its error: they decide only how much work is skipped.

namespace margin {

// The witnesses' proof (witnesses.h) trusts that a site is nearer than i at a
// midpoint where it is nearer, in squared distance, by more than
// proofSlack * R^2 along the exact line, R bounding |P - i| + reach.
// The midpoint as the search forms it, (mx, b + mx p) in single precision,
// lies within 2u R of the line's point at mx, which moves each of its squared
// distances by at most 2 (2u R) R: 8u R^2 for the two. dist rounds each
// coordinate difference once to single precision: each squared distance is
// off by at most 2u R^2, 4u R^2 for the two. In all 12u R^2 < 2^-20.4 R^2;
// 2^-18 covers it more than five times over. (The loosest slack that a
// search, moving sites an ulp at a time, found to draw wrongly is 2^-22.41,
// about 3u R^2: the bound is not reached in practice.)
inline constexpr double proofSlack = 0x1p-18;

// Where the sites are subnormal floats, a rounding is off by up to
// eta = 2^-150 however small the value: absolutely, not relatively. The
// midpoint's coordinates carry at most four such roundings, which move the
// two squared distances by at most 2 (8 eta) R each, 2^-145 R for the two.
// Growing R by t gives slack 2^-18 (R + t)^2 > 2^-18 R^2 + 2^-17 t R, which
// covers that for t = 2^-128; 2^-123 covers it 32 times over. At the canvas's
// scale it changes nothing.
inline constexpr double proofSubnormalGrowth = 0x1p-123;

// How far along the line the proof reaches: the larger roots of g(x) =
// slack(x), computed in double, are shrunk by 1 %. Nothing rests on it: the
// proof checks g > slack at both ends and at g's kink, and on each side of
// the kink g - slack is concave, so a reach taken too far fails that check and
// proves nothing (the pair is then searched), one taken too short proves less.
// The 1 % keeps the check from failing by the roots' own rounding.
inline constexpr double proofReachShrink = 0.99;

// The proof holds only where every crossing lies within the reach X:
// crossingsBeyond flags |num| > X |den| shrunk by this factor, where the
// search places the crossing at fl(num / den). A crossing placed beyond X has
// |num| > X |den| / (1 + u), and X |den| is rounded once more before the
// factor is applied, and once after: any factor below 1 / (1 + u)^3, about
// 1 - 3u, flags it. 0.999 is far below that. This holds where X and X |den|
// are normal floats; below that a rounding is not relative, so
// crossingsBeyond flags such a crossing whatever its place.
inline constexpr float crossingCapShrink = 0.999f;

// The cell of i (cell.h) is cut in double from half-planes whose sites lie
// within twice its farthest corner; a site farther than that cannot cut it.
// The corner's square distance carries a few roundings of 2^-53; the factor
// 1.0001 on 4 corner^2 keeps every site that could cut it. What is drawn does
// not rest on it: a cell cut too little is only larger, and the rules and the
// proof hold whatever sites they are given as candidates and witnesses.
inline constexpr double cellCutGrowth = 1.0001;

// The close sites of i (seen_from.h) are those within twice the cell's
// farthest corner, grown by this factor. Every site whose bisector bounds i's
// cell, or passes within rounding of it, is then among them: its distance
// from i is at most twice the corner's, which is computed in double to well
// within 0.1 %. What is drawn does not rest on it either: the stretch test
// tries the close sites alone only where they hold every site that can be
// nearer (below), whatever their reach; the reach decides how often it can.
inline constexpr double closeReachGrowth = 1.001;

// The stretch test (edges.cpp) tries only the close sites where twice the
// midpoint's distance di from i lies within their reach: a site m can be
// strictly nearer than i only when |m - i| < 2 di. dist rounds di by at most
// u relative, and the nearer test compares two such distances: m passes it
// only when |m - i| < 2 di (1 + 3u). The factor 2.0001 = 2 (1 + 5e-5) covers
// that many times over. (A factor of 2 (1 - 10.4u) draws wrongly: below 2
// the test's geometry itself fails.)
inline constexpr double rejectReachFactor = 2.0001;

}  // namespace margin
