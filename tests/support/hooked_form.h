#pragma once

#include <QImage>
#include <QPaintEvent>
#include <functional>

#include "app/frmquillet.h"

// (the runs' random source, made before the window that takes it)
struct FormRandom {
    Rng random;
};

// The window, its runs seeded by seeder, with a hook into its event pump:
// atPump runs once, inside pump number `at` (counted over all runs), just
// before the pending events are handled. It counts the pumps and the paints,
// and keeps the canvas as it stood when the hook ran.
class HookedForm : private FormRandom, public frmQuillet {
public:
    explicit HookedForm(std::function<std::uint64_t()> seeder) : FormRandom{Rng(std::move(seeder))}, frmQuillet(random)
    {
    }
    std::function<void()> atPump;
    int at = 1;
    int pumps = 0;
    int paints = 0;
    QImage drawnAtHook;

    // The hook at the next pump.
    void atNextPump(std::function<void()> hook)
    {
        at = pumps + 1;
        atPump = std::move(hook);
    }

    bool pump() override
    {
        if (++pumps == at && atPump) {
            drawnAtHook = canvas().image();
            std::exchange(atPump, nullptr)();
        }
        return frmQuillet::pump();
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        ++paints;
        frmQuillet::paintEvent(event);
    }
};
