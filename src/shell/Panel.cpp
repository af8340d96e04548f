#include "shell/Panel.h"

#include <QMouseEvent>
#include <QPainter>

#include "shell/SysColors.h"

Panel::Panel(QWidget* parent, const QString& name) : QFrame(parent)
{
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
        QColor text = fontColor();
        if (!isEnabled())
            text = SysColors::buttonShadow();
        p.setPen(text);
        p.setFont(font());
        const QRect inner = r.adjusted(2, 1, -2, -1);
        p.drawText(inner, int(m_alignment) | Qt::TextSingleLine, m_caption);
    }
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
    button->setBevelOuter(selected ? Panel::Bevel::Lowered : Panel::Bevel::Raised);
    button->setColor(selected ? SysColors::Lime : SysColors::buttonFace());
    button->setFontColor(selected ? SysColors::Black : SysColors::buttonText());
}
