#pragma once

#include <cstdint>

#include "diagram/drawing.h"

// What a drawing keeps between its operations: the current position,
// the drawing colour and the font size. Every drawing keeps it so, and moves
// it by these rules alone.
struct Pen {
    float x = 0, y = 0;
    std::uint32_t colour = composeColour(255, 255, 255);
    int points = 9;

    // One text line at a font size, in pixels: 1.35 times the size at 96
    // pixels to the inch, the line spacing of the usual sans-serif faces. It
    // is the rule on every drawing, the desktop's too, whose font could tell
    // one of its own: the same drawing leaves the same position everywhere.
    static constexpr float lineHeight(int points) { return static_cast<float>(points) * 96 / 72 * 1.35f; }

    void clear() { x = y = 0; }
    void lineTo(float x2, float y2)
    {
        x = x2;
        y = y2;
    }
    // After Print: back to x = 0, one text line lower.
    void newLine()
    {
        x = 0;
        y += lineHeight(points);
    }
};
