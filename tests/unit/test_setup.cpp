#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "diagram/random.h"
#include "diagram/run.h"
#include "numeric/dist.h"
#include "tools/recording/recording_surface.h"

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

// The largest random value gives the most sites and the lightest colour; the
// smallest, the fewest and the darkest, with the last site at the origin.
TEST(RunSetUp, ExtremeRandomValuesGiveTheRangesEnds)
{
    const struct {
        float r;
        int N;
        const char* label;
        std::uint32_t colour;
    } rows[] = {{1 - 0x1p-24f, 99, "N= 99 ", composeColour(244, 244, 244)},
                {0.f, 4, "N= 4 ", composeColour(122, 222, 222)}};
    for (const auto& row : rows) {
        RecordingSurface s;
        s.random = [&row] { return row.r; };
        const Sites sites = setUpRun(s);
        EXPECT_EQ(sites.N, row.N);
        EXPECT_EQ(s.all(Kind::Print)[0].text, row.label);
        EXPECT_EQ(s.all(Kind::Colour)[0].value, row.colour);
        EXPECT_EQ(sites.X[sites.N - 1] == 0 && sites.D[sites.N - 1] == 0, row.r == 0);
    }
}

// A surface whose outer width grows by one pixel at every reading, and that
// hands out a fixed sequence of random values.
class ScriptedSurface : public RecordingSurface {
public:
    explicit ScriptedSurface(std::vector<float> values, float width = W * twipsPerPixel, float step = 0)
        : values_(std::move(values)), width_(width), step_(step)
    {
        random = [this] { return values_.at(next_++); };
    }
    float outerWidth() const override { return width_ + step_ * static_cast<float>(widthReads_++); }

private:
    std::vector<float> values_;
    std::size_t next_ = 0;
    float width_, step_;
    mutable int widthReads_ = 0;
};

// Every random value goes to its own quantity, in order: red, green, blue,
// label x, label y, N, then x and y of each site.
TEST(RunSetUp, ScriptedValuesGoWhereTheyBelong)
{
    ScriptedSurface s(
        {0.5f, 0.25f, 0.75f, 0.5f, 0.25f, 0.f, 0.5f, 0.25f, 0.125f, 0.375f, 0.875f, 0.625f, 0.75f, 0.0625f});
    const Sites sites = setUpRun(s);
    EXPECT_EQ(s.all(Kind::Colour).at(0).value, composeColour(183, 227, 239));  // 61.5, 5.75, 17.25 floored
    const auto label = s.all(Kind::Print).at(0);
    EXPECT_EQ(label.x1, 204);    // 0.5 * (788 - 380)
    EXPECT_EQ(label.y1, 77.5f);  // 0.25 * 150 + 40
    EXPECT_EQ(label.text, "N= 4 ");
    ASSERT_EQ(sites.N, 4);
    const float X[] = {394, 98.5f, 689.5f, 591};                // r * 788
    const float Y[] = {141.25f, 211.875f, 353.125f, 35.3125f};  // r * 565
    for (int n = 0; n < 4; ++n) {
        EXPECT_EQ(sites.X[n], X[n]) << "site " << n + 1;
        EXPECT_EQ(sites.Y[n], Y[n]) << "site " << n + 1;
    }
}

TEST(RunSetUp, TheOuterWidthIsReadForTheLabelAndForEverySite)
{
    // 788 px for the label, then 789, 790, ... for the sites, one each.
    ScriptedSurface s({0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f},
                      W * twipsPerPixel, twipsPerPixel);
    const Sites sites = setUpRun(s);
    EXPECT_EQ(s.all(Kind::Print).at(0).x1, 204);
    EXPECT_EQ(sites.X[0], 394.5f);
    EXPECT_EQ(sites.X[1], 395);
    EXPECT_EQ(sites.X[3], 396);
    EXPECT_EQ(sites.Y[3], 282.5f);
}

TEST(RunSetUp, ASiteIsRTimesTheWidthThenDividedByFifteen)
{
    // With w = 39297 twips, (r w) / 15 and r (w / 15) round to neighbouring
    // floats (worked out apart from the program, in double, then rounded).
    const float r = 0x1.79f8p-5f;
    ScriptedSurface s(std::vector<float>(22, r), 39297);  // N = 8: 6 + 2 * 8 values
    const Sites sites = setUpRun(s);
    EXPECT_EQ(sites.X[0], 0x1.e37f5p+6f);
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
    EXPECT_EQ(seeds.size(), 100u);
}
