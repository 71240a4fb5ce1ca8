#pragma once

#include <cmath>

// The square of dist, rounded exactly as dist rounds it before the root: the
// differences in single precision, as the coordinates are; squares and sum in
// double.
inline double dist2(float x1, float y1, float x2, float y2)
{
    const float dx = x2 - x1;
    const float dy = y2 - y1;
    const double ddx = dx;
    const double ddy = dy;
    return ddx * ddx + ddy * ddy;
}

// Straight-line distance of (x1, y1) and (x2, y2), in double.
inline double dist(float x1, float y1, float x2, float y2) { return std::sqrt(dist2(x1, y1, x2, y2)); }
