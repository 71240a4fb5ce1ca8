#include "app/placement/platforms.h"

// On Windows: Windows' own placement, else (Qt's offscreen platform, in the
// tests) the plain one.
std::unique_ptr<Placement> Placement::forPlatform(QWidget& window)
{
    if (auto windows = windowsPlacement(window))
        return windows;
    return plainPlacement(window);
}
