#include "app/placement.h"

#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <optional>

#include "app/wait.h"
#ifdef QUILLET_X11
#include "app/placement_x11.h"
#endif

using namespace std::chrono_literals;

namespace {

// How long the window waits, at most, for:
constexpr auto mapWait = 2000ms;        // being on screen once shown
constexpr auto frameAheadWait = 300ms;  // the manager's word on the frame it will draw
constexpr auto frameKnownWait = 300ms;  // Qt to learn the frame drawn

Placement::Desk deskOf()
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("wayland"))
        return Placement::Desk::Compositor;
    if (platform == QLatin1String("windows"))
        return Placement::Desk::Windows;
#ifdef QUILLET_X11
    if (const std::optional<Placement::Desk> desk = x11::desk())
        return *desk;
#endif
    return Placement::Desk::Frameless;
}

}  // namespace

Placement::Placement(QWidget& window) : window_(window), desk_(deskOf()) {}

void Placement::beforeShow()
{
    if (std::exchange(placed_, true))
        return;
    switch (desk_) {
    case Desk::Compositor: return;
    case Desk::Windows:
        window_.winId();  // the native window, its frame known from its style
        centreFrame(window_.windowHandle()->frameMargins());
        return;
    case Desk::FramesAhead:
        if (frameCentredAhead())
            return;
        [[fallthrough]];
    case Desk::FramesOnceDrawn:
    case Desk::BareX11:
    case Desk::Frameless:
        // The frame not known ahead: the client area, centred. The window is
        // given its place before it is mapped, so that the manager keeps it
        // there whatever its own placement policy (KWin's Smart puts a new
        // window in the screen's corner): it appears where it stays, its frame
        // a little off centre where the manager draws one.
        centreFrame(QMargins());
        return;
    }
}

void Placement::afterShow()
{
    waitUntil(
        [this] { return !window_.isVisible() || (window_.windowHandle() && window_.windowHandle()->isExposed()); },
        mapWait);
    switch (desk_) {
    case Desk::Compositor:
    case Desk::Windows:
    case Desk::Frameless: return;
    case Desk::BareX11:
        // On a bare X server nobody gives the new window the keyboard focus.
        window_.activateWindow();
        return;
    case Desk::FramesAhead:
    case Desk::FramesOnceDrawn:
        waitUntil([this] { return !window_.isVisible() || window_.frameGeometry().size() != window_.size(); },
                  frameKnownWait);
        return;
    }
}

// A window of fixed size has nothing to maximise to, and is no picture to
// fill the screen with. On Wayland the state has been acknowledged by the
// time the window hears of it, and the next frame must then fill the size the
// compositor gave, or the compositor ends the connection (weston does): the
// window starts afresh instead, a new surface that was never asked to grow.
// Its native window is made anew too: Qt keeps track of which native window
// has the keyboard, and the old one, made visible again, could be handed the
// keyboard without Qt taking it as active (keys then reach no shortcut).
void Placement::refuseToGrow()
{
    constexpr Qt::WindowStates grown = Qt::WindowMaximized | Qt::WindowFullScreen;
    if (!(window_.windowState() & grown))
        return;
    window_.setWindowState(window_.windowState() & ~grown);
    if (desk_ == Desk::Compositor) {
        window_.hide();
        window_.windowHandle()->destroy();
        window_.show();
    }
}

// Where the manager tells ahead the frame it will draw: the client area
// inside that frame, centred. False where it gives no answer in time.
bool Placement::frameCentredAhead()
{
#ifdef QUILLET_X11
    window_.winId();  // the native window, not yet mapped, for the manager to see
    if (const std::optional<QMargins> margins = x11::frameAhead(*window_.windowHandle(), frameAheadWait)) {
        centreFrame(*margins);
        return true;
    }
#endif
    return false;
}

// The frame, of the given margins around the client area, centred.
void Placement::centreFrame(const QMargins& margins)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = QRect(QPoint(0, 0), window_.size()).marginsAdded(margins);
    frame.moveCenter(screen->availableGeometry().center());
    window_.setGeometry(frame.marginsRemoved(margins));
}
