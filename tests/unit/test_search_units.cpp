#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "diagram/search/crossing_list.h"
#include "diagram/search/passes.h"
#include "diagram/search/seen_from.h"
#include "diagram/search/witnesses.h"
#include "numeric/hsort.h"
#include "tests/support/same_bits.h"

// The edge search's accelerations, each against the plain rule it stands in
// for, bit for bit.

namespace {

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
        f.see(s.X, s.Y, 0, cell);
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
            if (const auto at = crossing(pair, f.line[k])) {
                ASSERT_TRUE(sameBits(at->x, r.crossX[k]) && sameBits(at->y, r.crossY[k]))
                    << "j " << j << ", k " << k << ": " << at->x << "," << at->y << " vs " << r.crossX[k] << ","
                    << r.crossY[k];
            } else if (f.line[k].kind != Line::Kind::None) {
                EXPECT_FALSE(std::isfinite(r.crossX[k]) && std::isfinite(r.crossY[k]));
            }
        }
    });
}

// The hiding and crossing rules for one third site k, every case: k in j's
// quadrant seen from i, in another, or on an axis through i (which is no
// quadrant); k nearer to i than j, farther or as far; the i-k bisector (here
// y = 0) passing between the pair's two ends (e1 e2 < 0), not (e1 e2 > 0),
// or through an end (e1 e2 = 0).
TEST(Passes, HidingAndCrossingRulesTruthTable)
{
    enum Quadrant : std::uint8_t { Same, Other, AboveI, BesideI };
    enum Dist : std::uint8_t { Nearer, Farther, AsFar };
    struct Row {
        Quadrant quadrant;
        Dist k;
        int e;  // the sign of e1 e2
        bool hides, records;
    };
    const Row table[] = {
        {Same, Nearer, +1, true, false},    {Same, Nearer, -1, false, true},    {Same, Nearer, 0, false, false},
        {Same, Farther, +1, false, false},  {Same, Farther, -1, false, true},   {Same, Farther, 0, false, false},
        {Same, AsFar, +1, false, false},    {Same, AsFar, -1, false, true},     {Same, AsFar, 0, false, false},
        {Other, Nearer, +1, false, true},   {Other, Nearer, -1, false, true},   {Other, Nearer, 0, false, true},
        {Other, Farther, +1, false, false}, {Other, Farther, -1, false, true},  {Other, Farther, 0, false, false},
        {Other, AsFar, +1, false, false},   {Other, AsFar, -1, false, true},    {Other, AsFar, 0, false, false},
        {AboveI, Nearer, +1, false, true},  {BesideI, Nearer, +1, false, true},
    };
    for (const Row& row : table) {
        SeenFrom f(1);
        f.A[0] = 1;  // the i-k bisector y = 0
        f.q[0] = 0;
        f.c[0] = 0;
        // j is at (+, +) from i.
        f.dx[0] = row.quadrant == Other ? -1.f : row.quadrant == AboveI ? 0.f : 1.f;
        f.dy[0] = row.quadrant == BesideI ? 0.f : 1.f;
        f.d[0] = 5;
        const double dij = row.k == Nearer ? 6 : row.k == Farther ? 4 : 5;
        Bisector bis;
        bis.x1 = 0;
        bis.y1 = row.e == 0 ? 0.f : 1.f;
        bis.x2 = 1;
        bis.y2 = row.e < 0 ? -1.f : 1.f;
        PassResults r(1);
        compareDistances(1, f.d.data(), dij, r.cmp.data());
        applyRules(1, f, r.cmp.data(), bis, 1, 1, r.hides.data(), r.records.data());
        const auto what = [&row] {
            return "quadrant " + std::to_string(row.quadrant) + ", k " + std::to_string(row.k) + ", e " +
                   std::to_string(row.e);
        };
        EXPECT_EQ(r.hides[0] != 0, row.hides) << what();
        EXPECT_EQ(r.records[0] != 0, row.records) << what();
    }
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

// With a nearer than i below x = 10 and b above x = 20 (A = B = 1), points
// below about 10 are certainly rejected by a and points above about 20 by b:
// only the stretches from the highest of the first to the lowest of the last
// can pass. Where keys tie or a point is not a number, the search must test
// every stretch.
TEST(NearPart, KeepsTheStretchesFromTheLastPointRejectedByAToTheFirstByB)
{
    Proof pr;
    pr.A = 1, pr.B = 1, pr.lo = 10, pr.hi = 20, pr.kink = 15;
    struct Row {
        std::vector<float> xs;
        std::optional<std::vector<int>> near;
    };
    const Row rows[] = {
        {{0, 5, 12, 14, 25, 30}, std::vector{1, 2, 3, 4}},
        {{25, 12, 0, 14}, std::vector{2, 1, 3, 0}},
        {{12, 14}, std::vector{0, 1}},
        {{0, 5}, std::vector{1}},
        {{0, 5, 5, 12, 25}, std::nullopt},
        {{0, 12, 25, 25}, std::nullopt},
        {{0, 12, 12, 25}, std::nullopt},
        {{0, 12, NAN, 25}, std::nullopt},
        {{-1e7f, 5, 12, 25}, std::nullopt},  // far out, the slack outgrows a's lead
        {{0, 12, 25, 1e7f}, std::nullopt},   // and b's
    };
    for (const Row& row : rows) {
        CrossingList list;
        for (const float x : row.xs)
            list.append(x, 0, 0);
        std::array<int, CrossingList::capacity> order{};
        const auto near = nearPart(pr, list, order);
        const auto got = near ? std::optional(std::vector<int>(near->begin(), near->end())) : std::nullopt;
        EXPECT_EQ(got, row.near) << "list " << ::testing::PrintToString(row.xs);
    }
}
