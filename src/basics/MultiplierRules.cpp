#include "basics/MultiplierRules.h"

#include "shell/Strings.h"

namespace MultiplierRules {

namespace {

Step start(Term t) { return {Step::Start, t}; }
Step add(Term t) { return {Step::Add, t}; }
Step addIfAny(Term t) { return {Step::AddIfAny, t}; }
Step twice() { return {Step::Double}; }
Step minus(int k) { return {Step::Minus, Term::D, k}; }

} // namespace

const QList<MultiplierRule>& table()
{
    using T = Term;
    static const QList<MultiplierRule> rules = {
        {3, true, false, {65290, 65291, 65292},
         {u"((10 - {d}) × 2){odd}{carry}", {start(T::TenMinusD), twice(), addIfAny(T::OddFive)}},
         {u"((9 - {d}) × 2){odd} + ({n})½{carry}",
          {start(T::NineMinusD), twice(), addIfAny(T::OddFive), addIfAny(T::HalfN), addIfAny(T::Carry)}},
         {u"({L})½{carry} - 2", {start(T::HalfL), addIfAny(T::Carry), minus(2)}}},
        {4, true, false, {65293, 65294, 65295},
         {u"(10 - {d}){odd}{carry}", {start(T::TenMinusD), addIfAny(T::OddFive)}},
         {u"(9 - {d}){odd} + ({n})½{carry}",
          {start(T::NineMinusD), addIfAny(T::OddFive), addIfAny(T::HalfN), addIfAny(T::Carry)}},
         {u"({L})½{carry} - 1", {start(T::HalfL), addIfAny(T::Carry), minus(1)}}},
        {5, false, true, {65264, 65265, 0},
         {u"(0)½{odd}{carry}", {start(T::OddFive)}},
         {u"({n})½{odd}{carry}", {start(T::HalfN), addIfAny(T::OddFive), addIfAny(T::Carry)}},
         {u"({L})½{carry}", {start(T::HalfL), addIfAny(T::Carry)}}},
        {6, false, true, {65266, 65267, 65268},
         {u"{d}{odd} + (0)½{carry}", {start(T::D), addIfAny(T::OddFive)}},
         {u"{d}{odd} + ({n})½{carry}",
          {start(T::D), addIfAny(T::OddFive), addIfAny(T::HalfN), addIfAny(T::Carry)}},
         {u"0 + ({L})½{carry}", {start(T::HalfL), addIfAny(T::Carry)}}},
        {7, false, true, {65269, 65270, 65271},
         {u"({d} × 2){odd} + (0)½{carry}", {start(T::TwoD), addIfAny(T::OddFive)}},
         {u"({d} × 2){odd} + ({n})½{carry}",
          {start(T::TwoD), addIfAny(T::OddFive), addIfAny(T::HalfN), addIfAny(T::Carry)}},
         {u"(0 × 2) + ({L})½{carry}", {start(T::HalfL), addIfAny(T::Carry)}}},
        {8, true, false, {65272, 65273, 65274},
         {u"((10 - {d})) × 2{carry}", {start(T::TenMinusD), twice()}},
         {u"((9 - {d}) × 2) + {n}{carry}",
          {start(T::NineMinusD), twice(), add(T::N), addIfAny(T::Carry)}},
         {u"{L}{carry} - 2", {start(T::L), addIfAny(T::Carry), minus(2)}}},
        {9, true, false, {65275, 65276, 65277},
         {u"(10 - {d}){carry}", {start(T::TenMinusD)}},
         {u"(9 - {d}) + {n}{carry}", {start(T::NineMinusD), add(T::N), addIfAny(T::Carry)}},
         {u"{L}{carry} - 1", {start(T::L), addIfAny(T::Carry), minus(1)}}},
        {11, false, true, {65278, 0, 0},
         {u"{d} + 0 {carry}", {start(T::D)}},
         {u"{d} + {n}{carry}", {start(T::DPlusN), addIfAny(T::Carry)}},
         {u"0 + {L}{carry}", {start(T::L), addIfAny(T::Carry)}}},
        {12, false, true, {65279, 65278, 0},
         {u"({d} × 2) + 0 {carry}", {start(T::TwoD)}},
         {u"({d} × 2) + {n}{carry}", {start(T::TwoD), add(T::N), addIfAny(T::Carry)}},
         {u"(0 × 2) + {L}{carry}", {start(T::L), addIfAny(T::Carry)}}},
    };
    return rules;
}

const MultiplierRule* find(int multiplier)
{
    for (const MultiplierRule& r : table())
        if (r.multiplier == multiplier)
            return &r;
    return nullptr;
}

QStringList lines(int multiplier)
{
    const MultiplierRule* r = find(multiplier);
    QStringList out;
    for (int id : r ? r->lines : std::array<int, 3>{0, 0, 0})
        out << (id == 0 ? QString() : Strings::text(id));
    return out;
}

} // namespace MultiplierRules
