#pragma once

#include <QColor>
#include <QWidget>

// A filled circle with a thin outline: the lamps of the score panel.
class Shape : public QWidget
{
    Q_OBJECT
public:
    Shape(QWidget* parent, const QString& name);

    QColor brushColor() const { return m_brush; }
    void setBrushColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_brush;
};
