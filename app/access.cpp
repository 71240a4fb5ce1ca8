#include "app/access.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QString>
#include <QWidget>

// Empty widgets, out of sight, that stand for a notification and for a
// status bar; the accessible name is what each tells (the accessibility
// factory gives them their roles).
class Notice : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};

class Status : public QWidget {
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
    if (className == QLatin1String("Status"))
        return new QAccessibleWidget(widget, QAccessible::StatusBar);
    return nullptr;
}

// Before any widget exists: Qt keeps the first interface it makes for one.
void installFactory() { QAccessible::installFactory(quilletAccessible); }
Q_COREAPP_STARTUP_FUNCTION(installFactory)

}  // namespace

// An empty widget, in view but out of sight: one pixel that draws nothing and
// takes no click.
template <class Role>
Role* outOfSight(QWidget& window, const QString& name)
{
    auto* w = new Role(&window);
    w->setAttribute(Qt::WA_TransparentForMouseEvents);
    w->setFocusPolicy(Qt::NoFocus);
    w->setGeometry(0, 0, 1, 1);
    w->setAccessibleName(name);
    return w;
}

// (The status bar comes after the buttons, in the window's children as in
// the order a screen reader reads them.)
void Announcer::runStarted()
{
    untold_ = false;
    if (!notices_.empty() && notices_.back())
        notices_.back()->hide();
    if (!status_) {
        status_ = outOfSight<Status>(window_, QString());
        status_->show();
    }
    status_->setAccessibleName(QStringLiteral("Drawing a diagram"));
}

void Announcer::runFinished(int sites)
{
    sites_ = sites;
    untold_ = true;
    status_->setAccessibleName(told(sites));
    activationChanged();
}

// A notification that comes into view is spoken by screen readers of
// themselves, whatever has the focus, and kept in their list of
// notifications. (Qt 6.8's announcements would be spoken too, but kept
// nowhere; Qt 6.4 has none.) Each run has a notification of its own, named
// before it is shown: a screen reader that hears late of an earlier one
// finds it as it was, and never speaks one count twice. The last few are
// kept, out of view, for those late readers.
void Announcer::activationChanged()
{
    constexpr std::size_t kept = 16;
    if (!untold_ || !window_.isActiveWindow())
        return;
    untold_ = false;
    auto* notice = outOfSight<Notice>(window_, told(sites_));
    notice->hide();
    notices_.emplace_back(notice);
    notice->show();
    while (notices_.size() > kept) {
        delete notices_.front();
        notices_.pop_front();
    }
}

#include "access.moc"
