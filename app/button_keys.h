#pragma once

#include <QObject>

#include "lifecycle/lifecycle.h"

class QPushButton;

// The two buttons' keys, as the lifecycle rules them: Enter presses the
// focused button as Space does, and while a run draws no key but End's access
// key reaches End. Alt+R moves the keyboard focus to Retry at once, as an
// access key does, not after the button's press shows: a Space that follows
// is Retry's. Made a child of the window, it watches both buttons.
class ButtonKeys : public QObject {
public:
    ButtonKeys(QPushButton& retry, QPushButton& end, const Lifecycle& lifecycle, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton& retry_;
    QPushButton& end_;
    const Lifecycle& lifecycle_;
};
