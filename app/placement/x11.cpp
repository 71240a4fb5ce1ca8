#include <QGuiApplication>
#include <QMargins>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>
#include <xcb/xcb.h>

#include "app/placement/platforms.h"
#include "app/placement/wait.h"

using namespace std::chrono_literals;

// X11: the window manager's side of placing the window, asked over Qt's own
// connection to the X server.
namespace {

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

// Who draws the frames on this X server: a window manager that tells ahead
// the frame it will draw, one that tells it only once drawn (KWin), or none at
// all (a bare X server, or a manager that says it draws none).
enum class WindowManager : unsigned char { FramesAhead, FramesOnceDrawn, None };

WindowManager windowManagerOf(xcb_connection_t* c)
{
    // A window manager runs: its check window names itself, as the EWMH asks.
    const xcb_window_t root = rootOf(c);
    const xcb_atom_t checkAtom = atom(c, "_NET_SUPPORTING_WM_CHECK");
    const auto check = property(c, root, checkAtom, XCB_ATOM_WINDOW);
    if (check.size() != 1 || property(c, check[0], checkAtom, XCB_ATOM_WINDOW) != check)
        return WindowManager::None;
    const auto hints = property(c, root, atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    auto says = [&](const char* hint) { return std::find(hints.begin(), hints.end(), atom(c, hint)) != hints.end(); };
    if (!says("_NET_FRAME_EXTENTS"))
        return WindowManager::None;
    return says("_NET_REQUEST_FRAME_EXTENTS") ? WindowManager::FramesAhead : WindowManager::FramesOnceDrawn;
}

// Asks the window manager what frame it will draw around the (not yet
// mapped) window, and waits for the answer, a property on the window, asleep
// until it changes: _NET_FRAME_EXTENTS's four numbers.
std::optional<std::array<std::uint32_t, 4>> frameAheadOf(xcb_connection_t* c, xcb_window_t window,
                                                         std::chrono::milliseconds limit)
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
    waitUntil([&] { return (e = property(c, window, extents, XCB_ATOM_CARDINAL)).size() == 4; }, limit);
    if (e.size() != 4)
        return std::nullopt;
    return std::array<std::uint32_t, 4>{e[0], e[1], e[2], e[3]};
}

// Where the manager tells ahead the frame it will draw, the frame centred;
// where it tells the frame only once drawn (KWin), or does not answer in
// time, or answers that it draws none (mutter 48, which then draws one), and
// on an X server with no window manager: the client area centred. The window
// is given its place before it is mapped, so that the manager keeps it there
// whatever its own placement policy (KWin's Smart puts a new window in the
// screen's corner): it appears where it stays, its frame a little off centre
// where the manager draws one.
class X11Placement final : public Placement {
public:
    X11Placement(QWidget& window, xcb_connection_t* c) : Placement(window), c_(c), manager_(windowManagerOf(c)) {}

private:
    void place() override
    {
        if (manager_ == WindowManager::FramesAhead) {
            window_.winId();  // the native window, not yet mapped, for the manager to see
            constexpr auto answerWait = 300ms;
            if (const std::optional<QMargins> margins = frameAhead(answerWait)) {
                centreFrame(*margins);
                return;
            }
        }
        centreFrame(QMargins());
    }

    // Waits where a frame is drawn until Qt knows it (so that the outer size
    // includes it); takes the keyboard focus where nobody gives it.
    void afterShow() override
    {
        waitUntilOnScreen();
        if (manager_ == WindowManager::None) {
            window_.activateWindow();
            return;
        }
        constexpr auto frameKnownWait = 300ms;
        waitUntil([this] { return !window_.isVisible() || window_.frameGeometry().size() != window_.size(); },
                  frameKnownWait);
    }

    // The frame the manager will draw, in the window's own (logical) pixels;
    // nothing when no answer came in time.
    std::optional<QMargins> frameAhead(std::chrono::milliseconds limit)
    {
        const QWindow& w = *window_.windowHandle();
        const auto extents = frameAheadOf(c_, static_cast<xcb_window_t>(w.winId()), limit);
        return extents ? std::optional(frameOfExtents(*extents, w.devicePixelRatio())) : std::nullopt;
    }

    xcb_connection_t* c_;
    WindowManager manager_;
};

}  // namespace

std::unique_ptr<Placement> x11Placement(QWidget& window)
{
    xcb_connection_t* c = connection();
    if (!c)
        return nullptr;
    return std::make_unique<X11Placement>(window, c);
}
