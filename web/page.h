#pragma once

// The page's front end: the run draws on the page's canvas through the
// functions that web/page.js gives it, and the page's buttons reach the
// lifecycle through the functions exported in page.cpp.

#include <cstdint>
#include <string_view>

#include "diagram/pen.h"
#include "diagram/random.h"
#include "lifecycle/lifecycle.h"
#include "window/window.h"

class Page : public Surface, public Lifecycle::FrontEnd {
public:
    Lifecycle lifecycle{*this, *this};

    void show() override {}
    void refresh() override {}
    void clear() override;
    void setColour(std::uint32_t c) override { pen_.colour = c; }
    std::uint32_t colour() const override { return pen_.colour; }
    void setFontSize(int points) override { pen_.points = points; }
    // The page's box has no frame: its outer size is the drawing area's.
    float outerWidth() const override { return Window::width * twipsPerPixel; }
    float outerHeight() const override { return Window::height * twipsPerPixel; }
    void line(float x1, float y1, float x2, float y2) override;
    void circle(float x, float y, float r, std::uint32_t c) override;
    void print(std::string_view item, std::int16_t n) override;
    void setRetryEnabled(bool enabled) override;
    bool pump() override;
    void reseed() override;
    float nextRandom() override { return rng_.next(); }

    void runStarted() override;
    void runFinished(std::int16_t sites) override;
    void ended() override;

protected:
    Rng rng_;
    Pen pen_;

private:
    FrameThrottle frames_;
    std::int64_t runStartMs_ = 0;
};

// Hands the page's buttons to page's lifecycle and draws the first diagram:
// what main does.
void startPage(Page& page);
