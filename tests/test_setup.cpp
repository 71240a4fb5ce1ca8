#include <gtest/gtest.h>

#include <set>
#include <string>

#include "diagram/random.h"
#include "diagram/recording_surface.h"
#include "diagram/run.h"
#include "numeric/dist.h"

using Kind = RecordingSurface::Kind;

namespace {

constexpr float W = 788;
constexpr float H = 565;

}  // namespace

TEST(RunSetUp, FirstStepsPrepareTheWindowBeforeAnyRandomValue)
{
    RecordingSurface s;
    setUpRun(s);
    const auto& ops = s.ops();
    ASSERT_GE(ops.size(), 5u);
    EXPECT_EQ(ops[0].kind, Kind::Show);
    EXPECT_EQ(ops[1].kind, Kind::Reseed);
    EXPECT_EQ(ops[2].kind, Kind::RetryEnabled);
    EXPECT_EQ(ops[2].value, 0u);
    EXPECT_EQ(ops[3].kind, Kind::Refresh);
    EXPECT_EQ(ops[4].kind, Kind::Random);
}

TEST(RunSetUp, ThousandsOfRunsStayWithinTheirRanges)
{
    for (std::uint64_t seed = 1; seed <= 3000; ++seed) {
        RecordingSurface s(W, H, seed);
        const Sites sites = setUpRun(s);
        SCOPED_TRACE("seed " + std::to_string(seed));

        const auto colours = s.all(Kind::Colour);
        ASSERT_EQ(colours.size(), 1u);
        const std::uint32_t c = colours[0].value;
        ASSERT_GE(redOf(c), 122);
        ASSERT_LE(redOf(c), 244);
        ASSERT_GE(greenOf(c), 222);
        ASSERT_LE(greenOf(c), 244);
        ASSERT_GE(blueOf(c), 222);
        ASSERT_LE(blueOf(c), 244);

        ASSERT_GE(sites.N, 4);
        ASSERT_LE(sites.N, 99);
        const auto labels = s.all(Kind::Print);
        ASSERT_EQ(labels.size(), 1u);
        ASSERT_EQ(labels[0].text, "N= " + std::to_string(sites.N) + " ");
        ASSERT_GE(labels[0].x1, 0);
        ASSERT_LE(labels[0].x1, W - 380);
        ASSERT_GE(labels[0].y1, 40);
        ASSERT_LE(labels[0].y1, 190);

        const auto circles = s.all(Kind::Circle);
        ASSERT_EQ(circles.size(), static_cast<std::size_t>(sites.N));
        for (int n = 0; n < sites.N; ++n) {
            ASSERT_EQ(circles[n].x1, sites.X[n]);
            ASSERT_EQ(circles[n].y1, sites.Y[n]);
            ASSERT_EQ(circles[n].x2, 3);
            ASSERT_EQ(circles[n].value, c);
            ASSERT_GE(sites.X[n], 0);
            ASSERT_LE(sites.X[n], W);
            ASSERT_GE(sites.Y[n], 0);
            ASSERT_LE(sites.Y[n], H);
            ASSERT_EQ(sites.D[n], dist(0, 0, sites.X[n], sites.Y[n]));
        }
        ASSERT_EQ(s.count(Kind::Random), 6u + 2u * static_cast<std::size_t>(sites.N));
    }
}

TEST(RunSetUp, LabelIsPrintedAtTheLabelPointAtTwentyPoints)
{
    RecordingSurface s;
    setUpRun(s);
    const auto& ops = s.ops();
    std::size_t k = 0;
    while (ops[k].kind != Kind::FontSize)
        ++k;
    EXPECT_EQ(ops[k].value, 20u);
    ASSERT_EQ(ops[k + 1].kind, Kind::Line);  // zero length: it only moves the position
    EXPECT_EQ(ops[k + 1].x1, ops[k + 1].x2);
    EXPECT_EQ(ops[k + 1].y1, ops[k + 1].y2);
    ASSERT_EQ(ops[k + 2].kind, Kind::Print);
    EXPECT_EQ(ops[k + 2].x1, ops[k + 1].x2);
    EXPECT_EQ(ops[k + 2].y1, ops[k + 1].y2);
}

TEST(RunSetUp, LargestRandomValueGivesNinetyNineSites)
{
    RecordingSurface s;
    s.random = [] { return 1 - 0x1p-24f; };
    const Sites sites = setUpRun(s);
    EXPECT_EQ(sites.N, 99);
    EXPECT_EQ(s.all(Kind::Print)[0].text, "N= 99 ");
    EXPECT_EQ(s.all(Kind::Colour)[0].value, composeColour(244, 244, 244));
}

TEST(RunSetUp, SmallestRandomValueGivesFourSitesAtTheOrigin)
{
    RecordingSurface s;
    s.random = [] { return 0.f; };
    const Sites sites = setUpRun(s);
    EXPECT_EQ(sites.N, 4);
    EXPECT_EQ(s.all(Kind::Print)[0].text, "N= 4 ");
    EXPECT_EQ(s.all(Kind::Colour)[0].value, composeColour(122, 222, 222));
    EXPECT_EQ(sites.X[3], 0);
    EXPECT_EQ(sites.D[3], 0);
}

TEST(RunSetUp, LabelPointUsesTheCanvasWidthInPixels)
{
    // r4 = 0.5 on a 1000 px wide canvas: lx = 0.5 * (1000 - 380) = 310.
    RecordingSurface s(1000, 600);
    int drawn = 0;
    s.random = [&] { return ++drawn == 4 || drawn == 5 ? 0.5f : 0.25f; };
    setUpRun(s);
    const auto label = s.all(Kind::Print)[0];
    EXPECT_EQ(label.x1, 310);
    EXPECT_EQ(label.y1, 115);  // 0.5 * 150 + 40
}

TEST(RunSetUp, SitesScaleByTheCanvasSize)
{
    RecordingSurface s(1000, 600);
    s.random = [] { return 0.75f; };
    const Sites sites = setUpRun(s);
    EXPECT_EQ(sites.X[0], 750);
    EXPECT_EQ(sites.Y[0], 450);
    EXPECT_EQ(sites.D[0], 874.642784226795);  // sqrt(750^2 + 450^2)
}

TEST(RunSetUp, SameSeedSameRunOtherSeedOtherRun)
{
    RecordingSurface a(W, H, 77), b(W, H, 77), c(W, H, 78);
    const Sites sa = setUpRun(a), sb = setUpRun(b), sc = setUpRun(c);
    EXPECT_EQ(sa.X, sb.X);
    EXPECT_NE(sa.X, sc.X);
}

TEST(Random, ValuesLieInTheHalfOpenUnitInterval)
{
    Rng rng(9);
    float low = 1, high = 0;
    for (int n = 0; n < 1000000; ++n) {
        const float r = rng.next();
        ASSERT_GE(r, 0.f);
        ASSERT_LT(r, 1.f);
        low = std::min(low, r);
        high = std::max(high, r);
    }
    EXPECT_LT(low, 1e-4f);
    EXPECT_GT(high, 1 - 1e-4f);
}

TEST(Random, ClockSeedsTakenInQuickSuccessionDiffer)
{
    std::set<std::uint64_t> seeds;
    for (int n = 0; n < 100; ++n)
        seeds.insert(clockSeed());
    EXPECT_GT(seeds.size(), 90u);
}
