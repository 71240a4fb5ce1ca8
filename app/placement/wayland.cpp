#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include "app/placement/platforms.h"

namespace {

// A Wayland compositor places its windows itself.
class WaylandPlacement final : public Placement {
public:
    explicit WaylandPlacement(QWidget& window) : Placement(window) {}

private:
    void place() override {}

    // A window of fixed size has nothing to maximise to, and is no picture to
    // fill the screen with. On Wayland the state has been acknowledged by the
    // time the window hears of it, and the next frame must then fill the size
    // the compositor gave, or the compositor ends the connection (weston
    // does): the window starts afresh instead, a new surface that was never
    // asked to grow. Its native window is made anew too: Qt keeps track of
    // which native window has the keyboard, and the old one, made visible
    // again, could be handed the keyboard without Qt taking it as active
    // (keys then reach no shortcut).
    void refuseToGrow() override
    {
        if (!dropGrownState())
            return;
        window_.hide();
        window_.windowHandle()->destroy();
        window_.show();
    }
};

}  // namespace

std::unique_ptr<Placement> waylandPlacement(QWidget& window)
{
    if (QGuiApplication::platformName() != QLatin1String("wayland"))
        return nullptr;
    return std::make_unique<WaylandPlacement>(window);
}
