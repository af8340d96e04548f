#pragma once

#include <QColor>
#include <QFrame>
#include <QString>

// A bevelled panel with a centred caption, a background colour, a text
// colour and a Tag: the boxes, lamps, option buttons and frames of every
// screen. Click on it to get clicked(). It may hold other controls.
class Panel : public QFrame
{
    Q_OBJECT
    // Also for tools that see the window only through Qt (test drivers).
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
public:
    enum class Bevel { None, Raised, Lowered };

    explicit Panel(QWidget* parent = nullptr, const QString& name = QString());

    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);

    // Background colour; an invalid colour means the button face.
    QColor color() const;
    void setColor(const QColor& color);
    // Text colour; an invalid colour means the button text.
    QColor fontColor() const;
    void setFontColor(const QColor& color);

    Bevel bevelOuter() const { return m_outer; }
    void setBevelOuter(Bevel bevel);
    Bevel bevelInner() const { return m_inner; }
    void setBevelInner(Bevel bevel);

    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    // Font helpers: family, pixel size, bold.
    void setFontSpec(const QString& family, int pixelSize, bool bold);
    void setBold(bool bold);
    bool isBold() const { return font().bold(); }

    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString m_caption;
    QColor m_color;
    QColor m_fontColor;
    Bevel m_outer = Bevel::Raised;
    Bevel m_inner = Bevel::None;
    Qt::Alignment m_alignment = Qt::AlignCenter;
    int m_tag = 0;
    bool m_pressed = false;
};

// Option buttons are panels that act as radio buttons: the selected one is
// lowered and lime with black text, the others raised in button-face colour
// with button text.
void styleOptionButton(Panel* button, bool selected);
