#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "diagram/crossing_list.h"
#include "diagram/passes.h"
#include "diagram/seen_from.h"
#include "numeric/hsort.h"

// The edge search's accelerations, each against the plain rule it stands in
// for, bit for bit.

namespace {

bool sameBits(float a, float b) { return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b); }

// Random sites, a third of them a hair from level or upright with site 0, so
// that sloped, steep and vertical bisectors all turn up.
struct RandomSites {
    std::vector<float> X, Y;
    explicit RandomSites(unsigned seed, int n = 60)
    {
        std::mt19937 gen(seed);
        std::uniform_real_distribution<float> ux(0, 788), uy(0, 565), pick(0, 1);
        for (int k = 0; k < n; ++k) {
            float x = ux(gen), y = uy(gen);
            if (k > 0 && pick(gen) < 0.15f)
                y = Y[0] + (pick(gen) < 0.5f ? 0.f : std::ldexp(pick(gen), -12));
            else if (k > 0 && pick(gen) < 0.15f)
                x = X[0] + (pick(gen) < 0.5f ? 0.f : std::ldexp(pick(gen), -12));
            X.push_back(x);
            Y.push_back(y);
        }
    }
    int n() const { return static_cast<int>(X.size()); }
};

// Calls check(sites, what site 0 sees, pass results, j) for every sloped
// pair (0, j) of 20 random site sets.
template <class Check>
void forEachPairOfSite0(Check check)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const RandomSites s(seed);
        CellOfI cell;
        SeenFrom f(s.X.size());
        f.see(s.X.data(), s.Y.data(), s.n(), 0, cell);
        PassResults r(s.X.size());
        for (int j = 1; j < s.n(); ++j) {
            if (f.line[j].kind == Line::Kind::Sloped)
                check(s, f, r, j);
            if (::testing::Test::HasFatalFailure())
                return;
        }
    }
}

}  // namespace

TEST(Passes, CrossingsAreWhereCrossingPutsThem)
{
    forEachPairOfSite0([](const RandomSites& s, const SeenFrom& f, PassResults& r, int j) {
        const Line& pair = f.line[j];
        crossingsWith(s.n(), f, pair.p, pair.b, r.crossX.data(), r.crossY.data());
        for (int k = 1; k < s.n(); ++k) {
            float x = 0, y = 0;
            if (crossing(pair, f.line[k], x, y)) {
                ASSERT_TRUE(sameBits(x, r.crossX[k]) && sameBits(y, r.crossY[k]))
                    << "j " << j << ", k " << k << ": " << x << "," << y << " vs " << r.crossX[k] << "," << r.crossY[k];
            } else if (f.line[k].kind != Line::Kind::None) {
                EXPECT_FALSE(std::isfinite(r.crossX[k]) && std::isfinite(r.crossY[k]));
            }
        }
    });
}

TEST(Passes, RulesForEveryThirdSiteAreTheRulesForOne)
{
    forEachPairOfSite0([](const RandomSites& s, const SeenFrom& f, PassResults& r, int j) {
        const Bisector bis = clip(f.line[j], 788, 565);
        compareDistances(s.n(), f.d.data(), f.d[j], r.cmp.data());
        applyRules(s.n(), f, r.cmp.data(), bis, f.dx[j], f.dy[j], r.hides.data(), r.records.data());
        for (int k = 1; k < s.n(); ++k) {
            const Line& l = f.line[k];
            if (l.kind == Line::Kind::None)
                continue;
            // As the rules are written for one k.
            const float e = l.offset(bis.x1, bis.y1) * l.offset(bis.x2, bis.y2);
            const bool mark = f.dx[k] * f.dx[j] > 0 && f.dy[k] * f.dy[j] > 0;
            const double dij = f.d[j], dik = f.d[k];
            const bool hide = mark && dij > dik && e > 0;
            const bool record = !hide && (!mark || dij < dik || e < 0) && (e < 0 || dij > dik);
            ASSERT_EQ(r.hides[k] != 0, hide) << "j " << j << ", k " << k;
            ASSERT_EQ(r.records[k] != 0, record) << "j " << j << ", k " << k;
        }
    });
}

TEST(ListSorter, SortsAsTheHeapSortDoesTiesAndNaNsIncluded)
{
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> len(0, 60), key(0, 20), odd(0, 30);
    for (int round = 0; round < 500; ++round) {
        CrossingList list;
        const int n = len(gen);
        const bool ties = round % 2 == 0;
        for (int k = 0; k < n; ++k) {
            const float x = odd(gen) == 0 ? NAN : ties ? static_cast<float>(key(gen)) : static_cast<float>(k * 7 % 61);
            list.append(x, static_cast<float>(k), k);
        }
        CrossingList heap = list;
        hSort(heap.count, std::span<float>(heap.XS), std::span<float>(heap.YS), std::span<std::int16_t>(heap.by));
        ListSorter sorter;
        sorter.sortByX(list);
        for (int k = 0; k < n; ++k) {
            ASSERT_TRUE(sameBits(list.XS[k], heap.XS[k]) && list.by[k] == heap.by[k] && list.YS[k] == heap.YS[k])
                << "round " << round << ", entry " << k;
        }
    }
}
