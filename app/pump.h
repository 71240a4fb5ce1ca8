#pragma once

#include <QElapsedTimer>
#include <cstdint>

#include "lifecycle/lifecycle.h"

class Canvas;
class QWidget;

// What the window does between two site pairs of a run. A run pumps a few
// thousand times, so a pump must cost next to nothing: it reads the clock
// once, shows what was drawn no more than once a frame, and asks the event
// loop (a poll of the window system, even when nothing waits) no more than
// once a millisecond, which still hears End or a close well within a frame.
class Pump {
public:
    // What is drawn on canvas is shown in window.
    Pump(QWidget& window, Canvas& canvas);

    void operator()() { at(clock_.elapsed()); }
    // The same, nowMs after the pump was made.
    void at(std::int64_t nowMs);
    // All that is drawn goes to the screen now (as a run ends).
    void showDrawn() { showDrawn(clock_.elapsed()); }

private:
    void showDrawn(std::int64_t nowMs);

    QWidget& window_;
    Canvas& canvas_;
    Pace frames_{Pace::frameMs};  // what is drawn, shown
    Pace asks_{Pace::askMs};      // the event loop asked
    QElapsedTimer clock_;         // their time
};
