#pragma once

// The X11 window manager's side of placing the window, asked over Qt's own
// connection to the X server. Built where the program runs on X11.

#include <QMargins>
#include <chrono>
#include <optional>

#include "app/placement.h"

class QWindow;

namespace x11 {

// Who draws the frames on this X server (FramesAhead, FramesOnceDrawn or
// BareX11); nothing when the program is not on X11.
std::optional<Placement::Desk> desk();

// Asks the window manager what frame it will draw around the window, created
// but not yet mapped, and waits for the answer, asleep, at most limit. In the
// window's own (logical) pixels; nothing when no answer came.
std::optional<QMargins> frameAhead(QWindow& window, std::chrono::milliseconds limit);

}  // namespace x11
