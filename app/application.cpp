#include "app/application.h"

#include "window/window.h"

namespace {

// Set before Qt starts, where the user has not set it.
int& accessibleFromTheStart(int& argc)
{
    if (qEnvironmentVariableIsEmpty("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
        qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    return argc;
}

}  // namespace

QuilletApplication::QuilletApplication(int& argc, char** argv) : QApplication(accessibleFromTheStart(argc), argv)
{
    setApplicationName(Window::title);
    setDesktopFileName(QUILLET_APP_ID);
}
