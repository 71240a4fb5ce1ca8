#include "app/placement/placement.h"

#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <cmath>
#include <utility>

#include "app/placement/wait.h"

using namespace std::chrono_literals;

void Placement::beforeShow()
{
    if (!std::exchange(placed_, true))
        place();
}

void Placement::afterShow() { waitUntilOnScreen(); }

void Placement::refuseToGrow() { dropGrownState(); }

void Placement::waitUntilOnScreen()
{
    constexpr auto mapWait = 2000ms;
    waitUntil(
        [this] { return !window_.isVisible() || (window_.windowHandle() && window_.windowHandle()->isExposed()); },
        mapWait);
}

bool Placement::dropGrownState()
{
    constexpr Qt::WindowStates grown = Qt::WindowMaximized | Qt::WindowFullScreen;
    if (!(window_.windowState() & grown))
        return false;
    window_.setWindowState(window_.windowState() & ~grown);
    return true;
}

QRect centredClientArea(QSize client, const QMargins& frame, const QRect& available)
{
    QRect outer = QRect(QPoint(0, 0), client).marginsAdded(frame);
    outer.moveCenter(available.center());
    return outer.marginsRemoved(frame);
}

QMargins frameOfExtents(const std::array<std::uint32_t, 4>& extents, double ratio)
{
    auto logical = [ratio](std::uint32_t px) { return static_cast<int>(std::lround(px / ratio)); };
    return {logical(extents[0]), logical(extents[2]), logical(extents[1]), logical(extents[3])};
}

void Placement::centreFrame(const QMargins& margins)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window_.setGeometry(centredClientArea(window_.size(), margins, screen->availableGeometry()));
}
