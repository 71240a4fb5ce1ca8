#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What a run draws on: a pen with a position, a colour and a font size, and
// lines, circles and text. Coordinates are pixels of the client area, origin
// top-left, y downwards. The window's canvas, the page's canvas and a
// recording all take the same drawing.
class Drawing {
public:
    virtual ~Drawing() = default;

    virtual void clear() = 0;  // background colour everywhere, position (0, 0)

    // Colour values are red + 256 * green + 65536 * blue.
    virtual void setColour(std::uint32_t colour) = 0;
    virtual std::uint32_t colour() const = 0;
    virtual void setFontSize(int points) = 0;

    // A line in the drawing colour; the current position becomes (x2, y2).
    virtual void line(float x1, float y1, float x2, float y2) = 0;
    virtual void circle(float x, float y, float radius, std::uint32_t colour) = 0;
    // item, a blank, the digits of n and a blank, top-left at the current
    // position; then the position moves to x = 0 one text line lower.
    virtual void print(std::string_view item, std::int16_t n) = 0;
};

// The text that Print draws: the item, directly followed by one blank, the
// decimal digits of n and one blank.
inline std::string printedText(std::string_view item, std::int16_t n)
{
    return std::string(item) + ' ' + std::to_string(n) + ' ';
}

constexpr std::uint32_t composeColour(int red, int green, int blue)
{
    return static_cast<std::uint32_t>(red) + 256u * static_cast<std::uint32_t>(green) +
           65536u * static_cast<std::uint32_t>(blue);
}
constexpr int redOf(std::uint32_t c) { return static_cast<int>(c & 0xffu); }
constexpr int greenOf(std::uint32_t c) { return static_cast<int>((c >> 8) & 0xffu); }
constexpr int blueOf(std::uint32_t c) { return static_cast<int>((c >> 16) & 0xffu); }
