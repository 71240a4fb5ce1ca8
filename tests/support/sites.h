#pragma once

#include <utility>
#include <vector>

#include "diagram/run.h"

// Sites at the given points, in that order, each with its distance from the
// canvas origin, as a run's set-up leaves them.
inline Sites sitesAt(const std::vector<std::pair<float, float>>& points)
{
    Sites s;
    for (const auto& [x, y] : points)
        s.add(x, y);
    return s;
}
