#include "basics/DrillWidgets.h"

#include <QLabel>

#include "shell/Hints.h"
#include "shell/Panel.h"
#include "shell/SysColors.h"

namespace {

const QString FontFamily = QStringLiteral("Arial");

} // namespace

namespace DrillWidgets {

Panel* bigPanel(QWidget* parent, const QString& name, const QString& hint, const QColor& colour)
{
    auto* panel = new Panel(parent, name);
    panel->setFontSpec(FontFamily, BigFont, true);
    panel->setBevelOuter(Panel::Bevel::Lowered);
    panel->setColor(colour);
    Hints::setHint(panel, hint);
    return panel;
}

QLabel* bigLabel(QWidget* parent, const QString& name, const QString& text, int pixelSize)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font(FontFamily);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

void markOperand(Panel* panel, std::optional<int> fixed)
{
    panel->setColor(fixed ? SysColors::buttonFace() : SysColors::Lime);
    if (fixed)
        panel->setCaption(QString::number(*fixed));
}

QRect placeRow(int left, int right, int top, std::initializer_list<std::pair<QWidget*, int>> boxes, int gap)
{
    int width = -gap;
    for (const auto& box : boxes)
        width += box.second + gap;
    int x = left + (right - left - width) / 2;
    const int start = x;
    for (const auto& [widget, boxWidth] : boxes) {
        widget->setGeometry(x, top, boxWidth, BoxHeight);
        x += boxWidth + gap;
    }
    return QRect(start, top, width, BoxHeight);
}

} // namespace DrillWidgets
