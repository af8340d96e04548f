#pragma once

#include <QLabel>

// The one-panel status bar at the top of a screen (`stbrScreen`): long hints
// and the screen's short messages.
class StatusBar : public QLabel
{
    Q_OBJECT
public:
    explicit StatusBar(QWidget* parent = nullptr, const QString& name = QStringLiteral("stbrScreen"));

    // The text as set (line breaks included; the bar shows them as blanks).
    QString simpleText() const { return m_text; }
    void setSimpleText(const QString& text);

    // A bar that grows down: a text longer than one line wraps at its words
    // and the bar takes as many lines as the text needs, over what stands
    // below it, and goes back to one line for a short text. Off: one line,
    // the rest cut off.
    void setGrowsDown(bool grows);
    bool growsDown() const { return m_growsDown; }
    // The height of one line, the bar's own height when the text fits.
    int lineHeight() const { return m_lineHeight; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitText();

    QString m_text;
    bool m_growsDown = false;
    int m_lineHeight = 19;
};
