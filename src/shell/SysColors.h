#pragma once

#include <QColor>

// The colours the screens use: fixed ones and the system colours of the
// desktop scheme (taken from the application palette).
namespace SysColors {

inline const QColor Lime{0x00, 0xFF, 0x00};
inline const QColor Aqua{0x00, 0xFF, 0xFF};
inline const QColor Yellow{0xFF, 0xFF, 0x00};
inline const QColor Red{0xFF, 0x00, 0x00};
inline const QColor White{0xFF, 0xFF, 0xFF};
inline const QColor Black{0x00, 0x00, 0x00};
inline const QColor Fuchsia{0xFF, 0x00, 0xFF};
inline const QColor Blue{0x00, 0x00, 0xFF};
inline const QColor Grey{0x80, 0x80, 0x80};

QColor window();       // background of boxes and edits
QColor windowText();   // text on window colour
QColor buttonFace();   // background of buttons and panels
QColor buttonText();   // text on button face
QColor buttonShadow(); // unlit lamp
QColor highlight();    // selection colour

} // namespace SysColors
