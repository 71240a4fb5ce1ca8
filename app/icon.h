#pragma once

#include <QIcon>

// The program's icon, drawn: five sites and their cells, as in the icon that
// is installed for the desktop. The window carries it.
QIcon drawnIcon();
