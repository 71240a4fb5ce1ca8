#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include "app/placement/platforms.h"

namespace {

// Windows, where the frame follows from the window's style, known before the
// window is shown: the frame centred.
class WindowsPlacement final : public Placement {
public:
    explicit WindowsPlacement(QWidget& window) : Placement(window) {}

private:
    void place() override
    {
        window_.winId();  // the native window, its frame known from its style
        centreFrame(window_.windowHandle()->frameMargins());
    }
};

}  // namespace

std::unique_ptr<Placement> windowsPlacement(QWidget& window)
{
    if (QGuiApplication::platformName() != QLatin1String("windows"))
        return nullptr;
    return std::make_unique<WindowsPlacement>(window);
}
