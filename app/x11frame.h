#pragma once

#include <QMargins>
#include <optional>

class QWindow;

// What an X11 window manager tells of the frame it draws around a window
// (the EWMH frame extents). Off X11 there is none to ask.
namespace x11 {

// What the window manager says it tells of the frames it draws: nothing on a
// bare X server, and off X11.
struct FrameTelling {
    bool drawn = false;  // each frame, once drawn
    bool ahead = false;  // also a frame before its window is mapped, when asked
};
FrameTelling frameTelling();

// Asks the window manager, where it tells frames ahead, what frame it will
// draw around the window, and waits for the answer at most ms milliseconds:
// so the window can be placed where it will stay before anyone sees it. No
// answer where the manager does not give one in time. (Mutter 48 answers
// that it draws none, then draws one.)
std::optional<QMargins> frameBeforeMapping(QWindow& window, int ms);

}  // namespace x11
