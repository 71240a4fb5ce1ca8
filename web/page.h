#pragma once

// The page's front end: the run draws on the page's canvas through the
// functions that web/page.js gives it, and the page's buttons reach the
// lifecycle through the functions exported in page.cpp.

#include <cstdint>
#include <string_view>

#include "diagram/random.h"
#include "lifecycle/lifecycle.h"

class Page : public Surface, public Lifecycle::FrontEnd {
public:
    // The page: a box of 788 x 565 pixels, and no frame around it.
    static constexpr float boxWidth = 788;
    static constexpr float boxHeight = 565;

    Lifecycle lifecycle{*this, *this};

    void show() override {}
    void refresh() override {}
    void clear() override;
    void setColour(std::uint32_t c) override { colour_ = c; }
    std::uint32_t colour() const override { return colour_; }
    void setFontSize(int points) override { points_ = points; }
    float outerWidth() const override { return boxWidth * twipsPerPixel; }
    float outerHeight() const override { return boxHeight * twipsPerPixel; }
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
    float x_ = 0;  // where Print draws next
    float y_ = 0;

private:
    FrameThrottle frames_;
    std::int64_t runStartMs_ = 0;
    std::uint32_t colour_ = composeColour(255, 255, 255);
    int points_ = 9;
};

// Hands the page's buttons to page's lifecycle and draws the first diagram:
// what main does.
void startPage(Page& page);
