#include <gtest/gtest.h>

#include <random>

#include "numeric/dist.h"

TEST(Dist, ThreeFourFiveIsExact) { EXPECT_EQ(dist(0, 0, 3, 4), 5.0); }

TEST(Dist, PointFromItselfIsZero) { EXPECT_EQ(dist(123.25f, 456.5f, 123.25f, 456.5f), 0.0); }

TEST(Dist, SwappingThePointsGivesTheSameBits)
{
    std::mt19937 gen(5);
    std::uniform_real_distribution<float> u(-800, 800);
    for (int n = 0; n < 10000; ++n) {
        const float x1 = u(gen), y1 = u(gen), x2 = u(gen), y2 = u(gen);
        ASSERT_EQ(dist(x1, y1, x2, y2), dist(x2, y2, x1, y1));
    }
}

TEST(Dist, DifferenceIsRoundedToSinglePrecisionBeforeSquaring)
{
    // 16777218 - 1 = 16777217 needs 25 bits: it rounds to even, 16777216,
    // along x and along y alike.
    EXPECT_EQ(dist(1, 0, 16777218, 0), 16777216.0);
    EXPECT_EQ(dist(0, 1, 0, 16777218), 16777216.0);
}

TEST(Dist, SumAndRootAreDouble)
{
    // sqrt(1 + 1) kept in double, not rounded to float.
    EXPECT_EQ(dist(0, 0, 1, 1), 1.4142135623730951);
}
