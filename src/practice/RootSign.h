#pragma once

#include <QWidget>

// The square-root sign over a row of question boxes: a hook on the left and a
// bar along the tops of the boxes. Its geometry is the hook's left, the top
// a few pixels above the boxes, and the width up to the last box's right
// edge. Mouse clicks go through to what lies below.
class RootSign : public QWidget
{
public:
    explicit RootSign(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};
