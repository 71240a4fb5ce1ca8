#pragma once

// What assistive technology (a screen reader, say) is told of the window. The
// window reaches it as the application's main window, a frame, from the
// moment the application exists: nothing to call for that.

#include <QPointer>

class QWidget;
class Notice;

// Tells assistive technology once, without moving the keyboard focus, what
// each finished run drew: a screen reader speaks "A nearest-site diagram of 42
// sites". Screen readers speak for the active window alone, and the first run
// can finish before the window manager activates the window: a finished run
// waits to be told until the window is active.
class Announcer {
public:
    explicit Announcer(QWidget& window) : window_(window) {}

    void runStarted();            // the last run's announcement is withdrawn
    void runFinished(int sites);  // told now, or once the window is active
    void activationChanged();     // told if a finished run waits and the window is active

private:
    Notice& notice();

    QWidget& window_;
    QPointer<Notice> notice_;
    int sites_ = 0;
    bool untold_ = false;  // the finished run waits for the window to be active
};
