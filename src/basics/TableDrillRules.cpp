#include "basics/TableDrillRules.h"

namespace TableDrillRules {

Range firstRange(const TableAsk& ask)
{
    if (ask.operation == TableOperation::Multiply)
        return {2, 9};
    return ask.fixed != 0 ? Range{10, 99} : Range{1, 99};
}

Range secondRange(const TableAsk& ask)
{
    if (ask.fixed != 0)
        return {ask.fixed, ask.fixed};
    return {2, 9};
}

int answer(TableOperation operation, int first, int second)
{
    if (operation == TableOperation::Multiply)
        return first * second;
    return second != 0 ? first / second : 0;
}

TableQuestion pose(TableOperation operation, int first, int second)
{
    return {first, second, answer(operation, first, second)};
}

bool fits(const TableAsk& ask, const TableQuestion& q)
{
    return firstRange(ask).contains(q.first) && secondRange(ask).contains(q.second)
           && q.answer == answer(ask.operation, q.first, q.second);
}

QList<TableQuestion> all(const TableAsk& ask)
{
    const Range first = firstRange(ask);
    const Range second = secondRange(ask);
    QList<TableQuestion> questions;
    for (int a = first.low; a <= first.high; ++a) {
        for (int b = second.low; b <= second.high; ++b)
            questions << pose(ask.operation, a, b);
    }
    return questions;
}

QString factKey(const TableAsk& ask, const TableQuestion& q)
{
    const QChar sign = ask.operation == TableOperation::Multiply ? QChar(0x00D7) : QChar(0x00F7);
    return QString::number(q.first) + sign + QString::number(q.second);
}

TableQuestion draw(DrillRandom& random, const TableAsk& ask)
{
    const Range first = firstRange(ask);
    const Range second = secondRange(ask);
    const int a = random.between(first.low, first.high);
    return pose(ask.operation, a, random.between(second.low, second.high));
}

} // namespace TableDrillRules
