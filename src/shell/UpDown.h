#pragma once

#include <QWidget>

#include <functional>

class QToolButton;

// An up-down control: two arrow buttons that step a position within a range
// (no wrap unless asked). Before a step the changing check may refuse it;
// after a step the clicked signal reports the direction. Holding an arrow
// repeats the step.
class UpDown : public QWidget
{
    Q_OBJECT
public:
    enum class Direction { Up, Down };

    UpDown(QWidget* parent, const QString& name);

    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    void setRange(int minimum, int maximum);
    int position() const { return m_position; }
    // Sets the position (held within the range) without any event.
    void setPosition(int position);

    // Stepping past one end goes on at the other.
    void setWrap(bool wrap) { m_wrap = wrap; }
    // Side by side, a left arrow (down, "previous") and a right arrow (up,
    // "next"), instead of one above the other.
    void setHorizontal(bool horizontal);

    // Asked before every step with the direction and the new position;
    // returning false refuses the step.
    void setChangingCheck(std::function<bool(Direction, int)> check) { m_changing = std::move(check); }

    // One click on an arrow, as the mouse gives it.
    void click(Direction direction);

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

signals:
    // A step was taken; position() is the new position.
    void clicked(UpDown::Direction direction);

protected:
    void resizeEvent(QResizeEvent* event) override;
    // With the focus, the arrow keys press its arrows.
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void layoutArrows();

    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
    int m_min = 0;
    int m_max = 100;
    int m_position = 0;
    bool m_wrap = false;
    bool m_horizontal = false;
    std::function<bool(Direction, int)> m_changing;
};
