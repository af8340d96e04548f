#include "basics/UnitTenRules.h"

bool UnitTenQuestion::sameAs(const UnitTenQuestion& other) const
{
    return part == other.part && b == other.b && m == other.m && (!asksLeftDigit() || a == other.a);
}

namespace UnitTenRules {

QString caption(UnitTenPart part)
{
    switch (part) {
    case UnitTenPart::Unit: return QStringLiteral("U");
    case UnitTenPart::Ten: return QStringLiteral("T");
    case UnitTenPart::UnitTen: return QStringLiteral("UT");
    case UnitTenPart::NumberTen: return QStringLiteral("NT");
    }
    return QString();
}

int answer(UnitTenPart part, int a, int b, int m)
{
    switch (part) {
    case UnitTenPart::Unit: return unitOf(b, m);
    case UnitTenPart::Ten: return tenOf(b, m);
    case UnitTenPart::UnitTen: return unitOf(a, m) + tenOf(b, m);
    case UnitTenPart::NumberTen: return a * m + tenOf(b, m);
    }
    return 0;
}

UnitTenQuestion pose(UnitTenPart part, int a, int b, int m)
{
    return {a, b, m, part, answer(part, a, b, m)};
}

bool fits(const UnitTenAsk& ask, const UnitTenQuestion& q)
{
    const bool partFits = ask.unitOrTen ? (q.part == UnitTenPart::Unit || q.part == UnitTenPart::Ten) : q.part == ask.part;
    const bool multiplierFits = ask.multiplier != 0 ? q.m == ask.multiplier : (q.m >= MultiplierLow && q.m <= MultiplierHigh);
    const auto digit = [](int d) { return d >= DigitLow && d <= DigitHigh; };
    return partFits && multiplierFits && digit(q.a) && digit(q.b) && q.answer == answer(q.part, q.a, q.b, q.m);
}

int firstTerm(const UnitTenQuestion& q)
{
    return q.part == UnitTenPart::NumberTen ? q.a * q.m : unitOf(q.a, q.m);
}

int secondTerm(const UnitTenQuestion& q)
{
    return tenOf(q.b, q.m);
}

QString statusLine(const UnitTenQuestion& q)
{
    // Under "U" and "T" the answer is no such sum (and a is not shown).
    if (!q.asksLeftDigit())
        return QString();
    return QStringLiteral("[ %1 + %2 ] = %3").arg(firstTerm(q)).arg(secondTerm(q)).arg(q.answer);
}

QList<UnitTenQuestion> all(const UnitTenAsk& ask)
{
    const QList<UnitTenPart> parts = ask.unitOrTen ? QList<UnitTenPart>{UnitTenPart::Unit, UnitTenPart::Ten}
                                                   : QList<UnitTenPart>{ask.part};
    const int mLow = ask.multiplier != 0 ? ask.multiplier : MultiplierLow;
    const int mHigh = ask.multiplier != 0 ? ask.multiplier : MultiplierHigh;
    QList<UnitTenQuestion> questions;
    for (UnitTenPart part : parts) {
        const bool leftShown = pose(part, 0, 0, 0).asksLeftDigit();
        for (int a = DigitLow; a <= (leftShown ? DigitHigh : DigitLow); ++a) {
            for (int b = DigitLow; b <= DigitHigh; ++b) {
                for (int m = mLow; m <= mHigh; ++m)
                    questions << pose(part, a, b, m);
            }
        }
    }
    return questions;
}

QString factKey(const UnitTenQuestion& q)
{
    const QString digits = q.asksLeftDigit() ? QString::number(q.a) + QString::number(q.b) : QString::number(q.b);
    return digits + QLatin1Char(' ') + caption(q.part) + QLatin1Char(' ') + QString::number(q.m);
}

UnitTenQuestion draw(DrillRandom& random, const UnitTenAsk& ask)
{
    UnitTenPart part = ask.part;
    if (ask.unitOrTen)
        part = random.between(0, 1) == 0 ? UnitTenPart::Unit : UnitTenPart::Ten;
    const int a = random.between(DigitLow, DigitHigh);
    const int b = random.between(DigitLow, DigitHigh);
    const int m = ask.multiplier != 0 ? ask.multiplier : random.between(MultiplierLow, MultiplierHigh);
    return pose(part, a, b, m);
}

} // namespace UnitTenRules
