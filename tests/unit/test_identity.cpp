#include <gtest/gtest.h>

#include <cstdint>

#include "tests/support/plain_search.h"
#include "tests/support/sites.h"
#include "tools/recording/recording_surface.h"

// The program's edge search against the plain one: the same operations in the
// same order with the same bits, on many runs and on the degenerate sets.

TEST(EdgeSearchIdentity, SeededRunsDrawExactlyWhatThePlainSearchDraws)
{
    for (std::uint64_t seed = 1; seed <= 1000; ++seed) {
        RecordingSurface set(seed);
        ASSERT_EQ(firstDifference(setUpRun(set), 788, 565), "") << "seed " << seed;
    }
}

TEST(EdgeSearchIdentity, DegenerateSets)
{
    auto sets = degenerateSites();
    // (Beyond what the exact diagram takes: nothing drawn is ever infinite.)
    sets.push_back({"sites far off the canvas, sharing coordinates in every way",
                    sitesAt({{0, 0}, {0, 0}, {1e30f, 0}, {0, -1e30f}, {5, 5}, {5, 6}, {6, 5}, {-3e38f, 3e38f}})});
    for (const auto& [name, sites] : sets)
        EXPECT_EQ(firstDifference(sites, 788, 565), "") << name;
}

// Inputs on which a margin of the search, loosened past what its derivation
// allows, draws what the plain search does not: each row fails with that
// margin loosened (found by fuzzing such builds, or by a search among
// near-duplicate, cocircular and subnormal sites; the slack's and the reach's
// rows then moved, an ulp at a time, to fail with as loose a margin as
// possible, and minimised).
TEST(EdgeSearchIdentity, WhereTheMarginsMatter)
{
    struct Case {
        const char* what;
        float W, H;
        std::vector<std::pair<float, float>> points;
    };
    const Case cases[] = {
        {"a site 2^27 px off a 3 x 1 canvas: the proof's slack (fails at 2^-60)",
         3,
         1,
         {{-0x1p27f, 0.75f}, {1, 0.25f}, {0x1.f8p-128f, 0x1.f4p-128f}, {0x1.fp-136f, 0}}},
        {"subnormal sites near one corner: the stretch test's reach (fails at a factor of 1)",
         3,
         1,
         {{0x1.0188p-127f, 0x1.c77818p-128f}, {40, 220}, {380, 0}, {0x1.fe26p-98f, 0x1.0cp-143f}, {0x1.b8p-142f, 0}}},
        {"two pairs of sites a few ulps apart: the proof's slack (fails up to 2^-22.41, 3u; the bound is 12u)",
         788,
         565,
         {{0x1.ab60cp+7f, 0x1.28dcp+7f},
          {0x1.27105ep+8f, 0x1.2c33a2p+7f},
          {0x1.6f15aep+9f, 0x1.22542p+7f},
          {0x1.ab60cp+7f, 0x1.28dc8p+7f},
          {0x1.26f88cp+8f, 0x1.2c32dep+7f}}},
        {"a pair of sites a few ulps apart: the stretch test's reach (fails up to 1.9999987, 2 (1 - 10.4u))",
         788,
         565,
         {{0x1.02c754p+9f, 0x1.dfadbep+5f},
          {0x1.2724f2p+9f, 0x1.719532p+7f},
          {0x1.148056p+9f, 0x1.941788p+5f},
          {0x1.821a04p+8f, 0x1.572a1ap+7f},
          {0x1.24ab6ep+9f, 0x1.e07342p+6f},
          {0x1.02c74cp+9f, 0x1.dfad9ap+5f},
          {0x1.ccfd46p+8f, 0x1.03f42ep+8f}}},
        {"subnormal sites: the crossings within the proof's reach (fails with no check)",
         3,
         1,
         {{0x1.a5cp-137f, 0x1.6p-141f},
          {0x1.16dp-131f, 0x1.75953ap-126f},
          {0, 0x1.c8p-142f},
          {0, 0x1.0bp-141f},
          {0x1.a88p-140f, 0x1.bbc4p-134f},
          {0x1.6cp-141f, 0x1.e5ap-136f}}},
        {"four subnormal sites: the proof's slack where roundings are absolute (one stretch lost without it)",
         3,
         1,
         {{0, 0}, {0x1.1ap-141f, 0x1.cp-144f}, {0x1p-148f, 0x1.cp-147f}, {0, 0x1.8p-147f}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(firstDifference(sitesAt(c.points), c.W, c.H), "") << c.what;
}
