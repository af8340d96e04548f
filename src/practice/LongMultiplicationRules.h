#pragma once

#include "practice/PracticeRules.h"

#include <QList>
#include <QRandomGenerator>
#include <QString>

#include <array>

// What the direct-method and the two-finger screens share: an 8-digit
// multiplicand times a multiplier of a few digits, the multiplier-digit
// colours, the digit-count option buttons and the names of the panels.
//
// Digits are counted from the units: multiplicand digit a_d (d = 0..7) stands
// in pnlMultiplicand<d>; multiplier digit i (0 = units) stands in the
// multiplier panel numbered digits - 1 - i, since pnlMultiplier0 holds the
// leading digit.
class LongMultiplicationRules {
public:
    static constexpr int Digits = 8;
    static constexpr int MaxMultiplierDigits = 5;

    struct Question {
        std::array<int, Digits> multiplicand{}; // [0] = units digit
        QList<int> multiplier;                   // [0] = units digit

        int multiplierDigits() const { return int(multiplier.size()); }
        qint64 multiplicandValue() const;
        qint64 multiplierValue() const;
        qint64 product() const { return multiplicandValue() * multiplierValue(); }
        QString multiplicandText() const; // "23521543"
        QString multiplierText() const;   // "25"
        QString text() const;             // "23521543x25"
        int largestDigit() const;         // over both numbers
        bool operator==(const Question&) const = default;
    };

    // Which questions a method poses.
    struct Domain {
        int minMultiplierDigits;
        int maxMultiplierDigits;
        int lowestDigit; // 0: any digit, but no leading 0; 1: digits 1..9
    };

    // "MULTIPLICANDxMULTIPLIER" ("×" or "X" for "x"; blanks around the
    // numbers ignored), or one line saying what is wrong.
    static ParseResult<Question> parse(const QString& text, const Domain& domain);
    // Two typed numbers, as the custom question dialog hands them over.
    static ParseResult<Question> fromTexts(const QString& multiplicand, const QString& multiplier,
                                           const Domain& domain);
    // An 8-digit multiplicand and a multiplier of the given digit count, every
    // digit lo..hi and the leading digits at least 1.
    static Question randomQuestion(QRandomGenerator& rng, int multiplierDigits, int lo, int hi);

    // The colour of multiplier panel k: yellow, lime, white, aqua, fuchsia.
    static quint32 multiplierColor(int panel);
    // The multiplier panel that holds digit i (0 = units) of a multiplier of
    // the given digit count.
    static int multiplierPanelOf(int i, int digits) { return digits - 1 - i; }

    // One option button for the multiplier's digit count.
    struct DigitOption {
        QString button;   // "pnlOpt3"
        QString caption;  // "3-Digit"
        int digits;       // 3
        int storedOption; // the number kept under "Option": 1 for the first button
        QString hint;     // "|3-digit multiplier questions are for example: ..."
    };
    // The buttons for fromDigits..toDigits (within 1..5), left to right.
    static QList<DigitOption> digitOptions(int fromDigits, int toDigits);
    // The option of a table whose field holds the value, or nullptr.
    template <typename Option, typename Value>
    static const Option* findOption(const QList<Option>& table, Value Option::*field, const Value& value)
    {
        for (const Option& o : table)
            if (o.*field == value)
                return &o;
        return nullptr;
    }

    // The question as its panels show it: multiplicand panels 0..7 and the
    // multiplier panels, each with its digit.
    static QList<PanelText> questionPanels(const Question& q);

    static QString multiplicandPanel(int d) { return PracticeText::numbered("pnlMultiplicand", d); }
    static QString multiplierPanel(int k) { return PracticeText::numbered("pnlMultiplier", k); }
    static QString workingBox(int column) { return PracticeText::numbered("pnlWorking", column); }
    static QString carryBox(int column) { return PracticeText::numbered("pnlCarry", column); }
    static QString answerPanel(int column) { return PracticeText::numbered("pnlAnswer", column); }
    static QString answerCarryPanel(int column) { return PracticeText::numbered("pnlAnswerCarry", column); }

    // One column of the answer row as a method works it out.
    struct AnswerColumn {
        QString text;  // what the working and the answer box show
        QString hint;
        int width = 2;
        int carryOut = 0;
        QList<ColorHint> colorHints;
    };
    // The worked problem of an answer row, column 0 (units) first: working
    // box s, and for every column but the top one carry box s and answer
    // carry panel s; the answer is the row read from the top column down.
    // The top box is read without its leading zeros, and may be left empty
    // when it must hold "0".
    static WorkedProblem workedRow(const QString& method, const Question& q, const QList<AnswerColumn>& columns);

    // The colour hints every column of both methods shares: the incoming
    // carry box (from column 1 on), then the multiplier panels in their colours.
    static QList<ColorHint> carryHint(int column);
    static QList<ColorHint> multiplierHints(int digits);
};
