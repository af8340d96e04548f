#pragma once

#include <QString>
#include <QStringList>

// The rules of speed multiplication for each multiplier 0..12, as the rules
// screen shows them, and the numbers its guessing modes ask. Plain rules, no
// widgets.
namespace RuleDrillRules {

constexpr int FirstRule = 0;
constexpr int LastRule = 12;
// The guessing modes ask 2..12: the rules for 0 and 1 are too plain to guess.
constexpr int FirstGuess = 2;

// The lines of the rule for n, each with its trailing blank; empty outside
// 0..12.
QStringList lines(int n);

// The rule as the memo holds it: its lines with an empty line between two.
QString memoText(int n);

} // namespace RuleDrillRules
