#pragma once

// The perpendicular bisector of two sites i and k, every value single precision
// and rounded as it is formed:
//   a = (yi - yk) / (xi - xk),  p = -1 / a,  b = my - p * mx
// with (mx, my) the sites' midpoint. Sites with equal x give a = +-inf and so
// p = -+0: a horizontal line y = b, which IEEE arithmetic handles as it is.
// Sites with equal y give p = +-inf; that line is vertical, x = mx, and has no
// slope-intercept form, so it is kept as a kind of its own. Coincident sites
// have no bisector at all.
struct Line {
    enum class Kind { Sloped, Vertical, None };
    Kind kind = Kind::None;
    float p = 0;  // Sloped: y = p * x + b
    float b = 0;
    float x = 0;  // Vertical: x = this

    static Line sloped(float p, float b) { return Line{Kind::Sloped, p, b, 0}; }
    static Line vertical(float x) { return Line{Kind::Vertical, 0, 0, x}; }

    // Signed offset of a point from the line: y - (b + p * x) when sloped,
    // x - this->x when vertical. Two points lie on opposite sides when the
    // product of their offsets is negative.
    float offset(float px, float py) const { return kind == Kind::Vertical ? px - x : py - (b + p * px); }
};

Line perpendicularBisector(float xi, float yi, float xk, float yk);

// A pair's bisector with the two points where it is taken to enter and leave
// the canvas [0, W] x [0, H]. The left edge is tried first for the first end
// and the right edge first for the second; otherwise the sign of the slope
// picks the top or bottom edge. Nothing checks that the ends lie on the
// canvas: a line that misses it still gets two ends. A vertical bisector runs
// from (x, 0) to (x, H).
struct Bisector {
    Line line;
    float x1 = 0, y1 = 0;
    float x2 = 0, y2 = 0;
};

Bisector clippedBisector(float xi, float yi, float xj, float yj, float W, float H);
Bisector clip(const Line& line, float W, float H);

// Where two lines meet; false when they are parallel or the point is not
// finite.
bool crossing(const Line& l, const Line& m, float& x, float& y);
