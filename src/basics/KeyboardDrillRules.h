#pragma once

#include <QString>

// The keypad drill: the characters it asks and the keypad keys it accepts.
// Plain rules, no widgets.
namespace KeyboardDrillRules {

// Questions are numbered 0..11: the digits "0".."9", then "+" and "-".
constexpr int FirstQuestion = 0;
constexpr int LastQuestion = 11;
// The question "before" the first one: the first is never "0".
constexpr int NoQuestion = 0;

// The character of a question number ("" outside 0..11).
QString character(int question);

// The character a released key types on the numeric keypad: a digit, "*",
// "+", "-", "." or "/". Empty for every other key, the top-row digits
// included (keypad says whether the key came from the keypad).
QString keypadCharacter(int key, bool keypad);

} // namespace KeyboardDrillRules
