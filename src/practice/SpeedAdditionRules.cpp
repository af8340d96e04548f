#include "practice/SpeedAdditionRules.h"

#include "shell/TextHelpers.h"

using PracticeText::carryText;
using PracticeText::numbered;

qint64 SpeedAdditionRules::Question::number(int row) const
{
    qint64 n = 0;
    for (int d : digits.at(row))
        n = n * 10 + d;
    return n;
}

qint64 SpeedAdditionRules::Question::sum() const
{
    qint64 s = 0;
    for (int r = 0; r < Rows; ++r)
        s += number(r);
    return s;
}

QString SpeedAdditionRules::Question::text() const
{
    QStringList numbers;
    for (int r = 0; r < Rows; ++r) {
        QString n;
        for (int d : digits.at(r))
            n += QChar(u'0' + d);
        numbers << n;
    }
    return numbers.join(QLatin1Char('+'));
}

ParseResult<SpeedAdditionRules::Question> SpeedAdditionRules::parse(const QString& text)
{
    using Result = ParseResult<Question>;
    const QStringList parts = text.split(QLatin1Char('+'));
    if (parts.size() != Rows)
        return Result::failure(
            QStringLiteral("speed addition needs six 8-digit numbers joined by +, got %1 number%2")
                .arg(parts.size())
                .arg(parts.size() == 1 ? QString() : QStringLiteral("s")));
    Question q;
    for (int r = 0; r < Rows; ++r) {
        const QString part = parts.at(r).trimmed();
        if (part.size() != Columns || !PracticeText::isDigits(part))
            return Result::failure(
                QStringLiteral("number %1 (\"%2\") must have 8 digits, each from 0 to 9")
                    .arg(r + 1)
                    .arg(part));
        for (int g = 0; g < Columns; ++g)
            q.digits[r][g] = part.at(g).unicode() - u'0';
    }
    return Result::success(q);
}

SpeedAdditionRules::Question SpeedAdditionRules::draw(QRandomGenerator& rng)
{
    Question q;
    for (auto& row : q.digits)
        for (int g = 0; g < Columns; ++g)
            row[g] = int(rng.bounded(g == 0 ? 1 : 0, 10));
    return q;
}

QString SpeedAdditionRules::boxName(int index)
{
    return numbered("pnlWorking", index);
}

QString SpeedAdditionRules::questionPanel(int row, int column)
{
    return numbered("pnlQuestion", row * Columns + column);
}

namespace {

using Rules = SpeedAdditionRules;

// A box of the grid: its column's running total (two digits, read without a
// leading zero).
bool isRunningTotalBox(int i)
{
    return i < Rules::answerBox(0) && i == Rules::runningTotalBox(i / 7);
}

// Every box with its name, width, carry link and zero rule; values come later.
QList<RuleBox> emptyBoxes()
{
    QList<RuleBox> boxes(Rules::BoxCount);
    for (int i = 0; i < Rules::BoxCount; ++i) {
        RuleBox& b = boxes[i];
        b.box = Rules::boxName(i);
        const bool answer = i >= Rules::answerBox(0) && i < Rules::LeadingBox;
        b.width = answer || isRunningTotalBox(i) ? 2 : 1;
        b.carryLink = answer ? i - Rules::answerBox(0) : -1;
        b.stripZeros = i == Rules::LeadingBox || isRunningTotalBox(i);
    }
    return boxes;
}

// What the columns leave for the answer row.
struct ColumnTotals {
    std::array<int, Rules::Columns> running{};
    std::array<int, Rules::Columns> ticks{};
};

// The columns, each added from the top digit down: a tick beside the digit
// at which the total reaches 11 (11 taken off), the running total and the
// ticks at the bottom.
ColumnTotals workColumns(const Rules::Question& q, QList<RuleBox>& boxes)
{
    ColumnTotals totals;
    for (int g = 0; g < Rules::Columns; ++g) {
        int total = 0;
        for (int r = 0; r < Rules::Rows; ++r) {
            total += q.digits[r][g];
            if (total >= 11) {
                RuleBox& tick = boxes[Rules::tickBox(g, r - 1)];
                tick.value = 1;
                tick.text = QStringLiteral("1");
                total -= 11;
                ++totals.ticks[g];
            }
        }
        totals.running[g] = total;
        RuleBox& rt = boxes[Rules::runningTotalBox(g)];
        rt.value = total;
        rt.text = QString::number(total);
        rt.hint = rt.text + QLatin1Char('|');
        for (int r = 0; r < Rules::Rows; ++r)
            rt.colorHints << ColorHint{Rules::questionPanel(r, g), ColorHintStyle::Background};
        RuleBox& ct = boxes[Rules::carryTotalBox(g)];
        ct.value = totals.ticks[g];
        ct.text = QString::number(totals.ticks[g]);
        ct.hint = ct.text + QLatin1Char('|');
        for (int k = 0; k < 5; ++k)
            ct.colorHints << ColorHint{Rules::boxName(Rules::tickBox(g, k)), ColorHintStyle::Background};
    }
    return totals;
}

// The answer row, right to left: each position's running total, its ticks,
// the ticks of the column to its right and the carry. Position c is grid
// column 7 - c; position 8 has no column of its own (running total and
// ticks 0).
void workAnswerRow(const ColumnTotals& columns, WorkedProblem& p)
{
    int carry = 0;
    for (int c = 0; c < Rules::AnswerPositions; ++c) {
        const int g = Rules::Columns - 1 - c;
        const bool inGrid = c < Rules::Columns;
        const int rt = inGrid ? columns.running[g] : 0;
        const int t = inGrid ? columns.ticks[g] : 0;
        const int tRight = c > 0 ? columns.ticks[g + 1] : 0;
        const int total = rt + t + tRight + carry;

        RuleBox& b = p.boxes[inGrid ? Rules::answerBox(c) : Rules::LeadingBox];
        b.value = total % 10;
        b.text = QString::number(b.value);
        b.hint = QStringLiteral("%1 = %2 + %3 + %4").arg(total).arg(rt).arg(t).arg(tRight);
        if (carry > 0)
            b.hint += QLatin1String(" + ") + CarryMark(carry);
        b.hint += QLatin1Char('|');

        if (inGrid) {
            b.colorHints << ColorHint{Rules::boxName(Rules::runningTotalBox(g)), ColorHintStyle::Background}
                         << ColorHint{Rules::boxName(Rules::carryTotalBox(g)), ColorHintStyle::Background};
        }
        if (c > 0) {
            b.colorHints << ColorHint{Rules::boxName(Rules::carryTotalBox(g + 1)), ColorHintStyle::Background}
                         << ColorHint{numbered("pnlCarryTotal", c - 1), ColorHintStyle::CarryBox};
        }
        if (inGrid) {
            carry = total / 10;
            p.carries << RuleCarry{numbered("pnlCarryTotal", c), carry};
            p.answerCarryRow << PanelText{numbered("pnlAnswerCarry", c), carryText(carry)};
        }
    }
}

} // namespace

