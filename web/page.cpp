#include "web/page.h"

#include <emscripten.h>

#include <string>

namespace {

// What the page's script does with what is drawn.
EM_JS(void, pageBackground, (int colour), { Module.page.background(colour); });
EM_JS(void, pageClear, (), { Module.page.clear(); });
EM_JS(void, pageLine, (float x1, float y1, float x2, float y2, int colour),
      { Module.page.line(x1, y1, x2, y2, colour); });
EM_JS(void, pageCircle, (float x, float y, float r, int colour), { Module.page.circle(x, y, r, colour); });
EM_JS(void, pagePrint, (float x, float y, int points, int colour, const char* text),
      { Module.page.print(x, y, points, colour, UTF8ToString(text)); });
EM_JS(void, pageRetryEnabled, (bool enabled), { Module.page.retryEnabled(enabled); });
EM_JS(void, pageRunStarted, (), { Module.page.runStarted(); });
EM_JS(void, pageRunFinished, (const char* told), { Module.page.runFinished(UTF8ToString(told)); });
EM_JS(void, pageEnded, (const char* words), { Module.page.ended(UTF8ToString(words)); });
EM_JS(double, pageSeed, (), { return Module.page.seed(); });
// The browser's turn (see the page's turn()).
EM_ASYNC_JS(void, pageTurn, (), { await Module.page.turn(); });
EM_JS(void, pageNames, (int retry, int end, int space, int enter, int other, int pass, int swallow, int click), {
    Module.page.names({Retry : retry, End : end}, {Space : space, Enter : enter, Other : other},
                      {Pass : pass, Swallow : swallow, Click : click});
});

// The lifecycle's buttons, keys and key actions, by name for the page's script.
void nameForPage()
{
    using L = Lifecycle;
    const auto n = [](auto value) { return static_cast<int>(value); };
    pageNames(n(L::Button::Retry), n(L::Button::End), n(L::Key::Space), n(L::Key::Enter), n(L::Key::Other),
              n(L::KeyAction::Pass), n(L::KeyAction::Swallow), n(L::KeyAction::Click));
}

// The clock is a call out to the browser, which costs about what a pump
// does: it is read every so many pumps. Between two reads a run goes on for
// well under a millisecond on a desktop, a few on a slow phone.
constexpr int pumpsAClockRead = 16;

std::int64_t nowMs() { return static_cast<std::int64_t>(emscripten_get_now()); }

Page* current = nullptr;

}  // namespace

void Page::clear()
{
    pen_.clear();
    pageClear();
}

void Page::line(float x1, float y1, float x2, float y2)
{
    pen_.lineTo(x2, y2);
    pageLine(x1, y1, x2, y2, static_cast<int>(pen_.colour));
}

void Page::circle(float x, float y, float r, std::uint32_t c) { pageCircle(x, y, r, static_cast<int>(c)); }

void Page::print(std::string_view item, std::int16_t n)
{
    pagePrint(pen_.x, pen_.y, pen_.points, static_cast<int>(pen_.colour), printedText(item, n).c_str());
    pen_.newLine();
}

void Page::setRetryEnabled(bool enabled) { pageRetryEnabled(enabled); }

// What was drawn shows once the page has its turn, when the browser paints
// and hears the buttons: once a frame of the run has passed, and then once a
// frame. No task of the page's is longer than about a frame, however slow
// the processor; a run that ends sooner (a desktop's) shows whole, at once.
bool Page::pump()
{
    if (++pumps_ % pumpsAClockRead == 0) {
        const std::int64_t now = nowMs();
        if (turns_.due(now)) {
            turns_.done(now);
            pageTurn();
        }
    }
    return !lifecycle.ended();
}

std::uint64_t browserSeed() { return static_cast<std::uint64_t>(pageSeed()); }

void Page::runStarted()
{
    turns_.done(nowMs());
    pumps_ = 0;
    pageRunStarted();
}

void Page::runFinished(std::int16_t sites) { pageRunFinished(Window::toldCount(sites).c_str()); }

void Page::ended() { pageEnded(Window::ended); }

void startPage(Page& page)
{
    current = &page;
    nameForPage();
    pageBackground(static_cast<int>(Window::background));
    page.lifecycle.load();
}

extern "C" {

EMSCRIPTEN_KEEPALIVE void quilletRetry() { current->lifecycle.retry(); }
EMSCRIPTEN_KEEPALIVE void quilletEnd() { current->lifecycle.end(); }
// What a key on a focused button does, numbered as nameForPage() tells the page's script.
EMSCRIPTEN_KEEPALIVE int quilletKey(int button, int key)
{
    return static_cast<int>(
        current->lifecycle.key(static_cast<Lifecycle::Button>(button), static_cast<Lifecycle::Key>(key)));
}
}
