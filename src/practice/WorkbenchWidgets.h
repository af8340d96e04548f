#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QWidget>

class QToolButton;

// An up-down spinner beside a panel that shows its value: two arrow buttons
// that step a position between a minimum and a maximum, without wrapping.
// Before a step, changing() lets the owner refuse it; after every click of
// an arrow (refused or not) clicked() follows.
class UpDown : public QWidget
{
    Q_OBJECT
public:
    enum class Direction { Up, Down };

    UpDown(QWidget* parent, const QString& name, int minimum = 0, int maximum = 1000);

    int position() const { return m_position; }
    // Sets the position directly (kept within the range); no signals.
    void setPosition(int position);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }

    // One click of an arrow.
    void step(Direction direction);

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

signals:
    // A step to newPosition is about to happen; set *allow to false to refuse.
    void changing(UpDown::Direction direction, int newPosition, bool* allow);
    void clicked(UpDown::Direction direction);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* m_up = nullptr;
    QToolButton* m_down = nullptr;
    int m_minimum;
    int m_maximum;
    int m_position;
};

// A round lamp (a shape filled with one colour).
class LampShape : public QWidget
{
    Q_OBJECT
public:
    LampShape(QWidget* parent, const QString& name);
    QColor color() const { return m_color; }
    void setColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color;
};

// The small pictures of the workbench buttons and lamps, drawn at run time.
namespace WorkbenchGlyphs {

enum class Glyph { Play, Stop, Rewind, Record, Help, Eject, Clear, Navigate, Tick, Cross };

QPixmap pixmap(Glyph glyph, int size = 16);
QIcon icon(Glyph glyph, int size = 16);

} // namespace WorkbenchGlyphs