WorkedProblem SpeedAdditionRules::solve(const Question& q)
{
    WorkedProblem p;
    p.method = methodName();
    p.question = q.text();
    for (int r = 0; r < Rows; ++r) {
        for (int g = 0; g < Columns; ++g)
            p.questionPanels << PanelText{questionPanel(r, g), QString::number(q.digits[r][g])};
    }
    p.boxes = emptyBoxes();
    workAnswerRow(workColumns(q, p.boxes), p);

    // The answer panels show the digits of the sum, a leading 0 included.
    const QString digits = QString::number(q.sum()).rightJustified(AnswerPositions, QLatin1Char('0'));
    for (int c = 0; c < AnswerPositions; ++c)
        p.answerPanels << PanelText{numbered("pnlAnswer", c), QString(digits.at(AnswerPositions - 1 - c))};
    p.answer = digits;
    return p;
}

int SpeedAdditionRules::move(int i, Move direction)
{
    if (i < 0 || i >= BoxCount)
        return i;
    switch (direction) {
    case Move::Left:
        if (i <= 6)
            return i + 49;
        if (i <= 55)
            return i - 7;
        if (i <= 63)
            return i + 1;
        return 56;
    case Move::Right:
        if (i <= 48)
            return i + 7;
        if (i <= 55)
            return i - 49;
        if (i == 56)
            return 64;
        return i - 1;
    case Move::Up:
        if (i < 56 && i % 7 == 0)
            return answerBox(Columns - 1 - i / 7);
        if (i >= 56 && i < LeadingBox)
            return carryTotalBox(Columns - 1 - (i - 56));
        if (i == LeadingBox)
            return carryTotalBox(0);
        return i - 1;
    case Move::Down:
        if (i < 56 && i % 7 == 6)
            return answerBox(Columns - 1 - i / 7);
        if (i >= 56 && i < LeadingBox)
            return tickBox(Columns - 1 - (i - 56), 0);
        if (i == LeadingBox)
            return tickBox(0, 0);
        return i + 1;
    }
    return i;
}

QStringList SpeedAdditionRules::imaginaryZeroLabels()
{
    return {QStringLiteral("lblLeftImaginaryZero1"), QStringLiteral("lblLeftImaginaryZero2"),
            QStringLiteral("lblRightImaginaryZero")};
}

QStringList SpeedAdditionRules::imaginaryZerosShown(int index)
{
    if (index == answerBox(0))
        return {QStringLiteral("lblRightImaginaryZero")};
    if (index == LeadingBox)
        return {QStringLiteral("lblLeftImaginaryZero1"), QStringLiteral("lblLeftImaginaryZero2")};
    return {};
}

PracticeMethod SpeedAdditionRules::method()
{
    return {methodName(),
            QStringLiteral("six 8-digit numbers joined by +,\n"
                           "e.g. 63275198+25845355+56996957+43713367+62696137+63119398"),
            {},
            PracticeMethods::parseAndSolve<SpeedAdditionRules>,
            [](QRandomGenerator& rng, const QStringList&) { return solve(draw(rng)); },
            {{bestTimeKey(), QString()}}};
}
