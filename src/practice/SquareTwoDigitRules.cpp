#include "practice/SquareTwoDigitRules.h"

#include "shell/TextHelpers.h"

namespace {

QString digitText(int digit)
{
    return QString::number(digit);
}

// A mental part box: the value written with width digits.
RuleBox partBox(const QString& box, int value, int width)
{
    RuleBox b;
    b.box = box;
    b.value = value;
    b.text = PracticeText::padded(value, width);
    b.width = width;
    b.mental = true;
    return b;
}

} // namespace

// ------------------------------------------------------------------ levels

namespace SquareLevels {

QList<SquareLevelOption> options(const QStringList& hints)
{
    QList<SquareLevelOption> table;
    for (int k = 1; k <= hints.size(); ++k)
        table << SquareLevelOption{PracticeText::numbered("pnlOptLevel", k), QStringLiteral("Level %1").arg(k), k,
                                   PracticeText::numbered("Time", k), hints.at(k - 1)};
    return table;
}

const SquareLevelOption* find(const QList<SquareLevelOption>& options, int level)
{
    for (const SquareLevelOption& o : options)
        if (o.level == level)
            return &o;
    return nullptr;
}

std::optional<int> number(const QString& text, int digits)
{
    const QString t = text.trimmed();
    if (t.size() != digits || !PracticeText::isDigits(t) || t.at(0) == QLatin1Char('0'))
        return std::nullopt;
    return t.toInt();
}

int draw(QRandomGenerator& rng, QList<int> numbers, int previous)
{
    numbers.removeOne(previous);
    return numbers.at(int(rng.bounded(int(numbers.size()))));
}

} // namespace SquareLevels

// ------------------------------------------------------------------ options

const QList<SquareTwoDigitRules::Option>& SquareTwoDigitRules::options()
{
    static const QList<Option> table = SquareLevels::options({
        QStringLiteral("|Both digits of question number are between 1 and 4, example: 13, 42, 22."),
        QStringLiteral("|One digit of question number is between 1 and 4; other digit is between 6 and 9, "
                       "example: 28, 73, 46."),
        QStringLiteral("|Both digits of question number are between 6 and 9, example: 68, 97, 77."),
    });
    return table;
}

const SquareTwoDigitRules::Option* SquareTwoDigitRules::optionForLevel(int level)
{
    return SquareLevels::find(options(), level);
}

// ------------------------------------------------------------------ questions

ParseResult<SquareTwoDigitRules::Question> SquareTwoDigitRules::parse(const QString& text)
{
    const std::optional<int> n = SquareLevels::number(text, 2);
    if (!n)
        return ParseResult<Question>::failure(
            QStringLiteral("question must be a 2-digit number from 10 to 99, e.g. 34"));
    return ParseResult<Question>::success(Question{*n / 10, *n % 10});
}

QList<int> SquareTwoDigitRules::levelNumbers(int level)
{
    const auto small = [](int d) { return d >= 1 && d <= 4; };
    const auto large = [](int d) { return d >= 6 && d <= 9; };
    QList<int> numbers;
    for (int n = 10; n <= 99; ++n) {
        const int t = n / 10, u = n % 10;
        const bool in = level == 2   ? (small(t) && large(u)) || (large(t) && small(u))
                        : level == 3 ? large(t) && large(u)
                                     : small(t) && small(u);
        if (in)
            numbers << n;
    }
    return numbers;
}

SquareTwoDigitRules::Question SquareTwoDigitRules::draw(QRandomGenerator& rng, int level,
                                                        const Question* previous)
{
    const int n = SquareLevels::draw(rng, levelNumbers(level), previous ? previous->number() : 0);
    return Question{n / 10, n % 10};
}

// ------------------------------------------------------------------ shared steps

RuleBox SquareTwoDigitRules::squarePart(const QString& box, int digit)
{
    RuleBox b = partBox(box, digit * digit, 2);
    b.hint = b.text + QLatin1String(" = ") + digitText(digit) + QLatin1Char(' ') + TextChars::SuperTwo
             + QLatin1Char('|');
    return b;
}

