#include "app/access.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <QtGlobal>

namespace {

// An empty widget that stands for a notification. Its text is a property that
// its accessible interface reads, so that setting it raises no event.
class Notice : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};

constexpr const char* noticeText = "quilletNotice";

class NoticeAccessible : public QAccessibleWidget {
public:
    explicit NoticeAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Notification) {}
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? widget()->property(noticeText).toString() : QAccessibleWidget::text(t);
    }
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
        return new NoticeAccessible(widget);
    return nullptr;
}

// Before any widget exists: Qt keeps the first interface it makes for one.
void installFactory() { QAccessible::installFactory(quilletAccessible); }
Q_COREAPP_STARTUP_FUNCTION(installFactory)

// Qt before 6.8 has no announcements. A notification that comes into view is
// spoken by screen readers of themselves, whatever has the focus: the window
// keeps an empty one, out of the way, shown once a run has finished.
[[maybe_unused]] Notice* noticeOf(QWidget& window)
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
    const QString text = QStringLiteral("A nearest-site diagram of %1 sites").arg(sites);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(&window, text);
    QAccessible::updateAccessibility(&event);
#else
    Notice* notice = noticeOf(window);
    notice->setProperty(noticeText, text);
    notice->show();
#endif
}

void withdrawAnnouncement(QWidget& window)
{
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
    noticeOf(window)->hide();
#else
    (void)window;
#endif
}

#include "access.moc"
