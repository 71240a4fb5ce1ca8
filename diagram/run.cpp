#include <cmath>

#include "diagram/run.h"

namespace {

// floor(r * span) + base, for a span's worth of whole numbers from base on.
int pick(float r, int span, int base) { return static_cast<int>(std::floor(double{r} * span)) + base; }

}  // namespace

Sites setUpRun(Host& host, Drawing& drawing, Random& random)
{
    host.show();
    random.reseed();
    host.setRetryEnabled(false);
    host.refresh();

    const float r1 = random.next();
    const float r2 = random.next();
    const float r3 = random.next();
    drawing.setColour(composeColour(pick(r1, 123, 122), pick(r2, 23, 222), pick(r3, 23, 222)));

    const double w = host.outerWidth();
    const float lx = static_cast<float>(double{random.next()} * (w / twipsPerPixel - 380));
    const float ly = static_cast<float>(double{random.next()} * 150 + 40);

    const auto N = static_cast<std::int16_t>(pick(random.next(), 96, 4));

    drawing.setFontSize(20);
    drawing.line(lx, ly, lx, ly);  // only moves the current position to the label point
    drawing.print("N=", N);

    Sites sites;
    for (int n = 0; n < N; ++n) {
        const double width = host.outerWidth();
        const auto x = static_cast<float>(double{random.next()} * width / twipsPerPixel);
        const double height = host.outerHeight();
        const auto y = static_cast<float>(double{random.next()} * height / twipsPerPixel);
        sites.add(x, y);
        drawing.circle(x, y, 3, drawing.colour());
    }
    return sites;
}

std::optional<std::int16_t> runDiagram(Host& host, Drawing& drawing, Random& random)
{
    Sites sites = setUpRun(host, drawing, random);
    if (!drawEdges(host, drawing, sites))
        return std::nullopt;
    host.setRetryEnabled(true);
    return sites.N;
}
