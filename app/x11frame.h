#pragma once

#include <QMargins>
#include <optional>

class QWindow;

// What an X11 window manager tells of the frame it draws around a window
// (the EWMH frame extents). Off X11 there is none to ask.
namespace x11 {

// True where a window manager runs and tells the frames it draws; false on a
// bare X server, and off X11.
bool framesAreTold();

// Asks the window manager, before the window is mapped, what frame it will
// draw around it, and waits for the answer at most ms milliseconds: so the
// window can be placed where it will stay before anyone sees it. No answer
// where no window manager takes the question. (Mutter 48 answers that it
// draws none, then draws one.)
std::optional<QMargins> frameBeforeMapping(QWindow& window, int ms);

}  // namespace x11
