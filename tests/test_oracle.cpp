#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "numeric/dist.h"
#include "tests/oracle.h"

// The drawn diagram against the exact one, over the whole canvas, within 1 px.

namespace {

constexpr float W = 788;
constexpr float H = 565;

Sites withDistances(Sites s)
{
    for (int n = 0; n < s.N; ++n)
        s.D[n] = dist(0, 0, s.X[n], s.Y[n]);
    return s;
}

void add(Sites& s, float x, float y)
{
    s.X[s.N] = x;
    s.Y[s.N] = y;
    ++s.N;
}

// Draws the diagram of the given sites and holds it against the exact one.
Comparison drawAndCompare(Sites sites)
{
    sites = withDistances(sites);
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
            add(s, 60.f + 80.f * c, 40.f + 80.f * r);
    expectExact(s);
}

TEST(OracleDegenerate, Row)
{
    Sites s;
    for (int c = 0; c < 12; ++c)
        add(s, 30.f + 61.5f * c, 280);
    expectExact(s);
}

TEST(OracleDegenerate, Column)
{
    Sites s;
    for (int r = 0; r < 10; ++r)
        add(s, 400, 20.f + 57.f * r);
    expectExact(s);
}

TEST(OracleDegenerate, Diagonal)
{
    Sites s;
    for (int k = 0; k < 9; ++k)
        add(s, 50.f + 60.f * k, 30.f + 60.f * k);
    expectExact(s);
}

TEST(OracleDegenerate, PointsOnACircle)
{
    Sites s;
    for (int k = 0; k < 16; ++k) {
        const double a = 2 * std::numbers::pi * k / 16;
        add(s, static_cast<float>(394 + 200 * std::cos(a)), static_cast<float>(282 + 200 * std::sin(a)));
    }
    expectExact(s);
}

TEST(OracleDegenerate, CircleWithItsCentre)
{
    Sites s;
    add(s, 394, 282);
    for (int k = 0; k < 12; ++k) {
        const double a = 2 * std::numbers::pi * k / 12;
        add(s, static_cast<float>(394 + 150 * std::cos(a)), static_cast<float>(282 + 150 * std::sin(a)));
    }
    expectExact(s);
}

TEST(OracleDegenerate, DuplicatesCountAsOneSite)
{
    Sites s;
    for (const auto& [x, y] : {std::pair{100.f, 100.f}, {500.f, 120.f}, {300.f, 400.f}, {650.f, 450.f}}) {
        add(s, x, y);
        add(s, x, y);
    }
    add(s, 300, 400);
    expectExact(s);
}

TEST(OracleDegenerate, ThirdSitesSharingXOrYWithAPairSite)
{
    Sites s;
    for (const auto& [x, y] :
         {std::pair{200.f, 200.f}, {200.f, 350.f}, {420.f, 200.f}, {420.f, 500.f}, {600.f, 350.f}, {90.f, 500.f}})
        add(s, x, y);
    expectExact(s);
}

TEST(OracleDegenerate, SitesOnTheCanvasCornersAndEdges)
{
    Sites s;
    for (const auto& [x, y] :
         {std::pair{0.f, 0.f}, {W, 0.f}, {0.f, H}, {W, H}, {394.f, 0.f}, {0.f, 282.f}, {394.f, 282.f}})
        add(s, x, y);
    expectExact(s);
}

TEST(OracleDegenerate, TwoSites)
{
    Sites s;
    add(s, 100, 100);
    add(s, 300, 200);
    expectExact(s);
}
