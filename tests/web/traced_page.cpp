// The page's program as the page's tests load it: as the shipped one, and
// steered by window.quilletTest = { seed, trace: [], turnEveryPump, pumpMs }
// when a test sets it before the page loads. The runs then use that seed,
// every drawing operation is written to trace, one line each, as
// quillet-trace prints it, (turnEveryPump) the browser has a turn at every
// pump of a run, and (pumpMs) each pump takes that long at least, as on a
// slow processor; each run's start and end (performance.now()) go to
// startedAt and finishedAt, and runs counts the runs finished.

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
        Page::line(x1, y1, x2, y2);
        pen_.lineTo(x2, y2);
        trace(traceLine(x1, y1, x2, y2));
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
        trace("pump");
        const double until = emscripten_get_now() + pumpMs_;
        while (emscripten_get_now() < until) {
            // (a slow processor's pump)
        }
        if (turnEveryPump_)
            emscripten_sleep(0);
        return Page::pump();  // (whether the run goes on: the shipped page's answer)
    }
    void runStarted() override
    {
        Page::runStarted();
        testRunStarted();
    }
    void runFinished(std::int16_t sites) override
    {
        Page::runFinished(sites);
        testRunFinished();
    }

private:
    void trace(const std::string& line)
    {
        if (tracing_)
            testTrace(line.c_str());
    }

    Pen pen_;
    bool tracing_ = testTracing();
    bool turnEveryPump_ = testTurnEveryPump();
    double pumpMs_ = testPumpMs();
};

}  // namespace

int main()
{
    static Rng random(testOrBrowserSeed);
    static TracedPage page(random);
    startPage(page);
    return 0;
}
