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

WorkedProblem SpeedAdditionRules::solve(const Question& q)
{
    WorkedProblem p;
    p.method = methodName();
    p.question = q.text();
    for (int r = 0; r < Rows; ++r) {
        for (int g = 0; g < Columns; ++g)
            p.questionPanels << PanelText{questionPanel(r, g), QString::number(q.digits[r][g])};
    }
    p.boxes.resize(BoxCount);
    for (int i = 0; i < BoxCount; ++i) {
        RuleBox& b = p.boxes[i];
        b.box = boxName(i);
        b.width = (i < 56 ? (i % 7 == 5 ? 2 : 1) : (i == LeadingBox ? 1 : 2));
        b.carryLink = (i >= 56 && i < LeadingBox) ? i - 56 : -1;
        b.stripZeros = i == LeadingBox || (i < 56 && i % 7 == 5); // the leading digit, the running totals
    }

    // Columns: ticks and running totals, top to bottom.
    std::array<int, Columns> running{};
    std::array<int, Columns> ticks{};
    for (int g = 0; g < Columns; ++g) {
        int total = 0;
        for (int r = 0; r < Rows; ++r) {
            total += q.digits[r][g];
            if (total >= 11) {
                RuleBox& tick = p.boxes[tickBox(g, r - 1)];
                tick.value = 1;
                tick.text = QStringLiteral("1");
                total -= 11;
                ++ticks[g];
            }
        }
        running[g] = total;
        RuleBox& rt = p.boxes[runningTotalBox(g)];
        rt.value = total;
        rt.text = QString::number(total);
        rt.hint = rt.text + QLatin1Char('|');
        for (int r = 0; r < Rows; ++r)
            rt.colorHints << ColorHint{questionPanel(r, g), ColorHintStyle::Background};
        RuleBox& ct = p.boxes[carryTotalBox(g)];
        ct.value = ticks[g];
        ct.text = QString::number(ticks[g]);
        ct.hint = ct.text + QLatin1Char('|');
        for (int k = 0; k < 5; ++k)
            ct.colorHints << ColorHint{boxName(tickBox(g, k)), ColorHintStyle::Background};
    }

    // Answer row, right to left. Position c is grid column 7 - c; position 8
    // has no column of its own (running total and ticks 0).
    int carry = 0;
    for (int c = 0; c < AnswerPositions; ++c) {
        const int g = Columns - 1 - c;
        const int rt = c < Columns ? running[g] : 0;
        const int t = c < Columns ? ticks[g] : 0;
        const int tRight = c > 0 ? ticks[g + 1] : 0;
        const int total = rt + t + tRight + carry;

        RuleBox& b = p.boxes[c < Columns ? answerBox(c) : LeadingBox];
        b.value = total % 10;
        b.text = QString::number(b.value);
        b.hint = QStringLiteral("%1 = %2 + %3 + %4").arg(total).arg(rt).arg(t).arg(tRight);
        if (carry > 0)
            b.hint += QLatin1String(" + ") + CarryMark(carry);
        b.hint += QLatin1Char('|');

        if (c < Columns) {
            b.colorHints << ColorHint{boxName(runningTotalBox(g)), ColorHintStyle::Background}
                         << ColorHint{boxName(carryTotalBox(g)), ColorHintStyle::Background};
        }
        if (c > 0) {
            b.colorHints << ColorHint{boxName(carryTotalBox(g + 1)), ColorHintStyle::Background}
                         << ColorHint{numbered("pnlCarryTotal", c - 1), ColorHintStyle::CarryBox};
        }
        if (c < Columns) {
            carry = total / 10;
            p.carries << RuleCarry{numbered("pnlCarryTotal", c), carry};
            p.answerCarryRow << PanelText{numbered("pnlAnswerCarry", c), carryText(carry)};
        }
    }

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
            [](QRandomGenerator& rng, const QStringList&) { return solve(draw(rng)); }};
}
