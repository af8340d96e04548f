#include "practice/SquareRootRules.h"

#include "shell/TextHelpers.h"

#include <QHash>
#include <QSet>

#include <array>
#include <cmath>
#include <memory>
#include <optional>

using PracticeText::numbered;

namespace {

// ------------------------------------------------------------------ hint texts

QString num(qint64 v)
{
    return QString::number(v);
}

QString padded(qint64 v, int width)
{
    return PadLeft(num(v), width, QLatin1Char('0'));
}

QString rootSign()
{
    return QLatin1Char('V') + QString(TextChars::Macron);
}

// "7 ²"
QString squared(int d)
{
    return num(d) + QLatin1Char(' ') + TextChars::SuperTwo;
}

// " × " and " ÷ " with their blanks.
QString times()
{
    return QLatin1Char(' ') + QString(TextChars::Times) + QLatin1Char(' ');
}

QString divided()
{
    return QLatin1Char(' ') + QString(TextChars::Divide) + QLatin1Char(' ');
}

QString spaced(const QString& digits)
{
    QStringList each;
    for (QChar ch : digits)
        each << QString(ch);
    return each.join(QLatin1Char(' '));
}

// "7 :   V¯51 = 7.---  ;   (7 ² = 49, 8 ² = 64)|"
QString firstDigitHint(int r1, int block)
{
    return num(r1) + QLatin1String(" :   ") + rootSign() + num(block) + QLatin1String(" = ") + num(r1)
           + QLatin1String(".---  ;   (") + squared(r1) + QLatin1String(" = ") + num(r1 * r1)
           + QLatin1String(", ") + squared(r1 + 1) + QLatin1String(" = ") + num((r1 + 1) * (r1 + 1))
           + QLatin1String(")|");
}

// "49 = 7 ²|"
QString squareHint(const QString& value, int d)
{
    return value + QLatin1String(" = ") + squared(d) + QLatin1Char('|');
}

// "2 = 51 - 49|"
QString differenceHint(qint64 value, qint64 a, qint64 b)
{
    return num(value) + QLatin1String(" = ") + num(a) + QLatin1String(" - ") + num(b) + QLatin1Char('|');
}

// "10 = (2 × 10) ÷ 2|"
QString halfHint(int half, int difference)
{
    return num(half) + QLatin1String(" = (") + num(difference) + times() + QLatin1String("10)") + divided()
           + QLatin1String("2|");
}

// "10 ÷ 7 --> 1|"; an estimate that is not the root digit says so and
// gives the digit.
QString estimateHint(int half, int r1, int digit)
{
    const int estimate = half / r1;
    QString hint = num(half) + divided() + num(r1) + QLatin1String(" --> ") + num(estimate);
    if (estimate > digit)
        hint += QLatin1String(", too large, lowered to ") + num(digit);
    else if (estimate < digit)
        hint += QLatin1String(", too small, raised to ") + num(digit);
    return hint + QLatin1Char('|');
}

// "014 = (7 × 1) × 2 |"
QString crossHint(int a, int b)
{
    return padded(2 * a * b, 3) + QLatin1String(" = (") + num(a) + times() + num(b) + QLatin1String(")")
           + times() + QLatin1String("2 |");
}

// "070 = (7 × 5) × 2 --> 7 0|": the doubled cross product and the texts of
// the boxes it goes into.
QString crossDigitsHint(int a, int b, const QString& boxTexts)
{
    return padded(2 * a * b, 3) + QLatin1String(" = (") + num(a) + times() + num(b) + QLatin1String(")")
           + times() + QLatin1String("2 --> ") + boxTexts + QLatin1Char('|');
}

// "004 = 2 ² --> 0 0 4|"
QString squareDigitsHint(int d)
{
    const QString value = padded(d * d, 3);
    return value + QLatin1String(" = ") + squared(d) + QLatin1String(" --> ") + spaced(value) + QLatin1Char('|');
}

// "[014  +  0]1 --> [14]1 --> 1 4 1|": the cross product and the tens digit of
// the square added, the units digit of the square written after them.
QString subtrahendHint(int cross, int square)
{
    const int head = cross + square / 10;
    const QString units = num(square % 10);
    return QLatin1Char('[') + padded(cross, 3) + QLatin1String("  +  ") + num(square / 10) + QLatin1Char(']')
           + units + QLatin1String(" --> [") + num(head) + QLatin1Char(']') + units + QLatin1String(" --> ")
           + spaced(padded(head, 2) + units) + QLatin1Char('|');
}

// "2 - 1 = 1  -->[1--> <--2] --> 12|": a difference, with the next digit of
// the number brought down beside it.
QString bringDownHint(int difference, int taken, int digit)
{
    const int left = difference - taken;
    return num(difference) + QLatin1String(" - ") + num(taken) + QLatin1String(" = ") + num(left)
           + QLatin1String("  -->[") + num(left) + QLatin1String("--> <--") + num(digit)
           + QLatin1String("] --> ") + num(left * 10 + digit) + QLatin1Char('|');
}

// "14 = 1 + 5 + 8 --> 1 4|" or, with a carry from the column to the right,
// "17 = 2 + 9 + 5 + 0 + ^1 --> 7|"; result is what the boxes get ("" when
// the total is the box's value itself).
QString sumHint(int total, const QList<int>& terms, int carry, const QString& result)
{
    QStringList parts;
    for (int t : terms)
        parts << num(t);
    if (carry > 0)
        parts << CarryMark(carry);
    QString hint = num(total) + QLatin1String(" = ") + parts.join(QLatin1String(" + "));
    if (!result.isEmpty())
        hint += QLatin1String(" --> ") + result;
    return hint + QLatin1Char('|');
}

// ------------------------------------------------------------------ the sheet

QString box(int n)
{
    return SquareRootRules::workingBox(n);
}

// Collects the boxes of a worked problem in list order. Panels that play no
// part in the problem (the empty first question panel of an odd digit count,
// the boxes of a first square or difference that has one digit) are marked
// unused and never lit by a colour hint.
class Sheet {
public:
    Sheet(WorkedProblem& problem, QSet<QString> unused) : m_problem(problem), m_unused(std::move(unused)) {}

