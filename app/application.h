#pragma once

#include <QApplication>

// Quillet's application object: on the accessibility bus from the start, as
// other desktop programs are (a screen reader started later finds the window;
// Qt 6.4 asks only once, as it starts, whether one runs), and named as its
// desktop entry is.
class QuilletApplication : public QApplication {
public:
    QuilletApplication(int& argc, char** argv);
};
