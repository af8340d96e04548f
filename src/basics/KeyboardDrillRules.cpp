#include "basics/KeyboardDrillRules.h"

#include <QtCore/qnamespace.h>

namespace KeyboardDrillRules {

QString character(int question)
{
    if (question >= 0 && question <= 9)
        return QString::number(question);
    if (question == 10)
        return QStringLiteral("+");
    if (question == 11)
        return QStringLiteral("-");
    return QString();
}

QString keypadCharacter(int key, bool keypad)
{
    if (!keypad)
        return QString();
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return QString::number(key - Qt::Key_0);
    switch (key) {
    case Qt::Key_Asterisk: return QStringLiteral("*");
    case Qt::Key_Plus: return QStringLiteral("+");
    case Qt::Key_Minus: return QStringLiteral("-");
    case Qt::Key_Slash: return QStringLiteral("/");
    // The decimal key types a comma under some keyboard layouts.
    case Qt::Key_Period:
    case Qt::Key_Comma: return QStringLiteral(".");
    default: return QString();
    }
}

} // namespace KeyboardDrillRules
