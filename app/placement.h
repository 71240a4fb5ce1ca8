#pragma once

class QMargins;
class QWidget;

// Puts the window, before it is first mapped, centred on the screen where it
// stays. What is centred depends on who draws its frame:
//   - an X11 window manager that tells ahead the frame it will draw: the
//     frame;
//   - one that tells a frame only once it draws it (KWin), or does not
//     answer in time, or answers that it draws none (mutter 48, which then
//     draws one); and an X server with no window manager: the client area;
//   - a Wayland compositor: nothing, it places its windows itself;
//   - Windows, where the frame follows from the window's style, known
//     before it is shown: the frame.
class Placement {
public:
    explicit Placement(QWidget& window);

    // Before the window is shown: placed, the first time only.
    void beforeShow();
    // Once shown: waits, asleep, until the window is on screen and, where a
    // frame is drawn, until Qt knows it (so that the outer size includes
    // it); takes the keyboard focus where nobody gives it.
    void afterShow();
    // Asked to grow, to Maximise or full screen (by Qt's own title bar on
    // Wayland, or by the window manager): the window stays as it is.
    void refuseToGrow();

    // Who places the window and draws its frame: on X11, a window manager
    // that tells ahead the frame it will draw, one that tells it only once
    // drawn, or none at all (a bare X server); a Wayland compositor;
    // Windows; or a platform that draws no frame and places nothing (Qt's
    // offscreen one).
    enum class Desk : unsigned char { FramesAhead, FramesOnceDrawn, BareX11, Compositor, Windows, Frameless };

private:
    bool frameCentredAhead();
    void centreFrame(const QMargins& margins);

    QWidget& window_;
    Desk desk_;
    bool placed_ = false;  // the first show has been placed
};
