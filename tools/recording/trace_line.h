#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The lines of a trace, as quillet-trace prints them and the page's test hook
// hands them on, each without its line end: numbers in nine significant
// digits, which read back to the same float.
std::string traceCanvas(float W, float H);
std::string traceColour(std::uint32_t colour);
std::string traceLabel(float x, float y, std::string_view text);
std::string traceCircle(float x, float y, float r);
std::string traceLine(float x1, float y1, float x2, float y2);
