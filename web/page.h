#pragma once

// The page's front end: the run draws on the page's canvas through the
// functions that the page's script (web/script/) gives it, and the page's
// buttons reach the lifecycle through the functions exported in page.cpp.

#include <cstdint>
#include <string_view>

#include "diagram/pen.h"
#include "diagram/random.h"
#include "lifecycle/lifecycle.h"
#include "window/window.h"

class Page : public Host, public Drawing, public Lifecycle::FrontEnd {
public:
    // Every run takes its numbers from random.
    explicit Page(Random& random) : lifecycle(*this, *this, random, *this) {}

    Lifecycle lifecycle;

    // Host: the page's box, which has no frame: its outer size is the
    // drawing area's.
    void show() override {}
    void refresh() override {}
    float outerWidth() const override { return Window::width * twipsPerPixel; }
    float outerHeight() const override { return Window::height * twipsPerPixel; }
    void setRetryEnabled(bool enabled) override;
    bool pump() override;

    // Drawing: on the page's canvas.
    void clear() override;
    void setColour(std::uint32_t c) override { pen_.colour = c; }
    std::uint32_t colour() const override { return pen_.colour; }
    void setFontSize(int points) override { pen_.points = points; }
    void line(float x1, float y1, float x2, float y2) override;
    void circle(float x, float y, float r, std::uint32_t c) override;
    void print(std::string_view item, std::int16_t n) override;

    void runStarted() override;
    void runFinished(std::int16_t sites) override;
    void ended() override;

private:
    Pen pen_;
    Pace turns_{Pace::frameMs};  // the browser's turns, which show the drawing too
    int pumps_ = 0;              // in this run
};

// A seed from the browser's random source, for the page's runs.
std::uint64_t browserSeed();

// Hands the page's buttons to page's lifecycle and draws the first diagram:
// what main does.
void startPage(Page& page);
