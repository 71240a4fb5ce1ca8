#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

// The perpendicular bisector of two sites i and k, every value single precision
// and rounded as it is formed:
//   a = (yi - yk) / (xi - xk),  p = -1 / a,  b = my - p * mx
// with (mx, my) the sites' midpoint. Sites with equal x give a = +-inf and so
// p = -+0: a horizontal line y = b, which IEEE arithmetic handles as it is.
//
// A steep line is kept as x from y instead: x = p y + b with p = -a and
// b = mx - p * my. Along a steep line y = p x + b an error in x is an error in
// y |p| times larger: x, p and b each hold a few roundings of 2^-24, so a
// crossing's or a midpoint's place along the line would be off by a few times
// |p| W 2^-24 px on a canvas W wide. Up to |p| = 2^7 that stays under 1/20 px
// on a canvas 800 px wide; a line steeper than that (the vertical bisector of
// two sites with equal y among them, p = 0) is kept as x from y. Coincident
// sites have no bisector at all.
struct Line {
    enum class Kind : std::uint8_t { Sloped, Steep, None };
    Kind kind = Kind::None;
    float p = 0;  // Sloped: y = p * x + b; Steep: x = p * y + b
    float b = 0;

    static Line sloped(float p, float b) { return Line{Kind::Sloped, p, b}; }
    static Line steep(float p, float b) { return Line{Kind::Steep, p, b}; }

    // Signed offset of a point from the line: y - (b + p x) when sloped,
    // -p y - (b - x) when steep. Two points lie on opposite sides when the
    // product of their offsets is negative.
    float offset(float px, float py) const { return kind == Kind::Steep ? -p * py - (b - px) : py - (b + p * px); }
};

// The steepest slope kept as y from x.
constexpr float steepestSloped = 0x1p7f;

Line perpendicularBisector(float xi, float yi, float xk, float yk);

// A pair's bisector with the two points where it is taken to enter and leave
// the canvas [0, W] x [0, H]. The left edge is tried first for the first end
// and the right edge first for the second; otherwise the sign of the slope
// picks the top or bottom edge. Nothing checks that the ends lie on the
// canvas: a line that misses it still gets two ends. A steep bisector runs
// from the top edge to the bottom edge.
struct Bisector {
    Line line;
    float x1 = 0, y1 = 0;
    float x2 = 0, y2 = 0;
};

Bisector clip(const Line& line, float W, float H);

struct Point {
    float x = 0, y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Where the sloped line l meets the line m; none when they are parallel, the
// point is not finite, or l is not sloped (a pair's bisector never is, in the
// frame it is worked out in). A steep m, x = p' y + b', meets y = p x + b at
//   x = (b' - A b) / (1 + A p),  A = -p'.
std::optional<Point> crossing(const Line& l, const Line& m);

// Both points are numbers: a line that misses the canvas may have its ends,
// and crossings, at infinity.
inline bool finite(float x1, float y1, float x2, float y2)
{
    return std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2);
}
