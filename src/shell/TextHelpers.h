#pragma once

#include <QString>

// Small text helpers shared by every screen and by the method rules.
// All are pure. Texts are QStrings; every special character of the working
// texts (superscripts, multiplication and division signs) is one UTF-16 unit.

// Prepends fill until the text has at least width characters.
QString PadLeft(const QString& text, int width, QChar fill = QLatin1Char(' '));
// Removes every leading "0"; a text of zeros only gives "0"; "" stays "".
QString StripLeadingZeros(const QString& text);
// The first n characters (the whole text when shorter).
QString LeftChars(const QString& text, int n);
// The text without its last n characters; empty when shorter than n.
QString DropRight(const QString& text, int n);
// The last n characters; the whole text when n is not less than its length.
QString RightChars(const QString& text, int n);
// Carry mark written beside a digit: 0 -> "", 1..9 -> "^1".."^9", else "*".
QString CarryMark(int carry);
// A two-digit partial sum a + b written as a superscript carry digit
// before the units digit: 15 -> "¹5", 25 -> "²5"; below 10 the plain sum;
// 40 or more gives "Carry Error".
QString DigitWithCarry(quint8 a, quint8 b);

// The two parts of a hint "short|long": the short part is a control's
// tooltip, the long part goes to the status bar. A hint without "|" is short
// and long hint alike.
namespace Hints {
QString shortHint(const QString& hint);
QString longHint(const QString& hint);
} // namespace Hints

namespace TextChars {
inline constexpr QChar SuperOne{0x00B9};
inline constexpr QChar SuperTwo{0x00B2};
inline constexpr QChar SuperThree{0x00B3};
inline constexpr QChar Times{0x00D7};
inline constexpr QChar Divide{0x00F7};
inline constexpr QChar Half{0x00BD};
inline constexpr QChar EmDash{0x2014};
inline constexpr QChar Macron{0x00AF};
} // namespace TextChars
