#include "practice/SquareThreeDigitRules.h"

#include "practice/SquareTwoDigitRules.h"
#include "shell/TextHelpers.h"

using PracticeText::digitCount;
using TwoDigit = SquareTwoDigitRules;

namespace {

const QString WorkingBoxHint = QStringLiteral("Working Box|");

// Width-1 boxes first..first+count-1 holding the digits of value, the most
// significant first, each lighting the given panels as its colour hint.
QList<RuleBox> digitBoxes(int first, int value, int count, bool mental, const QStringList& lit)
{
    QList<RuleBox> boxes;
    int place = 1;
    for (int i = 1; i < count; ++i)
        place *= 10;
    for (int i = 0; i < count; ++i, place /= 10) {
        RuleBox b;
        b.box = SquareThreeDigitRules::workingBox(first + i);
        b.value = value / place % 10;
        b.text = QString::number(b.value);
        b.mental = mental;
        for (const QString& panel : lit)
            b.colorHints << ColorHint{panel};
        boxes << b;
    }
    return boxes;
}

// A box whose "0" is not written (a leading zero).
bool blankZero(RuleBox& box)
{
    if (box.text != QLatin1String("0"))
        return false;
    box.text.clear();
    return true;
}

} // namespace

// ------------------------------------------------------------------ options

const QList<SquareThreeDigitRules::Option>& SquareThreeDigitRules::options()
{
    static const QList<Option> table = SquareLevels::options({
        QStringLiteral("|All 3 digits of question are between 0 and 4, example: 132, 402, 243."),
        QStringLiteral("|All 3 digits of question are between 5 and 9, example: 687, 957, 769."),
    });
    return table;
}

const SquareThreeDigitRules::Option* SquareThreeDigitRules::optionForLevel(int level)
{
    return SquareLevels::find(options(), level);
}

// ------------------------------------------------------------------ questions

ParseResult<SquareThreeDigitRules::Question> SquareThreeDigitRules::parse(const QString& text)
{
    const std::optional<int> n = SquareLevels::number(text, 3);
    if (!n)
        return ParseResult<Question>::failure(
            QStringLiteral("question must be a 3-digit number from 100 to 999, e.g. 785"));
    return ParseResult<Question>::success(Question{*n / 100, *n / 10 % 10, *n % 10});
}

QList<int> SquareThreeDigitRules::levelNumbers(int level)
{
    const int low = level == 2 ? 5 : 0;
    QList<int> numbers;
    for (int n = 100; n <= 999; ++n) {
        const int digits[] = {n / 100, n / 10 % 10, n % 10};
        bool in = true;
        for (int d : digits)
            in = in && d >= low && d <= low + 4;
        if (in)
            numbers << n;
    }
    return numbers;
}

SquareThreeDigitRules::Question SquareThreeDigitRules::draw(QRandomGenerator& rng, int level,
                                                            const Question* previous)
{
    const int n = SquareLevels::draw(rng, levelNumbers(level), previous ? previous->number() : 0);
    return Question{n / 100, n / 10 % 10, n % 10};
}

// ------------------------------------------------------------------ solving

int SquareThreeDigitRules::totalLineFrom(const Question& q)
{
    return 10 - digitCount(rowFour(q));
}

const QList<QPair<QString, QString>>& SquareThreeDigitRules::droppedDigits()
{
    static const QList<QPair<QString, QString>> pairs = {
        {workingBox(6), answerUserBox(1)},
        {workingBox(5), answerUserBox(2)},
        {workingBox(12), answerUserBox(3)},
    };
    return pairs;
}

