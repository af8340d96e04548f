#include "shell/Panel.h"

#include <QAccessible>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "shell/PanelAccessible.h"
#include "shell/SysColors.h"

Panel::Panel(QWidget* parent, const QString& name) : QFrame(parent)
{
    PanelAccessible::install();
    if (!name.isEmpty())
        setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void Panel::setCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
    PanelAccessible::captionChanged(this);
}

void Panel::announce(const QString& text)
{
    setAccessibleName(text);
    PanelAccessible::alert(this);
}

bool Panel::takesClicks() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&Panel::clicked));
}

Panel::Kind Panel::kind() const
{
    if (m_kind != Kind::Automatic)
        return m_kind;
    return Kind::Text;
}

void Panel::setSelected(bool selected)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    PanelAccessible::stateChanged(this);
}

void Panel::setCurrent(bool current)
{
    if (current == m_current)
        return;
    m_current = current;
    if (current)
        PanelAccessible::focused(this);
    else
        PanelAccessible::stateChanged(this);
}

QColor Panel::color() const
{
    return m_color.isValid() ? m_color : SysColors::buttonFace();
}

void Panel::setColor(const QColor& color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

QColor Panel::fontColor() const
{
    return m_fontColor.isValid() ? m_fontColor : SysColors::buttonText();
}

void Panel::setFontColor(const QColor& color)
{
    if (color == m_fontColor)
        return;
    m_fontColor = color;
    update();
}

void Panel::setBevelOuter(Bevel bevel)
{
    m_outer = bevel;
    update();
}

void Panel::setBevelInner(Bevel bevel)
{
    m_inner = bevel;
    update();
}

void Panel::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

void Panel::setFontSpec(const QString& family, int pixelSize, bool bold)
{
    QFont f = font();
    f.setFamily(family);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    setFont(f);
}

void Panel::setBold(bool bold)
{
    QFont f = font();
    f.setBold(bold);
    setFont(f);
}

QSize Panel::sizeHint() const
{
    const QSize text = fontMetrics().size(Qt::TextSingleLine, m_caption);
    return text + QSize(8, 8);
}

namespace {

void drawBevel(QPainter& p, QRect r, Panel::Bevel bevel, const QColor& face)
{
    if (bevel == Panel::Bevel::None)
        return;
    const QColor light = face.lighter(170);
    const QColor dark = face.darker(160);
    const QColor topLeft = bevel == Panel::Bevel::Raised ? light : dark;
    const QColor bottomRight = bevel == Panel::Bevel::Raised ? dark : light;
    p.setPen(topLeft);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(bottomRight);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

} // namespace

void Panel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, color());
    drawBevel(p, r, m_outer, color());
    if (m_inner != Bevel::None)
        drawBevel(p, r.adjusted(1, 1, -1, -1), m_inner, color());
    if (!m_caption.isEmpty()) {
        QColor text = readableOn(fontColor(), color());
        if (!isEnabled())
            text = SysColors::buttonShadow();
        p.setPen(text);
        p.setFont(font());
        const QRect inner = r.adjusted(2, 1, -2, -1);
        p.drawText(inner, int(m_alignment) | Qt::TextSingleLine, m_caption);
    }
    if (hasFocus()) {
        QPen dotted(readableOn(fontColor(), color()), 1, Qt::DotLine);
        p.setPen(dotted);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(3, 3, -4, -4));
    }
}

bool Panel::claimsKey(int key) const
{
    if (kind() != Kind::OptionButton || !hasFocus())
        return false;
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    default:
        return false;
    }
}

void Panel::keyPressEvent(QKeyEvent* event)
{
    if (!claimsKey(event->key()) || event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        QFrame::keyPressEvent(event);
        return;
    }
    event->accept();
    const int key = event->key();
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (!event->isAutoRepeat())
            click();
        return;
    }
    // The option buttons of the group, in the order they were made.
    QList<Panel*> group;
    for (Panel* option : window()->findChildren<Panel*>()) {
        if (option->kind() == Kind::OptionButton && option->optionGroup() == optionGroup() && option->isVisible()
            && option->isEnabled())
            group.append(option);
    }
    const int here = group.indexOf(this);
    if (here < 0)
        return;
    int next = here;
    if (key == Qt::Key_Home)
        next = 0;
    else if (key == Qt::Key_End)
        next = int(group.size()) - 1;
    else if (key == Qt::Key_Left || key == Qt::Key_Up)
        next = (here + int(group.size()) - 1) % int(group.size());
    else
        next = (here + 1) % int(group.size());
    Panel* target = group.at(next);
    if (target == this)
        return;
    target->click();
    // The choice may be refused (a run plays): the focus follows the
    // selection, wherever it now is.
    Panel* chosen = target->isSelected() ? target : this;
    chosen->setFocus(Qt::TabFocusReason);
}

void Panel::keyReleaseEvent(QKeyEvent* event)
{
    if (claimsKey(event->key())) {
        event->accept();
        return;
    }
    QFrame::keyReleaseEvent(event);
}

void Panel::mousePressEvent(QMouseEvent* event)
{
    // A panel takes its clicks: a panel inside another one must not click both.
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    event->accept();
}

void Panel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit clicked();
}

void styleOptionButton(Panel* button, bool selected)
{
    if (!button)
        return;
    button->setKind(Panel::Kind::OptionButton);
    // One stop in the tab order for the group, as radio buttons have: the
    // selected button.
    const bool hadFocus = button->hasFocus();
    button->setSelected(selected);
    button->setFocusPolicy(selected ? Qt::TabFocus : Qt::NoFocus);
    if (hadFocus && !selected)
        button->clearFocus();
    button->setBevelOuter(selected ? Panel::Bevel::Lowered : Panel::Bevel::Raised);
    button->setColor(selected ? SysColors::Lime : SysColors::buttonFace());
    button->setFontColor(selected ? SysColors::Black : SysColors::buttonText());
}

namespace {

double luminance(const QColor& c)
{
    const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    const QColor rgb = c.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) + 0.0722 * channel(rgb.blueF());
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& text, const QColor& background)
{
    constexpr double Enough = 4.5;
    if (contrastRatio(text, background) >= Enough)
        return text;
    // Towards black on a light background, towards white on a dark one; the
    // hue stays, so a red or blue text keeps its meaning.
    const bool lightBackground = contrastRatio(SysColors::Black, background) >= contrastRatio(SysColors::White, background);
    const QColor end = lightBackground ? SysColors::Black : SysColors::White;
    const QColor from = text.toRgb();
    // A grey or white text has no hue to keep: black or white outright.
    if (from.hslSaturationF() < 0.25f)
        return end;
    for (int step = 1; step <= 20; ++step) {
        const double t = step / 20.0;
        const QColor mixed = QColor::fromRgbF(float(from.redF() + (end.redF() - from.redF()) * t),
                                              float(from.greenF() + (end.greenF() - from.greenF()) * t),
                                              float(from.blueF() + (end.blueF() - from.blueF()) * t));
        if (contrastRatio(mixed, background) >= Enough)
            return mixed;
    }
    return end;
}
