#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "diagram/drawing.h"
#include "diagram/host.h"
#include "diagram/random.h"
#include "numeric/dist.h"

// The sites of one run: site n (counted from 1) lives in slot n - 1.
struct Sites {
    static constexpr int capacity = 101;
    std::int16_t N = 0;
    std::array<float, capacity> X{};
    std::array<float, capacity> Y{};
    std::array<double, capacity> D{};  // distance from the canvas origin

    // One more site at (x, y), with its distance from the origin.
    void add(float x, float y)
    {
        X[N] = x;
        Y[N] = y;
        D[N] = dist(0, 0, x, y);
        ++N;
    }
};

// A slot that holds no site: where a value names a site, this names none.
inline constexpr int noSite = -1;

// One whole run, as the window's load handler makes it: set-up, every edge,
// then Retry enabled again. The run's site count; nothing when the pump
// stopped it part way.
std::optional<std::int16_t> runDiagram(Host& host, Drawing& drawing, Random& random);

// Show the window, reseed, disable Retry, pick the colour, print the label,
// scatter N random sites and circle each one.
Sites setUpRun(Host& host, Drawing& drawing, Random& random);

// Sort the sites by their distance from the origin and draw the diagram's
// edges pair by pair, pumping events before each pair. False when the pump
// stopped it part way.
bool drawEdges(Host& host, Drawing& drawing, Sites& sites);
