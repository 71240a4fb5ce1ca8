#include <QApplication>

#include "app/frmquillet.h"
#include "app/startup_report.h"

int main(int argc, char* argv[])
{
    // On the accessibility bus from the start, as other desktop programs are:
    // a screen reader started later finds the window (Qt 6.4 asks only once,
    // as it starts, whether one runs).
    if (qEnvironmentVariableIsEmpty("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
        qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quillet");
    QGuiApplication::setDesktopFileName(QUILLET_APP_ID);
    frmQuillet form;
    StartupReport report;
    return runQuillet(form, [&report] { return report.firstRunFinished(); });
}
