#include <cmath>

#include "diagram/run.h"
#include "numeric/dist.h"

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

    Sites sites;
    sites.N = static_cast<std::int16_t>(pick(s.nextRandom(), 96, 4));

    s.setFontSize(20);
    s.line(lx, ly, lx, ly);  // only moves the current position to the label point
    s.print("N=", sites.N);

    for (int n = 0; n < sites.N; ++n) {
        const double width = s.outerWidth();
        sites.X[n] = static_cast<float>(double{s.nextRandom()} * width / twipsPerPixel);
        const double height = s.outerHeight();
        sites.Y[n] = static_cast<float>(double{s.nextRandom()} * height / twipsPerPixel);
        sites.D[n] = dist(0, 0, sites.X[n], sites.Y[n]);
        s.circle(sites.X[n], sites.Y[n], 3, s.colour());
    }
    return sites;
}

bool runDiagram(Surface& s)
{
    Sites sites = setUpRun(s);
    if (!drawEdges(s, sites))
        return false;
    s.setRetryEnabled(true);
    return true;
}
