#pragma once

// What assistive technology (a screen reader, say) is told of the window. The
// window reaches it as the application's main window, a frame, from the
// moment the application exists: nothing to call for that.

#include <QPointer>
#include <QString>
#include <deque>

#include "lifecycle/lifecycle.h"
#include "window/window.h"

class QWidget;
class Notice;

// Tells assistive technology what each finished run drew: a screen reader
// speaks "A nearest-site diagram of 42 sites" once, without moving the
// keyboard focus, and reads it again on demand from the window's status bar
// (Orca: Insert+KP_Enter twice). Screen readers speak for the active window
// alone, and the first run can finish before the window manager activates
// the window: a finished run waits to be told until the window is active.
class Announcer {
public:
    explicit Announcer(QWidget& window) : window_(window) {}

    void runStarted();            // the last run's notification is withdrawn
    void runFinished(int sites);  // told now, or once the window is active
    void activationChanged();     // told if a finished run waits and the window is active

private:
    static QString told(int sites) { return QString::fromStdString(Window::toldCount(sites)); }

    QWidget& window_;
    QPointer<QWidget> status_;              // the window's status bar, out of sight
    std::deque<QPointer<Notice>> notices_;  // the last runs', the newest last
    int sites_ = 0;
    bool untold_ = false;  // the finished run waits for the window to be active
};
