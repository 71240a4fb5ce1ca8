#include "app/placement/wait.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

void waitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const QDeadlineTimer deadline(limit, Qt::PreciseTimer);
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    while (!done() && !deadline.hasExpired()) {
        wake.start(std::chrono::ceil<std::chrono::milliseconds>(deadline.remainingTimeAsDuration()));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    }
}
