#include "app/placement/placement.h"

#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <utility>

#include "app/wait.h"

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

void Placement::centreFrame(const QMargins& margins)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = QRect(QPoint(0, 0), window_.size()).marginsAdded(margins);
    frame.moveCenter(screen->availableGeometry().center());
    window_.setGeometry(frame.marginsRemoved(margins));
}
