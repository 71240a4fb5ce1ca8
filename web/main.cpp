// The page's front end: the run draws on the page's canvas through the
// functions that web/page.js gives it, and the page's buttons reach the
// lifecycle through the three functions exported at the end.

#include <emscripten.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "diagram/random.h"
#include "lifecycle/lifecycle.h"
#include "tools/trace_line.h"

namespace {

// The page: a box of 788 x 565 pixels, and no frame around it.
constexpr float boxWidth = 788;
constexpr float boxHeight = 565;

// What page.js does with what is drawn. (A test that asked for a trace also
// gets each operation as a line, as quillet-trace prints it.)
EM_JS(void, pageClear, (), { Module.page.clear(); });
EM_JS(void, pageLine, (float x1, float y1, float x2, float y2, int colour),
      { Module.page.line(x1, y1, x2, y2, colour); });
EM_JS(void, pageCircle, (float x, float y, float r, int colour), { Module.page.circle(x, y, r, colour); });
EM_JS(void, pagePrint, (float x, float y, int points, int colour, const char* text),
      { Module.page.print(x, y, points, colour, UTF8ToString(text)); });
EM_JS(void, pageRetryEnabled, (bool enabled), { Module.page.retryEnabled(enabled); });
EM_JS(void, pageRunStarted, (), { Module.page.runStarted(); });
EM_JS(void, pageRunFinished, (const char* told), { Module.page.runFinished(UTF8ToString(told)); });
EM_JS(void, pageEnded, (), { Module.page.ended(); });
EM_JS(double, pageSeed, (), { return Module.page.seed(); });
EM_JS(bool, pageTracing, (), { return Module.page.tracing(); });
EM_JS(bool, pageTurnEveryPump, (), { return Module.page.turnEveryPump(); });
EM_JS(void, pageTrace, (const char* line), { Module.page.trace(UTF8ToString(line)); });

class Page : public Surface, public Lifecycle::FrontEnd {
public:
    Page() : tracing_(pageTracing()), turnEveryPump_(pageTurnEveryPump()) { trace(traceCanvas(boxWidth, boxHeight)); }

    Lifecycle lifecycle{*this, *this};

    void show() override {}
    void refresh() override {}
    void clear() override
    {
        x_ = y_ = 0;
        pageClear();
    }
    void setColour(std::uint32_t c) override
    {
        colour_ = c;
        trace(traceColour(c));
    }
    std::uint32_t colour() const override { return colour_; }
    void setFontSize(int points) override { points_ = points; }
    float outerWidth() const override { return boxWidth * twipsPerPixel; }
    float outerHeight() const override { return boxHeight * twipsPerPixel; }
    void line(float x1, float y1, float x2, float y2) override
    {
        x_ = x2;
        y_ = y2;
        pageLine(x1, y1, x2, y2, static_cast<int>(colour_));
        trace(traceLine(x1, y1, x2, y2));
    }
    void circle(float x, float y, float r, std::uint32_t c) override
    {
        pageCircle(x, y, r, static_cast<int>(c));
        trace(traceCircle(x, y, r));
    }
    void print(std::string_view item, std::int16_t n) override
    {
        const std::string text = printedText(item, n);
        pagePrint(x_, y_, points_, static_cast<int>(colour_), text.c_str());
        trace(traceLabel(x_, y_, text));
        x_ = 0;
        y_ += static_cast<float>(points_) * 96 / 72 * 1.35f;  // one text line
    }
    void setRetryEnabled(bool enabled) override { pageRetryEnabled(enabled); }
    // What was drawn shows once the page has its turn: about once a frame,
    // when the browser paints and hears the buttons. (A test may ask for a
    // turn at every pump, to act in the middle of a run.)
    bool pump() override
    {
        trace("pump");
        const auto now = static_cast<std::int64_t>(emscripten_get_now());
        if (turnEveryPump_ || frames_.due(now)) {
            frames_.shown(now);
            emscripten_sleep(0);
        }
        return !lifecycle.ended();
    }
    void reseed() override { rng_.seed(static_cast<std::uint64_t>(pageSeed())); }
    float nextRandom() override { return rng_.next(); }

    // The browser's first turn comes a frame into the run: a run shorter
    // than a frame shows whole, at once, and a longer one grows frame by frame.
    void runStarted() override
    {
        frames_.shown(static_cast<std::int64_t>(emscripten_get_now()));
        pageRunStarted();
    }
    void runFinished(std::int16_t sites) override { pageRunFinished(toldCount(sites).c_str()); }
    void ended() override { pageEnded(); }

private:
    void trace(const std::string& line)
    {
        if (tracing_)
            pageTrace(line.c_str());
    }

    bool tracing_;
    bool turnEveryPump_;
    Rng rng_;
    FrameThrottle frames_;
    std::uint32_t colour_ = composeColour(255, 255, 255);
    int points_ = 9;
    float x_ = 0;
    float y_ = 0;
};

Page* page = nullptr;

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void quilletRetry() { page->lifecycle.retry(); }
EMSCRIPTEN_KEEPALIVE void quilletEnd() { page->lifecycle.end(); }
// What a key on a focused button does (buttons and keys numbered as the
// lifecycle numbers them): 0 the browser's own, 1 nothing, 2 a click.
EMSCRIPTEN_KEEPALIVE int quilletKey(int button, int key)
{
    return static_cast<int>(
        page->lifecycle.key(static_cast<Lifecycle::Button>(button), static_cast<Lifecycle::Key>(key)));
}
}

int main()
{
    static Page thePage;
    page = &thePage;
    page->lifecycle.load();
    return 0;
}
