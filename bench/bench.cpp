// quillet-bench: what a run costs, and what its parts cost.
//
// The ratios tracked: a full run against the same drawing with no geometry
// (BM_FullRun / BM_DrawOnly), the edge search against a geometry library's
// exact diagram of the same sites (BM_EdgeSearch / BM_Reference), and how the
// edge search grows with N.

#include <benchmark/benchmark.h>

#include <CGAL/Delaunay_triangulation_2.h>
#include <CGAL/Exact_predicates_inexact_constructions_kernel.h>

#include <QApplication>
#include <chrono>
#include <vector>

#include "app/frmquillet.h"
#include "diagram/random.h"
#include "diagram/recording_surface.h"
#include "diagram/run.h"
#include "numeric/dist.h"
#include "numeric/hsort.h"

namespace {

using Kind = RecordingSurface::Kind;
constexpr float W = 788;
constexpr float H = 565;

// A surface that only counts, and times the gaps between pumps.
class CountingSurface : public Surface {
public:
    long lines = 0;
    long pumps = 0;
    std::chrono::steady_clock::duration longestPair{};

    void show() override {}
    void refresh() override {}
    void clear() override {}
    void setColour(std::uint32_t) override {}
    std::uint32_t colour() const override { return 0; }
    void setFontSize(int) override {}
    float outerWidth() const override { return W * twipsPerPixel; }
    float outerHeight() const override { return H * twipsPerPixel; }
    void line(float, float, float, float) override { ++lines; }
    void circle(float, float, float, std::uint32_t) override {}
    void print(std::string_view, std::int16_t) override {}
    void setRetryEnabled(bool) override {}
    bool pump() override
    {
        const auto now = std::chrono::steady_clock::now();
        if (pumps++ > 0)
            longestPair = std::max(longestPair, now - last_);
        last_ = now;
        return true;
    }
    void reseed() override {}
    float nextRandom() override { return 0; }

private:
    std::chrono::steady_clock::time_point last_;
};

Sites randomSites(int n, std::uint64_t seed)
{
    Rng rng(seed);
    Sites s;
    s.N = static_cast<std::int16_t>(n);
    for (int k = 0; k < n; ++k) {
        s.X[k] = rng.next() * W;
        s.Y[k] = rng.next() * H;
        s.D[k] = dist(0, 0, s.X[k], s.Y[k]);
    }
    return s;
}

// The first seed whose run has 99 sites.
std::uint64_t seedForNinetyNine()
{
    for (std::uint64_t seed = 1;; ++seed) {
        Rng rng(seed);
        for (int k = 0; k < 5; ++k)
            rng.next();
        if (static_cast<int>(rng.next() * 96) + 4 == 99)
            return seed;
    }
}

void BM_Dist(benchmark::State& state)
{
    float x = 1.5f, y = 2.5f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(dist(x, y, 300.25f, 400.75f));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Dist);

void BM_HSort(benchmark::State& state)
{
    const Sites sites = randomSites(static_cast<int>(state.range(0)), 7);
    for (auto _ : state) {
        Sites s = sites;
        hSort(s.N, std::span<double>(s.D), std::span<float>(s.X), std::span<float>(s.Y));
        benchmark::DoNotOptimize(s.D.data());
    }
}
BENCHMARK(BM_HSort)->Arg(99);

void BM_EdgeSearch(benchmark::State& state)
{
    const Sites sites = randomSites(static_cast<int>(state.range(0)), 12345);
    CountingSurface surface;
    for (auto _ : state) {
        Sites s = sites;
        drawEdges(surface, s);
    }
    // The longest gap between two pumps, against a whole search: how long
    // End may have to wait.
    state.counters["lines"] = static_cast<double>(surface.lines) / static_cast<double>(state.iterations());
    state.counters["longest_pair_us"] = std::chrono::duration<double, std::micro>(surface.longestPair).count();
}
BENCHMARK(BM_EdgeSearch)->Arg(10)->Arg(25)->Arg(50)->Arg(99)->Unit(benchmark::kMicrosecond);

void BM_FullRun(benchmark::State& state)
{
    const std::uint64_t seed = seedForNinetyNine();
    frmQuillet form([seed] { return seed; });
    form.Form_Load();
    for (auto _ : state)
        form.cmdRetry_Click();
}
BENCHMARK(BM_FullRun)->Arg(99)->Unit(benchmark::kMillisecond);

// The same drawing operations and pumps as BM_FullRun's run, replayed on the
// window with no geometry.
void BM_DrawOnly(benchmark::State& state)
{
    const std::uint64_t seed = seedForNinetyNine();
    frmQuillet form([seed] { return seed; });
    form.Form_Load();
    RecordingSurface recorded(form.outerWidth() / twipsPerPixel, form.outerHeight() / twipsPerPixel, seed);
    runDiagram(recorded);
    for (auto _ : state) {
        form.clear();
        for (const auto& op : recorded.ops()) {
            switch (op.kind) {
            case Kind::Show: form.show(); break;
            case Kind::Refresh: form.refresh(); break;
            case Kind::Colour: form.setColour(op.value); break;
            case Kind::FontSize: form.setFontSize(static_cast<int>(op.value)); break;
            case Kind::Line: form.line(op.x1, op.y1, op.x2, op.y2); break;
            case Kind::Circle: form.circle(op.x1, op.y1, op.x2, op.value); break;
            case Kind::Print: form.print("N=", static_cast<std::int16_t>(op.value)); break;
            case Kind::RetryEnabled: form.setRetryEnabled(op.value != 0); break;
            case Kind::Pump: form.pump(); break;
            case Kind::Reseed: form.reseed(); break;
            case Kind::Random: form.nextRandom(); break;
            case Kind::Clear: form.clear(); break;
            }
        }
    }
}
BENCHMARK(BM_DrawOnly)->Arg(99)->Unit(benchmark::kMillisecond);

// What a geometry library needs for the same job: the Delaunay triangulation
// of the sites and the dual of every edge.
void BM_Reference(benchmark::State& state)
{
    using K = CGAL::Exact_predicates_inexact_constructions_kernel;
    using DT = CGAL::Delaunay_triangulation_2<K>;
    const Sites sites = randomSites(static_cast<int>(state.range(0)), 12345);
    std::vector<K::Point_2> points;
    for (int k = 0; k < sites.N; ++k)
        points.emplace_back(sites.X[k], sites.Y[k]);
    for (auto _ : state) {
        DT dt(points.begin(), points.end());
        int edges = 0;
        for (auto e = dt.finite_edges_begin(); e != dt.finite_edges_end(); ++e) {
            const CGAL::Object dual = dt.dual(*e);
            edges += !dual.empty();
        }
        benchmark::DoNotOptimize(edges);
    }
}
BENCHMARK(BM_Reference)->Arg(99)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
