#include "shell/UpDown.h"

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

void UpDown::click(Direction direction)
{
    const int next = qBound(m_min, m_position + (direction == Direction::Up ? 1 : -1), m_max);
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
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}
