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
#include <algorithm>
#include <chrono>
#include <vector>

#include "app/frmquillet.h"
#include "bench/runs.h"
#include "diagram/random.h"
#include "diagram/run.h"
#include "numeric/dist.h"
#include "numeric/hsort.h"
#include "tests/support/plain_search.h"
#include "tools/recording/recording_surface.h"
#include "window/window.h"

// The first seed whose run has n sites.
std::uint64_t seedFor(int n)
{
    for (std::uint64_t seed = 1;; ++seed) {
        RecordingSurface s(seed);
        s.keep(false);
        if (setUpRun(s).N == n)
            return seed;
    }
}

// The sites of that run, as its set-up scatters them.
Sites sitesOfRun(int n)
{
    RecordingSurface s(seedFor(n));
    s.keep(false);
    return setUpRun(s);
}

namespace {

using Kind = RecordingSurface::Kind;
constexpr float W = Window::width;
constexpr float H = Window::height;

// A host and drawing that only count lines; when timed, it also times each
// pair: the time from one pump to the next is what End may have to wait.
class CountingSurface : public Host, public Drawing {
public:
    using Clock = std::chrono::steady_clock;
    long lines = 0;
    bool timed = false;
    Clock::duration longestPair{};

    void startRun()
    {
        longestPair = {};
        last_ = Clock::now();
    }
    void endRun() { pump(); }

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
        if (timed) {
            const auto now = Clock::now();
            longestPair = std::max(longestPair, now - last_);
            last_ = now;
        }
        return true;
    }

private:
    Clock::time_point last_;
};

// One call a loop, on a run's sites, which the compiler cannot see: each
// call takes the next two sites.
void BM_Dist(benchmark::State& state)
{
    const Sites sites = sitesOfRun(99);
    int k = 0;
    for (auto _ : state) {
        const int m = k + 1 == sites.N ? 0 : k + 1;
        benchmark::DoNotOptimize(dist(sites.X[k], sites.Y[k], sites.X[m], sites.Y[m]));
        k = m;
    }
}
BENCHMARK(BM_Dist);

void BM_HSort(benchmark::State& state)
{
    const Sites sites = sitesOfRun(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Sites s = sites;
        hSort(s.N, std::span<double>(s.D), std::span<float>(s.X), std::span<float>(s.Y));
        benchmark::DoNotOptimize(s.D.data());
    }
}
BENCHMARK(BM_HSort)->Arg(99);

// One search per iteration, on a surface that only counts; returns the lines
// drawn per search.
double searchRepeatedly(benchmark::State& state, bool (*search)(Host&, Drawing&, Sites&), const Sites& sites,
                        CountingSurface& surface)
{
    for (auto _ : state) {
        Sites s = sites;
        search(surface, surface, s);
    }
    return static_cast<double>(surface.lines) / static_cast<double>(state.iterations());
}

void BM_EdgeSearch(benchmark::State& state)
{
    const Sites sites = sitesOfRun(static_cast<int>(state.range(0)));
    CountingSurface surface;
    state.counters["lines"] = searchRepeatedly(state, drawEdges, sites, surface);

    // Then, untimed by the benchmark, the longest pair of a search: the
    // median over 21 searches (which leaves out the odd one the machine
    // interrupted), and its share of a whole search.
    surface.timed = true;
    std::vector<double> longest, whole;
    for (int run = 0; run < 21; ++run) {
        Sites s = sites;
        const auto start = CountingSurface::Clock::now();
        surface.startRun();
        drawEdges(surface, surface, s);
        surface.endRun();
        whole.push_back(std::chrono::duration<double, std::micro>(CountingSurface::Clock::now() - start).count());
        longest.push_back(std::chrono::duration<double, std::micro>(surface.longestPair).count());
    }
    std::nth_element(longest.begin(), longest.begin() + 10, longest.end());
    std::nth_element(whole.begin(), whole.begin() + 10, whole.end());
    state.counters["longest_pair_us"] = longest[10];
    state.counters["longest_pair_share"] = longest[10] / whole[10];
}
BENCHMARK(BM_EdgeSearch)->Arg(10)->Arg(25)->Arg(50)->Arg(99)->Unit(benchmark::kMicrosecond);

// The plain edge search of the tests, which draws the same lines: what the
// program's search saves.
void BM_PlainEdgeSearch(benchmark::State& state)
{
    CountingSurface surface;
    state.counters["lines"] =
        searchRepeatedly(state, drawEdgesReference, sitesOfRun(static_cast<int>(state.range(0))), surface);
}
BENCHMARK(BM_PlainEdgeSearch)->Arg(99)->Unit(benchmark::kMicrosecond);

void BM_FullRun(benchmark::State& state)
{
    const std::uint64_t seed = seedFor(static_cast<int>(state.range(0)));
    Rng random(seed);
    frmQuillet form(random);
    form.Form_Load();
    for (auto _ : state)
        form.cmdRetry_Click();
}
BENCHMARK(BM_FullRun)->Arg(99)->Unit(benchmark::kMillisecond);

// The same drawing operations and pumps as BM_FullRun's run, replayed on the
// window with no geometry; /0, the drawing alone, without the pumps.
void BM_DrawOnly(benchmark::State& state)
{
    const bool pumping = state.range(1) != 0;
    const std::uint64_t seed = seedFor(static_cast<int>(state.range(0)));
    Rng random(seed);
    frmQuillet form(random);
    form.Form_Load();
    RecordingSurface recorded(form.outerWidth() / twipsPerPixel, form.outerHeight() / twipsPerPixel, seed);
    runDiagram(recorded);
    Canvas& canvas = form.canvas();
    for (auto _ : state) {
        canvas.clear();
        for (const auto& op : recorded.ops()) {
            switch (op.kind) {
            case Kind::Show: form.show(); break;
            case Kind::Refresh: form.refresh(); break;
            case Kind::Colour: canvas.setColour(op.value); break;
            case Kind::FontSize: canvas.setFontSize(static_cast<int>(op.value)); break;
            case Kind::Line: canvas.line(op.x1, op.y1, op.x2, op.y2); break;
            case Kind::Circle: canvas.circle(op.x1, op.y1, op.x2, op.value); break;
            case Kind::Print: canvas.print("N=", static_cast<std::int16_t>(op.value)); break;
            case Kind::RetryEnabled: form.setRetryEnabled(op.value != 0); break;
            case Kind::Pump:
                if (pumping)
                    form.pump();
                break;
            case Kind::Reseed: random.reseed(); break;
            case Kind::Random: random.next(); break;
            case Kind::Clear: canvas.clear(); break;
            }
        }
    }
}
BENCHMARK(BM_DrawOnly)->Args({99, 1})->Args({99, 0})->Unit(benchmark::kMillisecond);

// What a geometry library needs for the same job: the Delaunay triangulation
// of the sites and the dual of every edge.
void BM_Reference(benchmark::State& state)
{
    using K = CGAL::Exact_predicates_inexact_constructions_kernel;
    using DT = CGAL::Delaunay_triangulation_2<K>;
    const Sites sites = sitesOfRun(static_cast<int>(state.range(0)));
    std::vector<K::Point_2> points;
    points.reserve(static_cast<std::size_t>(sites.N));
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
