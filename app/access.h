#pragma once

class QWidget;

// What assistive technology (a screen reader, say) is told of the window.

// The window reaches it as the application's main window, not as a plain
// widget's client area. Call once the application exists.
void presentAsMainWindow();

// The window's description says what is drawn: "Drawing a nearest-site
// diagram of 42 sites" while a run draws, "A nearest-site diagram of 42
// sites" once it has finished; assistive technology is told of each change
// (Qt sends the event).
void describeDrawing(QWidget& window, int sites, bool finished);
