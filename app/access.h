#pragma once

class QWidget;

// What assistive technology (a screen reader, say) is told of the window. The
// window reaches it as the application's main window, a frame, from the
// moment the application exists: nothing to call for that.

// Tells assistive technology once, without moving the keyboard focus, what a
// finished run drew: a screen reader speaks "A nearest-site diagram of 42
// sites". Screen readers speak for the active window alone: call it when the
// window is active.
void announceDrawing(QWidget& window, int sites);

// A new run starts: the last announcement is withdrawn.
void withdrawAnnouncement(QWidget& window);
