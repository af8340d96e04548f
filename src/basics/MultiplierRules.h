#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// The rule of speed multiplication for each multiplier 3..9, 11 and 12, as
// data: the rule panel's lines (string-table texts) and, for the units,
// middle and leading position of the answer, what the step hint writes and
// the mental steps that give the position's value. Basic speed
// multiplication works its positions by these rules; the rules drill shows
// their lines. Plain rules, no widgets.
//
// Expression placeholders: {d} the number, {n} the neighbor, {L} the
// left-side digit d7, {odd} " + 5 {d --> Odd}" when d is odd, {carry}
// " + ^c" when the carry from the right is not 0.
//
// Step terms are read at the position: d, n, n div 2, 5 when d is odd, the
// carry c, L, L div 2, 10 - d, 9 - d, 2d, d + n. A step either starts the
// total, adds a term (always shown, or shown only when the term is not 0),
// doubles the total or subtracts a constant. The last total is the value.
namespace MultiplierRules {

enum class Term { D, N, HalfN, OddFive, Carry, L, HalfL, TenMinusD, NineMinusD, TwoD, DPlusN };

struct Step {
    enum Kind { Start, Add, AddIfAny, Double, Minus };
    Kind kind;
    Term term = Term::D;
    int amount = 0;
};

struct PositionRule {
    const char16_t* expression; // what the hint writes after "v = "
    QList<Step> steps;          // the running totals after " :: Think:"
};

struct MultiplierRule {
    int multiplier;
    bool positional;             // separate units / middle / leading rule lines
    bool dummyZeros;             // imaginary zeros shown beside the multiplicand
    std::array<int, 3> lines;    // string-table ids of the rule lines, 0 = blank
    PositionRule units, middle, leading;
};

// The rules in the order of the multipliers: 3, 4, 5, 6, 7, 8, 9, 11, 12.
const QList<MultiplierRule>& table();
// The rule of a multiplier, or nullptr.
const MultiplierRule* find(int multiplier);
// The rule panel's three lines of a multiplier ("" for a blank line; three
// blanks for a multiplier without a rule).
QStringList lines(int multiplier);

} // namespace MultiplierRules
