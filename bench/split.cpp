// quillet-bench's split of a whole run: where each millisecond of it goes.

#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "app/frmquillet.h"
#include "bench/runs.h"
#include "diagram/run.h"
#include "tools/recording/recording_surface.h"

namespace {

// The window, timing the kinds of work in a run: the pumps and, inside them
// or not, the repaints.
class TimedForm : public frmQuillet {
public:
    using Clock = std::chrono::steady_clock;
    using frmQuillet::frmQuillet;
    Clock::duration pumps{}, repaints{};
    Clock::time_point firstPump{};

    // Adds the time from here to the end of the scope to into.
    struct Timing {
        Clock::duration& into;
        Clock::time_point start = Clock::now();
        ~Timing() { into += Clock::now() - start; }
    };
    bool pump() override
    {
        if (firstPump == Clock::time_point{})
            firstPump = Clock::now();
        const Timing t{pumps};
        return frmQuillet::pump();
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        Clock::duration setUps{};  // (the set-up's repaint is the set-up's)
        const Timing t{firstPump == Clock::time_point{} ? setUps : repaints};
        frmQuillet::paintEvent(event);
    }
};

// BM_FullRun's run split, in milliseconds a run: its set-up (up to the first
// pump: the clearing, the circles and the label), and then the search, the
// edges' drawing, the pumps (their repaints apart) and the repaints. The
// edges' drawing is timed apart, the run's lines drawn once more on the same
// canvas; the search is the rest. The clock read around each part costs a
// little of its own, which falls to the parts.
void BM_RunSplit(benchmark::State& state)
{
    const std::uint64_t seed = seedFor(static_cast<int>(state.range(0)));
    Rng random(seed);
    TimedForm form(random);
    form.Form_Load();
    RecordingSurface recorded(form.outerWidth() / twipsPerPixel, form.outerHeight() / twipsPerPixel, seed);
    runDiagram(recorded);
    const std::vector<RecordingSurface::Op> edges = recorded.all(RecordingSurface::Kind::Line);
    using Ms = std::chrono::duration<double, std::milli>;
    double setup = 0, search = 0, drawing = 0, pumps = 0, repaints = 0;
    for (auto _ : state) {
        form.pumps = form.repaints = {};
        form.firstPump = {};
        const auto start = TimedForm::Clock::now();
        form.cmdRetry_Click();
        const auto end = TimedForm::Clock::now();
        replay(edges, form.canvas());
        const Ms drawn = TimedForm::Clock::now() - end;
        const Ms whole = end - start, set = form.firstPump - start;
        setup += set.count();
        drawing += drawn.count();
        pumps += Ms(form.pumps - form.repaints).count();
        repaints += Ms(form.repaints).count();
        search += (whole - set - drawn - Ms(form.pumps)).count();
    }
    const auto perRun = [&](double ms) { return benchmark::Counter(ms, benchmark::Counter::kAvgIterations); };
    state.counters["setup_ms"] = perRun(setup);
    state.counters["search_ms"] = perRun(search);
    state.counters["drawing_ms"] = perRun(drawing);
    state.counters["pumps_ms"] = perRun(pumps);
    state.counters["repaints_ms"] = perRun(repaints);
}
BENCHMARK(BM_RunSplit)->Arg(99)->Unit(benchmark::kMillisecond);

}  // namespace
