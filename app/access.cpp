#include "app/access.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QString>
#include <QWidget>

namespace {

// An empty widget that stands for a notification; its accessible name is
// what it tells.
class Notice : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};

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

// A notification that comes into view is spoken by screen readers of
// themselves, whatever has the focus, and kept in their list of
// notifications: the window keeps an empty one, out of the way, shown once a
// run has finished. (Qt 6.8's announcements would be spoken too, but kept
// nowhere; Qt 6.4 has none.)
Notice* noticeOf(QWidget& window)
{
    auto* notice = window.findChild<Notice*>(QString(), Qt::FindDirectChildrenOnly);
    if (!notice) {
        notice = new Notice(&window);
        notice->setAttribute(Qt::WA_TransparentForMouseEvents);
        notice->setGeometry(0, 0, 1, 1);
        notice->hide();
    }
    return notice;
}

}  // namespace

void announceDrawing(QWidget& window, int sites)
{
    // Named while out of view, which screen readers do not speak but note;
    // then shown, which they speak.
    Notice* notice = noticeOf(window);
    notice->hide();
    notice->setAccessibleName(QStringLiteral("A nearest-site diagram of %1 sites").arg(sites));
    notice->show();
}

void withdrawAnnouncement(QWidget& window) { noticeOf(window)->hide(); }

#include "access.moc"
