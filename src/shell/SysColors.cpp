#include "shell/SysColors.h"

#include <QGuiApplication>
#include <QPalette>

namespace SysColors {

namespace {
QPalette palette()
{
    return QGuiApplication::palette();
}
} // namespace

QColor window() { return palette().color(QPalette::Active, QPalette::Base); }
QColor windowText() { return palette().color(QPalette::Active, QPalette::Text); }
QColor buttonFace() { return palette().color(QPalette::Active, QPalette::Button); }
QColor buttonText() { return palette().color(QPalette::Active, QPalette::ButtonText); }
QColor buttonShadow() { return palette().color(QPalette::Active, QPalette::Dark); }
QColor highlight() { return palette().color(QPalette::Active, QPalette::Highlight); }

} // namespace SysColors
