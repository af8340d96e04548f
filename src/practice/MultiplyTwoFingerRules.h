#pragma once

#include "practice/LongMultiplicationRules.h"
#include "practice/PracticeMethod.h"
#include "practice/PracticeRules.h"

#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

// Two-finger multiplication of an 8-digit multiplicand by a multiplier of 1
// to 5 digits (t + 1 digits), every digit 1..5 or 1..9.
//
// Each multiplier digit m_i gives column p a part from the two multiplicand
// digits under the two fingers, a_d and a_(d-1) with d = p - i: the units
// digit (U) of a_d x m_i plus the tens digit (T) of a_(d-1) x m_i. At the
// right end (d = 0) only the U is left, at the left end (d = 8) only the T.
// The column total is the sum of the parts plus the carry from the right;
// its units digit is the product's digit, its tens digit the carry.
//
// The answer row has 9 + t columns; when the product is one digit shorter the
// top column holds "0". Working boxes pnlWorking0..(8+t), two digits wide;
// boxes 0..(7+t) are linked to the carry boxes pnlCarry0..(7+t).
class MultiplyTwoFingerRules {
public:
    using Question = LongMultiplicationRules::Question;
    static constexpr int Digits = LongMultiplicationRules::Digits;
    static constexpr int MaxMultiplierDigits = 5;

    static QString methodName() { return QStringLiteral("multiply-two-finger"); }
    static PracticeMethod method();
    static LongMultiplicationRules::Domain domain() { return {1, MaxMultiplierDigits, 1}; }

    // The option buttons 1-Digit .. 5-Digit, stored as 1..5.
    using Option = LongMultiplicationRules::DigitOption;
    static const QList<Option>& options();
    static const Option* optionForStored(int storedOption) // nullptr outside 1..5
    {
        return LongMultiplicationRules::findOption(options(), &Option::storedOption, storedOption);
    }
    static const Option* optionForDigits(int digits)
    {
        return LongMultiplicationRules::findOption(options(), &Option::digits, digits);
    }

    // Which digits a drawn question uses.
    enum class DigitRange { OneToFive, OneToNine };
    struct Range {
        DigitRange range;
        QString name;    // the worksheet tool's option name: "1-5"
        QString button;  // "rdo1To5"
        QString label;   // "lbl1to5"
        QString caption; // the label's caption: "1 - 5"
        int bound;       // what the screen keeps: 6 or 10 (one above the largest digit)
        QString hint;
    };
    static const QList<Range>& ranges();
    static const Range& range(DigitRange r);
    static QString digitsPanelHint(); // the hint of pnlOptDigits
    // "Time" + digits + 5 or 9: "Time15" .. "Time59".
    static QString bestTimeKey(int digits, DigitRange r);
    // Every digit count with every range, the ranges within each count.
    static QList<MethodBestTime> bestTimes();
    // The range a question is played in: the selected one when every digit
    // lies in it, otherwise 1-9.
    static DigitRange rangeFor(const Question& q, DigitRange selected);

    // "MULTIPLICANDxMULTIPLIER": 8 digits and 1 to 5 digits, each 1..9.
    static ParseResult<Question> parse(const QString& text);
    static ParseResult<Question> fromTexts(const QString& multiplicand, const QString& multiplier)
    {
        return LongMultiplicationRules::fromTexts(multiplicand, multiplier, domain());
    }
    // Every digit within the range, and never the previous question again.
    static Question draw(QRandomGenerator& rng, int multiplierDigits, DigitRange r,
                         const Question* previous = nullptr);

    static int columnCount(int multiplierDigits) { return 8 + multiplierDigits; }
    static int topColumn(int multiplierDigits) { return 7 + multiplierDigits; }

    struct Column {
        QStringList expressions; // per multiplier digit i (0 = units): "43 UT 5", "3 U 5", "2 T 5" or ""
        int carryIn = 0;
        int total = 0;
        int carryOut = 0; // total div 10; 0 for the top column
        // "15 = 54 UT 5 + 43 UT 2 :: Think:  7  15|15 =   2[5 + 2]0   +   0[8 + 0]6   :: Think:  7  15"
        QString hint;
    };
    static QList<Column> columns(const Question& q);

    // The UT row while a column is current: one small panel per multiplier
    // digit, pnlUT<i> for m_i, showing which part m_i gives the column. Its
    // colour is m_i's, lit with the column's colour hints.
    struct UtPanel {
        QString panel;   // "pnlUT1"
        QString caption; // "U  T", "U  ", "    T" or ""
        QString hint;    // own expression, "|", all the column's expressions
    };
    static QList<UtPanel> utRow(const Question& q, int column);
    static QString utCaption(const QString& expression);
    static QString utPanel(int i) { return PracticeText::numbered("pnlUT", i); }

    static WorkedProblem solve(const Question& q);
};
