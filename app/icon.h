#pragma once

#include <QIcon>
#include <QImage>

// The program's icon, drawn: five sites and their cells, as in the icon that
// is installed for the desktop. The window carries it.
QIcon drawnIcon();
// The same, size pixels square: at 24 pixels and less, a drawing of its own
// with fewer cells and thicker lines.
QImage drawnIcon(int size);