    void add(const QString& name, int value, const QString& text, const QString& hint, int width, bool mental,
             const QStringList& sources)
    {
        RuleBox b;
        b.box = name;
        b.value = value;
        b.text = text;
        b.hint = hint;
        b.width = width;
        b.mental = mental;
        b.unused = m_unused.contains(name);
        for (const QString& s : sources)
            if (!m_unused.contains(s))
                b.colorHints << ColorHint{s, ColorHintStyle::Background};
        m_problem.boxes << b;
    }
    // A one-digit box.
    void digit(const QString& name, int value, const QString& hint, bool mental, const QStringList& sources)
    {
        add(name, value, num(value), hint, 1, mental, sources);
    }
    // A box whose text is zero-padded to its width (3 when a value of 100 or
    // more does not fit the usual 2).
    void paddedBox(const QString& name, int value, const QString& hint, bool mental, const QStringList& sources,
                   int width = 2)
    {
        const int w = qMax(width, int(num(value).size()));
        add(name, value, padded(value, w), hint, w, mental, sources);
    }
    // A box that shows its value as it is (no leading zeros).
    void plainBox(const QString& name, int value, const QString& hint, int width, const QStringList& sources)
    {
        add(name, value, num(value), hint, width, false, sources);
    }

private:
    WorkedProblem& m_problem;
    QSet<QString> m_unused;
};

// The number split for the worked solution.
struct Split {
    int count = 0;           // digits of the number
    int rootCount = 0;       // digits of the root
    std::array<int, 8> q{};  // the number's digits from the left, with a
                             // leading 0 for an odd count: blocks q0 q1, q2 q3 ...
    std::array<int, 4> r{};  // the root's digits from the left
    int firstPanel = 0;      // the question panel of q0
    qint64 root = 0;
    qint64 remainder = 0;

