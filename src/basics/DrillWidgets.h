#pragma once

#include <QColor>
#include <QRect>
#include <QString>

#include <initializer_list>
#include <optional>
#include <utility>

class Panel;
class QLabel;
class QWidget;

// The pieces the Basics screens build their upper part from: the big
// question and answer panels and the big signs between them.
namespace DrillWidgets {

constexpr int BigFont = 48;
constexpr int BoxHeight = 64;
// The question area right of the options column (form coordinates).
constexpr int AreaLeft = 196;
constexpr int AreaRight = 580;

// A lowered panel in bold 48-pixel Arial.
Panel* bigPanel(QWidget* parent, const QString& name, const QString& hint, const QColor& colour);
// A sign ("=", "×", "÷", "UT") in the same font, centred.
QLabel* bigLabel(QWidget* parent, const QString& name, const QString& text, int pixelSize = BigFont);

// An operand the option fixes shows at once in button-face colour (fixed is
// its value); an operand that changes from question to question is lime
// (fixed is empty).
void markOperand(Panel* panel, std::optional<int> fixed);

// Places the widgets side by side, each at its width, gap pixels apart, the
// row centred between left and right, top as given, BoxHeight high. Returns
// the row's rectangle.
QRect placeRow(int left, int right, int top, std::initializer_list<std::pair<QWidget*, int>> boxes, int gap = 4);

} // namespace DrillWidgets
