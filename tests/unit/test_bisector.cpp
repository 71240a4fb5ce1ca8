#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "diagram/bisector.h"
#include "tests/support/same_bits.h"

// Expected lines and ends are worked out by hand from the line's equation;
// the sites are chosen so that every value is exact in single precision, but
// for the one row that says otherwise.

namespace {

constexpr float W = 788;
constexpr float H = 565;
constexpr auto sloped = Line::Kind::Sloped;

}  // namespace

// The bisector of sites i and j as a run takes it, clipped to the canvas: the
// line (y = p x + b, or x = p y + b where it is steep; p to the last bit, so
// that -0 is not +0) and its two ends in order.
TEST(Bisector, LinesAndTheirEnds)
{
    struct Case {
        const char* what;
        float xi, yi, xj, yj;
        Line::Kind kind;
        float p, b;
        float x1, y1, x2, y2;
    };
    const Case cases[] = {
        // (slope -1 through (200, 200): left edge, then the top edge, as p <= 0)
        {"an ordinary pair", 100, 100, 300, 300, sloped, -1, 400, 0, 400, 400, 0},
        {"slope -1/16: both side edges", 100, 200, 104, 264, sloped, -0.0625f, 238.375f, 0, 238.375f, W, 189.125f},
        {"steep, rising: top, then bottom", 400, 300, 272, 302, sloped, 64, -21203, 331.296875f, 0, 340.125f, H},
        {"steep, falling: bottom, then top", 400, 300, 272, 298, sloped, -64, 21803, 331.84375f, H, 340.671875f, 0},
        // The four strict comparisons, each on a line where the strict and
        // the non-strict rule give other ends.
        {"y = -x: b = 0 is no left-edge crossing", 10, 10, -10, -10, sloped, -1, 0, -H, H, 0, 0},
        {"y = x + H: b = H is no left-edge crossing", 0, 575, 10, 565, sloped, 1, H, -H, 0, 0, H},
        {"y = x - W meets the right edge at 0: no crossing there", 395, -383, 405, -393, sloped, 1, -W, W, 0, H + W, H},
        {"y = W + H - x meets the right edge at H: no crossing there", 395, 948, 405, 958, sloped, -1, H + W, W, H,
         H + W, 0},
        {"y = x + 600, wholly below the canvas, still has two ends", 9, 611, 11, 609, sloped, 1, 600, -600, 0, -35, H},
        // Equal x: a = -inf and p = -1 / -inf = +0 (or a = +inf, p = -0);
        // the ordinary rules then give both sides.
        {"equal x, the second below: level, p = +0", 100, 100, 100, 300, sloped, 0.f, 200, 0, 200, W, 200},
        {"equal x, the second above: level, p = -0", 100, 300, 100, 100, sloped, -0.f, 200, 0, 200, W, 200},
        {"equal y: upright, top to bottom", 100, 50, 300, 50, Line::Kind::Steep, 0.f, 200, 200, 0, 200, H},
        // Values not exact: the expected floats were worked out apart from
        // the program, one rounding to single precision per step; the
        // differences, the intercept or yW formed in double would each give
        // other floats.
        {"every step rounded to single precision", 114.8f, 51.3f, 237.5f, 475.3f, sloped, -0x1.285502p-2f,
         0x1.3a4684p+8f, 0, 0x1.3a4684p+8f, W, 0x1.58f464p+6f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Bisector s = clip(perpendicularBisector(c.xi, c.yi, c.xj, c.yj), W, H);
        EXPECT_EQ(s.line.kind, c.kind);
        EXPECT_TRUE(sameBits(s.line.p, c.p)) << s.line.p;
        EXPECT_EQ(s.line.b, c.b);
        EXPECT_EQ(s.x1, c.x1);
        EXPECT_EQ(s.y1, c.y1);
        EXPECT_EQ(s.x2, c.x2);
        EXPECT_EQ(s.y2, c.y2);
    }
}

TEST(Bisector, OnlyAPositiveSlopeEntersAtTheTop)
{
    // A level line wholly above the canvas, p = -0: not above 0, so its first
    // end is on the bottom edge (at infinity), and its second on the top.
    const Bisector s = clip(perpendicularBisector(100, -10, 100, -30), W, H);
    ASSERT_TRUE(std::signbit(s.line.p));
    EXPECT_EQ(s.y1, H);
    EXPECT_EQ(s.y2, 0);
}

TEST(BisectorDegenerate, CoincidentSitesHaveNoBisector)
{
    EXPECT_EQ(perpendicularBisector(120.5f, 80, 120.5f, 80).kind, Line::Kind::None);
}

TEST(BisectorCrossing, WhereTwoLinesMeet)
{
    const struct {
        Line l, m;
        std::optional<Point> at;
    } rows[] = {
        {Line::sloped(1, 0), Line::sloped(-1, 10), Point{5, 5}},       // y = x, y = 10 - x
        {Line::sloped(2, 1), Line::steep(0, 3), Point{3, 7}},          // an upright line meets at its x
        {Line::sloped(0.5f, 1), Line::sloped(0.5f, 4), std::nullopt},  // parallels never
        {Line::sloped(0.f, 1), Line::sloped(-0.f, 4), std::nullopt},
        {Line::steep(0, 1), Line::steep(0, 2), std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(crossing(row.l, row.m), row.at) << row.l.p << " " << row.l.b << ", " << row.m.p << " " << row.m.b;
}

TEST(BisectorCrossing, OffsetsTellTheSides)
{
    const Line l = perpendicularBisector(0, 0, 10, 0);  // x = 5
    EXPECT_LT(l.offset(0, 100) * l.offset(10, -100), 0);
    EXPECT_GT(l.offset(0, 100) * l.offset(1, -100), 0);
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
