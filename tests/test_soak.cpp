#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "diagram/recording_surface.h"
#include "diagram/run.h"

using Kind = RecordingSurface::Kind;

// Many whole runs, each held to what every run promises. QUILLET_SOAK_RUNS
// sets how many (the sanitizer build runs fewer).
TEST(Soak, TwentyThousandRunsKeepEveryPromise)
{
    const char* env = std::getenv("QUILLET_SOAK_RUNS");
    const int runs = env ? std::atoi(env) : 20000;
    for (int r = 1; r <= runs; ++r) {
        const auto seed = static_cast<std::uint64_t>(r) * 7919;
        RecordingSurface s(788, 565, seed);
        ASSERT_TRUE(runDiagram(s)) << "seed " << seed;

        const auto labels = s.all(Kind::Print);
        ASSERT_EQ(labels.size(), 1u);
        const int n = static_cast<int>(labels[0].value);
        ASSERT_GE(n, 4);
        ASSERT_LE(n, 99);
        ASSERT_EQ(labels[0].text, "N= " + std::to_string(n) + " ");
        ASSERT_EQ(s.count(Kind::Circle), static_cast<std::size_t>(n));
        ASSERT_EQ(s.pumps(), n * (n - 1) / 2) << "seed " << seed;

        const std::uint32_t c = s.all(Kind::Colour).at(0).value;
        ASSERT_TRUE(redOf(c) >= 122 && redOf(c) <= 244 && greenOf(c) >= 222 && greenOf(c) <= 244 && blueOf(c) >= 222 &&
                    blueOf(c) <= 244);
        for (const auto& op : s.ops()) {
            if (op.kind == Kind::Line || op.kind == Kind::Circle) {
                ASSERT_TRUE(std::isfinite(op.x1) && std::isfinite(op.y1) && std::isfinite(op.x2) &&
                            std::isfinite(op.y2))
                    << "seed " << seed;
                ASSERT_EQ(op.value, c);
            }
        }
        ASSERT_TRUE(s.retryEnabled());
    }
}
