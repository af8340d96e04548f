#pragma once

#include "practice/LongMultiplicationRules.h"
#include "practice/PracticeMethod.h"
#include "practice/PracticeRules.h"

#include <QList>
#include <QRandomGenerator>
#include <QString>

// Direct (cross) multiplication of an 8-digit multiplicand by a multiplier of
// 2 to 5 digits, m digits in all.
//
// The answer is built from the right one column at a time. Column s adds the
// products a_(s-i) x b_i of every multiplicand digit with the multiplier
// digit paired with it for that column, plus the carry out of column s - 1.
// The answer row has 7 + m columns; the top column 6 + m holds all leading
// digits of the product (one or two).
//
// Working boxes pnlWorking0..(6+m), all two digits wide, except that a column
// total of 100 or more (only a typed question can have one) takes a box
// three digits wide whose carry is the whole tens part. Boxes 0..(5+m) are
// linked to the carry boxes pnlCarry0..(5+m).
class MultiplyDirectRules {
public:
    using Question = LongMultiplicationRules::Question;
    static constexpr int Digits = LongMultiplicationRules::Digits;
    static constexpr int MinMultiplierDigits = 2;
    static constexpr int MaxMultiplierDigits = 5;

    // The method's name (worksheet tool, question source, tests).
    static QString methodName() { return QStringLiteral("multiply-direct"); }
    static PracticeMethod method();
    static LongMultiplicationRules::Domain domain() { return {MinMultiplierDigits, MaxMultiplierDigits, 0}; }

    // The option buttons 2-Digit .. 5-Digit, stored as 1..4.
    using Option = LongMultiplicationRules::DigitOption;
    static const QList<Option>& options();
    static const Option* optionForStored(int storedOption) // nullptr outside 1..4
    {
        return LongMultiplicationRules::findOption(options(), &Option::storedOption, storedOption);
    }
    static const Option* optionForDigits(int digits) // nullptr outside 2..5
    {
        return LongMultiplicationRules::findOption(options(), &Option::digits, digits);
    }
    // The best time of a multiplier of that many digits: "Time2" .. "Time5".
    static QString bestTimeKey(int digits) { return QStringLiteral("Time") + QString::number(digits); }

    // "MULTIPLICANDxMULTIPLIER": 8 digits and 2 to 5 digits, neither
    // beginning with 0.
    static ParseResult<Question> parse(const QString& text);
    // The two numbers typed into the custom question dialog.
    static ParseResult<Question> fromTexts(const QString& multiplicand, const QString& multiplier)
    {
        return LongMultiplicationRules::fromTexts(multiplicand, multiplier, domain());
    }
    // Digits 0..9, no leading 0, every column total below 100, and never the
    // previous question again.
    static Question draw(QRandomGenerator& rng, int multiplierDigits, const Question* previous = nullptr);

    static int columnCount(int multiplierDigits) { return 7 + multiplierDigits; }
    static int topColumn(int multiplierDigits) { return 6 + multiplierDigits; }

    // One product a_d x b_i of a column.
    struct Term {
        int d; // multiplicand digit
        int i; // multiplier digit (0 = units)
    };
    struct Column {
        QList<Term> terms;
        int carryIn = 0;  // carry out of the column to the right
        int total = 0;    // the products plus carryIn
        int carryOut = 0; // total div 10; 0 for the top column
        QString hint;     // "27 = (4 × 5) + (3 × 2) + ^1 :: Think:  20  26  27|"
    };
    static QList<Column> columns(const Question& q);
    // True when every column total is below 100.
    static bool fitsTwoDigitBoxes(const Question& q);

    static WorkedProblem solve(const Question& q);
};
