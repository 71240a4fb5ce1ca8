#include "app/pump.h"

#include <QCoreApplication>
#include <QWidget>

#include "app/canvas.h"
#include "app/vector_state.h"

Pump::Pump(QWidget& window, Canvas& canvas) : window_(window), canvas_(canvas) { clock_.start(); }

void Pump::at(std::int64_t nowMs)
{
    if (frames_.due(nowMs))
        showDrawn(nowMs);
    if (asks_.due(nowMs)) {
        asks_.done(nowMs);
        QCoreApplication::processEvents();
    }
    // The search goes on from here, after Qt's drawing and events.
    dropUpperVectorState();
}

void Pump::showDrawn(std::int64_t nowMs)
{
    const QRect unshown = canvas_.takeUnshown();
    if (unshown.isEmpty())
        return;
    window_.update(unshown);
    frames_.done(nowMs);
}
