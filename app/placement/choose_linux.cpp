#include "app/placement/platforms.h"

// On Linux: Wayland or X11, whichever Qt runs on, else the plain placement.
std::unique_ptr<Placement> Placement::forPlatform(QWidget& window)
{
    if (auto wayland = waylandPlacement(window))
        return wayland;
    if (auto x11 = x11Placement(window))
        return x11;
    return plainPlacement(window);
}
