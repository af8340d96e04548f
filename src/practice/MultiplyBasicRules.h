#pragma once

#include "practice/PracticeMethod.h"
#include "practice/PracticeRules.h"

#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <array>

// Basic speed multiplication of an 8-digit multiplicand by 3..9, 11 or 12.
//
// The answer is built from right to left, one position per multiplicand
// digit and one leading position. Position i looks at the digit d_i (the
// "number") and d_(i-1) (the "neighbor"), applies the multiplier's rule and
// adds the carry from position i - 1. Position 8 uses an imaginary leading
// zero as its number and d_7 as the neighbor (or "left-side digit").
//
// Working boxes pnlWorking0..8 (position i, all width 2); boxes 0..7 are
// linked to the carry boxes pnlCarry0..7 that take their tens digit.
class MultiplyBasicRules {
public:
    static constexpr int Digits = 8;
    static constexpr int Positions = 9;

    // The method's name (worksheet tool, question source, tests).
    static QString methodName() { return QStringLiteral("multiply-basic"); }
    static PracticeMethod method();

    // One option button of the screen, in their left-to-right order.
    struct Option {
        QString button;      // "pnlOpt11"
        QString caption;     // "11"
        int multiplier;      // 11
        int storedOption;    // the number kept under "Option": 1..9
        QString bestTimeKey; // "Time11"
        int index;           // multiplier index 0..8 (3, 4, 5, 6, 7, 8, 9, 11, 12)
        QString hint;        // "|Multiplication by 11."
    };
    static const QList<Option>& options();
    static const Option* optionForStored(int storedOption); // nullptr outside 1..9
    static const Option* optionForMultiplier(int multiplier);
    static const Option* optionForIndex(int index);
    static const Option* optionForButton(const QString& button); // nullptr for another name
    static bool isMultiplier(int m) { return optionForMultiplier(m) != nullptr; }

    struct Question {
        std::array<int, Digits> digits{}; // digits[0] = units digit d0
        int multiplier = 11;

        qint64 multiplicand() const;
        qint64 product() const { return multiplicand() * multiplier; }
        QString text() const; // "93821547x12"
    };

    // "MULTIPLICANDxM" (or "×"): 8 digits each 1..9, M one of the multipliers.
    static ParseResult<Question> parse(const QString& text);
    // Reads just a multiplicand, as the custom question gives it: 8 digits
    // each 1..9. Returns false (and leaves q alone) otherwise.
    static bool setMultiplicand(Question& q, const QString& digits);
    static Question draw(QRandomGenerator& rng, int multiplier);

    // One position of the worked solution.
    struct Position {
        int value = 0;    // the full value v, carry included (may be 2 digits)
        int carryIn = 0;  // carry out of position i - 1
        int carryOut = 0; // v div 10 (positions 0..7)
        QString hint;     // "11 = ((10 - 7) × 2) + 5 {7 --> Odd} :: Think:  3  6  11|"
    };
    static std::array<Position, Positions> positions(const Question& q);

    static WorkedProblem solve(const Question& q);

    // Rule panel: title and three lines (string-table texts; "" = blank line).
    static QString ruleTitle(int multiplier); // "RULE FOR NUMBER 12"
    static std::array<int, 3> ruleLineIds(int multiplier); // 0 = blank
    static QStringList ruleLines(int multiplier);
    // True for 3, 4, 8 and 9, whose three lines are the rules of the units,
    // the middle and the leading position; otherwise the lines are one rule.
    static bool hasPositionalRules(int multiplier);
    // Which rule line (0, 1, 2) applies to a position under positional rules.
    static int ruleLineFor(int position) { return position == 0 ? 0 : (position < Digits ? 1 : 2); }
    // Which of the three lines are enabled while the given position is current.
    static std::array<bool, 3> enabledRuleLines(int multiplier, int position);

    // The grey zeros right of d0 and left of d7: shown for 5, 6, 7, 11, 12.
    static bool dummyZerosVisible(int multiplier);
    // Texts of pnlMultiplier0 and pnlMultiplier1: {"7"} or {"1", "2"}; a
    // missing second text means pnlMultiplier1 is hidden.
    static QStringList multiplierTexts(int multiplier);

    // The hints of the question panels while a position is current (every
    // other multiplicand panel's hint is empty).
    static QList<PanelText> hintWords(int multiplier, int position);

    static QString workingBox(int position) { return PracticeText::numbered("pnlWorking", position); }
    static QString carryBox(int position) { return PracticeText::numbered("pnlCarry", position); }
    static QString multiplicandPanel(int i) { return PracticeText::numbered("pnlMultiplicand", i); }
    static QString dummyRight() { return QStringLiteral("pnlMultiplicandDummyRight"); }
    static QString dummyLeft() { return QStringLiteral("pnlMultiplicandDummyLeft"); }
};
