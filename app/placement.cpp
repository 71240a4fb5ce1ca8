#include "app/placement.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <vector>
#include <xcb/xcb.h>

using namespace std::chrono_literals;

namespace {

// How long the window waits, at most, for:
constexpr auto mapWait = 2000ms;        // being on screen once shown
constexpr auto frameAheadWait = 300ms;  // the manager's word on the frame it will draw
constexpr auto frameKnownWait = 300ms;  // Qt to learn the frame drawn

// Handles events, asleep between them, until done() holds or the time is up.
// User input waits for the event loop. The wake-up is precise and set anew
// before each sleep: a coarse timer may fire a little early, and a sleep
// begun after it would last until something else came.
void waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const QDeadlineTimer deadline(limit, Qt::PreciseTimer);
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    while (!done() && !deadline.hasExpired()) {
        wake.start(std::chrono::ceil<std::chrono::milliseconds>(deadline.remainingTimeAsDuration()));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    }
}

// The X11 window manager's side, asked over Qt's own connection.
namespace x11 {

template <class Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_connection_t* connection()
{
    auto* app = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return app ? app->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    const Owned<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// A property of 32-bit values of the given type; empty where there is none.
std::vector<std::uint32_t> property(xcb_connection_t* c, xcb_window_t window, xcb_atom_t name, xcb_atom_t type)
{
    const Owned<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, name, type, 0, 1024), nullptr), &std::free);
    if (!reply || reply->type != type || reply->format != 32)
        return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

xcb_window_t rootOf(xcb_connection_t* c) { return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root; }

Placement::Desk desk(xcb_connection_t* c)
{
    // A window manager runs: its check window names itself, as the EWMH asks.
    const xcb_window_t root = rootOf(c);
    const xcb_atom_t checkAtom = atom(c, "_NET_SUPPORTING_WM_CHECK");
    const auto check = property(c, root, checkAtom, XCB_ATOM_WINDOW);
    if (check.size() != 1 || property(c, check[0], checkAtom, XCB_ATOM_WINDOW) != check)
        return Placement::Desk::BareX11;
    const auto hints = property(c, root, atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    auto says = [&](const char* hint) { return std::find(hints.begin(), hints.end(), atom(c, hint)) != hints.end(); };
    if (!says("_NET_FRAME_EXTENTS"))
        return Placement::Desk::BareX11;
    return says("_NET_REQUEST_FRAME_EXTENTS") ? Placement::Desk::FramesAhead : Placement::Desk::FramesOnceDrawn;
}

// Asks the window manager what frame it will draw around the (not yet
// mapped) window, and waits for the answer, a property on the window, asleep
// until it changes. Device pixels: left, top, right, bottom.
std::optional<QMargins> frameAhead(xcb_connection_t* c, xcb_window_t window)
{
    xcb_client_message_event_t ask{};
    ask.response_type = XCB_CLIENT_MESSAGE;
    ask.format = 32;
    ask.window = window;
    ask.type = atom(c, "_NET_REQUEST_FRAME_EXTENTS");
    xcb_send_event(c, 0, rootOf(c), XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&ask));
    xcb_flush(c);
    const xcb_atom_t extents = atom(c, "_NET_FRAME_EXTENTS");
    std::vector<std::uint32_t> e;
    waitUntil([&] { return (e = property(c, window, extents, XCB_ATOM_CARDINAL)).size() == 4; }, frameAheadWait);
    if (e.size() != 4)
        return std::nullopt;
    return QMargins(static_cast<int>(e[0]), static_cast<int>(e[2]), static_cast<int>(e[1]), static_cast<int>(e[3]));
}

}  // namespace x11

// Device pixels that the window system reports, in the window's own
// (logical) pixels at the given pixel ratio.
QMargins logicalMargins(const QMargins& device, qreal ratio)
{
    auto logical = [ratio](int px) { return static_cast<int>(std::lround(px / ratio)); };
    return {logical(device.left()), logical(device.top()), logical(device.right()), logical(device.bottom())};
}

Placement::Desk deskOf()
{
    if (QGuiApplication::platformName() == QLatin1String("wayland"))
        return Placement::Desk::Compositor;
    xcb_connection_t* c = x11::connection();
    return c ? x11::desk(c) : Placement::Desk::Frameless;
}

}  // namespace

Placement::Placement(QWidget& window) : window_(window), desk_(deskOf()) {}

void Placement::beforeShow()
{
    if (std::exchange(placed_, true))
        return;
    switch (desk_) {
    case Desk::Compositor: return;
    case Desk::FramesAhead:
        if (frameCentredAhead())
            return;
        [[fallthrough]];
    case Desk::FramesOnceDrawn:
    case Desk::BareX11:
    case Desk::Frameless: centreClientArea(); return;
    }
}

void Placement::afterShow()
{
    waitUntil(
        [this] { return !window_.isVisible() || (window_.windowHandle() && window_.windowHandle()->isExposed()); },
        mapWait);
    switch (desk_) {
    case Desk::Compositor:
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
void Placement::refuseToGrow()
{
    constexpr Qt::WindowStates grown = Qt::WindowMaximized | Qt::WindowFullScreen;
    if (!(window_.windowState() & grown))
        return;
    window_.setWindowState(window_.windowState() & ~grown);
    if (desk_ == Desk::Compositor) {
        window_.hide();
        window_.show();
    }
}

// Where the manager tells ahead the frame it will draw: the client area
// inside that frame, centred. False where it gives no answer in time.
bool Placement::frameCentredAhead()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return false;
    window_.winId();  // the native window, not yet mapped, for the manager to see
    const QWindow& handle = *window_.windowHandle();
    const std::optional<QMargins> device =
        x11::frameAhead(x11::connection(), static_cast<xcb_window_t>(handle.winId()));
    if (!device)
        return false;
    const QMargins margins = logicalMargins(*device, handle.devicePixelRatio());
    QRect frame = QRect(QPoint(0, 0), window_.size()).marginsAdded(margins);
    frame.moveCenter(screen->availableGeometry().center());
    window_.setGeometry(frame.marginsRemoved(margins));
    return true;
}

// Where the frame is not known ahead: the client area, centred. The window
// is given its place before it is mapped, so that the manager keeps it there
// whatever its own placement policy (KWin's Smart puts a new window in the
// screen's corner): it appears where it stays, its frame a little off centre
// where the manager draws one.
void Placement::centreClientArea()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect client(QPoint(0, 0), window_.size());
    client.moveCenter(screen->availableGeometry().center());
    window_.setGeometry(client);  // the client area's place, whatever frame comes around it
}
