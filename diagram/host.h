#pragma once

// What a run needs of the window it draws in, besides the drawing: to be
// shown and repainted, its size, Retry's state, and the event pump.
class Host {
public:
    virtual ~Host() = default;

    virtual void show() = 0;     // visible on return
    virtual void refresh() = 0;  // window and buttons repainted on return

    // The window's outer size, frame and title bar included, in twips.
    virtual float outerWidth() const = 0;
    virtual float outerHeight() const = 0;

    virtual void setRetryEnabled(bool enabled) = 0;
    // Handles every pending event. False when the run must stop where it is
    // (the program is ending).
    virtual bool pump() = 0;
};

constexpr int twipsPerPixel = 15;
