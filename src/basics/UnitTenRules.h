#pragma once

#include <QList>
#include <QString>

#include <optional>

#include "basics/FactDrillRules.h"

// The units and tens of a product, as the two-finger multiplication and the
// division steps use them. For a digit d and a multiplier m the product d x m
// splits into its unit U (d x m mod 10) and its ten T (d x m div 10).
// Plain rules, no widgets.

// What a question asks, for a left digit a, a right digit b and a multiplier m.
enum class UnitTenPart {
    Unit,      // "U": the unit of b x m
    Ten,       // "T": the ten of b x m
    UnitTen,   // "UT": the unit of a x m plus the ten of b x m
    NumberTen, // "NT": the whole a x m plus the ten of b x m
};

struct UnitTenQuestion {
    int a = 0;
    int b = 0;
    int m = 0;
    UnitTenPart part = UnitTenPart::Unit;
    int answer = 0;
    bool operator==(const UnitTenQuestion& other) const = default;

    // The left digit is part of the question (it is not shown under "U" and "T").
    bool asksLeftDigit() const { return part == UnitTenPart::UnitTen || part == UnitTenPart::NumberTen; }
    // The same question on screen: the parts shown are equal.
    bool sameAs(const UnitTenQuestion& other) const;
};

// What an option asks: one part, or a fresh "U" or "T" at every question;
// a fixed multiplier, or one drawn at every question (0).
struct UnitTenAsk {
    UnitTenPart part = UnitTenPart::Unit;
    bool unitOrTen = false;
    int multiplier = 0;
};

namespace UnitTenRules {

// Digits are drawn from 0..9 and multipliers from 2..9: times 0 and times 1
// teach nothing here.
constexpr int DigitLow = 0;
constexpr int DigitHigh = 9;
constexpr int MultiplierLow = 2;
constexpr int MultiplierHigh = 9;

inline int unitOf(int digit, int m) { return digit * m % 10; }
inline int tenOf(int digit, int m) { return digit * m / 10; }

// "U", "T", "UT" or "NT".
QString caption(UnitTenPart part);

int answer(UnitTenPart part, int a, int b, int m);
UnitTenQuestion pose(UnitTenPart part, int a, int b, int m);

// True when the question is one the option may pose.
bool fits(const UnitTenAsk& ask, const UnitTenQuestion& question);

// The two terms the answer adds: the unit (or the whole product) of a x m and
// the ten of b x m.
int firstTerm(const UnitTenQuestion& question);
int secondTerm(const UnitTenQuestion& question);

// The sum as the status bar explains it: "[ 0 + 3 ] = 3".
QString statusLine(const UnitTenQuestion& question);

// Every question the option may pose; under "U" and "T" the left digit,
// which is not shown, is 0.
QList<UnitTenQuestion> all(const UnitTenAsk& ask);
// The question as a fact, its row as the screen shows it: "6 U 5" (digit,
// part, multiplier), "26 UT 5", "65 NT 2".
QString factKey(const UnitTenQuestion& question);

} // namespace UnitTenRules

namespace UnitTenRules {

// A question of what the option asks: digits and multiplier drawn evenly,
// the part "U" or "T" at even odds under the option that mixes them.
UnitTenQuestion draw(DrillRandom& random, const UnitTenAsk& ask);
inline bool sameShown(const UnitTenQuestion& a, const UnitTenQuestion& b) { return a.sameAs(b); }

} // namespace UnitTenRules

template <>
struct DrillFacts<UnitTenQuestion, UnitTenAsk> {
    static QList<UnitTenQuestion> all(const UnitTenAsk& ask) { return UnitTenRules::all(ask); }
    static QString key(const UnitTenAsk&, const UnitTenQuestion& q) { return UnitTenRules::factKey(q); }
};

using UnitTenQuestionSource = DrillQuestionSource<UnitTenQuestion, UnitTenAsk>;

// Units-and-tens questions drawn at random, never the same question twice in
// a row.
using RandomUnitTenQuestions = RandomQuestions<UnitTenQuestion, UnitTenAsk, UnitTenRules::draw, UnitTenRules::sameShown>;
