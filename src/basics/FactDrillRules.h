#pragma once

#include <QList>
#include <QRandomGenerator>
#include <QString>

#include <optional>

// The random source of the flash drills: a generator that draws whole numbers
// evenly in a range, and draws a question again while it would repeat the
// question before it.
class DrillRandom
{
public:
    // Repeatable with a seed; seeded from the system without.
    explicit DrillRandom(std::optional<quint32> seed = std::nullopt);

    // A number in [low, high]; low when the range holds one number.
    int between(int low, int high);

    // draw() until same(question, *previous) is false. Every drill asks more
    // than one question, so a repeat is drawn again; the bound only guards
    // against a generator that keeps giving one value.
    template <typename Question, typename Draw, typename Same>
    static Question unlike(const std::optional<Question>& previous, Draw draw, Same same)
    {
        Question question = draw();
        for (int tries = 0; previous && same(question, *previous) && tries < 1000; ++tries)
            question = draw();
        return question;
    }

private:
    QRandomGenerator m_random;
};

// Where a drill's questions come from: the next question of what the option
// asks. A test replaces it to pose the questions it wants.
template <typename Question, typename Ask>
class DrillQuestionSource
{
public:
    virtual ~DrillQuestionSource() = default;
    virtual Question next(const Ask& ask) = 0;
};

// The facts an option of a drill may pose, for "Practise my misses": all()
// gives every question of what the option asks, key() names a question by
// its text on screen ("16+5", "7×8"). Each drill's rules specialise it.
template <typename Question, typename Ask>
struct DrillFacts;

// Questions drawn at random by a drill's rules (draw), never the same
// question on screen (same) twice in a row, whatever the option asks.
template <typename Question, typename Ask, Question (*draw)(DrillRandom&, const Ask&),
          bool (*same)(const Question&, const Question&)>
class RandomQuestions : public DrillQuestionSource<Question, Ask>
{
public:
    // Repeatable with a seed; seeded from the system without.
    explicit RandomQuestions(std::optional<quint32> seed = std::nullopt) : m_random(seed) {}

    Question next(const Ask& ask) override
    {
        m_previous = DrillRandom::unlike(m_previous, [&] { return draw(m_random, ask); }, same);
        return *m_previous;
    }

private:
    DrillRandom m_random;
    std::optional<Question> m_previous;
};

// Where a drill that asks one number of a range gets it.
class NumberSource
{
public:
    virtual ~NumberSource() = default;
    // The next number; never the previous one.
    virtual int next(int previous) = 0;
};

// Numbers drawn evenly in [low, high], never the previous one.
class RandomNumbers : public NumberSource
{
public:
    RandomNumbers(int low, int high, std::optional<quint32> seed = std::nullopt);

    int next(int previous) override;

private:
    int m_low;
    int m_high;
    DrillRandom m_random;
};

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

// Every question of the kind, as draw() may pose them.
QList<FactQuestion> all(FactKind kind);
// The question as a fact: "16+5", "10-7", the number alone where the kind
// has one operand.
QString factKey(FactKind kind, const FactQuestion& question);

} // namespace FactDrillRules

namespace FactDrillRules {

// A question of the kind with operands drawn evenly over their ranges.
FactQuestion draw(DrillRandom& random, const FactKind& kind);
// The same operands ("16 + 5" of one option is the same question as
// "16 + 5" of another).
bool sameOperands(const FactQuestion& a, const FactQuestion& b);

} // namespace FactDrillRules

template <>
struct DrillFacts<FactQuestion, FactKind> {
    static QList<FactQuestion> all(const FactKind& kind) { return FactDrillRules::all(kind); }
    static QString key(const FactKind& kind, const FactQuestion& q) { return FactDrillRules::factKey(kind, q); }
};

using FactQuestionSource = DrillQuestionSource<FactQuestion, FactKind>;

// Fact questions drawn at random, never the same operands twice in a row.
using RandomFactQuestions = RandomQuestions<FactQuestion, FactKind, FactDrillRules::draw, FactDrillRules::sameOperands>;
