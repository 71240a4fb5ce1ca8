#include "app/button_keys.h"

#include <QKeyEvent>
#include <QPushButton>

namespace {

Lifecycle::Key keyOf(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return Lifecycle::Key::Enter;
    if (key == Qt::Key_Space || key == Qt::Key_Select)
        return Lifecycle::Key::Space;
    return Lifecycle::Key::Other;
}

}  // namespace

ButtonKeys::ButtonKeys(QPushButton& retry, QPushButton& end, const Lifecycle& lifecycle, QObject* parent)
    : QObject(parent), retry_(retry), end_(end), lifecycle_(lifecycle)
{
    retry_.installEventFilter(this);
    end_.installEventFilter(this);
}

bool ButtonKeys::eventFilter(QObject* watched, QEvent* event)
{
    auto* button = qobject_cast<QPushButton*>(watched);
    if (button == &retry_ && event->type() == QEvent::Shortcut && retry_.isEnabled())
        retry_.setFocus(Qt::ShortcutFocusReason);
    if (!button || (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease))
        return QObject::eventFilter(watched, event);
    const Lifecycle::Key key = keyOf(static_cast<QKeyEvent*>(event)->key());
    switch (lifecycle_.key(button == &end_ ? Lifecycle::Button::End : Lifecycle::Button::Retry, key)) {
    case Lifecycle::KeyAction::Swallow: return true;
    case Lifecycle::KeyAction::Click:
        if (event->type() == QEvent::KeyPress)
            button->click();
        return true;
    case Lifecycle::KeyAction::Pass: break;
    }
    return QObject::eventFilter(watched, event);
}