    explicit Split(const SquareRootRules::Question& question)
        : count(question.digits()), rootCount(SquareRootRules::rootDigits(count)), root(question.root()),
          remainder(question.remainder())
    {
        qint64 n = question.number;
        for (int i = 2 * rootCount - 1; i >= 0; --i, n /= 10)
            q[i] = int(n % 10);
        qint64 t = root;
        for (int i = rootCount - 1; i >= 0; --i, t /= 10)
            r[i] = int(t % 10);
        firstPanel = rootCount == 2 ? 1 : 0;
    }
    QString panel(int i) const { return SquareRootRules::questionPanel(i + firstPanel); }
};

qint64 power10(int n)
{
    qint64 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

} // namespace

// ------------------------------------------------------------------ options

const QList<SquareRootRules::Option>& SquareRootRules::options()
{
    static const QList<Option> table = [] {
        const char* examples[] = {
            "V¯687, V¯247, V¯198, V¯653",
            "V¯6873, V¯9247, V¯1348, V¯1498",
            "V¯68073, V¯91247, V¯13428, V¯15498",
            "V¯680073, V¯912417, V¯134828, V¯154398",
            "V¯6800753, V¯9712417, V¯1324828, V¯1549398",
            "V¯68007543, V¯97120417, V¯13248728, V¯15493928",
        };
        QList<Option> t;
        for (int d = MinDigits; d <= MaxDigits; ++d) {
            const QString caption = QStringLiteral("%1-Digit").arg(d);
            t << Option{QStringLiteral("pnlOpt%1Digit").arg(d), caption, d, d - MinDigits + 1,
                        QStringLiteral("Time%1").arg(d),
                        QStringLiteral("|%1 square root questions are for example: %2 .")
                            .arg(caption, QString::fromUtf8(examples[d - MinDigits]))};
        }
        return t;
    }();
    return table;
}

const SquareRootRules::Option* SquareRootRules::optionForStored(int storedOption)
{
    for (const Option& o : options())
        if (o.storedOption == storedOption)
            return &o;
    return nullptr;
}

const SquareRootRules::Option* SquareRootRules::optionForDigits(int digits)
{
    for (const Option& o : options())
        if (o.digits == digits)
            return &o;
    return nullptr;
}

// ------------------------------------------------------------------ question

int SquareRootRules::Question::digits() const
{
    return int(num(number).size());
}

qint64 SquareRootRules::Question::root() const
{
    qint64 r = qint64(std::sqrt(double(number)));
    while (r * r > number)
        --r;
    while ((r + 1) * (r + 1) <= number)
        ++r;
    return r;
}

qint64 SquareRootRules::Question::remainder() const
{
    const qint64 r = root();
    return number - r * r;
}

ParseResult<SquareRootRules::Question> SquareRootRules::parse(const QString& text)
{
    using Result = ParseResult<Question>;
    const QString t = text.trimmed();
    if (!PracticeText::isDigits(t))
        return Result::failure(QStringLiteral("the question must be a whole number of 3 to 8 digits, e.g. 5125"));
    if (t.size() < MinDigits || t.size() > MaxDigits)
        return Result::failure(
            QStringLiteral("the number must have 3 to 8 digits, not %1").arg(t.size()));
    if (t.at(0) == QLatin1Char('0'))
        return Result::failure(QStringLiteral("the number must not begin with 0"));
    return Result::success(Question{t.toLongLong()});
}

SquareRootRules::Question SquareRootRules::draw(QRandomGenerator& rng, int digits, const Question* previous)
{
    if (digits < MinDigits || digits > MaxDigits)
        digits = MaxDigits;
    const qint64 lowest = power10(digits - 1);
    Question q;
    do
        q.number = rng.bounded(lowest, lowest * 10);
    while (previous && q.number == previous->number);
    return q;
}

QList<PanelText> SquareRootRules::questionPanels(const Question& question)
{
    const Split s(question);
    QList<PanelText> panels;
    for (int i = 0; i < 2 * s.rootCount; ++i)
        panels << PanelText{s.panel(i), i == 0 && firstQuestionPanelUnused(question) ? QString() : num(s.q[i])};
    return panels;
}

QList<PanelText> SquareRootRules::questionMirrors(const Question& question)
{
    QList<PanelText> mirrored;
    for (const PanelText& t : questionPanels(question)) {
        const int i = t.panel.mid(QStringLiteral("pnlQuestion").size()).toInt();
        if (i >= 4)
            mirrored << PanelText{t.panel + QLatin1Char('R'), t.text};
    }
    return mirrored;
}

const QList<SquareRootRules::Mirror>& SquareRootRules::mirrors(int rootDigits)
{
    const auto m = [](const char* panel, std::initializer_list<int> boxes, bool strip = false) {
        QStringList names;
        for (int n : boxes)
            names << box(n);
        return Mirror{QLatin1String(panel), names, strip};
    };
    static const QList<Mirror> two = {
        m("pnlWorking29", {18}, true), m("pnlWorking4445R", {10}), m("pnlWorking46R", {11}),
    };
    static const QList<Mirror> three = {
        m("pnlWorking29", {18}, true), m("pnlWorking4445R", {25, 26}, true), m("pnlWorking27", {23}),
        m("pnlWorking46R", {23}), m("pnlWorking28", {24}), m("pnlWorking47R", {24}),
    };
    static const QList<Mirror> four = {
        m("pnlWorking27", {23}), m("pnlWorking28", {24}), m("pnlWorking4445R", {44, 45}, true),
        m("pnlWorking46R", {46}), m("pnlWorking47R", {47}), m("pnlWorking48R", {48}), m("pnlWorking49R", {49}),
    };
    return rootDigits <= 2 ? two : (rootDigits == 3 ? three : four);
}

// ------------------------------------------------------------------ solving

WorkedProblem SquareRootRules::solve(const Question& question)
{
    const Split s(question);
    const auto& q = s.q;
    const auto& r = s.r;
    const bool two = s.rootCount == 2;
    const bool four = s.rootCount == 4;

    WorkedProblem p;
    p.method = methodName();
    p.question = question.text();
    p.answer = num(s.root);
    p.remainder = s.remainder;

    QSet<QString> unused;
    if (firstQuestionPanelUnused(question)) {
        unused << s.panel(0);
        if (two)
            unused << box(2) << box(3);
        else
            unused << box(1);
    }
    Sheet sheet(p, unused);

    // Round 1: the first root digit, its square and the first difference.
    const QStringList firstBlock = {s.panel(0), s.panel(1)};
    const int r1 = r[0], r2 = r[1];
    const int block = q[0] * 10 + q[1];
    const int square1 = r1 * r1;
    const int d1 = block - square1;
    const int half1 = d1 * 10 / 2;
    const QString square1Hint = squareHint(num(square1), r1);
    const QString d1Hint = differenceHint(d1, block, square1);
    sheet.digit(box(0), r1, firstDigitHint(r1, block), false, firstBlock);
    if (two) {
        sheet.digit(box(2), square1 / 10, square1Hint, true, {box(0)});
        sheet.digit(box(12), square1 % 10, square1Hint, true, {box(0)});
        sheet.digit(box(3), d1 / 10, d1Hint, false, firstBlock + QStringList{box(2), box(12)});
        sheet.digit(box(13), d1 % 10, d1Hint, false, firstBlock + QStringList{box(2), box(12)});
        sheet.paddedBox(box(14), half1, halfHint(half1, d1), true, {box(3), box(13)});
    } else {
        sheet.digit(box(1), square1 / 10, square1Hint, true, {box(0)});
        sheet.digit(box(2), square1 % 10, square1Hint, true, {box(0)});
        sheet.paddedBox(box(3), d1, d1Hint, false, firstBlock + QStringList{box(1), box(2)});
        sheet.paddedBox(box(4), half1, halfHint(half1, d1), true, {box(3)});
    }

    // Round 2: the second root digit; (r1 r2)² less r1² taken off as
    // S = [2·r1·r2 + tens of r2²] units of r2², written digit by digit.
    const QString half1Box = two ? box(14) : box(4);
    sheet.digit(box(5), r2, estimateHint(half1, r1, r2), false, {half1Box, box(0)});
    const int cross12 = 2 * r1 * r2;
    const int square2 = r2 * r2;
    const int sub1 = 10 * cross12 + square2;
    sheet.paddedBox(box(6), square1, square1Hint, true, {box(0)});
    sheet.paddedBox(box(7), cross12, crossHint(r1, r2), true, {box(0), box(5)}, 3);
    const QString square2Hint = squareHint(padded(square2, 2), r2);
    sheet.paddedBox(box(8), square2, square2Hint, true, {box(5)});
    const QString sub1Hint = subtrahendHint(cross12, square2);
    sheet.plainBox(box(9), sub1 / 100, sub1Hint, 2, {box(7), box(8)});
    sheet.digit(box(10), sub1 / 10 % 10, sub1Hint, false, {box(7), box(8)});
    sheet.digit(box(11), sub1 % 10, sub1Hint, false, {box(7), box(8)});

    const int bring1 = (d1 - sub1 / 100) * 10 + q[2];
    const QString bring1Hint = bringDownHint(d1, sub1 / 100, q[2]);
    if (two) {
        sheet.paddedBox(box(18), bring1, bring1Hint, false, {box(3), box(13), box(9), s.panel(2)});
        const int top = bring1 * 10 + q[3];
        const int bottom = sub1 % 100;
        const QString hint = differenceHint(top - bottom, top, bottom);
        sheet.digit(box(51), int(s.remainder % 10), hint, false,
                    {QStringLiteral("pnlQuestion4R"), QStringLiteral("pnlWorking46R")});
        const int rest = int(s.remainder / 10);
        sheet.plainBox(box(50), rest, hint, rest < 10 ? 1 : 2,
                       {box(29), QStringLiteral("pnlWorking4445R")});
    } else {
        // Round 3: the second difference, the third root digit, and the parts
        // 2·r1·r3 (one column left of its units) and [2·r2·r3 + tens of
        // r3²] units of r3².
        sheet.paddedBox(box(12), bring1, bring1Hint, true, {box(3), box(9), s.panel(2)});
        const int d2 = bring1 - sub1 / 10 % 10;
        sheet.paddedBox(box(13), d2, differenceHint(d2, bring1, sub1 / 10 % 10), false, {box(10), box(12)});
        const int half2 = d2 * 10 / 2;
        sheet.paddedBox(box(14), half2, halfHint(half2, d2), true, {box(13)});
        const int r3 = r[2];
        sheet.digit(box(15), r3, estimateHint(half2, r1, r3), false, {box(14), box(0)});
        const int cross13 = 2 * r1 * r3;
        const QString cross13Hint =
            crossDigitsHint(r1, r3, num(cross13 / 10) + QLatin1Char(' ') + num(cross13 % 10));
        sheet.plainBox(box(16), cross13 / 10, cross13Hint, 2, {box(15), box(0)});
        sheet.digit(box(17), cross13 % 10, cross13Hint, false, {box(15), box(0)});
        const int bring2 = (d2 - cross13 / 10) * 10 + q[3];
        sheet.add(box(18), bring2, padded(bring2, 2), bringDownHint(d2, cross13 / 10, q[3]), 2, four,
                  {box(13), box(16), s.panel(3)});
        const int cross23 = 2 * r2 * r3;
        const int square3 = r3 * r3;
        const int sub2 = 10 * cross23 + square3;
        sheet.paddedBox(box(19), square2, square2Hint, true, {box(5)});
        sheet.paddedBox(box(20), cross23, crossHint(r2, r3), true, {box(5), box(15)}, 3);
        sheet.paddedBox(box(21), square3, squareHint(padded(square3, 2), r3), true, {box(15)});
        const QString sub2Hint = subtrahendHint(cross23, square3);
        sheet.plainBox(box(22), sub2 / 100, sub2Hint, 2, {box(20), box(21)});
        sheet.digit(box(23), sub2 / 10 % 10, sub2Hint, false, {box(20), box(21)});
        sheet.digit(box(24), sub2 % 10, sub2Hint, false, {box(20), box(21)});
        // What the hundreds column of this round takes off: the units of
        // r2², the units of 2·r1·r3 and the head of the last subtrahend.
        const int column = sub1 % 10 + cross13 % 10 + sub2 / 100;
        const QString columnHint = sumHint(column, {sub1 % 10, cross13 % 10, sub2 / 100}, 0,
                                           num(column / 10) + QLatin1Char(' ') + num(column % 10));
        sheet.digit(box(25), column / 10, columnHint, false, {box(11), box(17), box(22)});
        sheet.digit(box(26), column % 10, columnHint, false, {box(11), box(17), box(22)});

        if (!four) {
            const int top = bring2 * 100 + q[4] * 10 + q[5];
            const int bottom = column * 100 + sub2 % 100;
            const QString hint = differenceHint(top - bottom, top, bottom);
            sheet.digit(box(52), int(s.remainder % 10), hint, false,
                        {QStringLiteral("pnlQuestion5R"), QStringLiteral("pnlWorking47R")});
            sheet.digit(box(51), int(s.remainder / 10 % 10), hint, false,
                        {QStringLiteral("pnlQuestion4R"), QStringLiteral("pnlWorking46R")});
            const int rest = int(s.remainder / 100);
            sheet.plainBox(box(50), rest, hint, rest < 10 ? 1 : 2, {box(29), QStringLiteral("pnlWorking4445R")});
        } else {
            // Round 4: the third difference and the fourth root digit; the
            // parts 2·r1·r4, 2·r2·r4, 2·r3·r4 and r4² in a staircase of
            // columns, added column by column from the right with the last
            // subtrahend's two lower digits (mirrored in pnlWorking27 and 28).
            const int d3 = bring2 - column;
            sheet.paddedBox(box(29), d3, differenceHint(d3, bring2, column), false,
                            {box(18), box(25), box(26)});
            const int half3 = d3 * 10 / 2;
            sheet.paddedBox(box(30), half3, halfHint(half3, d3), true, {box(29)});
            const int r4 = r[3];
            sheet.digit(box(31), r4, estimateHint(half3, r1, r4), false, {box(30), box(0)});

            QHash<int, int> values{{27, sub2 / 10 % 10}, {28, sub2 % 10}};
            const int rootBoxes[] = {0, 5, 15};
            for (int k = 0; k < 3; ++k) {
                const QString digits = padded(2 * r[k] * r4, 3);
                const QString hint = crossDigitsHint(r[k], r4, spaced(digits));
                for (int j = 0; j < 3; ++j) {
                    const int n = 32 + 3 * k + j;
                    values[n] = digits.at(j).digitValue();
                    sheet.digit(box(n), values[n], hint, false, {box(rootBoxes[k]), box(31)});
                }
            }
            const QString square4 = padded(r4 * r4, 3);
            for (int j = 0; j < 3; ++j) {
                values[41 + j] = square4.at(j).digitValue();
                sheet.digit(box(41 + j), values[41 + j], squareDigitsHint(r4), false, {box(31)});
            }

            // The columns of what this round takes off, from the units up;
            // their sums go into pnlWorking49 (units) .. pnlWorking44.
            const QList<QList<int>> columns = {
                {43}, {40, 42}, {28, 37, 39, 41}, {27, 34, 36, 38}, {33, 35}, {32},
            };
            int carry = 0;
            qint64 taken = 0;
            for (int c = 0; c < columns.size(); ++c) {
                QList<int> terms;
                QStringList sources;
                int total = carry;
                for (int n : columns.at(c)) {
                    terms << values.value(n);
                    sources << box(n);
                    total += values.value(n);
                }
                const QString hint = sumHint(total, terms, carry, total >= 10 ? num(total % 10) : QString());
                sheet.digit(box(49 - c), total % 10, hint, false, sources);
                taken += (total % 10) * power10(c);
                carry = total / 10;
            }

            const qint64 top = d3 * 10000LL + q[4] * 1000 + q[5] * 100 + q[6] * 10 + q[7];
            const QString hint = differenceHint(top - taken, top, taken);
            for (int k = 0; k < 4; ++k)
                sheet.digit(box(54 - k), int(s.remainder / power10(k) % 10), hint, false,
                            {QStringLiteral("pnlQuestion%1R").arg(7 - k), QStringLiteral("pnlWorking%1R").arg(49 - k)});
            const int rest = int(s.remainder / 10000);
            sheet.plainBox(box(50), rest, hint, rest < 10 ? 1 : 2, {box(29), QStringLiteral("pnlWorking4445R")});
        }
    }

    // Answer panels: the root digits (pnlAnswer0 = units), then the
    // remainder: its leading part in pnlRemainder0 (what pnlWorking50
    // holds), one digit in each further panel.
    for (int i = 0; i < s.rootCount; ++i)
        p.answerPanels << PanelText{numbered("pnlAnswer", i), num(r[s.rootCount - 1 - i])};
    const int remainderPanels = two ? 2 : (four ? 5 : 3);
    for (int i = 0; i < remainderPanels; ++i) {
        const qint64 scale = power10(remainderPanels - 1 - i);
        const qint64 part = i == 0 ? s.remainder / scale : s.remainder / scale % 10;
        p.answerPanels << PanelText{numbered("pnlRemainder", i), num(part)};
    }
    return p;
}

PracticeMethod SquareRootRules::method()
{
    QStringList names;
    for (const Option& o : options())
        names << o.caption;
    // The tool draws as the screen does: never the same number twice in a row.
    auto last = std::make_shared<std::optional<Question>>();
    return {methodName(),
            QStringLiteral("number of 3 to 8 digits, e.g. 5125"),
            {{QStringLiteral("digits"), names}},
            PracticeMethods::parseAndSolve<SquareRootRules>,
            [last](QRandomGenerator& rng, const QStringList& chosen) {
                const Option* o = nullptr;
                for (const Option& candidate : options())
                    if (candidate.caption == chosen.value(0))
                        o = &candidate;
                const Question q = draw(rng, o ? o->digits : MinDigits, *last ? &**last : nullptr);
                *last = q;
                return solve(q);
            }};
}
