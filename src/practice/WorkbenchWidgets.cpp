#include "practice/WorkbenchWidgets.h"

#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

UpDown::UpDown(QWidget* parent, const QString& name, int minimum, int maximum)
    : QWidget(parent), m_minimum(minimum), m_maximum(maximum), m_position(minimum)
{
    setObjectName(name);
    m_up = new QToolButton(this);
    m_up->setObjectName(name + QStringLiteral("Up"));
    m_up->setArrowType(Qt::UpArrow);
    m_down = new QToolButton(this);
    m_down->setObjectName(name + QStringLiteral("Down"));
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {m_up, m_down}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
    }
    connect(m_up, &QToolButton::clicked, this, [this] { step(Direction::Up); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(Direction::Down); });
}

void UpDown::setPosition(int position)
{
    m_position = qBound(m_minimum, position, m_maximum);
}

void UpDown::step(Direction direction)
{
    const int next = qBound(m_minimum, m_position + (direction == Direction::Up ? 1 : -1), m_maximum);
    bool allow = true;
    emit changing(direction, next, &allow);
    if (allow)
        m_position = next;
    emit clicked(direction);
}

void UpDown::resizeEvent(QResizeEvent*)
{
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}

LampShape::LampShape(QWidget* parent, const QString& name) : QWidget(parent)
{
    setObjectName(name);
}

void LampShape::setColor(const QColor& color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void LampShape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    p.setBrush(m_color);
    const int d = qMin(width(), height()) - 2;
    p.drawEllipse(QRectF((width() - d) / 2.0, (height() - d) / 2.0, d, d));
}

namespace WorkbenchGlyphs {

namespace {

QPolygonF triangle(QPointF a, QPointF b, QPointF c)
{
    return QPolygonF({a, b, c});
}

// A bold character in the middle of the picture, its height a share of it.
void centredText(QPainter& p, qreal s, const QString& text, qreal share, const QColor& color)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(int(s * share));
    f.setBold(true);
    p.setFont(f);
    p.setPen(color);
    p.drawText(QRectF(0, 0, s, s), Qt::AlignCenter, text);
}

void draw(QPainter& p, Glyph glyph, qreal s)
{
    const QColor outline(0x20, 0x20, 0x20);
    p.setPen(QPen(outline, s / 16.0));
    switch (glyph) {
    case Glyph::Play:
        p.setBrush(QColor(0x00, 0x90, 0x00));
        p.drawPolygon(triangle({s * 0.28, s * 0.15}, {s * 0.28, s * 0.85}, {s * 0.85, s * 0.5}));
        break;
    case Glyph::Stop:
        p.setBrush(QColor(0x20, 0x20, 0x90));
        p.drawRect(QRectF(s * 0.22, s * 0.22, s * 0.56, s * 0.56));
        break;
    case Glyph::Rewind:
        p.setBrush(QColor(0x00, 0x60, 0xC0));
        p.drawRect(QRectF(s * 0.12, s * 0.2, s * 0.1, s * 0.6));
        p.drawPolygon(triangle({s * 0.25, s * 0.5}, {s * 0.56, s * 0.2}, {s * 0.56, s * 0.8}));
        p.drawPolygon(triangle({s * 0.56, s * 0.5}, {s * 0.88, s * 0.2}, {s * 0.88, s * 0.8}));
        break;
    case Glyph::Record:
        p.setBrush(QColor(0xD0, 0x00, 0x00));
        p.drawEllipse(QRectF(s * 0.2, s * 0.2, s * 0.6, s * 0.6));
        break;
    case Glyph::Help:
        p.setBrush(QColor(0xFF, 0xF0, 0x80));
        p.drawEllipse(QRectF(s * 0.08, s * 0.08, s * 0.84, s * 0.84));
        centredText(p, s, QStringLiteral("?"), 0.7, QColor(0x00, 0x00, 0xA0));
        break;
    case Glyph::Eject:
        p.setBrush(QColor(0x60, 0x60, 0x60));
        p.drawPolygon(triangle({s * 0.5, s * 0.15}, {s * 0.88, s * 0.58}, {s * 0.12, s * 0.58}));
        p.drawRect(QRectF(s * 0.12, s * 0.7, s * 0.76, s * 0.14));
        break;
    case Glyph::Clear:
        // Back to zero: a "0" inside an arrow turning anticlockwise.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x00, 0x60, 0xC0), s * 0.1, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(s * 0.12, s * 0.12, s * 0.76, s * 0.76), 100 * 16, 290 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x00, 0x60, 0xC0));
        p.drawPolygon(triangle({s * 0.34, s * 0.02}, {s * 0.34, s * 0.3}, {s * 0.12, s * 0.16}));
        centredText(p, s, QStringLiteral("0"), 0.46, QColor(0x20, 0x20, 0x20));
        break;
    case Glyph::Navigate:
        p.setBrush(QColor(0x00, 0x60, 0xC0));
        p.drawPolygon(triangle({s * 0.5, s * 0.02}, {s * 0.68, s * 0.26}, {s * 0.32, s * 0.26}));
        p.drawPolygon(triangle({s * 0.5, s * 0.98}, {s * 0.68, s * 0.74}, {s * 0.32, s * 0.74}));
        p.drawPolygon(triangle({s * 0.02, s * 0.5}, {s * 0.26, s * 0.32}, {s * 0.26, s * 0.68}));
        p.drawPolygon(triangle({s * 0.98, s * 0.5}, {s * 0.74, s * 0.32}, {s * 0.74, s * 0.68}));
        p.setBrush(QColor(0x00, 0xC0, 0x00));
        p.drawRect(QRectF(s * 0.36, s * 0.36, s * 0.28, s * 0.28));
        break;
    case Glyph::Tick: {
        QPainterPath path;
        path.moveTo(s * 0.12, s * 0.55);
        path.lineTo(s * 0.4, s * 0.82);
        path.lineTo(s * 0.9, s * 0.18);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x00, 0x80, 0x00), s * 0.16, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
        break;
    }
    case Glyph::Cross:
        p.setPen(QPen(QColor(0xD0, 0x00, 0x00), s * 0.16, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(s * 0.18, s * 0.18), QPointF(s * 0.82, s * 0.82));
        p.drawLine(QPointF(s * 0.82, s * 0.18), QPointF(s * 0.18, s * 0.82));
        break;
    }
}

} // namespace

QPixmap pixmap(Glyph glyph, int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p, glyph, size);
    return pm;
}

QIcon icon(Glyph glyph, int size)
{
    QIcon result(pixmap(glyph, size));
    // Disabled buttons show the picture greyed by the style.
    return result;
}

} // namespace WorkbenchGlyphs
