#include <cmath>

#include "diagram/run.h"

namespace {

// floor(r * span) + base, for a span's worth of whole numbers from base on.
int pick(float r, int span, int base) { return static_cast<int>(std::floor(double{r} * span)) + base; }

}  // namespace

Sites setUpRun(Surface& s)
{
    s.show();
    s.reseed();
    s.setRetryEnabled(false);
    s.refresh();

    const float r1 = s.nextRandom();
    const float r2 = s.nextRandom();
    const float r3 = s.nextRandom();
    s.setColour(composeColour(pick(r1, 123, 122), pick(r2, 23, 222), pick(r3, 23, 222)));

    const double w = s.outerWidth();
    const float lx = static_cast<float>(double{s.nextRandom()} * (w / twipsPerPixel - 380));
    const float ly = static_cast<float>(double{s.nextRandom()} * 150 + 40);

    const auto N = static_cast<std::int16_t>(pick(s.nextRandom(), 96, 4));

    s.setFontSize(20);
    s.line(lx, ly, lx, ly);  // only moves the current position to the label point
    s.print("N=", N);

    Sites sites;
    for (int n = 0; n < N; ++n) {
        const double width = s.outerWidth();
        const auto x = static_cast<float>(double{s.nextRandom()} * width / twipsPerPixel);
        const double height = s.outerHeight();
        const auto y = static_cast<float>(double{s.nextRandom()} * height / twipsPerPixel);
        sites.add(x, y);
        s.circle(x, y, 3, s.colour());
    }
    return sites;
}

std::optional<std::int16_t> runDiagram(Surface& s)
{
    Sites sites = setUpRun(s);
    if (!drawEdges(s, sites))
        return std::nullopt;
    s.setRetryEnabled(true);
    return sites.N;
}
