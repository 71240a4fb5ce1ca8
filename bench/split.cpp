// quillet-bench's split of a whole run: where each millisecond of it goes.

#include <benchmark/benchmark.h>

#include <chrono>

#include "app/frmquillet.h"
#include "bench/runs.h"

namespace {

// The window, timing the kinds of work in a run: the edges' drawing, the
// pumps and, inside them or not, the repaints.
class TimedForm : public frmQuillet {
public:
    using Clock = std::chrono::steady_clock;
    using frmQuillet::frmQuillet;
    Clock::duration drawing{}, pumps{}, repaints{};
    Clock::time_point firstPump{};

    // Adds the time from here to the end of the scope to into.
    struct Timing {
        Clock::duration& into;
        Clock::time_point start = Clock::now();
        ~Timing() { into += Clock::now() - start; }
    };
    void line(float x1, float y1, float x2, float y2) override
    {
        const Timing t{drawing};
        frmQuillet::line(x1, y1, x2, y2);
    }
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
// clock read around each part costs a little of its own, which falls to the
// parts.
void BM_RunSplit(benchmark::State& state)
{
    Rng random(seedFor(static_cast<int>(state.range(0))));
    TimedForm form(random);
    form.Form_Load();
    using Ms = std::chrono::duration<double, std::milli>;
    double setup = 0, search = 0, drawing = 0, pumps = 0, repaints = 0;
    for (auto _ : state) {
        form.drawing = form.pumps = form.repaints = {};
        form.firstPump = {};
        const auto start = TimedForm::Clock::now();
        form.cmdRetry_Click();
        const auto end = TimedForm::Clock::now();
        const Ms whole = end - start, set = form.firstPump - start;
        setup += set.count();
        drawing += Ms(form.drawing).count();
        pumps += Ms(form.pumps - form.repaints).count();
        repaints += Ms(form.repaints).count();
        search += (whole - set - Ms(form.drawing) - Ms(form.pumps)).count();
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
