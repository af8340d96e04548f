#include "practice/RootSign.h"

#include <QPainter>

#include "shell/SysColors.h"

RootSign::RootSign(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("imgSqrtSymbol"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void RootSign::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(SysColors::Black, 2));
    const int h = height();
    const QPointF points[] = {{1, h * 0.6}, {4, h * 0.5}, {8, h - 2.0}, {13, 2}, {width() - 1.0, 2}};
    p.drawPolyline(points, 5);
}
