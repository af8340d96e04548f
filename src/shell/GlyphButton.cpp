#include "shell/GlyphButton.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>

GlyphButton::GlyphButton(QWidget* parent, const QString& name, Glyph glyph, const QString& caption)
    : QPushButton(caption, parent), m_glyph(glyph)
{
    setObjectName(name);
    const int side = caption.isEmpty() ? 28 : 18;
    QIcon icon;
    icon.addPixmap(draw(glyph, side), QIcon::Normal);
    setIcon(icon);
    setIconSize(QSize(side, side));
    setFocusPolicy(Qt::TabFocus);
    // A button that shows only its glyph is named after it for screen readers.
    if (caption.isEmpty())
        setAccessibleName(glyphName(glyph));
}

QString GlyphButton::glyphName(Glyph glyph)
{
    switch (glyph) {
    case Glyph::Play:
        return QStringLiteral("Play");
    case Glyph::Stop:
        return QStringLiteral("Stop");
    case Glyph::Eject:
        return QStringLiteral("Eject");
    case Glyph::Help:
        return QStringLiteral("Help");
    case Glyph::Clear:
        return QStringLiteral("Clear");
    case Glyph::Rewind:
        return QStringLiteral("Restart");
    case Glyph::Record:
        return QStringLiteral("Custom question");
    case Glyph::Navigate:
        return QStringLiteral("Keys");
    case Glyph::Tick:
        return QStringLiteral("Right");
    case Glyph::Cross:
        return QStringLiteral("Wrong");
    }
    return QString();
}

QPixmap GlyphButton::draw(Glyph glyph, int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = side;
    const QPen outline(QColor(0x20, 0x20, 0x20), qMax(1.0, s / 24.0));
    p.setPen(outline);
    switch (glyph) {
    case Glyph::Play: {
        QPainterPath path;
        path.moveTo(s * 0.25, s * 0.15);
        path.lineTo(s * 0.85, s * 0.5);
        path.lineTo(s * 0.25, s * 0.85);
        path.closeSubpath();
        p.setBrush(QColor(0x00, 0xA0, 0x00));
        p.drawPath(path);
        break;
    }
    case Glyph::Stop:
        p.setBrush(QColor(0xC0, 0x00, 0x00));
        p.drawRect(QRectF(s * 0.22, s * 0.22, s * 0.56, s * 0.56));
        break;
    case Glyph::Eject: {
        QPainterPath path;
        path.moveTo(s * 0.5, s * 0.15);
        path.lineTo(s * 0.85, s * 0.55);
        path.lineTo(s * 0.15, s * 0.55);
        path.closeSubpath();
        p.setBrush(QColor(0x20, 0x40, 0xC0));
        p.drawPath(path);
        p.drawRect(QRectF(s * 0.15, s * 0.66, s * 0.7, s * 0.16));
        break;
    }
    case Glyph::Help: {
        p.setBrush(QColor(0xF0, 0xD0, 0x20));
        p.drawEllipse(QRectF(s * 0.08, s * 0.08, s * 0.84, s * 0.84));
        QFont font(QStringLiteral("Arial"));
        font.setBold(true);
        font.setPixelSize(int(s * 0.62));
        p.setFont(font);
        p.setPen(QColor(0x10, 0x10, 0x60));
        p.drawText(QRectF(0, 0, s, s), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case Glyph::Clear: {
        // An eraser lying at a slant.
        p.translate(s * 0.5, s * 0.5);
        p.rotate(-35);
        const QRectF body(-s * 0.42, -s * 0.2, s * 0.84, s * 0.4);
        p.setBrush(QColor(0xF0, 0x80, 0x90));
        p.drawRoundedRect(body, s * 0.06, s * 0.06);
        p.setBrush(QColor(0x30, 0x60, 0xD0));
        p.drawRoundedRect(QRectF(body.left(), body.top(), body.width() * 0.35, body.height()), s * 0.06, s * 0.06);
        break;
    }
    case Glyph::Rewind: {
        // A bar and two triangles pointing back to the start.
        p.setBrush(QColor(0x20, 0x40, 0xC0));
        p.drawRect(QRectF(s * 0.12, s * 0.22, s * 0.1, s * 0.56));
        for (qreal tip : {0.25, 0.56}) {
            QPainterPath path;
            path.moveTo(s * tip, s * 0.5);
            path.lineTo(s * (tip + 0.31), s * 0.22);
            path.lineTo(s * (tip + 0.31), s * 0.78);
            path.closeSubpath();
            p.drawPath(path);
        }
        break;
    }
    case Glyph::Record:
        p.setBrush(QColor(0xD0, 0x00, 0x00));
        p.drawEllipse(QRectF(s * 0.2, s * 0.2, s * 0.6, s * 0.6));
        break;
    case Glyph::Navigate: {
        // Four arrows round a box: the keys that move between boxes.
        p.setBrush(QColor(0x20, 0x40, 0xC0));
        const QPointF tips[4][3] = {{{0.5, 0.02}, {0.68, 0.26}, {0.32, 0.26}},
                                    {{0.5, 0.98}, {0.68, 0.74}, {0.32, 0.74}},
                                    {{0.02, 0.5}, {0.26, 0.32}, {0.26, 0.68}},
                                    {{0.98, 0.5}, {0.74, 0.32}, {0.74, 0.68}}};
        for (const auto& t : tips)
            p.drawPolygon(QPolygonF({t[0] * s, t[1] * s, t[2] * s}));
        p.setBrush(QColor(0x00, 0xC0, 0x00));
        p.drawRect(QRectF(s * 0.36, s * 0.36, s * 0.28, s * 0.28));
        break;
    }
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
    return pixmap;
}