namespace {

using Rules = SquareThreeDigitRules;

// Row 2: TU² from the parts; a leading 0 is not written, and a square of
// three digits leaves the thousands box out.
QList<RuleBox> rowTwoBoxes(const Rules::Question& q)
{
    const int value = Rules::rowTwo(q);
    QList<RuleBox> two =
        digitBoxes(3, value, 4, false, {Rules::workingBox(0), Rules::workingBox(1), Rules::workingBox(2)});
    blankZero(two[0]);
    two[0].unused = value >= 100 && value <= 999;
    const QString hint = TwoDigit::joiningExplanation(q.tens, q.units, QStringLiteral("[ "),
                                                      {two[0].text, two[1].text, two[2].text, two[3].text})
                         + QLatin1Char('|');
    for (RuleBox& b : two)
        b.hint = hint;
    return two;
}

// A row of three digit boxes holding value: its leading zeros are neither
// written nor used.
void dropLeadingZeros(QList<RuleBox>& row, int value)
{
    if (blankZero(row[0]))
        blankZero(row[1]);
    for (int i = 0; i < 3 - digitCount(value); ++i)
        row[i].unused = true;
}

// Row 3 (mental): 2HU.
QList<RuleBox> rowThreeBoxes(const Rules::Question& q)
{
    const int r = Rules::rowThree(q);
    QList<RuleBox> three = digitBoxes(7, r, 3, true, {TwoDigit::questionPanel(1), Rules::questionPanel(3)});
    dropLeadingZeros(three, r);
    const QString hint = QString::number(r) + QLatin1String(" = (") + QString::number(q.hundreds) + QLatin1Char(' ')
                         + TextChars::Times + QLatin1Char(' ') + QString::number(q.units) + QLatin1String(") ")
                         + TextChars::Times + QLatin1String(" 2|");
    for (RuleBox& b : three)
        b.hint = hint;
    return three;
}

// Row 4: TU² div 100 + 2HU (row 3 as written).
QList<RuleBox> rowFourBoxes(const Rules::Question& q, const QList<RuleBox>& three)
{
    const int v = Rules::rowFour(q);
    QList<RuleBox> four = digitBoxes(10, v, 3, false,
                                     {Rules::workingBox(3), Rules::workingBox(4), Rules::workingBox(7),
                                      Rules::workingBox(8), Rules::workingBox(9)});
    dropLeadingZeros(four, v);
    const QString hint = QString::number(v) + QLatin1String(" = ") + QString::number(Rules::rowTwo(q) / 100)
                         + QLatin1String(" + ") + three[0].text + three[1].text + three[2].text + QLatin1Char('|');
    for (RuleBox& b : four)
        b.hint = hint;
    return four;
}

// The explanation of the answer's front, [H² + 2HT div 10][2HT mod 10 + V
// div 10], from row 5's parts hh and ht, V and the front's digit texts.
QString frontExplanation(const RuleBox& hh, const RuleBox& ht, int v, QStringList frontDigits)
{
    const QString& p13 = hh.text;
    const QString& p14 = ht.text;
    const QString carriedDown = QString::number(v / 10);
    const QString front = QString::number(ht.value / 10 + hh.value);
    const QString carried = DigitWithCarry(quint8(ht.value % 10), quint8(v / 10));
    const QString arrow = QStringLiteral(" --> ");
    QString f = QLatin1Char('[') + p13 + QLatin1String("]  [") + p14 + QLatin1String("]  [") + carriedDown
                + QLatin1Char(']') + arrow + QLatin1Char('[') + p13 + QLatin1String("  +  ") + p14.left(2)
                + QLatin1String("][") + p14.at(2) + QLatin1String("  +  ") + carriedDown + QLatin1Char(']') + arrow
                + QLatin1Char('[') + front + QLatin1String("][ ") + carried + QLatin1String("] ");
    if (v / 10 + ht.value % 10 > 9)
        f += arrow + QLatin1Char('[') + front + QLatin1String(" + ") + carried.at(0) + QLatin1String(" ][")
             + carried.at(1) + QLatin1String("] ");
    if (frontDigits.first().isEmpty())
        frontDigits.removeFirst();
    return f + arrow + frontDigits.join(QLatin1Char(' ')) + QLatin1Char('|');
}

// The answer row pnlAnswerUser6 .. pnlAnswerUser1, hundred-thousands first:
// the front from row 5 and V, then the digits dropped from rows 4 and 2.
QList<RuleBox> answerBoxes(const Rules::Question& q, const RuleBox& hh, const RuleBox& ht)
{
    const int s = q.square();
    QList<RuleBox> answer = digitBoxes(0, s / 1000, 3, false,
                                       {Rules::workingBox(10), Rules::workingBox(11), Rules::workingBox(13),
                                        Rules::workingBox(14)});
    answer << digitBoxes(0, s % 1000, 3, false, {});
    for (int k = 6; k >= 1; --k)
        answer[6 - k].box = Rules::answerUserBox(k);
    answer[3].colorHints << ColorHint{Rules::workingBox(12)};
    answer[4].colorHints << ColorHint{Rules::workingBox(5)};
    answer[5].colorHints << ColorHint{Rules::workingBox(6)};
    blankZero(answer[0]);
    answer[0].unused = s < 100000;
    const QString front =
        frontExplanation(hh, ht, Rules::rowFour(q), {answer[0].text, answer[1].text, answer[2].text});
    for (int i = 0; i < 6; ++i)
        answer[i].hint = i < 3 ? front : WorkingBoxHint;
    return answer;
}

} // namespace

WorkedProblem SquareThreeDigitRules::solve(const Question& q)
{
    WorkedProblem w;
    w.method = methodName();
    w.question = q.text();
    for (int k = 1; k <= 3; ++k)
        w.questionPanels << PanelText{questionPanel(k), QString(w.question.at(3 - k))};

    // Row 1: the parts of TU².
    w.boxes = TwoDigit::partBoxes(q.tens, q.units);
    const QList<RuleBox> three = rowThreeBoxes(q);
    w.boxes << rowTwoBoxes(q) << three << rowFourBoxes(q, three);
    // Row 5: H² and 2HT.
    RuleBox hh = TwoDigit::squarePart(workingBox(13), q.hundreds);
    hh.colorHints << ColorHint{questionPanel(3)};
    RuleBox ht = TwoDigit::doubleProductPart(workingBox(14), q.hundreds, q.tens);
    ht.colorHints << ColorHint{questionPanel(2)} << ColorHint{questionPanel(3)};
    w.boxes << hh << ht;

    const QList<RuleBox> answer = answerBoxes(q, hh, ht);
    w.boxes << answer;
    for (int k = 1; k <= 6; ++k)
        w.answerPanels << PanelText{answerPanel(k), answer.at(6 - k).text};
    for (const RuleBox& b : answer)
        w.answer += b.text;
    return w;
}

PracticeMethod SquareThreeDigitRules::method()
{
    return squareMethod<SquareThreeDigitRules>(QStringLiteral("3-digit number, e.g. 785"));
}
