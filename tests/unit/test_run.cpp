#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "diagram/bisector.h"
#include "diagram/run.h"
#include "numeric/dist.h"
#include "tests/support/sites.h"
#include "tools/recording/recording_surface.h"

using Kind = RecordingSurface::Kind;

namespace {

// The lines drawn between one pump and the next, pair by pair.
std::vector<std::vector<RecordingSurface::Op>> linesPerPair(const RecordingSurface& s)
{
    std::vector<std::vector<RecordingSurface::Op>> pairs;
    for (const auto& op : s.ops()) {
        if (op.kind == Kind::Pump)
            pairs.emplace_back();
        else if (op.kind == Kind::Line && !pairs.empty())
            pairs.back().push_back(op);
    }
    return pairs;
}

}  // namespace

// A run pumps once a pair, ends with its sites sorted by distance from the
// origin (each keeping its coordinates), and draws every edge in its colour.
TEST(Run, PumpsOncePerPairSortsItsSitesAndDrawsInItsColour)
{
    RecordingSurface four;
    Sites fourSites = sitesAt({{100, 100}, {600, 120}, {300, 400}, {700, 500}});
    drawEdges(four, fourSites);
    EXPECT_EQ(four.pumps(), 6);
    for (std::uint64_t seed : {1, 2, 3, 4, 5}) {
        SCOPED_TRACE(seed);
        RecordingSurface s(seed);
        Sites sites = setUpRun(s);
        ASSERT_TRUE(drawEdges(s, sites));
        EXPECT_EQ(s.pumps(), sites.N * (sites.N - 1) / 2);
        for (int n = 0; n < sites.N; ++n) {
            EXPECT_TRUE(n == 0 || sites.D[n - 1] <= sites.D[n]) << n;
            EXPECT_EQ(dist(0, 0, sites.X[n], sites.Y[n]), sites.D[n]);
        }
        for (const auto& l : s.all(Kind::Line))
            EXPECT_EQ(l.value, s.all(Kind::Colour).at(0).value);
    }
}

TEST(Run, PairsAreVisitedInSortedOrderAndDrawOnTheirOwnBisector)
{
    RecordingSurface s(12);
    Sites sites = setUpRun(s);
    drawEdges(s, sites);
    const auto pairs = linesPerPair(s);
    std::size_t k = 0;
    for (int i = 0; i < sites.N - 1; ++i) {
        for (int j = i + 1; j < sites.N; ++j, ++k) {
            for (const auto& l : pairs[k]) {
                // Both ends are as near to site i as to site j.
                for (const auto& [x, y] : {std::pair{l.x1, l.y1}, std::pair{l.x2, l.y2}}) {
                    const double di = std::hypot(x - sites.X[i], y - sites.Y[i]);
                    const double dj = std::hypot(x - sites.X[j], y - sites.Y[j]);
                    ASSERT_NEAR(di, dj, 1e-3 * (1 + di)) << "pair " << i << "," << j;
                }
            }
        }
    }
    EXPECT_EQ(k, pairs.size());
}

// A pump that says stop ends the run there, with nothing drawn after it and
// Retry left off; a run that completes enables Retry as its last step.
TEST(Run, StopsAtThePumpThatSaysSoAndEnablesRetryOnlyWhenComplete)
{
    for (int stopAt : {1, 100, 400, 0}) {
        RecordingSurface s(3);
        s.onPump = [stopAt](int n) { return stopAt == 0 || n < stopAt; };
        EXPECT_EQ(runDiagram(s).has_value(), stopAt == 0) << stopAt;
        if (stopAt > 0) {
            EXPECT_EQ(s.pumps(), stopAt);
        }
        EXPECT_EQ(s.ops().back().kind, stopAt > 0 ? Kind::Pump : Kind::RetryEnabled);
        EXPECT_EQ(s.retryEnabled(), stopAt == 0);
    }
}

TEST(EdgeSearch, ReadsTheCanvasSizeAtEachPair)
{
    // A window resized to 500 x 400 before the third pair. A, B and C lie on
    // one line, so A-B and B-C are whole lines across the canvas (y = 224 -
    // x / 5 and y = 432 - x / 5) and A-C is hidden.
    class Resized : public RecordingSurface {
    public:
        float outerWidth() const override { return (pumps() < 3 ? 788.f : 500.f) * twipsPerPixel; }
        float outerHeight() const override { return (pumps() < 3 ? 565.f : 400.f) * twipsPerPixel; }
    } s;
    Sites sites = sitesAt({{100, 100}, {140, 300}, {180, 500}});
    drawEdges(s, sites);
    const auto pairs = linesPerPair(s);
    ASSERT_EQ(pairs.size(), 3u);
    ASSERT_EQ(pairs[0].size(), 1u);
    EXPECT_EQ(pairs[0][0].x1, 0);
    EXPECT_EQ(pairs[0][0].x2, 788);  // the right edge as it was
    EXPECT_TRUE(pairs[1].empty());
    ASSERT_EQ(pairs[2].size(), 1u);
    EXPECT_EQ(pairs[2][0].y1, 400);  // b = 432 is below the new bottom edge
    EXPECT_NEAR(pairs[2][0].x1, 160, 1e-3);
    EXPECT_EQ(pairs[2][0].x2, 500);  // the new right edge
    EXPECT_NEAR(pairs[2][0].y2, 332, 1e-3);
}

TEST(EdgeSearch, ASiteExactlyAsFarAsIDoesNotRejectAStretch)
{
    // Four sites on a circle around (200, 200): at the centre every stretch
    // of no length has all four sites exactly as far, so none rejects it and
    // it is drawn (a line to its own start); the edges run from the centre.
    RecordingSurface s;
    Sites sites = sitesAt({{100, 100}, {300, 100}, {100, 300}, {300, 300}});
    drawEdges(s, sites);
    int atCentre = 0;
    for (const auto& l : s.all(Kind::Line)) {
        if (l.x1 == l.x2 && l.y1 == l.y2) {
            EXPECT_TRUE(l.x1 == 200 && l.y1 == 200) << l.x1 << "," << l.y1;
            ++atCentre;
        } else {
            EXPECT_TRUE((l.x1 == 200 || l.y1 == 200) && (l.x2 == 200 || l.y2 == 200)) << l.x1 << "," << l.y1;
        }
    }
    EXPECT_GT(atCentre, 0);
    EXPECT_EQ(s.count(Kind::Line) - static_cast<std::size_t>(atCentre), 4u);
}
