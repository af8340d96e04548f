#pragma once

#include "practice/PracticeMethod.h"
#include "practice/PracticeRules.h"

#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

// The whole-number square root and remainder of a 3- to 8-digit number.
//
// The number is split into 2-digit blocks from the right. The first root digit
// r1 is the largest digit whose square fits into the first block; D, the first
// block less r1², is the first difference. Each further root digit is
// estimated as half the difference with a 0 appended, divided by r1, and the
// estimate is corrected to the true digit when it is too large or too small.
// The square of the root is taken off part by part: the squares of the digits
// and the doubled cross products, each written in the columns where it stands
// under the number, so that every subtraction is a small one. What is left at
// the end is the remainder.
//
// Three layouts of working boxes: 2 root digits (3- and 4-digit numbers,
// 16 boxes), 3 root digits (5 and 6 digits, 30 boxes), 4 root digits (7 and 8
// digits, 53 boxes). The question stands in pnlQuestion1..4 (2 root digits)
// or pnlQuestion0..7, its blocks aligned right; an odd digit count leaves the
// first question panel empty.
class SquareRootRules {
public:
    static constexpr int MinDigits = 3;
    static constexpr int MaxDigits = 8;

    // The method's name (worksheet tool, question source, tests).
    static QString methodName() { return QStringLiteral("square-root"); }
    static PracticeMethod method();

    // One option button of the screen, in their left-to-right order.
    struct Option {
        QString button;      // "pnlOpt5Digit"
        QString caption;     // "5-Digit"
        int digits;          // 5
        int storedOption;    // the number kept under "Option": 1..6
        QString bestTimeKey; // "Time5"
        QString hint;        // "|5-Digit square root questions are for example: ..."
    };
    static const QList<Option>& options();
    static const Option* optionForStored(int storedOption); // nullptr outside 1..6
    static const Option* optionForDigits(int digits);       // nullptr outside 3..8
    static const Option* optionForButton(const QString& button);

    struct Question {
        qint64 number = 0;

        int digits() const;        // 3..8
        qint64 root() const;       // the whole-number square root
        qint64 remainder() const;  // number - root²
        QString text() const { return QString::number(number); }
    };

    // A number of 3 to 8 digits (0..9, the first not 0).
    static ParseResult<Question> parse(const QString& text);
    // A number with the given count of digits (3..8; others give 8), drawn
    // evenly, so perfect squares come up as often as any other number;
    // never the previous number.
    static Question draw(QRandomGenerator& rng, int digits, const Question* previous = nullptr);

    static WorkedProblem solve(const Question& question);

    // Root digits of a number with that many digits: 2, 3 or 4.
    static int rootDigits(int numberDigits) { return (numberDigits + 1) / 2; }
    // The question panels of the number's layout, left to right, with their
    // texts; the first is empty (and unused) for an odd digit count.
    static QList<PanelText> questionPanels(const Question& question);
    static bool firstQuestionPanelUnused(const Question& q) { return q.digits() % 2 == 1; }

    // The question digits repeated in the remainder area: pnlQuestion4R ..
    // (one per question panel from pnlQuestion4 on), with their texts.
    static QList<PanelText> questionMirrors(const Question& question);

    // A panel of the remainder area that repeats learner entries, so that
    // the last subtraction stands in columns: the texts of the boxes, joined,
    // without leading zeros when stripZeros is set.
    struct Mirror {
        QString panel;
        QStringList boxes;
        bool stripZeros = false;
    };
    static const QList<Mirror>& mirrors(int rootDigits);

    // The learner's answer boxes in the order of the answer panels: the
    // root digits from the units up, then the remainder boxes from the left.
    static QStringList myAnswerBoxes(int rootDigits);
    // The marks the screen shows for this layout (block markers, bring-down
    // lines and arrows, the rules of the remainder area, the frames of the
    // later rounds); every other mark is hidden.
    static QStringList shownMarks(int rootDigits);
    // The root digit box that Up and Down jump to from a box ("" for none).
    static QString jumpTarget(int rootDigits, const QString& box);

    static QString workingBox(int n) { return PracticeText::numbered("pnlWorking", n); }
    static QString questionPanel(int i) { return PracticeText::numbered("pnlQuestion", i); }
};
