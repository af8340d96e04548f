#include "shell/EscapeCloses.h"

#include <QKeyEvent>

bool EscapeCloses::keyPress(const QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape)
        return false;
    m_pressed = true;
    return true;
}

bool EscapeCloses::keyRelease(const QKeyEvent* event, const std::function<void()>& close)
{
    if (event->key() != Qt::Key_Escape)
        return false;
    if (m_pressed && !event->isAutoRepeat()) {
        m_pressed = false;
        close();
    }
    return true;
}
