#include "basics/RuleDrillRules.h"

#include "basics/MultiplierRules.h"

namespace RuleDrillRules {

QStringList lines(int n)
{
    switch (n) {
    case 0: return {QStringLiteral("Zero times any number is zero ")};
    case 1: return {QStringLiteral("Copy down the multiplicand unchanged ")};
    case 2: return {QStringLiteral("Double each digit of the multiplicand without using the neighbor at all ")};
    case 10: return {QStringLiteral("Add a zero to the right end of the multiplicand ")};
    default: break;
    }
    // The other rules are the rule panel's lines of basic speed
    // multiplication, without the blank those begin with.
    QStringList out;
    if (n < FirstRule || n > LastRule)
        return out;
    for (const QString& line : MultiplierRules::lines(n)) {
        if (!line.isEmpty())
            out << (line.startsWith(QLatin1Char(' ')) ? line.mid(1) : line);
    }
    return out;
}

QString memoText(int n)
{
    return lines(n).join(QStringLiteral("\n\n"));
}

} // namespace RuleDrillRules
