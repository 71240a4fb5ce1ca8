#include <gtest/gtest.h>

#include <cmath>

#include "diagram/bisector.h"

// Expected ends are worked out by hand from the line's equation; the sites are
// chosen so that every value is exact in single precision.

namespace {

constexpr float W = 788;
constexpr float H = 565;

// The bisector of i and j, clipped to the canvas, as a run takes it.
Bisector clippedBisector(float xi, float yi, float xj, float yj, float W, float H)
{
    return clip(perpendicularBisector(xi, yi, xj, yj), W, H);
}

void expectEnds(const Bisector& s, float x1, float y1, float x2, float y2)
{
    EXPECT_EQ(s.x1, x1);
    EXPECT_EQ(s.y1, y1);
    EXPECT_EQ(s.x2, x2);
    EXPECT_EQ(s.y2, y2);
}

}  // namespace

TEST(Bisector, SlopeAndInterceptOfAnOrdinaryPair)
{
    // (100, 100)-(300, 300): perpendicular slope -1 through (200, 200).
    const Bisector s = clippedBisector(100, 100, 300, 300, W, H);
    ASSERT_EQ(s.line.kind, Line::Kind::Sloped);
    EXPECT_EQ(s.line.p, -1);
    EXPECT_EQ(s.line.b, 400);
    expectEnds(s, 0, 400, 400, 0);  // left edge, then the top edge (p <= 0)
}

TEST(Bisector, CrossesBothSideEdges)
{
    // slope -1/16 through (102, 232): y = 238.375 - x / 16.
    const Bisector s = clippedBisector(100, 200, 104, 264, W, H);
    EXPECT_EQ(s.line.p, -0.0625f);
    expectEnds(s, 0, 238.375f, W, 189.125f);
}

TEST(Bisector, SteepRisingLineEntersAtTopAndLeavesAtBottom)
{
    // slope 64 through (336, 301): y = 64x - 21203.
    const Bisector s = clippedBisector(400, 300, 272, 302, W, H);
    EXPECT_EQ(s.line.p, 64);
    EXPECT_EQ(s.line.b, -21203);
    expectEnds(s, 331.296875f, 0, 340.125f, H);
}

TEST(Bisector, SteepFallingLineEntersAtBottomAndLeavesAtTop)
{
    // slope -64 through (336, 299): y = 21803 - 64x.
    const Bisector s = clippedBisector(400, 300, 272, 298, W, H);
    EXPECT_EQ(s.line.p, -64);
    expectEnds(s, 331.84375f, H, 340.671875f, 0);
}

// The four strict comparisons, each on a line where the strict and the
// non-strict rule give different ends.

TEST(Bisector, InterceptExactlyZeroIsNotALeftEdgeCrossing)
{
    // y = -x: b = 0, and p <= 0 takes the first end to the bottom edge.
    const Bisector s = clippedBisector(10, 10, -10, -10, W, H);
    EXPECT_EQ(s.line.p, -1);
    EXPECT_EQ(s.line.b, 0);
    expectEnds(s, -H, H, 0, 0);  // not (0, 0) first
}

TEST(Bisector, InterceptExactlyHIsNotALeftEdgeCrossing)
{
    // y = x + 565: b = H, and p > 0 takes the first end to the top edge.
    const Bisector s = clippedBisector(0, 575, 10, 565, W, H);
    EXPECT_EQ(s.line.p, 1);
    EXPECT_EQ(s.line.b, H);
    expectEnds(s, -H, 0, 0, H);  // not (0, H) first
}

TEST(Bisector, RightEdgeHeightExactlyZeroIsNotARightEdgeCrossing)
{
    // y = x - 788 meets the right edge at y = 0; p > 0 takes the second end
    // to the bottom edge.
    const Bisector s = clippedBisector(395, -383, 405, -393, W, H);
    EXPECT_EQ(s.line.b, -W);
    expectEnds(s, W, 0, H + W, H);  // not (W, 0) second
}

TEST(Bisector, RightEdgeHeightExactlyHIsNotARightEdgeCrossing)
{
    // y = 1353 - x meets the right edge at y = H; p <= 0 takes the second
    // end to the top edge.
    const Bisector s = clippedBisector(395, 948, 405, 958, W, H);
    EXPECT_EQ(s.line.b, H + W);
    expectEnds(s, W, H, H + W, 0);  // not (W, H) second
}

TEST(Bisector, OnlyAPositiveSlopeEntersAtTheTop)
{
    // A level line wholly above the canvas, p = -0: not above 0, so its first
    // end is on the bottom edge (at infinity), and its second on the top.
    const Bisector s = clippedBisector(100, -10, 100, -30, W, H);
    ASSERT_TRUE(std::signbit(s.line.p));
    EXPECT_EQ(s.y1, H);
    EXPECT_EQ(s.y2, 0);
}

