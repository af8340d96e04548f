#pragma once

#include <functional>

class QKeyEvent;

// Esc that closes a window when it is let go, for a window's key preview.
// Only an Esc pressed in the window counts: the release of the Esc that
// closed a message box or dialog over the window does not close it too.
class EscapeCloses
{
public:
    // True when the key is Esc (its press must not reach the controls).
    bool keyPress(const QKeyEvent* event);
    // True when the key is Esc; calls close for an Esc pressed here.
    bool keyRelease(const QKeyEvent* event, const std::function<void()>& close);

private:
    bool m_pressed = false;
};
