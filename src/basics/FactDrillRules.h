#pragma once

#include <QRandomGenerator>
#include <QString>

#include <optional>

// The questions of the fact drills (adding, subtracting, doubling, halving,
// odd or even): the domain of every option, the answer of a question and the
// drawing of questions at random. Plain rules, no widgets.

// One kind of question per option of the drills.
enum class FactKind {
    AddBasic,        // a below 20 + one-digit b
    AddBy5,          // one-digit a + the fixed 5
    Add2By1,         // two-digit + one-digit
    Add2By2,         // two-digit + two-digit
    SubtractFrom10,  // the fixed 10 - one-digit b
    SubtractFrom9,   // the fixed 9 - one-digit b
    SubtractBy2,     // one-digit a - the fixed 2
    SubtractBy11,    // a little above 11, - the fixed 11
    Subtract2By1,    // two-digit - one-digit
    Subtract2By2,    // two-digit - smaller two-digit
    Double1Digit,    // 2 x one-digit n
    Double2Digit,    // 2 x two-digit n
    Half,            // one-digit n / 2, truncated
    OddEven,         // one-digit n: "Odd" or "Even"
};

// A question as shown: the first operand (minuend, the number to double...),
// the second operand (0 where the kind has none) and the answer.
struct FactQuestion {
    int first = 0;
    int second = 0;
    int answer = 0;
    bool operator==(const FactQuestion& other) const = default;
};

// The operands a kind may pose: first in [firstLow, firstHigh]; second in
// [secondLow, secondHigh] and, where secondBelowFirst, also below first.
// A range of one value is an operand fixed by the option.
struct FactDomain {
    int firstLow = 0;
    int firstHigh = 0;
    int secondLow = 0;
    int secondHigh = 0;
    bool hasSecond = false;
    bool secondBelowFirst = false;

    bool firstFixed() const { return firstLow == firstHigh; }
    bool secondFixed() const { return hasSecond && secondLow == secondHigh; }
};

namespace FactDrillRules {

FactDomain domain(FactKind kind);

// True when the operands lie inside the kind's domain.
bool inDomain(FactKind kind, int first, int second);

// The question with these operands and its answer computed from them. An
// operand that the kind fixes is always the kind's own value, whatever is
// passed for it; a kind without a second operand ignores second.
FactQuestion pose(FactKind kind, int first, int second = 0);

// The answer as the answer panel shows it: the number, or "Odd"/"Even".
QString answerText(FactKind kind, const FactQuestion& question);

// The operand texts as the question panels show them; the second is empty
// when the kind has none.
QString firstText(const FactQuestion& question);
QString secondText(FactKind kind, const FactQuestion& question);

} // namespace FactDrillRules

// Where a drill's questions come from. A test replaces it to pose the
// questions it wants.
class FactQuestionSource
{
public:
    virtual ~FactQuestionSource() = default;
    virtual FactQuestion next(FactKind kind) = 0;
};

// Questions drawn at random, evenly over each operand's range, never the same
// operands twice in a row (whatever the option: "16 + 5" of one option is
// not followed by "16 + 5" of another).
class RandomFactQuestions : public FactQuestionSource
{
public:
    RandomFactQuestions();                     // seeded from the system
    explicit RandomFactQuestions(quint32 seed); // repeatable

    FactQuestion next(FactKind kind) override;

private:
    int between(int low, int high);
    FactQuestion draw(FactKind kind);

    QRandomGenerator m_random;
    std::optional<FactQuestion> m_previous;
};