TEST(Bisector, LineWhollyBelowTheCanvasStillGetsTwoEnds)
{
    // y = x + 600 never enters the canvas.
    const Bisector s = clippedBisector(9, 611, 11, 609, W, H);
    EXPECT_EQ(s.line.p, 1);
    EXPECT_EQ(s.line.b, 600);
    expectEnds(s, -600, 0, -35, H);
}

TEST(BisectorDegenerate, SitesWithEqualXGiveAHorizontalLine)
{
    // a = -inf, p = -1 / -inf = +0; the ordinary rules then give both sides.
    const Bisector down = clippedBisector(100, 100, 100, 300, W, H);
    ASSERT_EQ(down.line.kind, Line::Kind::Sloped);
    EXPECT_EQ(down.line.p, 0);
    EXPECT_FALSE(std::signbit(down.line.p));
    EXPECT_EQ(down.line.b, 200);
    expectEnds(down, 0, 200, W, 200);

    const Bisector up = clippedBisector(100, 300, 100, 100, W, H);
    EXPECT_TRUE(std::signbit(up.line.p));  // a = +inf, p = -0
    expectEnds(up, 0, 200, W, 200);
}

TEST(BisectorDegenerate, SitesWithEqualYGiveAVerticalLineFromTopToBottom)
{
    const Bisector s = clippedBisector(100, 50, 300, 50, W, H);
    ASSERT_EQ(s.line.kind, Line::Kind::Steep);
    EXPECT_EQ(s.line.p, 0);
    EXPECT_EQ(s.line.b, 200);
    expectEnds(s, 200, 0, 200, H);
}

TEST(BisectorDegenerate, CoincidentSitesHaveNoBisector)
{
    EXPECT_EQ(clippedBisector(120.5f, 80, 120.5f, 80, W, H).line.kind, Line::Kind::None);
}

TEST(BisectorCrossing, TwoSlopedLines)
{
    const Line l = Line::sloped(1, 0);    // y = x
    const Line m = Line::sloped(-1, 10);  // y = 10 - x
    EXPECT_EQ(crossing(l, m), (Point{5, 5}));
}

TEST(BisectorCrossing, VerticalLinesMeetSlopedOnesAtTheirX)
{
    const Line sloped = Line::sloped(2, 1);  // y = 2x + 1
    const Line vertical = Line::steep(0, 3);
    EXPECT_EQ(crossing(sloped, vertical), (Point{3, 7}));
}

TEST(BisectorCrossing, ParallelLinesDoNotMeet)
{
    EXPECT_FALSE(crossing(Line::sloped(0.5f, 1), Line::sloped(0.5f, 4)));
    EXPECT_FALSE(crossing(Line::sloped(0.f, 1), Line::sloped(-0.f, 4)));
    EXPECT_FALSE(crossing(Line::steep(0, 1), Line::steep(0, 2)));
}

TEST(BisectorCrossing, OffsetsTellTheSides)
{
    const Line l = perpendicularBisector(0, 0, 10, 0);  // x = 5
    EXPECT_LT(l.offset(0, 100) * l.offset(10, -100), 0);
    EXPECT_GT(l.offset(0, 100) * l.offset(1, -100), 0);
}

TEST(BisectorRounding, EveryStepIsRoundedToSinglePrecision)
{
    // Sites whose values are not exact. The expected floats were worked out
    // apart from the program, one rounding to single precision per step; the
    // differences, the intercept or yW formed in double would each give other
    // floats.
    const Bisector s = clippedBisector(114.8f, 51.3f, 237.5f, 475.3f, W, H);
    EXPECT_EQ(s.line.p, -0x1.285502p-2f);
    EXPECT_EQ(s.line.b, 0x1.3a4684p+8f);
    expectEnds(s, 0, 0x1.3a4684p+8f, W, 0x1.58f464p+6f);
}

TEST(BisectorSteep, LinesSteeperThan128AreKeptAsXFromY)
{
    // |p| = 128 is still y from x; |p| = 129 is x from y, x = p' y + b' with
    // p' = -a, a = 1/129 rounded to a float.
    const Line at128 = perpendicularBisector(0, 0, 128, 1);
    ASSERT_EQ(at128.kind, Line::Kind::Sloped);
    EXPECT_EQ(at128.p, -128);
    const Line at129 = perpendicularBisector(0, 0, 129, 1);
    ASSERT_EQ(at129.kind, Line::Kind::Steep);
    EXPECT_EQ(at129.p, -0x1.fc07fp-8f);
    EXPECT_EQ(at129.b, 64.5f + 0x1.fc07fp-9f);  // mx - p' my, my = 0.5
}
