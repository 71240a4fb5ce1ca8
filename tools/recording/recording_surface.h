#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "diagram/pen.h"
#include "diagram/run.h"
#include "window/window.h"

// A run without a window: host, drawing and random source at once, it keeps
// every operation in order, so a run can be checked, traced or timed
// headless. The canvas size is fixed at construction; the generator is
// reseeded with the same seed at every run.
class RecordingSurface : public Host, public Drawing, public Random {
public:
    enum class Kind : std::uint8_t {
        Show,
        Refresh,
        Clear,
        Colour,
        FontSize,
        Line,
        Circle,
        Print,
        RetryEnabled,
        Pump,
        Reseed,
        Random
    };

    struct Op {
        Kind kind;
        float x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Line ends; Circle centre and radius in x1, y1, x2; Print position
        std::uint32_t value = 0;               // Colour, Circle colour, FontSize, RetryEnabled, Print n
        std::string text;                      // Print: the whole text drawn
    };

    // The window's canvas, or another.
    explicit RecordingSurface(std::uint64_t seed = 1) : RecordingSurface(Window::width, Window::height, seed) {}
    RecordingSurface(float widthPx, float heightPx, std::uint64_t seed = 1);

    // Kept operations; keep(false) stops keeping them (benchmarks count only).
    const std::vector<Op>& ops() const { return ops_; }
    void keep(bool on) { keep_ = on; }
    std::size_t count(Kind k) const;
    std::vector<Op> all(Kind k) const;

    // Called by pump() with the number of the pump (from 1); return false to
    // stop the run there, as End does.
    std::function<bool(int)> onPump;
    // Replaces the seeded generator when set.
    std::function<float()> random;

    int pumps() const { return pumps_; }
    bool retryEnabled() const { return retryEnabled_; }

    void show() override { record(Kind::Show); }
    void refresh() override { record(Kind::Refresh); }
    float outerWidth() const override { return width_ * twipsPerPixel; }
    float outerHeight() const override { return height_ * twipsPerPixel; }
    void setRetryEnabled(bool enabled) override;
    bool pump() override;

    void clear() override;
    void setColour(std::uint32_t c) override;
    std::uint32_t colour() const override { return pen_.colour; }
    void setFontSize(int points) override;
    void line(float x1, float y1, float x2, float y2) override;
    void circle(float x, float y, float radius, std::uint32_t colour) override;
    void print(std::string_view item, std::int16_t n) override;

    void reseed() override;
    float next() override;

private:
    void record(Kind kind, float x1 = 0, float y1 = 0, float x2 = 0, float y2 = 0, std::uint32_t value = 0,
                std::string text = {});

    float width_, height_;
    Rng rng_;
    std::vector<Op> ops_;
    bool keep_ = true;
    Pen pen_;
    int pumps_ = 0;
    bool retryEnabled_ = true;
};

// The drawing operations among ops, drawn again on onto, in order.
void replay(const std::vector<RecordingSurface::Op>& ops, Drawing& onto);

// A run, its set-up and its edges, recorded.
inline std::optional<std::int16_t> runDiagram(RecordingSurface& s) { return runDiagram(s, s, s); }
inline Sites setUpRun(RecordingSurface& s) { return setUpRun(s, s, s); }
inline bool drawEdges(RecordingSurface& s, Sites& sites) { return drawEdges(s, s, sites); }
