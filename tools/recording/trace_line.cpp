#include "tools/recording/trace_line.h"

#include <cstdio>
#include <string>

#include "diagram/drawing.h"

namespace {

std::string formatted(const char* format, double a, double b, double c = 0, double d = 0)
{
    char line[160];
    std::snprintf(line, sizeof line, format, a, b, c, d);
    return line;
}

}  // namespace

std::string traceCanvas(float W, float H) { return formatted("canvas %.9g %.9g", W, H); }

std::string traceColour(std::uint32_t colour)
{
    return "colour " + std::to_string(redOf(colour)) + ' ' + std::to_string(greenOf(colour)) + ' ' +
           std::to_string(blueOf(colour));
}

std::string traceLabel(float x, float y, std::string_view text)
{
    return formatted("label %.9g %.9g ", x, y).append(text);
}

std::string traceCircle(float x, float y, float r) { return formatted("circle %.9g %.9g %.9g", x, y, r); }

std::string traceLine(float x1, float y1, float x2, float y2)
{
    return formatted("line %.9g %.9g %.9g %.9g", x1, y1, x2, y2);
}
