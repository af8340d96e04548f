#pragma once

#include "practice/PracticeMethod.h"
#include "practice/PracticeRules.h"

#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <array>

// Speed addition of six 8-digit numbers with ticks and running totals.
//
// Each column is added from the top digit down; whenever the running total
// reaches 11 or more a tick is made beside that digit and 11 is taken off.
// The bottom of a column holds its running total and its number of ticks.
// The answer digit of a column is its running total + its ticks + the ticks
// of the column to its right + the carry from the right.
//
// Working boxes, in list order (65):
//   g*7 + k  (k = 0..4)  tick box beside the digit of row k+1 in column g
//   g*7 + 5              running total of column g
//   g*7 + 6              number of ticks (carry total) of column g
//   56 + c   (c = 0..7)  answer digit of position c (c = 0 units), linked
//                        to carry box c (pnlCarryTotal<c>)
//   64                   leading answer digit (position 8)
// Grid column g counts from the left (0 = most significant digit); answer
// position c counts from the right (c = 7 - g).
class SpeedAdditionRules {
public:
    static constexpr int Rows = 6;
    static constexpr int Columns = 8;
    static constexpr int BoxCount = 65;
    static constexpr int LeadingBox = 64;
    static constexpr int AnswerPositions = 9;

    // The method's name (worksheet tool, question source, tests).
    static QString methodName() { return QStringLiteral("speed-addition"); }
    static PracticeMethod method();
    // The one best time of the screen, which has no options.
    static QString bestTimeKey() { return QStringLiteral("Time1"); }

    struct Question {
        // digits[r][g]: row r (0 = top number), grid column g (0 = leftmost).
        std::array<std::array<int, Columns>, Rows> digits{};

        qint64 number(int row) const;
        qint64 sum() const;
        // "63275198+25845355+..." as the worksheet tool writes it.
        QString text() const;
    };

    // Six numbers of exactly 8 digits (0..9; a leading 0 is a digit like any
    // other) joined by "+". Blanks around the numbers are ignored.
    static ParseResult<Question> parse(const QString& text);
    // Six numbers of 8 digits, none beginning with 0.
    static Question draw(QRandomGenerator& rng);

    static WorkedProblem solve(const Question& question);

    // Box indexes and component names.
    static int tickBox(int column, int k) { return column * 7 + k; }
    static int runningTotalBox(int column) { return column * 7 + 5; }
    static int carryTotalBox(int column) { return column * 7 + 6; }
    static int answerBox(int position) { return 56 + position; }
    static bool isTickBox(int index) { return index >= 0 && index < 56 && index % 7 < 5; }
    static QString boxName(int index);        // "pnlWorking<index>"
    static QString questionPanel(int row, int column); // "pnlQuestion<r*8+g>"

    // Arrow-key moves on the grid. index must be 0..64; anything else is
    // returned unchanged.
    enum class Move { Left, Right, Up, Down };
    static int move(int index, Move direction);
    // Where Left or Right lands when no box is current (after STOP): the
    // leading answer digit from the left, the units digit from the right.
    static int enter(Move direction) { return direction == Move::Left ? LeadingBox : answerBox(0); }

    // The imaginary-zero labels and which of them show while box index is
    // current (all others are hidden).
    static QStringList imaginaryZeroLabels();
    static QStringList imaginaryZerosShown(int index);
};
