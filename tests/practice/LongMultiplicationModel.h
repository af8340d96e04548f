#pragma once

// Models of the direct and the two-finger methods of long multiplication,
// written from the methods' description alone (no rules class is called):
// each gives the whole JSON line of the worksheet tool for a question
// "MULTIPLICANDxMULTIPLIER", hints included.

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

namespace LongMultiplicationModel {

inline const QString kTimes = QStringLiteral("\u00D7");
inline const QString kThink = QStringLiteral(" :: Think:");

// The digits of a number from the units up.
inline QList<int> unitsFirst(const QString& number)
{
    QList<int> d;
    for (qsizetype k = number.size() - 1; k >= 0; --k)
        d << number.at(k).digitValue();
    return d;
}

inline QString mark(int carry)
{
    return carry == 0 ? QString() : carry < 10 ? QStringLiteral("^%1").arg(carry) : QStringLiteral("*");
}

inline QJsonObject box(int column, int value, const QString& text, const QString& hint, int width)
{
    return {{"box", QStringLiteral("pnlWorking%1").arg(column)}, {"value", value}, {"text", text},
            {"hint", hint}, {"width", width}, {"mental", false}, {"unused", false}};
}

inline QJsonObject carryBox(int column, int value)
{
    return {{"box", QStringLiteral("pnlCarry%1").arg(column)}, {"value", value}};
}

// Direct method: column s adds a_(s-i) x b_i over the multiplier digits and
// the carry; the top column 6 + m keeps the leading digits of the product.
inline QJsonObject directModel(const QString& question)
{
    const QString cand = question.section('x', 0, 0), mult = question.section('x', 1, 1);
    const QList<int> a = unitsFirst(cand), b = unitsFirst(mult);
    const int m = int(b.size()), top = 6 + m;
    QJsonArray boxes, carries;
    int carry = 0;
    for (int s = 0; s <= top; ++s) {
        QStringList terms;
        QString think;
        int total = 0;
        for (int i = 0; i < m; ++i) {
            if (s - i < 0 || s - i > 7)
                continue;
            terms << QStringLiteral("(%1 %2 %3)").arg(a[s - i]).arg(kTimes).arg(b[i]);
            total += a[s - i] * b[i];
            think += QStringLiteral("  %1").arg(total);
        }
        if (carry > 0) {
            terms << mark(carry);
            total += carry;
            think += QStringLiteral("  %1").arg(total);
        }
        const QString hint = QStringLiteral("%1 = %2%3%4|").arg(total).arg(terms.join(" + "), kThink, think.left(30));
        const int shown = s < top ? total % 10 : total;
        boxes << box(s, shown, QString::number(shown), hint, total >= 100 ? 3 : 2);
        if (s < top)
            carries << carryBox(s, total / 10);
        carry = total / 10;
    }
    return {{"method", "multiply-direct"}, {"question", question},
            {"answer", QString::number(cand.toLongLong() * mult.toLongLong())},
            {"boxes", boxes}, {"carries", carries}};
}

// Two-finger method: multiplier digit m_i gives column p the units digit of
// a_(p-i) x m_i and the tens digit of a_(p-i-1) x m_i; the row has 9 + t
// columns and a short product a "0" on top.
inline QJsonObject twoFingerModel(const QString& question)
{
    const QString cand = question.section('x', 0, 0), mult = question.section('x', 1, 1);
    const QList<int> a = unitsFirst(cand), m = unitsFirst(mult);
    const int top = 7 + int(m.size());
    QJsonArray boxes, carries;
    int carry = 0;
    for (int p = 0; p <= top; ++p) {
        QStringList said, written;
        QString think;
        int n = 0;
        for (int i = 0; i < m.size(); ++i) {
            const int d = p - i;
            if (d < 0 || d > 8)
                continue;
            const QString g = d <= 7 ? QString::asprintf("%02d", a[d] * m[i]) : QString();
            const QString k = d >= 1 ? QString::asprintf("%02d", a[d - 1] * m[i]) : QString();
            if (d == 0) {
                said << QStringLiteral("%1 U %2").arg(a[0]).arg(m[i]);
                written << QStringLiteral("  %1[%2]  ").arg(g[0]).arg(g[1]);
                n += g.right(1).toInt();
            } else if (d == 8) {
                said << QStringLiteral("%1 T %2").arg(a[7]).arg(m[i]);
                written << QStringLiteral("  [%1]%2  ").arg(k[0]).arg(k[1]);
                n += k.left(1).toInt();
            } else {
                said << QStringLiteral("%1%2 UT %3").arg(a[d]).arg(a[d - 1]).arg(m[i]);
                written << QStringLiteral("  %1[%2 + %3]%4  ").arg(g[0]).arg(g[1]).arg(k[0]).arg(k[1]);
                n += g.right(1).toInt() + k.left(1).toInt();
            }
            think += QStringLiteral("  %1").arg(n);
        }
        if (carry > 0) {
            said << mark(carry);
            written << mark(carry);
            n += carry;
            think += QStringLiteral("  %1").arg(n);
        }
        const QString hint = QStringLiteral("%1 = %2%3%4|%1 = %5%3%4")
                                 .arg(QString::number(n), said.join(" + "), kThink, think, written.join(" + "));
        boxes << box(p, n % 10, QString::number(n % 10), hint, 2);
        if (p < top)
            carries << carryBox(p, n / 10);
        carry = n / 10;
    }
    const QString answer = QString::number(cand.toLongLong() * mult.toLongLong()).rightJustified(top + 1, '0');
    return {{"method", "multiply-two-finger"}, {"question", question}, {"answer", answer},
            {"boxes", boxes}, {"carries", carries}};
}

} // namespace LongMultiplicationModel
