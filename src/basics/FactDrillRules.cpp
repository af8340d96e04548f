#include "basics/FactDrillRules.h"

namespace FactDrillRules {

FactDomain domain(FactKind kind)
{
    // {firstLow, firstHigh, secondLow, secondHigh, hasSecond, secondBelowFirst}
    switch (kind) {
    case FactKind::AddBasic: return {1, 19, 1, 9, true, false};
    case FactKind::AddBy5: return {1, 9, 5, 5, true, false};
    case FactKind::Add2By1: return {10, 99, 1, 9, true, false};
    case FactKind::Add2By2: return {10, 99, 10, 99, true, false};
    case FactKind::SubtractFrom10: return {10, 10, 1, 9, true, true};
    case FactKind::SubtractFrom9: return {9, 9, 1, 8, true, true};
    case FactKind::SubtractBy2: return {3, 9, 2, 2, true, true};
    case FactKind::SubtractBy11: return {12, 20, 11, 11, true, true};
    case FactKind::Subtract2By1: return {10, 99, 1, 9, true, true};
    case FactKind::Subtract2By2: return {11, 99, 10, 98, true, true};
    case FactKind::Double1Digit: return {1, 9, 0, 0, false, false};
    case FactKind::Double2Digit: return {10, 99, 0, 0, false, false};
    case FactKind::Half: return {1, 9, 0, 0, false, false};
    case FactKind::OddEven: return {0, 9, 0, 0, false, false};
    }
    return {};
}

bool inDomain(FactKind kind, int first, int second)
{
    const FactDomain d = domain(kind);
    if (first < d.firstLow || first > d.firstHigh)
        return false;
    if (!d.hasSecond)
        return true;
    if (second < d.secondLow || second > d.secondHigh)
        return false;
    return !d.secondBelowFirst || second < first;
}

FactQuestion pose(FactKind kind, int first, int second)
{
    const FactDomain d = domain(kind);
    FactQuestion q;
    q.first = d.firstFixed() ? d.firstLow : first;
    q.second = !d.hasSecond ? 0 : (d.secondFixed() ? d.secondLow : second);
    switch (kind) {
    case FactKind::AddBasic:
    case FactKind::AddBy5:
    case FactKind::Add2By1:
    case FactKind::Add2By2:
        q.answer = q.first + q.second;
        break;
    case FactKind::SubtractFrom10:
    case FactKind::SubtractFrom9:
    case FactKind::SubtractBy2:
    case FactKind::SubtractBy11:
    case FactKind::Subtract2By1:
    case FactKind::Subtract2By2:
        q.answer = q.first - q.second;
        break;
    case FactKind::Double1Digit:
    case FactKind::Double2Digit:
        q.answer = 2 * q.first;
        break;
    case FactKind::Half:
        q.answer = q.first / 2;
        break;
    case FactKind::OddEven:
        q.answer = q.first % 2;
        break;
    }
    return q;
}

QString answerText(FactKind kind, const FactQuestion& question)
{
    if (kind == FactKind::OddEven)
        return question.answer != 0 ? QStringLiteral("Odd") : QStringLiteral("Even");
    return QString::number(question.answer);
}

QString firstText(const FactQuestion& question)
{
    return QString::number(question.first);
}

QString secondText(FactKind kind, const FactQuestion& question)
{
    return domain(kind).hasSecond ? QString::number(question.second) : QString();
}

} // namespace FactDrillRules

DrillRandom::DrillRandom(std::optional<quint32> seed) : m_random(seed ? *seed : QRandomGenerator::global()->generate()) {}

int DrillRandom::between(int low, int high)
{
    return low >= high ? low : int(m_random.bounded(low, high + 1));
}

RandomNumbers::RandomNumbers(int low, int high, std::optional<quint32> seed) : m_low(low), m_high(high), m_random(seed) {}

int RandomNumbers::next(int previous)
{
    const std::optional<int> before = previous;
    return DrillRandom::unlike(before, [this] { return m_random.between(m_low, m_high); },
                               [](int a, int b) { return a == b; });
}

namespace FactDrillRules {

FactQuestion draw(DrillRandom& random, const FactKind& kind)
{
    const FactDomain d = domain(kind);
    const int first = random.between(d.firstLow, d.firstHigh);
    int second = 0;
    if (d.hasSecond) {
        const int high = d.secondBelowFirst ? qMin(d.secondHigh, first - 1) : d.secondHigh;
        second = random.between(d.secondLow, high);
    }
    return pose(kind, first, second);
}

bool sameOperands(const FactQuestion& a, const FactQuestion& b)
{
    return a.first == b.first && a.second == b.second;
}

} // namespace FactDrillRules
