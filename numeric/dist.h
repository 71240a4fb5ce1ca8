#pragma once

#include <cmath>

// Straight-line distance of (x1, y1) and (x2, y2). The differences are taken
// in single precision, as the coordinates are; squares, sum and root in double.
inline double dist(float x1, float y1, float x2, float y2)
{
    const float dx = x2 - x1;
    const float dy = y2 - y1;
    const double ddx = dx;
    const double ddy = dy;
    return std::sqrt(ddx * ddx + ddy * ddy);
}
