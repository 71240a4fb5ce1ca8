#pragma once

#include <QIcon>

// The program's icon, drawn: five sites and their cells, as in the icon that
// is installed for the desktop (used where the icon theme has none).
QIcon drawnIcon();
