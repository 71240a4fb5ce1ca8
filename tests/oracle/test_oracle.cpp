#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "tests/support/oracle.h"
#include "tests/support/sites.h"

// The drawn diagram against the exact one, over the whole canvas, within 1 px.

namespace {

constexpr float W = 788;
constexpr float H = 565;

void expectExact(const Sites& sites)
{
    const Comparison c = drawnAgainstExact(sites, W, H);
    EXPECT_TRUE(c.ok()) << described(c);
}

}  // namespace

// Seeded runs, on the window's canvas and on others: one a quarter of the
// width and height, a larger one, and one of odd width.
TEST(Oracle, SeededRunsMatchTheExactDiagram)
{
    struct Canvas {
        float w, h;
        std::uint64_t seeds;
    };
    for (const Canvas& c : {Canvas{W, H, 300}, {400, 300, 20}, {1200, 900, 20}, {803, 600, 20}}) {
        for (std::uint64_t seed = 1; seed <= c.seeds; ++seed) {
            RecordingSurface s(c.w, c.h, seed);
            const Comparison cmp = drawnAgainstExact(setUpRun(s), c.w, c.h);
            EXPECT_TRUE(cmp.ok()) << c.w << " x " << c.h << ", seed " << seed << ": " << described(cmp);
        }
    }
}

TEST(Oracle, DegenerateSitesMatchTheExactDiagram)
{
    for (const auto& [name, sites] : degenerateSites()) {
        SCOPED_TRACE(name);
        expectExact(sites);
    }
}

// Two sites whose y (or x) differ by a hair have a nearly vertical (or
// level) bisector: y = p x + b then moves in steps of many pixels. Such pairs,
// in both orders, alone with a third site and among random sites.
namespace {

// The sites (u1, v) and (u2, v + hair), or with x and y exchanged, in either
// order; the hair is at least one step of the float.
Sites hairPair(float u1, float v, float u2, double hair, bool alongX, bool swapOrder)
{
    auto v2 = static_cast<float>(v + hair);
    if (v2 == v)
        v2 = std::nextafter(v, HUGE_VALF);
    std::pair<float, float> a{u1, v}, b{u2, v2};
    if (alongX) {
        a = {a.second, a.first};
        b = {b.second, b.first};
    }
    if (swapOrder)
        std::swap(a, b);
    Sites s;
    s.add(a.first, a.second);
    s.add(b.first, b.second);
    return s;
}

std::string hairName(int e, bool alongX, bool swapOrder)
{
    return "hair 1e-" + std::to_string(e) + (alongX ? " in x" : " in y") + (swapOrder ? ", swapped" : "");
}

}  // namespace

TEST(OracleNearlyLevel, APairAHairApartWithAThirdSite)
{
    for (int e = 1; e <= 7; ++e) {
        for (const bool alongX : {false, true}) {
            for (const bool swapOrder : {false, true}) {
                Sites s = hairPair(300, 200, 400, std::pow(10.0, -e), alongX, swapOrder);
                s.add(alongX ? 300.f : 350.f, alongX ? 350.f : 300.f);
                SCOPED_TRACE(hairName(e, alongX, swapOrder));
                expectExact(s);
            }
        }
    }
}

TEST(OracleNearlyLevel, PairsAHairApartAmongRandomSites)
{
    std::mt19937 gen(2024);
    std::uniform_real_distribution<float> ux(0, W), uy(0, H);
    for (int e = 1; e <= 7; ++e) {
        for (const bool alongX : {false, true}) {
            for (const bool swapOrder : {false, true}) {
                for (int round = 0; round < 4; ++round) {
                    Sites s = alongX ? hairPair(uy(gen), ux(gen), uy(gen), std::pow(10.0, -e), true, swapOrder)
                                     : hairPair(ux(gen), uy(gen), ux(gen), std::pow(10.0, -e), false, swapOrder);
                    for (int k = 0; k < 40; ++k)
                        s.add(ux(gen), uy(gen));
                    SCOPED_TRACE(hairName(e, alongX, swapOrder) + ", round " + std::to_string(round));
                    expectExact(s);
                }
            }
        }
    }
}
