#pragma once

#include <cstdint>

#include "diagram/run.h"

// The first seed whose run on the window's canvas has n sites.
std::uint64_t seedFor(int n);

// The sites of that run, as its set-up scatters them.
Sites sitesOfRun(int n);
