#pragma once

#include <cstdint>

#include "diagram/drawing.h"
#include "diagram/host.h"
#include "diagram/random.h"

// Where the program is in its life, and what its two buttons and their keys
// do there: the same in every front end (the desktop's window, the web
// page). A front end draws, shows, speaks and ends; this decides when.
class Lifecycle {
public:
    // Drawing a run, waiting for a button, or ending.
    enum class Phase : unsigned char { Idle, Running, Ended };
    enum class Button : unsigned char { Retry, End };
    // Space stands for any key that presses a focused button as Space does.
    enum class Key : unsigned char { Space, Enter, Other };
    // What a key on a focused button does: what the toolkit makes of it, nothing, or a click.
    enum class KeyAction : unsigned char { Pass, Swallow, Click };

    // What a front end does at the turns of the program's life.
    class FrontEnd {
    public:
        virtual void runStarted() = 0;                     // the last run's count is withdrawn
        virtual void runFinished(std::int16_t sites) = 0;  // the focus on Retry; the count told, once
        virtual void ended() = 0;                          // the window goes; the program ends

    protected:
        ~FrontEnd() = default;
    };

    // Runs draw on drawing in host's window, with random's numbers.
    Lifecycle(Host& host, Drawing& drawing, Random& random, FrontEnd& frontEnd)
        : host_(host), drawing_(drawing), random_(random), frontEnd_(frontEnd)
    {
    }

    // Runs one whole diagram. Returns at once when a run is already going or
    // the program is ending.
    void load();
    // Clears the drawing and runs anew, when no run is going.
    void retry();
    // The run stops at its next pump, and the program ends.
    void end();

    bool ended() const { return phase_ == Phase::Ended; }

    // Enter presses the focused button, as Space does. While a run draws, End
    // is pressed by the mouse or its access key alone: a key meant for Retry
    // (a second Space, say) never ends the program.
    KeyAction key(Button focused, Key key) const;

private:
    Host& host_;
    Drawing& drawing_;
    Random& random_;
    FrontEnd& frontEnd_;
    Phase phase_ = Phase::Idle;
};

// How often a pump does what costs. A screen shows a new picture about every
// 16 ms: what a run draws is put on the screen at a pump no more often than
// that, so that each pair does not cost a repaint and the diagram still
// grows on screen as it is drawn. Asking the event loop costs a poll of the
// window system even when nothing waits: a pump asks at most once a
// millisecond, which hears End or a close well within a frame and leaves a
// run's thousands of pumps nearly free. (The page asks the browser once a
// frame: a turn of the browser's costs a frame.)
class Pace {
public:
    static constexpr std::int64_t frameMs = 16;
    static constexpr std::int64_t askMs = 1;

    explicit constexpr Pace(std::int64_t everyMs) : everyMs_(everyMs) {}

    // Whether it is due at nowMs: the first time, then once every everyMs.
    bool due(std::int64_t nowMs) const { return !done_ || nowMs - lastMs_ >= everyMs_; }
    void done(std::int64_t nowMs)
    {
        done_ = true;
        lastMs_ = nowMs;
    }

private:
    std::int64_t everyMs_;
    bool done_ = false;
    std::int64_t lastMs_ = 0;
};
