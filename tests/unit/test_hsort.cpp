#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <span>
#include <vector>

#include "numeric/hsort.h"

namespace {

// Sorts keys, carrying each entry's original position (1st, 2nd, ...) and a
// second tag; returns the original positions in result order.
std::vector<int> order(std::vector<double> keys, int n = -1)
{
    if (n < 0)
        n = static_cast<int>(keys.size());
    std::vector<int> who(keys.size());
    std::vector<float> tag(keys.size());
    for (std::size_t k = 0; k < keys.size(); ++k) {
        who[k] = static_cast<int>(k) + 1;
        tag[k] = static_cast<float>(keys[k]);
    }
    hSort(static_cast<std::int16_t>(n), std::span(keys), std::span(who), std::span(tag));
    for (std::size_t k = 0; k < keys.size(); ++k)
        EXPECT_EQ(tag[k], static_cast<float>(keys[k])) << "companion lost its key at slot " << k;
    return who;
}

using V = std::vector<int>;

}  // namespace

TEST(HSortTies, TwoKeysSwap) { EXPECT_EQ(order({2, 1}), (V{2, 1})); }
TEST(HSortTies, TwoEqualKeysExchangePlaces) { EXPECT_EQ(order({5, 5}), (V{2, 1})); }
TEST(HSortTies, OneTwoTwo) { EXPECT_EQ(order({1, 2, 2}), (V{1, 3, 2})); }
TEST(HSortTies, ThreeTwoTwoOne) { EXPECT_EQ(order({3, 2, 2, 1}), (V{4, 2, 3, 1})); }
TEST(HSortTies, ThreeEqualKeys) { EXPECT_EQ(order({5, 5, 5}), (V{2, 3, 1})); }

TEST(HSortBounds, SlotsFromNOnAreLeftAlone)
{
    std::vector<double> keys{3, 1, 2, 0, 9};
    std::vector<int> who{1, 2, 3, 4, 5};
    std::vector<int> other{10, 20, 30, 40, 50};
    hSort(3, std::span(keys), std::span(who), std::span(other));
    EXPECT_EQ(keys, (std::vector<double>{1, 2, 3, 0, 9}));
    EXPECT_EQ(who, (V{2, 3, 1, 4, 5}));
    EXPECT_EQ(other, (V{20, 30, 10, 40, 50}));
}

TEST(HSortBounds, NOfOneOrLessTouchesNothing)
{
    for (std::int16_t n : {1, 0, -1, -32767}) {
        std::vector<double> keys{3, 2, 1};
        std::vector<int> who{1, 2, 3};
        std::vector<int> other{7, 8, 9};
        hSort(n, std::span(keys), std::span(who), std::span(other));
        EXPECT_EQ(keys, (std::vector<double>{3, 2, 1})) << n;
        EXPECT_EQ(who, (V{1, 2, 3})) << n;
        EXPECT_EQ(other, (V{7, 8, 9})) << n;
    }
    // Empty arrays are fine too when nothing is sorted.
    std::span<double> none;
    std::span<int> alsoNone;
    EXPECT_NO_THROW(hSort(0, none, alsoNone, alsoNone));
}

TEST(HSortErrors, MostNegativeNOverflowsBeforeTouchingAnything)
{
    std::vector<double> keys{3, 2, 1};
    std::vector<int> who{1, 2, 3};
    EXPECT_THROW(hSort(-32768, std::span(keys), std::span(who), std::span(who)), std::overflow_error);
    EXPECT_EQ(keys, (std::vector<double>{3, 2, 1}));
    EXPECT_EQ(who, (V{1, 2, 3}));
}

TEST(HSortErrors, ArrayShorterThanNIsOutOfRange)
{
    std::vector<double> keys{3, 2, 1};
    std::vector<int> who{1, 2, 3};
    std::vector<int> shortOne{1, 2};
    EXPECT_THROW(hSort(4, std::span(keys), std::span(who), std::span(who)), std::out_of_range);
    EXPECT_THROW(hSort(3, std::span(keys), std::span(who), std::span(shortOne)), std::out_of_range);
    EXPECT_THROW(hSort(3, std::span(keys), std::span(shortOne), std::span(who)), std::out_of_range);
}

TEST(HSortKeys, SingleAndDoublePrecisionKeysCompareByValue)
{
    // 0.1f is a little above the double 0.1, and 0.7f a little below 0.7.
    std::vector<double> keys{0.1f, 0.1, 0.7, 0.7f};
    EXPECT_EQ(order(keys), (V{2, 1, 4, 3}));
}

TEST(HSortKeys, FloatKeysWithFloatCompanions)
{
    std::array<float, 4> xs{4.5f, -1.f, 2.f, 0.f};
    std::array<float, 4> ys{45, -10, 20, 0};
    std::array<float, 4> scratch{};
    hSort(4, std::span<float>(xs), std::span<float>(ys), std::span<float>(scratch));
    EXPECT_EQ(xs, (std::array<float, 4>{-1.f, 0.f, 2.f, 4.5f}));
    EXPECT_EQ(ys, (std::array<float, 4>{-10, 0, 20, 45}));
}

TEST(HSortProperty, RandomArraysWithManyTiesComeOutSortedWithTheirCompanions)
{
    std::mt19937 gen(42);
    for (int round = 0; round < 2000; ++round) {
        const int n = std::uniform_int_distribution<int>(0, 120)(gen);
        const int distinct = std::uniform_int_distribution<int>(1, 8)(gen);
        std::vector<double> keys(static_cast<std::size_t>(n));
        for (auto& k : keys)
            k = std::uniform_int_distribution<int>(0, distinct)(gen);
        std::vector<int> who(keys.size());
        std::vector<double> twice(keys.size());
        for (int k = 0; k < n; ++k) {
            who[k] = k;
            twice[k] = 2 * keys[k];
        }
        const std::vector<double> before = keys;
        hSort(static_cast<std::int16_t>(n), std::span(keys), std::span(who), std::span(twice));
        ASSERT_TRUE(std::is_sorted(keys.begin(), keys.end()));
        std::vector<int> seen = who;
        std::sort(seen.begin(), seen.end());
        for (int k = 0; k < n; ++k) {
            ASSERT_EQ(seen[k], k) << "not a permutation";
            ASSERT_EQ(keys[k], before[who[k]]) << "key lost its entry";
            ASSERT_EQ(twice[k], 2 * keys[k]) << "second companion lost its key";
        }
    }
}
