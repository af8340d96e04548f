#pragma once

#include "practice/PracticeMethod.h"
#include "practice/PracticeRules.h"
#include "practice/SquareTwoDigitRules.h"

#include <QList>
#include <QPair>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

// The square of a three-digit number HTU, N = 100H + TU:
//
//   N² = 10000 H² + 2000 HT + 100 (TU² div 100 + 2HU) + TU² mod 100
//
// written in rows (785² = 616225):
//   row 1 (mental)  T x T, 2 x T x U, U x U          64  080  25
//   row 2           Q = TU x TU by the 2-digit steps  7 2 2 5
//   row 3 (mental)  R = 2 x H x U                      70
//   row 4           V = Q div 100 + R                 142
//   row 5 (mental)  H x H, 2 x H x T                  49  112
//   answer          [H² + 2HT div 10][2HT mod 10 + V div 10], then the units
//                   of V and the last two digits of Q dropped straight down.
//
// Working boxes, in list order (21): 0..2 row 1 (pnlWorking0..2, widths
// 2, 3, 2); 3..6 row 2 (pnlWorking3..6); 7..9 row 3; 10..12 row 4; 13, 14
// row 5 (widths 2, 3); 15..20 the answer pnlAnswerUser6 .. pnlAnswerUser1.
// Boxes 0, 1, 2, 7, 8, 9, 13 and 14 are mental.
class SquareThreeDigitRules {
public:
    static constexpr int BoxCount = 21;
    static constexpr int FirstAnswerBox = 15; // pnlAnswerUser6, hundred-thousands
    static constexpr int Levels = 2;

    // The method's name (worksheet tool, question source, tests).
    static QString methodName() { return QStringLiteral("square-three-digit"); }
    static PracticeMethod method();

    // The option buttons of the screen, in their order.
    using Option = SquareLevelOption;
    static const QList<Option>& options();
    static const Option* optionForLevel(int level); // nullptr outside 1..2

    struct Question {
        int hundreds = 1;
        int tens = 0;
        int units = 0;

        int number() const { return 100 * hundreds + 10 * tens + units; }
        int lastTwo() const { return 10 * tens + units; }
        int square() const { return number() * number(); }
        QString text() const { return QString::number(number()); }
    };

    // A number from 100 to 999 (blanks around it are ignored).
    static ParseResult<Question> parse(const QString& text);

    // The numbers a level poses, in increasing order: Level 1 every digit
    // 0..4, Level 2 every digit 5..9; never a hundreds digit of 0.
    static QList<int> levelNumbers(int level);
    // The level whose numbers hold the question's, or 0 (digits of both kinds).
    static int levelOf(const Question& q) { return SquareLevels::levelOf(q.number(), Levels, &levelNumbers); }
    // One of the level's numbers, each as likely as the others, never the
    // number of previous. A level outside 1..2 draws from Level 1.
    static Question draw(QRandomGenerator& rng, int level, const Question* previous = nullptr);

    static WorkedProblem solve(const Question& q);

    // The steps' values: Q = TU x TU, R = 2 x H x U, V = Q div 100 + R.
    static int rowTwo(const Question& q) { return q.lastTwo() * q.lastTwo(); }
    static int rowThree(const Question& q) { return 2 * q.hundreds * q.units; }
    static int rowFour(const Question& q) { return rowTwo(q) / 100 + rowThree(q); }

    // The first box of row 3 that the total line above row 4 spans from (to
    // the right edge of box 9): 7, 8 or 9 as row 4 has 3, 2 or 1 digits.
    static int totalLineFrom(const Question& q);

    // The boxes whose digits drop straight into the answer row, each with
    // the answer box that receives a copy of its text as it is typed:
    // pnlWorking6 -> pnlAnswerUser1, pnlWorking5 -> pnlAnswerUser2,
    // pnlWorking12 -> pnlAnswerUser3.
    static const QList<QPair<QString, QString>>& droppedDigits();

    // ---- component names
    static QString workingBox(int i) { return PracticeText::numbered("pnlWorking", i); }
    // k = 1 units .. 6 hundred-thousands
    static QString answerUserBox(int k) { return PracticeText::numbered("pnlAnswerUser", k); }
    static QString answerPanel(int k) { return PracticeText::numbered("pnlAnswer", k); }
    // k = 1 units, 2 tens, 3 hundreds
    static QString questionPanel(int k) { return PracticeText::numbered("pnlQuestion", k); }
};
