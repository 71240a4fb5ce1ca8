// quillet-trace: runs one diagram without a window and prints every drawing
// operation in order, one a line.
//
//   quillet-trace [--seed S] [--canvas W H] [--sites FILE|-]

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "diagram/run.h"
#include "tools/recording/parse_number.h"
#include "tools/recording/recording_surface.h"
#include "tools/recording/site_reader.h"
#include "tools/recording/trace_line.h"
#include "window/window.h"

namespace {

using Kind = RecordingSurface::Kind;

int fail(const std::string& message, int status = 2)
{
    std::fprintf(stderr, "quillet-trace: %s\n", message.c_str());
    return status;
}

bool parse(std::string_view s, std::uint64_t& value)
{
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return ec == std::errc() && ptr == s.data() + s.size();
}

bool parse(std::string_view s, float& value)
{
    const auto [ptr, ec] = parseFloat(s.data(), s.data() + s.size(), value);
    return ec == std::errc() && ptr == s.data() + s.size();
}

std::string traceText(const RecordingSurface& s, float W, float H)
{
    std::string out = traceCanvas(W, H) + "\n";
    for (const auto& op : s.ops()) {
        switch (op.kind) {
        case Kind::Colour: out += traceColour(op.value) + "\n"; break;
        case Kind::Print: out += traceLabel(op.x1, op.y1, op.text) + "\n"; break;
        case Kind::Circle: out += traceCircle(op.x1, op.y1, op.x2) + "\n"; break;
        case Kind::Pump: out += "pump\n"; break;
        case Kind::Line: out += traceLine(op.x1, op.y1, op.x2, op.y2) + "\n"; break;
        default: break;
        }
    }
    return out;
}

}  // namespace

int main(int argc, char* argv[])
{
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);  // lines end in LF on every platform
#endif
    std::uint64_t seed = 1;
    float W = Window::width;
    float H = Window::height;
    std::optional<std::string> sitesPath;

    for (int a = 1; a < argc; ++a) {
        const std::string_view opt = argv[a];
        auto value = [&](int n) { return a + n < argc; };
        if (opt == "--seed") {
            if (!value(1))
                return fail("--seed needs a value");
            if (!parse(argv[++a], seed))
                return fail(std::string("--seed: not a whole number: ") + argv[a]);
        } else if (opt == "--canvas") {
            if (!value(2))
                return fail("--canvas needs a width and a height");
            if (!parse(argv[a + 1], W) || !parse(argv[a + 2], H) || !(W > 0) || !(H > 0) || !std::isfinite(W) ||
                !std::isfinite(H))
                return fail("--canvas: width and height must be positive numbers");
            a += 2;
        } else if (opt == "--sites") {
            if (!value(1))
                return fail("--sites needs a file name, or - for standard input");
            sitesPath = argv[++a];
        } else {
            return fail("unknown option: " + std::string(opt));
        }
    }

    RecordingSurface surface(W, H, seed);
    if (!sitesPath) {
        runDiagram(surface);
    } else {
        Sites sites;
        std::string error;
        bool ok = false;
        if (*sitesPath == "-") {
            ok = readSites(std::cin, sites, error);
        } else {
            std::ifstream file(*sitesPath);
            if (!file)
                return fail(*sitesPath + ": cannot be read");
            ok = readSites(file, sites, error);
        }
        if (!ok)
            return fail(*sitesPath + ": " + error);
        for (int n = 0; n < sites.N; ++n)
            surface.circle(sites.X[n], sites.Y[n], 3, surface.colour());
        drawEdges(surface, sites);
    }
    // One write for the whole trace (Windows' C library would write each line
    // on its own), and a trace cut short must not pass for a whole one: a full
    // disk or a closed pipe is said, and the status is not 0.
    const std::string text = traceText(surface, W, H);
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
        const int error = errno;
        return fail(std::string("the trace could not be written: ") + std::strerror(error), 1);
    }
    return 0;
}
