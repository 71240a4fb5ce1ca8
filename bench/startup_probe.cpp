#include "bench/startup_probe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QWindow>
#include <chrono>

namespace {

std::int64_t now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

StartupProbe::StartupProbe() : path_(qEnvironmentVariable("QUILLET_STARTUP_REPORT"))
{
    if (!path_.isEmpty())
        QCoreApplication::instance()->installEventFilter(this);
}

// The first exposure of any window of the program's: its window is on screen.
bool StartupProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (exposed_ == 0 && event->type() == QEvent::Expose) {
        const auto* window = qobject_cast<QWindow*>(watched);
        if (window && window->isExposed())
            exposed_ = now();
    }
    return false;
}

bool StartupProbe::done()
{
    if (path_.isEmpty())
        return false;
    // Done is on screen: the last of the drawing painted too.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const std::int64_t finished = now();
    QFile file(path_);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(QStringLiteral("exposed %1\nfinished %2\n").arg(exposed_).arg(finished).toLatin1());
    return true;
}
