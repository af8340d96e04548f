#include "practice/LongMultiplicationRules.h"

#include "shell/TextHelpers.h"

using Question = LongMultiplicationRules::Question;

// ------------------------------------------------------------------ question

qint64 Question::multiplicandValue() const
{
    qint64 n = 0;
    for (int d = Digits - 1; d >= 0; --d)
        n = n * 10 + multiplicand.at(d);
    return n;
}

qint64 Question::multiplierValue() const
{
    qint64 n = 0;
    for (qsizetype i = multiplier.size() - 1; i >= 0; --i)
        n = n * 10 + multiplier.at(i);
    return n;
}

QString Question::multiplicandText() const
{
    QString t;
    for (int d = Digits - 1; d >= 0; --d)
        t += QChar(u'0' + multiplicand.at(d));
    return t;
}

QString Question::multiplierText() const
{
    QString t;
    for (qsizetype i = multiplier.size() - 1; i >= 0; --i)
        t += QChar(u'0' + multiplier.at(i));
    return t;
}

QString Question::text() const
{
    return multiplicandText() + QLatin1Char('x') + multiplierText();
}

int Question::largestDigit() const
{
    int top = 0;
    for (int d : multiplicand)
        top = qMax(top, d);
    for (int d : multiplier)
        top = qMax(top, d);
    return top;
}

namespace {

// Digits lowest..9, the first at least 1.
bool fitsDigits(const QString& text, int lowest)
{
    return PracticeText::isDigits(text, lowest, 9) && text.at(0) != u'0';
}

QString digitRule(int lowest)
{
    return lowest == 0 ? QStringLiteral(" and must not begin with 0") : QStringLiteral(", each from 1 to 9");
}

} // namespace

ParseResult<Question> LongMultiplicationRules::fromTexts(const QString& multiplicand, const QString& multiplier,
                                                         const Domain& domain)
{
    using Result = ParseResult<Question>;
    const QString rule = digitRule(domain.lowestDigit);
    const QString a = multiplicand.trimmed();
    if (a.size() != Digits || !fitsDigits(a, domain.lowestDigit))
        return Result::failure(QStringLiteral("multiplicand must have 8 digits") + rule);
    const QString b = multiplier.trimmed();
    if (b.size() < domain.minMultiplierDigits || b.size() > domain.maxMultiplierDigits
        || !fitsDigits(b, domain.lowestDigit)) {
        const QString count = domain.minMultiplierDigits == domain.maxMultiplierDigits
                                  ? QString::number(domain.minMultiplierDigits)
                                  : QStringLiteral("%1 to %2").arg(domain.minMultiplierDigits).arg(domain.maxMultiplierDigits);
        return Result::failure(QStringLiteral("multiplier must have %1 digits").arg(count) + rule);
    }
    Question q;
    for (int d = 0; d < Digits; ++d)
        q.multiplicand[d] = a.at(Digits - 1 - d).unicode() - u'0';
    for (qsizetype i = b.size() - 1; i >= 0; --i)
        q.multiplier << b.at(i).unicode() - u'0';
    return Result::success(q);
}

ParseResult<Question> LongMultiplicationRules::parse(const QString& text, const Domain& domain)
{
    qsizetype op = -1;
    for (qsizetype i = 0; i < text.size() && op < 0; ++i)
        if (text.at(i) == u'x' || text.at(i) == u'X' || text.at(i) == TextChars::Times)
            op = i;
    if (op < 0)
        return ParseResult<Question>::failure(
            QStringLiteral("question must be an 8-digit multiplicand, x and a multiplier of %1 to %2 digits, "
                           "e.g. 23521543x25")
                .arg(domain.minMultiplierDigits)
                .arg(domain.maxMultiplierDigits));
    return fromTexts(text.left(op), text.mid(op + 1), domain);
}

