#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QObject>
#include <QWidget>
#include <QWindow>

#include "app/placement/platforms.h"

namespace {

// Qt's Wayland plugin takes a new state from the compositor (a Maximise, say)
// in a call it queues for itself. If the window paints before that call has
// run, the plugin applies the state as the paint ends and acknowledges it
// just before the frame is committed: a frame at the fixed size then meets an
// acknowledged maximised state, and the compositor ends the connection (weston
// does). It happens when the compositor's message and a key that repaints
// (Alt+R) are read together, or when a paint of the run was already queued.
// So before each paint the queued calls run first: the new state is taken,
// and refused, before anything is drawn. (A paint that waits for a free
// buffer still reads the compositor's messages itself; with the buffers Qt
// keeps, that wait does not come.)
class StateBeforePaint final : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::UpdateRequest)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        return QObject::eventFilter(watched, event);
    }
};

// A Wayland compositor places its windows itself.
class WaylandPlacement final : public Placement {
public:
    explicit WaylandPlacement(QWidget& window) : Placement(window) { window.installEventFilter(&stateFirst_); }

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

    StateBeforePaint stateFirst_;
};

}  // namespace

std::unique_ptr<Placement> waylandPlacement(QWidget& window)
{
    if (QGuiApplication::platformName() != QLatin1String("wayland"))
        return nullptr;
    return std::make_unique<WaylandPlacement>(window);
}
