#pragma once

#include <QIcon>
#include <QImage>

// The program's icon, drawn: five sites and their cells, as in the icon that
// is installed for the desktop. The window carries it.
QIcon drawnIcon();
// The same, size pixels square (for the Windows program's icon file).
QImage drawnIcon(int size);
