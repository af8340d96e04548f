#include "shell/UpDown.h"

#include <QKeyEvent>
#include <QPainter>
#include <QToolButton>

UpDown::UpDown(QWidget* parent, const QString& name) : QWidget(parent)
{
    setObjectName(name);
    auto arrow = [this](Qt::ArrowType type, Direction direction) {
        auto* button = new QToolButton(this);
        button->setArrowType(type);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, direction] { click(direction); });
        return button;
    };
    m_up = arrow(Qt::UpArrow, Direction::Up);
    m_down = arrow(Qt::DownArrow, Direction::Down);
    m_up->setObjectName(name + QStringLiteral("Up"));
    m_down->setObjectName(name + QStringLiteral("Down"));
    m_up->setAccessibleName(QStringLiteral("Up"));
    m_down->setAccessibleName(QStringLiteral("Down"));
    setFocusPolicy(Qt::TabFocus);
}

void UpDown::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const bool up = m_horizontal ? key == Qt::Key_Right : key == Qt::Key_Up;
    const bool down = m_horizontal ? key == Qt::Key_Left : key == Qt::Key_Down;
    if (up || down) {
        click(up ? Direction::Up : Direction::Down);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void UpDown::paintEvent(QPaintEvent*)
{
    if (!hasFocus())
        return;
    QPainter p(this);
    p.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void UpDown::setRange(int minimum, int maximum)
{
    m_min = minimum;
    m_max = qMax(minimum, maximum);
    setPosition(m_position);
}

void UpDown::setPosition(int position)
{
    m_position = qBound(m_min, position, m_max);
}

void UpDown::setHorizontal(bool horizontal)
{
    m_horizontal = horizontal;
    m_up->setArrowType(horizontal ? Qt::RightArrow : Qt::UpArrow);
    m_down->setArrowType(horizontal ? Qt::LeftArrow : Qt::DownArrow);
    layoutArrows();
}

void UpDown::click(Direction direction)
{
    int next = m_position + (direction == Direction::Up ? 1 : -1);
    if (m_wrap && next > m_max)
        next = m_min;
    else if (m_wrap && next < m_min)
        next = m_max;
    next = qBound(m_min, next, m_max);
    if (m_changing && !m_changing(direction, next))
        return;
    if (next == m_position)
        return;
    m_position = next;
    emit clicked(direction);
}

void UpDown::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutArrows();
}

void UpDown::layoutArrows()
{
    if (m_horizontal) {
        const int half = width() / 2;
        m_down->setGeometry(0, 0, half, height());
        m_up->setGeometry(half, 0, width() - half, height());
        return;
    }
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}
