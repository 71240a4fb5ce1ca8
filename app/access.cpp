#include "app/access.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QString>
#include <QWidget>

// An empty widget that stands for a notification; its accessible name is
// what it tells (the accessibility factory gives it that role).
class Notice : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};

namespace {

QAccessibleInterface* quilletAccessible(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    // The window is the application's main window, not a plain client area.
    if (className == QLatin1String("frmQuillet"))
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == QLatin1String("Notice"))
        return new QAccessibleWidget(widget, QAccessible::Notification);
    return nullptr;
}

// Before any widget exists: Qt keeps the first interface it makes for one.
void installFactory() { QAccessible::installFactory(quilletAccessible); }
Q_COREAPP_STARTUP_FUNCTION(installFactory)

}  // namespace

void Announcer::runStarted()
{
    untold_ = false;
    notice().hide();
}

void Announcer::runFinished(int sites)
{
    sites_ = sites;
    untold_ = true;
    activationChanged();
}

// A notification that comes into view is spoken by screen readers of
// themselves, whatever has the focus, and kept in their list of
// notifications. (Qt 6.8's announcements would be spoken too, but kept
// nowhere; Qt 6.4 has none.) Named while out of view, which screen readers do
// not speak but note; then shown, which they speak.
void Announcer::activationChanged()
{
    if (!untold_ || !window_.isActiveWindow())
        return;
    untold_ = false;
    Notice& n = notice();
    n.hide();
    n.setAccessibleName(QStringLiteral("A nearest-site diagram of %1 sites").arg(sites_));
    n.show();
}

// The window keeps one empty notification, out of the way, shown once a run
// has finished.
Notice& Announcer::notice()
{
    if (!notice_) {
        notice_ = new Notice(&window_);
        notice_->setAttribute(Qt::WA_TransparentForMouseEvents);
        notice_->setGeometry(0, 0, 1, 1);
        notice_->hide();
    }
    return *notice_;
}

#include "access.moc"
