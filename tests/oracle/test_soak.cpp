#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "diagram/run.h"
#include "tests/support/oracle.h"
#include "tools/recording/recording_surface.h"

using Kind = RecordingSurface::Kind;

namespace {

// Many whole runs on a canvas W x H, each finished, its every line and circle
// finite and in the run's colour, and its drawing the exact diagram. QUILLET_SOAK_RUNS sets how many (the
// sanitizer build runs fewer).
void soak(float W, float H)
{
    const char* env = std::getenv("QUILLET_SOAK_RUNS");
    const int runs = env ? std::atoi(env) : 20000;
    int wrong = 0;
    for (int r = 1; r <= runs; ++r) {
        const auto seed = static_cast<std::uint64_t>(r) * 7919;
        RecordingSurface s(W, H, seed);
        ASSERT_TRUE(runDiagram(s)) << "seed " << seed;
        ASSERT_TRUE(s.retryEnabled());

        // (Each run's colour, count, label and circles keep their ranges: the
        // set-up's test holds them. One pump per pair: the run's test.)
        const std::uint32_t c = s.all(Kind::Colour).at(0).value;
        for (const auto& op : s.ops()) {
            if (op.kind == Kind::Line || op.kind == Kind::Circle) {
                ASSERT_TRUE(std::isfinite(op.x1) && std::isfinite(op.y1) && std::isfinite(op.x2) &&
                            std::isfinite(op.y2))
                    << "seed " << seed;
                ASSERT_EQ(op.value, c);
            }
        }
        Sites sites;  // as the circles show them
        for (const auto& circle : s.all(Kind::Circle)) {
            sites.X[sites.N] = circle.x1;
            sites.Y[sites.N] = circle.y1;
            ++sites.N;
        }
        const Comparison cmp = compareDiagrams(drawnEdges(s, W, H), exactDiagram(sites, W, H), W, H);
        if (!cmp.ok()) {
            ++wrong;
            ADD_FAILURE() << "seed " << seed << " (N = " << sites.N << "): " << described(cmp);
        }
    }
    EXPECT_EQ(wrong, 0) << "of " << runs << " runs";
}

}  // namespace

TEST(Soak, RunsKeepEveryPromiseAndDrawTheExactDiagram) { soak(788, 565); }

// The canvas as the program reads it under a window manager: the outer size.
TEST(Soak, RunsOnTheFramedCanvas) { soak(790, 586); }
