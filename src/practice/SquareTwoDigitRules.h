#pragma once

#include "practice/PracticeMethod.h"
#include "practice/PracticeRules.h"

#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// One level button of the squares screens.
struct SquareLevelOption {
    QString button;      // "pnlOptLevel2"
    QString caption;     // "Level 2"
    int level;           // 2
    QString bestTimeKey; // "Time2"
    QString hint;        // "|One digit of question number is between 1 and 4; ..."
};

// What the two squares methods share about their levels and questions.
namespace SquareLevels {
// Level k = 1, 2 ... with the k-th hint: "pnlOptLevel<k>", "Level <k>", "Time<k>".
QList<SquareLevelOption> options(const QStringList& hints);
// The level's option of the table, or nullptr.
const SquareLevelOption* find(const QList<SquareLevelOption>& options, int level);
// A number of exactly digits digits, the first not 0 (blanks around it
// ignored), or nothing.
std::optional<int> number(const QString& text, int digits);
// One of numbers, each as likely as the others, leaving out previous.
int draw(QRandomGenerator& rng, QList<int> numbers, int previous);

// The level 1..levels whose numbers (numbersOf(level)) hold number, or 0
// when none does (a typed number may have a digit no level poses).
template <typename NumbersOf>
int levelOf(int number, int levels, NumbersOf numbersOf)
{
    for (int level = 1; level <= levels; ++level)
        if (numbersOf(level).contains(number))
            return level;
    return 0;
}
} // namespace SquareLevels

// The square of a two-digit number TU by the written method
// (T x T) (2 x T x U) (U x U):
//
//   34²:  [09]  [024]  [16]  ->  [09 + 02][4 + 1]6  ->  [11][5]6  ->  1156
//
// The three parts are written with two, three and two digits. The units of
// the answer are the units of U x U; the tens are the units of 2 x T x U plus
// the tens of U x U (a sum above 9 carries its 1 into the front); the front
// is T x T plus 2 x T x U without its units.
//
// Working boxes, in list order: 0 pnlWorking0 (T x T, width 2), 1 pnlWorking1
// (2 x T x U, width 3), 2 pnlWorking2 (U x U, width 2), all three mental;
// 3..6 pnlAnswerUser4..pnlAnswerUser1, the thousands .. units digit of the
// square. A square of three digits leaves the thousands box unused.
//
// The three parts and the explanation that joins them are also the first
// steps of the three-digit square (SquareThreeDigitRules).
class SquareTwoDigitRules {
public:
    static constexpr int BoxCount = 7;
    static constexpr int FirstAnswerBox = 3; // pnlAnswerUser4, the thousands
    static constexpr int Levels = 3;

    // The method's name (worksheet tool, question source, tests).
    static QString methodName() { return QStringLiteral("square-two-digit"); }
    static PracticeMethod method();

    // The option buttons of the screen, in their order.
    using Option = SquareLevelOption;
    static const QList<Option>& options();
    static const Option* optionForLevel(int level); // nullptr outside 1..3

    struct Question {
        int tens = 1;
        int units = 1;

        int number() const { return 10 * tens + units; }
        int square() const { return number() * number(); }
        QString text() const { return QString::number(number()); }
    };

    // A number from 10 to 99 (blanks around it are ignored).
    static ParseResult<Question> parse(const QString& text);

    // The numbers a level poses, in increasing order: Level 1 both digits
    // 1..4; Level 2 one digit 1..4 and the other 6..9; Level 3 both 6..9.
    static QList<int> levelNumbers(int level);
    // The level whose numbers hold the question's, or 0 (a 5 or a 0 in it).
    static int levelOf(const Question& q) { return SquareLevels::levelOf(q.number(), Levels, &levelNumbers); }
    // One of the level's numbers, each as likely as the others, never the
    // number of previous. A level outside 1..3 draws from Level 1.
    static Question draw(QRandomGenerator& rng, int level, const Question* previous = nullptr);

    static WorkedProblem solve(const Question& q);

    // ---- the steps shared with the three-digit square
    // A mental box holding d x d with two digits, hint "09 = 3 ²|".
    static RuleBox squarePart(const QString& box, int digit);
    // A mental box holding 2 x a x b with three digits, hint "024 = (3 × 4) × 2|".
    static RuleBox doubleProductPart(const QString& box, int a, int b);
    // Boxes pnlWorking0..2 for the digits t and u (0..9): the parts with
    // their values, zero-padded texts and hints "09 = 3 ²|", "024 = (3 × 4) × 2|".
    static QList<RuleBox> partBoxes(int t, int u);
    // The explanation that joins the parts, without "|":
    // "[09]  [024]  [16] --> [09 + 02][4 + 1]6  --> [11]" + middle + "[5]6  --> "
    // followed by the four digit texts joined by blanks. middle is "[" on this
    // screen and "[ " on the three-digit one.
    static QString joiningExplanation(int t, int u, const QString& middle, const QStringList& digitTexts);
    // The front of the joined parts (T x T + 2 x T x U div 10) and the tens
    // digit sum (units of 2 x T x U + tens of U x U), which may reach 17.
    static int frontSum(int t, int u) { return t * t + (2 * t * u) / 10; }
    static int tensSum(int t, int u) { return (2 * t * u) % 10 + (u * u) / 10; }

    // ---- component names
    static QString workingBox(int i) { return PracticeText::numbered("pnlWorking", i); }
    // k = 1 units .. 4 thousands
    static QString answerUserBox(int k) { return PracticeText::numbered("pnlAnswerUser", k); }
    static QString answerPanel(int k) { return PracticeText::numbered("pnlAnswer", k); }
    // k = 1 units, 2 tens
    static QString questionPanel(int k) { return PracticeText::numbered("pnlQuestion", k); }
};

// The worksheet entry of a squares method (SquareTwoDigitRules,
// SquareThreeDigitRules): its levels are the options, and the tool draws like
// the screen, never the same number twice in a row.
template <typename Rules>
PracticeMethod squareMethod(const QString& question)
{
    QStringList names;
    for (const typename Rules::Option& o : Rules::options())
        names << o.caption;
    auto last = std::make_shared<std::optional<typename Rules::Question>>();
    return {Rules::methodName(),
            question,
            {{QStringLiteral("level"), names}},
            PracticeMethods::parseAndSolve<Rules>,
            [last](QRandomGenerator& rng, const QStringList& chosen) {
                int level = 1;
                for (const typename Rules::Option& o : Rules::options())
                    if (o.caption == chosen.value(0))
                        level = o.level;
                *last = Rules::draw(rng, level, last->has_value() ? &**last : nullptr);
                return Rules::solve(**last);
            },
            PracticeMethods::optionBestTimes(Rules::options())};
}
