#include "shell/StatusBar.h"

#include <QResizeEvent>

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
    fitText();
    repaint();
}

void StatusBar::setGrowsDown(bool grows)
{
    m_growsDown = grows;
    setWordWrap(grows);
    m_lineHeight = height();
    fitText();
}

void StatusBar::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    // A size set from outside is the one-line size.
    if (m_growsDown && event->size().width() != event->oldSize().width())
        fitText();
}

void StatusBar::fitText()
{
    if (!m_growsDown)
        return;
    const int needed = text().isEmpty() ? 0 : heightForWidth(width());
    const int h = qMax(m_lineHeight, needed);
    if (h != height())
        resize(width(), h);
    if (h > m_lineHeight)
        raise();
}