RuleBox SquareTwoDigitRules::doubleProductPart(const QString& box, int a, int b)
{
    RuleBox part = partBox(box, 2 * a * b, 3);
    part.hint = part.text + QLatin1String(" = (") + digitText(a) + QLatin1Char(' ') + TextChars::Times
                + QLatin1Char(' ') + digitText(b) + QLatin1String(") ") + TextChars::Times + QLatin1String(" 2|");
    return part;
}

QList<RuleBox> SquareTwoDigitRules::partBoxes(int t, int u)
{
    RuleBox tt = squarePart(workingBox(0), t);
    tt.colorHints << ColorHint{questionPanel(2)};
    RuleBox tu = doubleProductPart(workingBox(1), t, u);
    tu.colorHints << ColorHint{questionPanel(1)} << ColorHint{questionPanel(2)};
    RuleBox uu = squarePart(workingBox(2), u);
    uu.colorHints << ColorHint{questionPanel(1)};
    return {tt, tu, uu};
}

QString SquareTwoDigitRules::joiningExplanation(int t, int u, const QString& middle, const QStringList& digitTexts)
{
    const QList<RuleBox> parts = partBoxes(t, u);
    const QString& p0 = parts.at(0).text;
    const QString& p1 = parts.at(1).text;
    const QString& p2 = parts.at(2).text;
    const QString arrow = QStringLiteral(" --> ");
    const QString carried = DigitWithCarry(quint8((2 * t * u) % 10), quint8((u * u) / 10));
    const QString front = QString::number(frontSum(t, u));

    QString e = QLatin1Char('[') + p0 + QLatin1String("]  [") + p1 + QLatin1String("]  [") + p2 + QLatin1Char(']')
                + arrow + QLatin1Char('[') + p0 + QLatin1String(" + ") + p1.left(2) + QLatin1String("][")
                + p1.at(2) + QLatin1String(" + ") + p2.at(0) + QLatin1Char(']') + p2.at(1) + QLatin1Char(' ')
                + arrow + QLatin1Char('[');
    e += front + QLatin1Char(']') + middle + carried + QLatin1Char(']') + p2.at(1) + QLatin1Char(' ');
    if (tensSum(t, u) > 9)
        e += arrow + QLatin1Char('[') + front + QLatin1String(" + ") + carried.at(0) + QLatin1String(" ][")
             + carried.at(1) + QLatin1Char(']') + p2.at(1) + QLatin1Char(' ');
    return e + arrow + digitTexts.join(QLatin1Char(' '));
}

// ------------------------------------------------------------------ solving

WorkedProblem SquareTwoDigitRules::solve(const Question& q)
{
    WorkedProblem w;
    w.method = methodName();
    w.question = q.text();
    w.questionPanels << PanelText{questionPanel(1), QString::number(q.units)}
                     << PanelText{questionPanel(2), QString::number(q.tens)};
    const int a = q.square();
    const bool threeDigits = a < 1000;

    w.boxes = partBoxes(q.tens, q.units);
    // Answer boxes, thousands first; the thousands box is empty for a 0.
    QStringList digitTexts;
    for (int k = 4, place = 1000; k >= 1; --k, place /= 10) {
        const int digit = a / place % 10;
        RuleBox b;
        b.box = answerUserBox(k);
        b.value = digit;
        b.text = k == 4 && digit == 0 ? QString() : QString::number(digit);
        b.unused = k == 4 && threeDigits;
        for (int part = 0; part < 3; ++part)
            b.colorHints << ColorHint{workingBox(part)};
        digitTexts << b.text;
        w.boxes << b;
    }
    const QString explanation =
        joiningExplanation(q.tens, q.units, QStringLiteral("["), digitTexts) + QLatin1Char('|');
    for (int i = FirstAnswerBox; i < BoxCount; ++i)
        w.boxes[i].hint = explanation;

    // Answer panels in the list's order, units first.
    for (int k = 1; k <= 4; ++k)
        w.answerPanels << PanelText{answerPanel(k), w.boxes.at(BoxCount - k).text};
    for (int i = FirstAnswerBox; i < BoxCount; ++i)
        w.answer += w.boxes.at(i).text;
    return w;
}

PracticeMethod SquareTwoDigitRules::method()
{
    return squareMethod<SquareTwoDigitRules>(QStringLiteral("2-digit number, e.g. 34"));
}
