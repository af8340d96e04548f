#include "shell/StatusBar.h"

StatusBar::StatusBar(QWidget* parent, const QString& name) : QLabel(parent)
{
    setObjectName(name);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setTextFormat(Qt::PlainText);
    setIndent(3);
    setMinimumHeight(19);
}

void StatusBar::setSimpleText(const QString& text)
{
    m_text = text;
    // The bar has one line: line breaks show as blanks.
    QString line = text;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    setText(line);
    repaint();
}
