#pragma once

#include <functional>

class QWidget;

// Runs work once, from the event loop, as soon as window is on screen: after
// its first expose has been handled, so the window has been painted; for a
// widget inside a window, after its first paint. Start-up uses it to show the
// main window, and then the sign-in dialog, before the work they do not need.
// When the window is not shown within latestMs (a hidden desktop, a window
// never shown), the work runs then all the same.
void whenFirstShown(QWidget* window, std::function<void()> work, int latestMs = 1000);
