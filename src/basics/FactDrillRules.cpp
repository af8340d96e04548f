#include "basics/FactDrillRules.h"

namespace {

// The range of the second operand for a first one, as draw() takes it.
std::pair<int, int> secondRange(const FactDomain& d, int first)
{
    return {d.secondLow, d.secondBelowFirst ? qMin(d.secondHigh, first - 1) : d.secondHigh};
}

} // namespace

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

QList<FactQuestion> all(FactKind kind)
{
    const FactDomain d = domain(kind);
    QList<FactQuestion> questions;
    for (int first = d.firstLow; first <= d.firstHigh; ++first) {
        if (!d.hasSecond) {
            questions << pose(kind, first);
            continue;
        }
        const auto [low, high] = secondRange(d, first);
        for (int second = low; second <= high; ++second)
            questions << pose(kind, first, second);
    }
    return questions;
}

QString factKey(FactKind kind, const FactQuestion& question)
{
    if (!domain(kind).hasSecond)
        return firstText(question);
    const bool adds = kind == FactKind::AddBasic || kind == FactKind::AddBy5 || kind == FactKind::Add2By1
                      || kind == FactKind::Add2By2;
    return firstText(question) + (adds ? QLatin1Char('+') : QLatin1Char('-')) + secondText(kind, question);
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
        const auto [low, high] = secondRange(d, first);
        second = random.between(low, high);
    }
    return pose(kind, first, second);
}

bool sameOperands(const FactQuestion& a, const FactQuestion& b)
{
    return a.first == b.first && a.second == b.second;
}

} // namespace FactDrillRules
