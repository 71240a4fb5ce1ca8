#pragma once

#include <QMargins>
#include <QRect>
#include <array>
#include <cstdint>
#include <memory>

class QWidget;

// The arithmetic of placing, apart from any window system:
// The client area's place for a frame (its margins around the client area)
// centred on the available area.
QRect centredClientArea(QSize client, const QMargins& frame, const QRect& available);
// The frame that X's _NET_FRAME_EXTENTS tells (left, right, top, bottom, in
// device pixels), in the window's own pixels at the given pixel ratio.
QMargins frameOfExtents(const std::array<std::uint32_t, 4>& extents, double ratio);

// Puts the window, before it is first mapped, centred on the screen where it
// stays, and keeps it at its size when asked to grow. How depends on who
// places windows and draws their frames; each platform has its own unit:
// X11 (with or without a window manager), Wayland, Windows, and a plain one
// for a platform that draws no frame and places nothing (Qt's offscreen one,
// and any other).
class Placement {
public:
    // The placement for the platform the program runs on.
    static std::unique_ptr<Placement> forPlatform(QWidget& window);

    virtual ~Placement() = default;
    Placement(const Placement&) = delete;
    Placement& operator=(const Placement&) = delete;

    // Before the window is shown: placed, the first time only.
    void beforeShow();
    // Once shown: waits, asleep, until the window is on screen, and whatever
    // else the platform needs before the window's size and focus are known.
    virtual void afterShow();
    // Asked to grow, to Maximise or full screen (by Qt's own title bar on
    // Wayland, or by the window manager): the window stays as it is.
    virtual void refuseToGrow();

protected:
    explicit Placement(QWidget& window) : window_(window) {}

    // Puts the window where it goes, before it is first shown.
    virtual void place() = 0;
    // Waits, asleep, until the shown window is on screen (at most 2 s).
    void waitUntilOnScreen();
    // Takes back a Maximise or full screen; true if there was one.
    bool dropGrownState();
    // Places the window so that its frame, of the given margins around the
    // client area, is centred on the screen.
    void centreFrame(const QMargins& margins);

    QWidget& window_;

private:
    bool placed_ = false;  // the first show has been placed
};
