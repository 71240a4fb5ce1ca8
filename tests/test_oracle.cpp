#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <string>

#include "tests/support/oracle.h"

// The drawn diagram against the exact one, over the whole canvas, within 1 px.

namespace {

constexpr float W = 788;
constexpr float H = 565;

// Draws the diagram of the given sites and holds it against the exact one.
Comparison drawAndCompare(Sites sites)
{
    const std::vector<Segment> truth = exactDiagram(sites, W, H);
    RecordingSurface s(W, H);
    drawEdges(s, sites);
    return compareDiagrams(drawnEdges(s, W, H), truth, W, H);
}

void expectExact(const Sites& sites)
{
    const Comparison c = drawAndCompare(sites);
    EXPECT_EQ(c.stray, 0) << "worst " << c.worstStray << " px off";
    EXPECT_EQ(c.uncovered, 0) << "worst " << c.worstUncovered << " px from any drawn edge";
}

}  // namespace

TEST(Oracle, SeededRunsMatchTheExactDiagram)
{
    int wrong = 0;
    for (std::uint64_t seed = 1; seed <= 300; ++seed) {
        RecordingSurface s(W, H, seed);
        Sites sites = setUpRun(s);
        const Sites unsorted = sites;
        drawEdges(s, sites);
        const Comparison c = compareDiagrams(drawnEdges(s, W, H), exactDiagram(unsorted, W, H), W, H);
        if (!c.ok()) {
            ++wrong;
            ADD_FAILURE() << "seed " << seed << " (N = " << sites.N << "): " << c.stray << " stray points (worst "
                          << c.worstStray << " px), " << c.uncovered << " uncovered (worst " << c.worstUncovered
                          << " px)";
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST(Oracle, OtherCanvasSizes)
{
    for (const auto& [w, h] : {std::pair{400.f, 300.f}, std::pair{1200.f, 900.f}, std::pair{803.f, 600.f}}) {
        for (std::uint64_t seed = 1; seed <= 20; ++seed) {
            RecordingSurface s(w, h, seed);
            Sites sites = setUpRun(s);
            const Sites unsorted = sites;
            drawEdges(s, sites);
            const Comparison c = compareDiagrams(drawnEdges(s, w, h), exactDiagram(unsorted, w, h), w, h);
            EXPECT_TRUE(c.ok()) << w << "x" << h << " seed " << seed;
        }
    }
}

TEST(OracleDegenerate, GridSharesCoordinatesAndHasFourSitesOnEveryCircle)
{
    Sites s;
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 9; ++c)
            s.add(60.f + 80.f * c, 40.f + 80.f * r);
    expectExact(s);
}

TEST(OracleDegenerate, Row)
{
    Sites s;
    for (int c = 0; c < 12; ++c)
        s.add(30.f + 61.5f * c, 280);
    expectExact(s);
}

TEST(OracleDegenerate, Column)
{
    Sites s;
    for (int r = 0; r < 10; ++r)
        s.add(400, 20.f + 57.f * r);
    expectExact(s);
}

TEST(OracleDegenerate, Diagonal)
{
    Sites s;
    for (int k = 0; k < 9; ++k)
        s.add(50.f + 60.f * k, 30.f + 60.f * k);
    expectExact(s);
}

TEST(OracleDegenerate, PointsOnACircle)
{
    Sites s;
    for (int k = 0; k < 16; ++k) {
        const double a = 2 * std::numbers::pi * k / 16;
        s.add(static_cast<float>(394 + 200 * std::cos(a)), static_cast<float>(282 + 200 * std::sin(a)));
    }
    expectExact(s);
}

TEST(OracleDegenerate, CircleWithItsCentre)
{
    Sites s;
    s.add(394, 282);
    for (int k = 0; k < 12; ++k) {
        const double a = 2 * std::numbers::pi * k / 12;
        s.add(static_cast<float>(394 + 150 * std::cos(a)), static_cast<float>(282 + 150 * std::sin(a)));
    }
    expectExact(s);
}

TEST(OracleDegenerate, DuplicatesCountAsOneSite)
{
    Sites s;
    for (const auto& [x, y] : {std::pair{100.f, 100.f}, {500.f, 120.f}, {300.f, 400.f}, {650.f, 450.f}}) {
        s.add(x, y);
        s.add(x, y);
    }
    s.add(300, 400);
    expectExact(s);
}

TEST(OracleDegenerate, ThirdSitesSharingXOrYWithAPairSite)
{
    Sites s;
    for (const auto& [x, y] :
         {std::pair{200.f, 200.f}, {200.f, 350.f}, {420.f, 200.f}, {420.f, 500.f}, {600.f, 350.f}, {90.f, 500.f}})
        s.add(x, y);
    expectExact(s);
}

TEST(OracleDegenerate, SitesOnTheCanvasCornersAndEdges)
{
    Sites s;
    for (const auto& [x, y] :
         {std::pair{0.f, 0.f}, {W, 0.f}, {0.f, H}, {W, H}, {394.f, 0.f}, {0.f, 282.f}, {394.f, 282.f}})
        s.add(x, y);
    expectExact(s);
}

TEST(OracleDegenerate, ThirdSitesAHairFromLevelWithI)
{
    // (0, 2.4e-41) and (265.05, 9e-36) are a hair from level: their bisector
    // is a hair from vertical, and its intercept as y = q x + c would not fit
    // in a float. It bounds the edge of (0, 2.4e-41) and (265.05, 445).
    Sites s;
    for (const auto& [x, y] : {std::pair{400.125f, 20.f},
                               {400.f, 77.f},
                               {400.f, 134.f},
                               {400.f, 191.f},
                               {400.f, 248.f},
                               {400.f, 305.f},
                               {400.f, 362.f},
                               {0.f, 2.4315331e-41f},
                               {400.007263f, 20.f},
                               {620.f, 32.f},
                               {400.f, 419.f},
                               {400.f, 476.f},
                               {628.f, 505.f},
                               {265.046875f, 445.f},
                               {265.046875f, 9.02784468e-36f}})
        s.add(x, y);
    expectExact(s);
}

TEST(OracleDegenerate, TwoSites)
{
    Sites s;
    s.add(100, 100);
    s.add(300, 200);
    expectExact(s);
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
