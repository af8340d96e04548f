#include "practice/SquareRootRules.h"

#include "shell/TextHelpers.h"

#include <QHash>
#include <QSet>

#include <array>
#include <cmath>
#include <memory>
#include <optional>

using PracticeText::num;
using PracticeText::numbered;
using PracticeText::padded;

namespace {

// ------------------------------------------------------------------ hint texts

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

// "10 ÷ 7 --> 1|". The estimate is half the difference divided by r1 alone,
// so it can miss the root digit; each candidate it has to pass over is
// named with the reason, checked on the root so far with that candidate
// (root) against the number so far (its first blocks, upTo):
//   more than 9:                      a root digit is at most 9;
//   root² more than upTo:             too large, take one less;
//   upTo - root² more than 2 × root:  too small, take one more (the next
//                                     root's square, root² + 2 × root + 1,
//                                     still fits).
// "40 ÷ 4 --> 10; 10 is too large: a root digit is at most 9, so take 9;
//  9 is too large: 49 ² = 2401 is more than 2400, so take 8|"
QString estimateHint(int half, int r1, qint64 rootSoFar, int digit, qint64 upTo)
{
    const int estimate = half / r1;
    QString hint = num(half) + divided() + num(r1) + QLatin1String(" --> ") + num(estimate);
    int c = estimate;
    if (c > 9) {
        hint += QStringLiteral("; %1 is too large: a root digit is at most 9, so take 9").arg(c);
        c = 9;
    }
    for (; c > digit; --c) {
        const qint64 root = rootSoFar * 10 + c;
        hint += QStringLiteral("; %1 is too large: %2 ² = %3 is more than %4, so take %5")
                    .arg(c)
                    .arg(root)
                    .arg(root * root)
                    .arg(upTo)
                    .arg(c - 1);
    }
    for (; c < digit; ++c) {
        const qint64 root = rootSoFar * 10 + c;
        hint += QStringLiteral("; %1 is too small: %2 - %3 ² = %4 is more than 2 × %3 = %5, so take %6")
                    .arg(c)
                    .arg(upTo)
                    .arg(root)
                    .arg(upTo - root * root)
                    .arg(2 * root)
                    .arg(c + 1);
    }
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
// the square added, the units digit of the square written after them. The
// digits at the end are those the three boxes take: the first box takes all
// but the last two ("[170]1 --> 17 0 1").
QString subtrahendHint(int cross, int square)
{
    const int head = cross + square / 10;
    const QString units = num(square % 10);
    return QLatin1Char('[') + padded(cross, 3) + QLatin1String("  +  ") + num(square / 10) + QLatin1Char(']')
           + units + QLatin1String(" --> [") + num(head) + QLatin1Char(']') + units + QLatin1String(" --> ")
           + num(head / 10) + QLatin1Char(' ') + num(head % 10) + QLatin1Char(' ') + units + QLatin1Char('|');
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
    // The number as far as its first `blocks` blocks, and the root of it: the
    // first `blocks` root digits.
    qint64 upTo(int blocks) const
    {
        qint64 n = 0;
        for (int i = 0; i < 2 * blocks; ++i)
            n = n * 10 + q[i];
        return n;
    }
    qint64 rootUpTo(int blocks) const
    {
        qint64 n = 0;
        for (int i = 0; i < blocks; ++i)
            n = n * 10 + r[i];
        return n;
    }
};

qint64 power10(int n)
{
    qint64 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// Works one problem round by round: each round finds a root digit and takes
// off the parts of the square it brings; the last one leaves the remainder.
class Solver {
public:
    explicit Solver(const SquareRootRules::Question& question)
        : m_s(question), m_sheet(m_problem, unusedPanels(question))
    {
        m_problem.method = SquareRootRules::methodName();
        m_problem.question = question.text();
        m_problem.answer = num(m_s.root);
        m_problem.remainder = m_s.remainder;
        m_problem.questionPanels =
            SquareRootRules::questionPanels(question) + SquareRootRules::questionMirrors(question);
    }

    WorkedProblem run()
    {
        firstDigit();
        secondDigit();
        if (m_s.rootCount == 2) {
            m_sheet.paddedBox(box(18), m_bring1, m_bring1Hint, false, {box(3), box(13), box(9), m_s.panel(2)});
            // The remainder area shows B (without a leading zero) with the
            // last digit, over the two lower digits of the subtrahend.
            remainderRow(m_bring1 * 10 + m_s.q[3], m_sub1 % 100, num(m_bring1) + num(m_s.q[3]),
                         padded(m_sub1 % 100, 2));
        } else {
            thirdDigit();
            if (m_s.rootCount == 3)
                remainderRow(m_bring2 * 100 + m_s.q[4] * 10 + m_s.q[5], m_column * 100 + m_sub2 % 100,
                             num(m_bring2) + num(m_s.q[4]) + num(m_s.q[5]),
                             num(m_column) + padded(m_sub2 % 100, 2));
            else
                fourthDigit();
        }
        answerPanels();
        return m_problem;
    }

private:
    static QSet<QString> unusedPanels(const SquareRootRules::Question& question)
    {
        if (!SquareRootRules::firstQuestionPanelUnused(question))
            return {};
        const Split s(question);
        if (s.rootCount == 2)
            return {s.panel(0), box(2), box(3)};
        return {s.panel(0), box(1)};
    }

    // r1 from the first block, its square and the first difference D. With
    // two root digits r1² and D stand digit by digit in two boxes each.
    void firstDigit()
    {
        const QStringList firstBlock = {m_s.panel(0), m_s.panel(1)};
        const int r1 = m_s.r[0];
        const int block = m_s.q[0] * 10 + m_s.q[1];
        m_square1 = r1 * r1;
        m_d1 = block - m_square1;
        m_half1 = m_d1 * 10 / 2;
        m_square1Hint = squareHint(num(m_square1), r1);
        const QString d1Hint = differenceHint(m_d1, block, m_square1);
        m_sheet.digit(box(0), r1, firstDigitHint(r1, block), false, firstBlock);
        if (m_s.rootCount == 2) {
            m_sheet.digit(box(2), m_square1 / 10, m_square1Hint, true, {box(0)});
            m_sheet.digit(box(12), m_square1 % 10, m_square1Hint, true, {box(0)});
            m_sheet.digit(box(3), m_d1 / 10, d1Hint, false, firstBlock + QStringList{box(2), box(12)});
            m_sheet.digit(box(13), m_d1 % 10, d1Hint, false, firstBlock + QStringList{box(2), box(12)});
            m_sheet.paddedBox(box(14), m_half1, halfHint(m_half1, m_d1), true, {box(3), box(13)});
        } else {
            m_sheet.digit(box(1), m_square1 / 10, m_square1Hint, true, {box(0)});
            m_sheet.digit(box(2), m_square1 % 10, m_square1Hint, true, {box(0)});
            m_sheet.paddedBox(box(3), m_d1, d1Hint, false, firstBlock + QStringList{box(1), box(2)});
            m_sheet.paddedBox(box(4), m_half1, halfHint(m_half1, m_d1), true, {box(3)});
        }
    }

    // r2; (r1 r2)² less r1² taken off as S = [2·r1·r2 + tens of r2²] units
    // of r2², written digit by digit; the next digit brought down.
    void secondDigit()
    {
        const int r1 = m_s.r[0], r2 = m_s.r[1];
        const QString half1Box = m_s.rootCount == 2 ? box(14) : box(4);
        m_sheet.digit(box(5), r2, estimateHint(m_half1, r1, m_s.rootUpTo(1), r2, m_s.upTo(2)), false,
                      {half1Box, box(0)});
        const int cross = 2 * r1 * r2;
        m_square2 = r2 * r2;
        m_sub1 = 10 * cross + m_square2;
        m_sheet.paddedBox(box(6), m_square1, m_square1Hint, true, {box(0)});
        m_sheet.paddedBox(box(7), cross, crossHint(r1, r2), true, {box(0), box(5)}, 3);
        m_square2Hint = squareHint(padded(m_square2, 2), r2);
        m_sheet.paddedBox(box(8), m_square2, m_square2Hint, true, {box(5)});
        const QString subHint = subtrahendHint(cross, m_square2);
        m_sheet.plainBox(box(9), m_sub1 / 100, subHint, 2, {box(7), box(8)});
        m_sheet.digit(box(10), m_sub1 / 10 % 10, subHint, false, {box(7), box(8)});
        m_sheet.digit(box(11), m_sub1 % 10, subHint, false, {box(7), box(8)});
        m_bring1 = (m_d1 - m_sub1 / 100) * 10 + m_s.q[2];
        m_bring1Hint = bringDownHint(m_d1, m_sub1 / 100, m_s.q[2]);
    }

    // The second difference and r3; the parts 2·r1·r3 (one column left of
    // its units) and [2·r2·r3 + tens of r3²] units of r3²; what the hundreds
    // column of this round still takes off.
    void thirdDigit()
    {
        const int r1 = m_s.r[0], r2 = m_s.r[1], r3 = m_s.r[2];
        m_sheet.paddedBox(box(12), m_bring1, m_bring1Hint, true, {box(3), box(9), m_s.panel(2)});
        const int d2 = m_bring1 - m_sub1 / 10 % 10;
        m_sheet.paddedBox(box(13), d2, differenceHint(d2, m_bring1, m_sub1 / 10 % 10), false, {box(10), box(12)});
        const int half2 = d2 * 10 / 2;
        m_sheet.paddedBox(box(14), half2, halfHint(half2, d2), true, {box(13)});
        m_sheet.digit(box(15), r3, estimateHint(half2, r1, m_s.rootUpTo(2), r3, m_s.upTo(3)), false,
                      {box(14), box(0)});
        const int cross13 = 2 * r1 * r3;
        const QString cross13Hint =
            crossDigitsHint(r1, r3, num(cross13 / 10) + QLatin1Char(' ') + num(cross13 % 10));
        m_sheet.plainBox(box(16), cross13 / 10, cross13Hint, 2, {box(15), box(0)});
        m_sheet.digit(box(17), cross13 % 10, cross13Hint, false, {box(15), box(0)});
        m_bring2 = (d2 - cross13 / 10) * 10 + m_s.q[3];
        m_sheet.add(box(18), m_bring2, padded(m_bring2, 2), bringDownHint(d2, cross13 / 10, m_s.q[3]), 2,
                    m_s.rootCount == 4, {box(13), box(16), m_s.panel(3)});
        const int cross23 = 2 * r2 * r3;
        const int square3 = r3 * r3;
        m_sub2 = 10 * cross23 + square3;
        m_sheet.paddedBox(box(19), m_square2, m_square2Hint, true, {box(5)});
        m_sheet.paddedBox(box(20), cross23, crossHint(r2, r3), true, {box(5), box(15)}, 3);
        m_sheet.paddedBox(box(21), square3, squareHint(padded(square3, 2), r3), true, {box(15)});
        const QString subHint = subtrahendHint(cross23, square3);
        m_sheet.plainBox(box(22), m_sub2 / 100, subHint, 2, {box(20), box(21)});
        m_sheet.digit(box(23), m_sub2 / 10 % 10, subHint, false, {box(20), box(21)});
        m_sheet.digit(box(24), m_sub2 % 10, subHint, false, {box(20), box(21)});
        // The units of r2², the units of 2·r1·r3 and the head of the last
        // subtrahend stand in one column.
        m_column = m_sub1 % 10 + cross13 % 10 + m_sub2 / 100;
        const QString columnHint = sumHint(m_column, {m_sub1 % 10, cross13 % 10, m_sub2 / 100}, 0,
                                           num(m_column / 10) + QLatin1Char(' ') + num(m_column % 10));
        m_sheet.digit(box(25), m_column / 10, columnHint, false, {box(11), box(17), box(22)});
        m_sheet.digit(box(26), m_column % 10, columnHint, false, {box(11), box(17), box(22)});
    }

    // The third difference and r4; the parts 2·r1·r4, 2·r2·r4, 2·r3·r4 and
    // r4² in a staircase of columns, added column by column from the right
    // with the last subtrahend's two lower digits (mirrored in pnlWorking27
    // and 28).
    void fourthDigit()
    {
        const int r1 = m_s.r[0], r4 = m_s.r[3];
        const int d3 = m_bring2 - m_column;
        m_sheet.paddedBox(box(29), d3, differenceHint(d3, m_bring2, m_column), false, {box(18), box(25), box(26)});
        const int half3 = d3 * 10 / 2;
        m_sheet.paddedBox(box(30), half3, halfHint(half3, d3), true, {box(29)});
        m_sheet.digit(box(31), r4, estimateHint(half3, r1, m_s.rootUpTo(3), r4, m_s.upTo(4)), false,
                      {box(30), box(0)});

        QHash<int, int> values{{27, m_sub2 / 10 % 10}, {28, m_sub2 % 10}};
        const int rootBoxes[] = {0, 5, 15};
        for (int k = 0; k < 3; ++k) {
            const QString digits = padded(2 * m_s.r[k] * r4, 3);
            for (int j = 0; j < 3; ++j) {
                const int n = 32 + 3 * k + j;
                values[n] = digits.at(j).digitValue();
                m_sheet.digit(box(n), values[n], crossDigitsHint(m_s.r[k], r4, spaced(digits)), false,
                              {box(rootBoxes[k]), box(31)});
            }
        }
        const QString square4 = padded(r4 * r4, 3);
        for (int j = 0; j < 3; ++j) {
            values[41 + j] = square4.at(j).digitValue();
            m_sheet.digit(box(41 + j), values[41 + j], squareDigitsHint(r4), false, {box(31)});
        }

        // The columns from the units up; their sums go into pnlWorking49
        // (units) .. pnlWorking44.
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
            m_sheet.digit(box(49 - c), total % 10, hint, false, sources);
            taken += (total % 10) * power10(c);
            carry = total / 10;
        }
        const qint64 lastDigits = m_s.q[4] * 1000 + m_s.q[5] * 100 + m_s.q[6] * 10 + m_s.q[7];
        remainderRow(d3 * 10000LL + lastDigits, taken, num(d3 * 10000LL + lastDigits), num(taken));
    }

    // The last subtraction, read down the columns of the remainder area:
    // top row (the last difference and the last digits of the number) less
    // bottom row (the parts still to take off), each written as the area
    // shows it. Entered from the right; the leftmost box, pnlWorking50,
    // takes all that is left.
    void remainderRow(qint64 top, qint64 bottom, const QString& topText, const QString& bottomText)
    {
        const QString hint = num(top - bottom) + QLatin1String(" = ") + topText + QLatin1String(" - ") + bottomText
                             + QLatin1Char('|');
        const int boxes = remainderPanels();
        for (int k = 0; k + 1 < boxes; ++k)
            m_sheet.digit(box(50 + boxes - 1 - k), int(m_s.remainder / power10(k) % 10), hint, false,
                          {QStringLiteral("pnlQuestion%1R").arg(4 + boxes - 2 - k),
                           QStringLiteral("pnlWorking%1R").arg(46 + boxes - 2 - k)});
        const int rest = int(m_s.remainder / power10(boxes - 1));
        m_sheet.plainBox(box(50), rest, hint, rest < 10 ? 1 : 2, {box(29), QStringLiteral("pnlWorking4445R")});
    }

    int remainderPanels() const { return m_s.rootCount == 2 ? 2 : (m_s.rootCount == 3 ? 3 : 5); }

    // The root digits (pnlAnswer0 = units), then the remainder: its leading
    // part in pnlRemainder0 (what pnlWorking50 holds), one digit in each
    // further panel.
    void answerPanels()
    {
        for (int i = 0; i < m_s.rootCount; ++i)
            m_problem.answerPanels << PanelText{numbered("pnlAnswer", i), num(m_s.r[m_s.rootCount - 1 - i])};
        const int panels = remainderPanels();
        for (int i = 0; i < panels; ++i) {
            const qint64 scale = power10(panels - 1 - i);
            const qint64 part = i == 0 ? m_s.remainder / scale : m_s.remainder / scale % 10;
            m_problem.answerPanels << PanelText{numbered("pnlRemainder", i), num(part)};
        }
    }

    const Split m_s;
    WorkedProblem m_problem;
    Sheet m_sheet;
    int m_square1 = 0, m_d1 = 0, m_half1 = 0;
    int m_square2 = 0, m_sub1 = 0, m_bring1 = 0;
    int m_bring2 = 0, m_sub2 = 0, m_column = 0;
    QString m_square1Hint, m_square2Hint, m_bring1Hint;
};

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

namespace {

template <typename Match>
const SquareRootRules::Option* findOption(Match match)
{
    for (const SquareRootRules::Option& o : SquareRootRules::options())
        if (match(o))
            return &o;
    return nullptr;
}

} // namespace

const SquareRootRules::Option* SquareRootRules::optionForStored(int storedOption)
{
    return findOption([storedOption](const Option& o) { return o.storedOption == storedOption; });
}

const SquareRootRules::Option* SquareRootRules::optionForDigits(int digits)
{
    return findOption([digits](const Option& o) { return o.digits == digits; });
}

const SquareRootRules::Option* SquareRootRules::optionForButton(const QString& button)
{
    return findOption([&button](const Option& o) { return o.button == button; });
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

QStringList SquareRootRules::myAnswerBoxes(int rootDigits)
{
    const QStringList roots = {box(31), box(15), box(5), box(0)};
    QStringList boxes = roots.mid(4 - rootDigits);
    const int remainderBoxes = rootDigits == 2 ? 2 : (rootDigits == 3 ? 3 : 5);
    for (int k = 0; k < remainderBoxes; ++k)
        boxes << box(50 + k);
    return boxes;
}

QStringList SquareRootRules::shownMarks(int rootDigits)
{
    switch (rootDigits) {
    case 2:
        return {"lineQuestionDigit4", "arrowQuestionDigit4", "lineRemainder34Digit1", "lineRemainder34Digit2",
                "lineRemainder34Digit3", "lineRemainder34Digit4", "separatorQD34"};
    case 3:
        return {"lineQuestionDigit5", "arrowQuestionDigit5", "lineRemainder56Digit1", "lineRemainder56Digit2",
                "separatorQD56_1", "separatorQD56_2", "bvl56"};
    default:
        return {"lineQuestionDigit5", "arrowQuestionDigit5", "lineQuestionDigit6", "arrowQuestionDigit6",
                "lineQuestionDigit7", "arrowQuestionDigit7", "lineRemainder56Digit2", "lineRemainder78Digit1",
                "lineRemainder78Digit2", "separatorQD56_1", "separatorQD56_2", "separatorQD78_1", "bvl56", "bvl78"};
    }
}

QString SquareRootRules::jumpTarget(int rootDigits, const QString& from)
{
    const int n = from.startsWith(QLatin1String("pnlWorking")) ? from.mid(10).toInt() : -1;
    const auto within = [n](int lo, int hi) { return n >= lo && n <= hi; };
    if (rootDigits == 2)
        return n == 18 || within(50, 51) ? box(5) : QString();
    if (within(13, 15))
        return box(5);
    if (within(25, 26) || (rootDigits == 3 && within(50, 52)) || (rootDigits == 4 && within(29, 31)))
        return box(15);
    if (rootDigits == 4 && within(44, 54))
        return box(31);
    return QString();
}

// ------------------------------------------------------------------ solving

WorkedProblem SquareRootRules::solve(const Question& question)
{
    return Solver(question).run();
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
                const QString caption = chosen.value(0);
                const Option* o = findOption([&caption](const Option& option) { return option.caption == caption; });
                const Question q = draw(rng, o ? o->digits : MinDigits, *last ? &**last : nullptr);
                *last = q;
                return solve(q);
            },
            PracticeMethods::optionBestTimes(options())};
}
