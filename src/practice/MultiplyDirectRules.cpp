#include "practice/MultiplyDirectRules.h"

#include "shell/Strings.h"
#include "shell/TextHelpers.h"

using LM = LongMultiplicationRules;

// ------------------------------------------------------------------ options

const QList<MultiplyDirectRules::Option>& MultiplyDirectRules::options()
{
    static const QList<Option> table = LM::digitOptions(MinMultiplierDigits, MaxMultiplierDigits);
    return table;
}

// ------------------------------------------------------------------ question

ParseResult<MultiplyDirectRules::Question> MultiplyDirectRules::parse(const QString& text)
{
    return LM::parse(text, domain());
}

MultiplyDirectRules::Question MultiplyDirectRules::draw(QRandomGenerator& rng, int multiplierDigits,
                                                        const Question* previous)
{
    const int m = qBound(MinMultiplierDigits, multiplierDigits, MaxMultiplierDigits);
    for (;;) {
        const Question q = LM::randomQuestion(rng, m, 0, 9);
        if (fitsTwoDigitBoxes(q) && !(previous && q == *previous))
            return q;
    }
}

// ------------------------------------------------------------------ solving

QList<MultiplyDirectRules::Column> MultiplyDirectRules::columns(const Question& q)
{
    const int m = q.multiplierDigits();
    const int top = topColumn(m);
    const QString think = Strings::text(Strings::Think);
    QList<Column> out;
    int carry = 0;
    for (int s = 0; s <= top; ++s) {
        Column c;
        c.carryIn = carry;
        QString expression, running;
        for (int i = 0; i < m; ++i) {
            const int d = s - i;
            if (d < 0 || d >= Digits)
                continue;
            if (!c.terms.isEmpty())
                expression += QLatin1String(" + ");
            const int a = q.multiplicand.at(d), b = q.multiplier.at(i);
            expression += QStringLiteral("(%1 %2 %3)").arg(a).arg(TextChars::Times).arg(b);
            c.terms << Term{d, i};
            c.total += a * b;
            running += QLatin1String("  ") + QString::number(c.total);
        }
        if (s > 0 && carry > 0) {
            expression += QLatin1String(" + ") + CarryMark(carry);
            c.total += carry;
            running += QLatin1String("  ") + QString::number(c.total);
        }
        c.carryOut = s < top ? c.total / 10 : 0;
        c.hint = QString::number(c.total) + QLatin1String(" = ") + expression + think + LeftChars(running, 30)
                 + QLatin1Char('|');
        carry = c.carryOut;
        out << c;
    }
    return out;
}

bool MultiplyDirectRules::fitsTwoDigitBoxes(const Question& q)
{
    for (const Column& c : columns(q))
        if (c.total >= 100)
            return false;
    return true;
}

WorkedProblem MultiplyDirectRules::solve(const Question& q)
{
    const int m = q.multiplierDigits();
    const int top = topColumn(m);
    const QString product = QString::number(q.product());
    QList<LM::AnswerColumn> row;
    for (const Column& c : columns(q)) {
        const int s = int(row.size());
        LM::AnswerColumn a;
        a.text = s < top ? QString(product.at(product.size() - 1 - s)) : product.left(product.size() - top);
        a.hint = c.hint;
        a.width = c.total >= 100 ? 3 : 2;
        a.carryOut = c.carryOut;
        a.colorHints = LM::carryHint(s);
        for (const Term& t : c.terms)
            a.colorHints << ColorHint{LM::multiplicandPanel(t.d), ColorHintStyle::Paint,
                                      LM::multiplierColor(LM::multiplierPanelOf(t.i, m))};
        a.colorHints << LM::multiplierHints(m);
        row << a;
    }
    return LM::workedRow(methodName(), q, row);
}

PracticeMethod MultiplyDirectRules::method()
{
    QStringList names;
    QList<MethodBestTime> times;
    for (const Option& o : options()) {
        names << o.caption;
        times.append({bestTimeKey(o.digits), o.caption});
    }
    return {methodName(),
            QStringLiteral("8-digit multiplicand x multiplier of 2-5 digits (digits 0-9, no leading 0), "
                           "e.g. 23521543x25"),
            {{QStringLiteral("multiplier"), names}},
            PracticeMethods::parseAndSolve<MultiplyDirectRules>,
            [](QRandomGenerator& rng, const QStringList& chosen) {
                const Option* o = LM::findOption(options(), &Option::caption, chosen.value(0));
                return solve(draw(rng, o ? o->digits : MinMultiplierDigits));
            },
            times};
}
