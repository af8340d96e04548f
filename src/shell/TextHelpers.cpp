#include "shell/TextHelpers.h"

QString PadLeft(const QString& text, int width, QChar fill)
{
    if (text.size() >= width)
        return text;
    return QString(width - text.size(), fill) + text;
}

QString StripLeadingZeros(const QString& text)
{
    if (text.isEmpty())
        return text;
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char('0'))
        ++i;
    if (i == text.size())
        return QStringLiteral("0");
    return text.mid(i);
}

QString LeftChars(const QString& text, int n)
{
    return n <= 0 ? QString() : text.left(n);
}

QString DropRight(const QString& text, int n)
{
    if (n <= 0)
        return text;
    if (text.size() < n)
        return QString();
    return text.left(text.size() - n);
}

QString RightChars(const QString& text, int n)
{
    if (n <= 0)
        return QString();
    return text.right(n);
}

QString CarryMark(int carry)
{
    if (carry == 0)
        return QString();
    if (carry >= 1 && carry <= 9)
        return QStringLiteral("^") + QChar(QLatin1Char('0' + carry));
    return QStringLiteral("*");
}

QString DigitWithCarry(quint8 a, quint8 b)
{
    const int s = int(a) + int(b);
    if (s < 10)
        return QString::number(s);
    const QChar units(QLatin1Char('0' + s % 10));
    switch (s / 10) {
    case 1: return QString(TextChars::SuperOne) + units;
    case 2: return QString(TextChars::SuperTwo) + units;
    case 3: return QString(TextChars::SuperThree) + units;
    default: return QStringLiteral("Carry Error");
    }
}

namespace Hints {

QString shortHint(const QString& hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.left(bar);
}

QString longHint(const QString& hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

} // namespace Hints
