#pragma once

#include <QMargins>

class QWidget;

// Puts the window where it stays, its frame centred on the screen, and shows
// it. Where the window goes depends on who draws its frame:
//   - an X11 window manager that tells ahead the frame it will draw: the
//     frame is centred before the window is first mapped;
//   - one that tells a frame only once it draws it (KWin), or does not
//     answer in time: the manager places the window, and the frame is
//     centred once it is known;
//   - an X server with no window manager, or a manager that answers that it
//     draws no frame (mutter 48, which then draws one): the client area is
//     centred;
//   - a Wayland compositor: it places its windows itself.
class Placement {
public:
    explicit Placement(QWidget& window);

    // Before the window is shown: placed ahead where it can be, the first
    // time only.
    void beforeShow();
    // Once shown: waits, asleep, until the window is on screen and, where a
    // frame is drawn, until Qt knows it (so that the outer size includes
    // it); then centres the frame if the manager placed the window, and
    // takes the keyboard focus where nobody gives it.
    void afterShow();

    // What an X11 window manager tells of the frames it draws (the EWMH frame
    // extents): whether it tells them at all, once drawn, and whether also
    // ahead, before the window is mapped. Off X11, or with no manager, it
    // tells nothing.
    enum class Desk : unsigned char { Bare, FramesAhead, FramesOnceDrawn, Compositor };

private:
    bool frameCentredAhead();
    void centreFrame();

    QWidget& window_;
    Desk desk_;
    bool placed_ = false;         // the first show has been placed
    bool leftToManager_ = false;  // the manager placed it: centre once shown
};

// Device pixels that the window system reports, in the window's own
// (logical) pixels at the given pixel ratio.
QMargins logicalMargins(const QMargins& device, qreal ratio);
