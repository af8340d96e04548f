#pragma once

#include <QColor>
#include <QFrame>
#include <QPointer>
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

    // What the panel is to a screen reader. Left alone, a panel that takes
    // clicks is a button, one that holds controls a group, any other a text.
    enum class Kind { Automatic, Text, OptionButton, Box, Lamp };
    Kind kind() const;
    void setKind(Kind kind) { m_kind = kind; }
    // A selected option button; the box the highlight stands on.
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);
    // The box the learner types into next: a screen reader hears it as the
    // focus, with its step hint as the description.
    bool isCurrent() const { return m_current; }
    void setCurrent(bool current);
    // Names the panel `text` and has screen readers speak it now (a result).
    void announce(const QString& text);
    // Something listens to its clicks (it is a control, not a display).
    bool takesClicks() const;
    // Does what a click does (screen readers' press action, keyboard).
    void click() { emit clicked(); }
    // An option button with the focus answers the keys of a radio group:
    // the arrows, Home and End select a neighbour, Space and ENTER select
    // it; the window's own shortcuts do not see them.
    bool claimsKey(int key) const;
    // The option buttons that form one radio group: those that name the same
    // group object (by default the buttons of one parent).
    void setOptionGroup(QObject* group) { m_group = group; }
    QObject* optionGroup() const { return m_group ? m_group.data() : parent(); }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    QString m_caption;
    QColor m_color;
    QColor m_fontColor;
    Bevel m_outer = Bevel::Raised;
    Bevel m_inner = Bevel::None;
    Qt::Alignment m_alignment = Qt::AlignCenter;
    int m_tag = 0;
    bool m_pressed = false;
    Kind m_kind = Kind::Automatic;
    bool m_selected = false;
    bool m_current = false;
    QPointer<QObject> m_group;
};

// Option buttons are panels that act as radio buttons: the selected one is
// lowered and lime with black text, the others raised in button-face colour
// with button text. A screen reader hears a radio button, checked or not.
void styleOptionButton(Panel* button, bool selected);

// The colour a text of colour `text` is drawn in on `background`: the same
// hue, darkened or lightened until it stands out at least 4.5 : 1 (text
// that already does keeps its colour). Fixed backgrounds (lime, aqua,
// yellow) then stay readable whatever the desktop's text colour is.
QColor readableOn(const QColor& text, const QColor& background);
// The contrast ratio of two colours (1 to 21) as the accessibility
// guidelines define it.
double contrastRatio(const QColor& a, const QColor& b);
