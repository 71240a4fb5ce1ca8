#include <gtest/gtest.h>

#include <random>

#include "numeric/dist.h"

// Each difference rounded to single precision before it is squared; the sum
// and the root in double.
TEST(Dist, ExactValues)
{
    const struct {
        float x1, y1, x2, y2;
        double d;
    } rows[] = {
        {0, 0, 3, 4, 5},
        {123.25f, 456.5f, 123.25f, 456.5f, 0},
        {1, 0, 16777218, 0, 16777216},  // 16777217 needs 25 bits: it rounds to even
        {0, 1, 0, 16777218, 16777216},
        {0, 0, 1, 1, 1.4142135623730951},  // sqrt(2) in double, not rounded to float
    };
    for (const auto& r : rows)
        EXPECT_EQ(dist(r.x1, r.y1, r.x2, r.y2), r.d) << r.x1 << "," << r.y1 << " " << r.x2 << "," << r.y2;
}

TEST(Dist, SwappingThePointsGivesTheSameBits)
{
    std::mt19937 gen(5);
    std::uniform_real_distribution<float> u(-800, 800);
    for (int n = 0; n < 10000; ++n) {
        const float x1 = u(gen), y1 = u(gen), x2 = u(gen), y2 = u(gen);
        ASSERT_EQ(dist(x1, y1, x2, y2), dist(x2, y2, x1, y1));
    }
}
