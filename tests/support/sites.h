#pragma once

#include <cmath>
#include <numbers>
#include <string>
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

struct NamedSites {
    std::string name;
    Sites sites;
};

// Site sets that a random run seldom makes, on the 788 x 565 canvas: shared
// coordinates, four or more sites on a circle, duplicates, sites on the
// canvas's edges or far off it, pairs a hair from level. The exact diagram
// and the plain search are both held to each.
inline std::vector<NamedSites> degenerateSites()
{
    std::vector<std::pair<float, float>> grid, row, column, diagonal, circle, centred{{394, 282}}, dup, off;
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 9; ++c)
            grid.emplace_back(60.f + 80.f * c, 40.f + 80.f * r);
    for (int k = 0; k < 12; ++k)
        row.emplace_back(30.f + 61.5f * k, 280.f);
    for (int k = 0; k < 10; ++k)
        column.emplace_back(400.f, 20.f + 57.f * k);
    for (int k = 0; k < 9; ++k)
        diagonal.emplace_back(50.f + 60.f * k, 30.f + 60.f * k);
    for (int k = 0; k < 16; ++k) {
        const double a = 2 * std::numbers::pi * k / 16;
        circle.emplace_back(static_cast<float>(394 + 200 * std::cos(a)), static_cast<float>(282 + 200 * std::sin(a)));
    }
    for (int k = 0; k < 12; ++k) {
        const double a = 2 * std::numbers::pi * k / 12;
        centred.emplace_back(static_cast<float>(394 + 150 * std::cos(a)), static_cast<float>(282 + 150 * std::sin(a)));
    }
    for (int k = 0; k < 10; ++k)
        for (int twice = 0; twice < 2; ++twice)
            dup.emplace_back(100.f + 50.f * (k % 4), 80.f + 45.f * k);
    for (int k = 0; k < 20; ++k)
        off.emplace_back(-500.f + 150.f * k, (k % 3 == 0 ? -1e4f : 1e3f) + 7.f * k);
    return {
        {"a grid: shared coordinates, four sites on every circle", sitesAt(grid)},
        {"a row", sitesAt(row)},
        {"a column", sitesAt(column)},
        {"a diagonal", sitesAt(diagonal)},
        {"a circle", sitesAt(circle)},
        {"a circle with its centre", sitesAt(centred)},
        {"duplicates, which count as one site", sitesAt(dup)},
        {"sites off the canvas", sitesAt(off)},
        {"third sites sharing x or y with a pair's",
         sitesAt({{200, 200}, {200, 350}, {420, 200}, {420, 500}, {600, 350}, {90, 500}})},
        {"sites on the canvas's corners and edges",
         sitesAt({{0, 0}, {788, 0}, {0, 565}, {788, 565}, {394, 0}, {0, 282}, {394, 282}})},
        // (0, 2.4e-41) and (265.05, 9e-36) are a hair from level: their
        // bisector is a hair from vertical, and its intercept as y = q x + c
        // would not fit in a float. It bounds the edge of (0, 2.4e-41) and
        // (265.05, 445).
        {"third sites a hair from level with a pair's first", sitesAt({{400.125f, 20},
                                                                       {400, 77},
                                                                       {400, 134},
                                                                       {400, 191},
                                                                       {400, 248},
                                                                       {400, 305},
                                                                       {400, 362},
                                                                       {0, 2.4315331e-41f},
                                                                       {400.007263f, 20},
                                                                       {620, 32},
                                                                       {400, 419},
                                                                       {400, 476},
                                                                       {628, 505},
                                                                       {265.046875f, 445},
                                                                       {265.046875f, 9.02784468e-36f}})},
        {"two sites", sitesAt({{100, 100}, {300, 200}})},
    };
}
