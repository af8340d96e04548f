#include "shell/Shape.h"

#include <QPainter>

Shape::Shape(QWidget* parent, const QString& name) : QWidget(parent)
{
    setObjectName(name);
}

void Shape::setBrushColor(const QColor& color)
{
    if (color == m_brush)
        return;
    m_brush = color;
    update();
}

void Shape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int side = qMin(width(), height()) - 2;
    const QRectF circle((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.0));
    p.setBrush(m_brush);
    p.drawEllipse(circle);
    // A soft highlight makes a lit lamp look like a lamp.
    QRadialGradient shine(circle.center() - QPointF(side / 5.0, side / 5.0), side / 2.0);
    shine.setColorAt(0, QColor(255, 255, 255, 110));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawEllipse(circle.adjusted(2, 2, -2, -2));
}
