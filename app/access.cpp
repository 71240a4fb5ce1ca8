#include "app/access.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QString>
#include <QWidget>

namespace {

QAccessibleInterface* mainWindowAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("frmQuillet") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

}  // namespace

void presentAsMainWindow()
{
    static const bool installed = [] {
        QAccessible::installFactory(mainWindowAccessible);
        return true;
    }();
    (void)installed;
}

void describeDrawing(QWidget& window, int sites, bool finished)
{
    const QString what = QStringLiteral("nearest-site diagram of %1 sites").arg(sites);
    const QString text = finished ? QStringLiteral("A ") + what : QStringLiteral("Drawing a ") + what;
    if (window.accessibleDescription() == text)
        return;
    window.setAccessibleDescription(text);  // which tells assistive technology
}
