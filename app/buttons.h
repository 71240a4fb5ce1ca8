#pragma once

#include "window/window.h"

class QFont;
class QPushButton;
class QWidget;

// The button, made a child of window, in the system's own look (not the
// black window's), its caption fitted to it (see fitCaption).
QPushButton* addButton(QWidget& window, const Window::Button& spec);

// The caption fits its button at the button's fixed size, in whatever font
// the desktop gives, with a little air on either side: the font shrinks, half
// a point at a time, from font until it does.
void fitCaption(QPushButton& button, QFont font);
