#pragma once

#include <QPaintEvent>
#include <array>
#include <functional>
#include <vector>

#include "app/frmquillet.h"

// (the runs' random source, made before the window that takes it)
struct FormRandom {
    Rng random;
};

// The window, its runs seeded by seeder, with a hook into its event pump:
// atPump runs once, inside pump number `at` (counted over all runs), just
// before the pending events are handled. It counts the pumps, the paints and
// what is drawn after the hook ran, keeps every line's ends, and notes the
// site count from the label.
class HookedForm : private FormRandom, public frmQuillet {
public:
    explicit HookedForm(std::function<std::uint64_t()> seeder) : FormRandom{Rng(std::move(seeder))}, frmQuillet(random)
    {
    }
    std::function<void()> atPump;
    int at = 1;
    int pumps = 0;
    int paints = 0;
    int sites = 0;
    int drawnAfterHook = 0;
    std::vector<std::array<float, 4>> lines;

    // The hook at the next pump.
    void atNextPump(std::function<void()> hook)
    {
        at = pumps + 1;
        atPump = std::move(hook);
    }

    bool pump() override
    {
        if (++pumps == at && atPump)
            std::exchange(atPump, nullptr)();
        return frmQuillet::pump();
    }
    void print(std::string_view item, std::int16_t n) override
    {
        sites = n;
        frmQuillet::print(item, n);
    }
    void line(float x1, float y1, float x2, float y2) override
    {
        drawnAfterHook += pumps >= at;
        lines.push_back({x1, y1, x2, y2});
        frmQuillet::line(x1, y1, x2, y2);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        ++paints;
        frmQuillet::paintEvent(event);
    }
};
