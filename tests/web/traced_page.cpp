// The page's program as the page's tests load it: as the shipped one, and
// steered by window.quilletTest = { seed, trace: [], turnEveryPump, pumpMs, split }
// when a test sets it before the page loads. The runs then use that seed,
// every drawing operation is written to trace, one line each, as
// quillet-trace prints it, (turnEveryPump) the browser has a turn at every
// pump of a run, and (pumpMs) each pump takes that long at least, as on a
// slow processor; each run's start and end (performance.now()) go to
// startedAt and finishedAt, and runs counts the runs finished; (split) each
// run's time goes to split in milliseconds, as quillet-bench's BM_RunSplit
// splits the window's: the set-up up to the first pump, the search, the
// edges' drawing and the pumps, the browser's turns in them.

#include <emscripten.h>

#include "tools/recording/trace_line.h"
#include "web/page.h"

namespace {

EM_JS(double, testSeed, (), {
    const t = window.quilletTest;
    return t && Number.isInteger(t.seed) ? t.seed : -1;
});
EM_JS(bool, testTracing, (), { return !!(window.quilletTest && Array.isArray(window.quilletTest.trace)); });
EM_JS(bool, testTurnEveryPump, (), { return !!(window.quilletTest && window.quilletTest.turnEveryPump); });
EM_JS(double, testPumpMs, (), { return (window.quilletTest && window.quilletTest.pumpMs) || 0; });
EM_JS(bool, testSplitting, (), { return !!(window.quilletTest && window.quilletTest.split); });
// Two statements, not one: clang-format 14 and 19 lay out a one-statement
// block here each its own way, and each refuses the other's.
EM_JS(void, testSplit, (double setup, double search, double drawing, double pumps), {
    const split = {setup, search, drawing, pumps};
    window.quilletTest.split = split;
});
EM_JS(void, testTrace, (const char* line), { window.quilletTest.trace.push(UTF8ToString(line)); });
EM_JS(void, testRunStarted, (), {
    if (window.quilletTest)
        window.quilletTest.startedAt = performance.now();
});
EM_JS(void, testRunFinished, (), {
    const t = window.quilletTest;
    if (t) {
        t.finishedAt = performance.now();
        t.runs = (t.runs || 0) + 1;
    }
});

// The test's seed, or the browser's as the shipped page has it.
std::uint64_t testOrBrowserSeed()
{
    const double seed = testSeed();
    return seed < 0 ? browserSeed() : static_cast<std::uint64_t>(seed);
}

class TracedPage : public Page {
public:
    explicit TracedPage(Random& random) : Page(random) { trace(traceCanvas(Window::width, Window::height)); }

    // (the pen as the page keeps it, for the label's position)
    void clear() override
    {
        Page::clear();
        pen_.clear();
    }
    void setColour(std::uint32_t c) override
    {
        Page::setColour(c);
        trace(traceColour(c));
    }
    void setFontSize(int points) override
    {
        Page::setFontSize(points);
        pen_.points = points;
    }
    void line(float x1, float y1, float x2, float y2) override
    {
        const double at = now();
        Page::line(x1, y1, x2, y2);
        pen_.lineTo(x2, y2);
        trace(traceLine(x1, y1, x2, y2));
        split_.drawing += now() - at;
    }
    void circle(float x, float y, float r, std::uint32_t c) override
    {
        Page::circle(x, y, r, c);
        trace(traceCircle(x, y, r));
    }
    void print(std::string_view item, std::int16_t n) override
    {
        trace(traceLabel(pen_.x, pen_.y, printedText(item, n)));
        Page::print(item, n);
        pen_.newLine();
    }
    bool pump() override
    {
        const double at = now();
        if (split_.firstPump == 0)
            split_.firstPump = at;
        trace("pump");
        const double until = emscripten_get_now() + pumpMs_;
        while (emscripten_get_now() < until) {
            // (a slow processor's pump)
        }
        if (turnEveryPump_)
            emscripten_sleep(0);
        const bool goesOn = Page::pump();  // (the shipped page's answer)
        split_.pumps += now() - at;
        return goesOn;
    }
    void runStarted() override
    {
        split_ = Split{.start = now()};
        Page::runStarted();
        testRunStarted();
    }
    void runFinished(std::int16_t sites) override
    {
        const Split& s = split_;
        if (splitting_) {
            const double setup = s.firstPump - s.start;
            testSplit(setup, now() - s.start - setup - s.drawing - s.pumps, s.drawing, s.pumps);
        }
        Page::runFinished(sites);
        testRunFinished();
    }

private:
    struct Split {
        double start = 0, firstPump = 0, drawing = 0, pumps = 0;
    };
    // The clock, read only while splitting a run.
    double now() const { return splitting_ ? emscripten_get_now() : 0; }
    void trace(const std::string& line)
    {
        if (tracing_)
            testTrace(line.c_str());
    }

    Pen pen_;
    bool tracing_ = testTracing();
    bool turnEveryPump_ = testTurnEveryPump();
    double pumpMs_ = testPumpMs();
    bool splitting_ = testSplitting();
    Split split_;
};

}  // namespace

int main()
{
    static Rng random(testOrBrowserSeed);
    static TracedPage page(random);
    startPage(page);
    return 0;
}
