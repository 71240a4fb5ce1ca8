#pragma once

#include <QRect>
#include <QString>

class QFont;
class QPushButton;
class QWidget;

// One of the window's push buttons: its name, its caption with the access
// key marked by &, its place in the client area, and what a screen reader
// says of it.
struct ButtonSpec {
    const char* name;
    QString caption;
    QRect geometry;
    QString accessibleName;
    QString description;
};

// The button, made a child of window, in the system's own look (not the
// black window's), its caption fitted to it (see fitCaption).
QPushButton* addButton(QWidget& window, const ButtonSpec& spec);

// The caption fits its button at the button's fixed size, in whatever font
// the desktop gives, with a little air on either side: the font shrinks, half
// a point at a time, from font until it does.
void fitCaption(QPushButton& button, QFont font);
