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

private:
    QString m_text;
};
