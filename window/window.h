#pragma once

#include <cstdint>
#include <string>

#include "diagram/drawing.h"

// Quillet described once: its name, what it does, who made it, and its window
// as every front end shows it: the desktop's window, the page, the start-up
// floor, the trace tool and the benchmarks. The files that name Quillet (the
// desktop entry, the metadata, the manual page, the Windows resources and
// installer, the page's HTML, style and manifest) are made from this file at
// build time by window/window.cmake, which reads one constant to a line.
namespace Window {

// A push button: its name, its caption with the access key after the &, its
// place in the drawing area, and what a screen reader says of it.
struct Button {
    const char* name;
    const char* caption;
    int x, y, width, height;
    const char* accessibleName;
    const char* description;
};

// clang-format off
inline constexpr const char* title = "Quillet";
inline constexpr const char* about = "Draws the nearest-site diagram of random points";
inline constexpr const char* developers = "The Quillet developers";
inline constexpr const char* copyright = "Copyright (c) 2026 The Quillet developers. MIT License, Qt under the LGPL-3.0.";
// What the page says once End has left it (a page may not close its tab),
// and how to start again.
inline constexpr const char* ended = "Quillet has ended. To start again, reload the page.";
// The drawing area, in pixels; the buttons stand in its top-left corner.
inline constexpr int width = 788;
inline constexpr int height = 565;
inline constexpr std::uint32_t background = composeColour(0, 0, 0);
// Around the window, on the page: the browser's bar and the installed app's frame too.
inline constexpr std::uint32_t surround = composeColour(60, 60, 60);
inline constexpr Button retry{"cmdRetry", "Retry(&R)", 16, 8, 57, 25, "Retry", "Clear the window and draw a new diagram"};
inline constexpr Button end{"cmdEnd", "End(&E)", 112, 8, 57, 25, "End", "Quit Quillet at once"};
// clang-format on

// What a finished run tells a screen reader.
inline std::string toldCount(int sites) { return "A nearest-site diagram of " + std::to_string(sites) + " sites"; }

}  // namespace Window