Question LongMultiplicationRules::randomQuestion(QRandomGenerator& rng, int multiplierDigits, int lo, int hi)
{
    const auto digit = [&](bool leading) { return int(rng.bounded(leading ? qMax(lo, 1) : lo, hi + 1)); };
    Question q;
    for (int d = 0; d < Digits; ++d)
        q.multiplicand[d] = digit(d == Digits - 1);
    for (int i = 0; i < multiplierDigits; ++i)
        q.multiplier << digit(i == multiplierDigits - 1);
    return q;
}

// ------------------------------------------------------------------ screen aids

quint32 LongMultiplicationRules::multiplierColor(int panel)
{
    static constexpr quint32 colors[MaxMultiplierDigits] = {0xFFFF00, 0x00FF00, 0xFFFFFF, 0x00FFFF, 0xFF00FF};
    return panel >= 0 && panel < MaxMultiplierDigits ? colors[panel] : 0xFFFFFF;
}

QList<LongMultiplicationRules::DigitOption> LongMultiplicationRules::digitOptions(int fromDigits, int toDigits)
{
    static const char* const examples[MaxMultiplierDigits] = {
        "x 7, x 4,  x 9, x 5.",
        "x 67, x 24,  x 98, x 53.",
        "x 687, x 247,  x 198, x 653 .",
        "x 6873, x 9247, x 1348, x 1498 .",
        "x 68073, x 91247, x 13428, x 15498 .",
    };
    QList<DigitOption> table;
    for (int k = qMax(1, fromDigits); k <= qMin(toDigits, int(MaxMultiplierDigits)); ++k)
        table << DigitOption{PracticeText::numbered("pnlOpt", k), QString::number(k) + QLatin1String("-Digit"), k,
                             int(table.size()) + 1,
                             QStringLiteral("|%1-digit multiplier questions are for example: ").arg(k)
                                 + QLatin1String(examples[k - 1])};
    return table;
}

QList<PanelText> LongMultiplicationRules::questionPanels(const Question& q)
{
    QList<PanelText> out;
    for (int d = 0; d < Digits; ++d)
        out << PanelText{multiplicandPanel(d), QString::number(q.multiplicand.at(d))};
    const int m = q.multiplierDigits();
    for (int k = 0; k < m; ++k)
        out << PanelText{multiplierPanel(k), QString::number(q.multiplier.at(m - 1 - k))};
    return out;
}

WorkedProblem LongMultiplicationRules::workedRow(const QString& method, const Question& q,
                                                const QList<AnswerColumn>& columns)
{
    WorkedProblem w;
    w.method = method;
    w.question = q.text();
    w.questionPanels = questionPanels(q);
    const qsizetype top = columns.size() - 1;
    for (qsizetype s = 0; s <= top; ++s) {
        const AnswerColumn& c = columns.at(s);
        RuleBox b;
        b.box = workingBox(int(s));
        b.value = c.text.toInt();
        b.text = c.text;
        b.hint = c.hint;
        b.width = c.width;
        b.colorHints = c.colorHints;
        b.stripZeros = b.zeroMayBeLeftOut = s == top;
        if (s < top) {
            b.carryLink = int(s);
            w.carries << RuleCarry{carryBox(int(s)), c.carryOut};
            w.answerCarryRow << PanelText{answerCarryPanel(int(s)), PracticeText::carryText(c.carryOut)};
        }
        w.boxes << b;
        w.answerPanels << PanelText{answerPanel(int(s)), c.text};
        w.answer.prepend(c.text);
    }
    return w;
}

QList<ColorHint> LongMultiplicationRules::carryHint(int column)
{
    if (column <= 0)
        return {};
    return {ColorHint{carryBox(column - 1), ColorHintStyle::CarryBox}};
}

QList<ColorHint> LongMultiplicationRules::multiplierHints(int digits)
{
    QList<ColorHint> out;
    for (int k = 0; k < digits; ++k)
        out << ColorHint{multiplierPanel(k), ColorHintStyle::Paint, multiplierColor(k)};
    return out;
}
