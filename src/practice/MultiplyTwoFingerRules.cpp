#include "practice/MultiplyTwoFingerRules.h"

#include "shell/Strings.h"
#include "shell/TextHelpers.h"

using LM = LongMultiplicationRules;

// ------------------------------------------------------------------ options

const QList<MultiplyTwoFingerRules::Option>& MultiplyTwoFingerRules::options()
{
    static const QList<Option> table = LM::digitOptions(1, MaxMultiplierDigits);
    return table;
}

const QList<MultiplyTwoFingerRules::Range>& MultiplyTwoFingerRules::ranges()
{
    static const QList<Range> table = {
        {DigitRange::OneToFive, QStringLiteral("1-5"), QStringLiteral("rdo1To5"), QStringLiteral("lbl1to5"),
         QStringLiteral("1 - 5"), 6,
         QStringLiteral("|All the digits of the multiplicand and multiplier will be any of these digits: "
                        "1, 2, 3, 4, or 5.")},
        {DigitRange::OneToNine, QStringLiteral("1-9"), QStringLiteral("rdo1To9"), QStringLiteral("lbl1to9"),
         QStringLiteral("1 - 9"), 10,
         QStringLiteral("|All the digits of the multiplicand and multiplier will be any of these digits: "
                        "1, 2, 3, 4, 5, 6, 7, 8, or 9.")},
    };
    return table;
}

const MultiplyTwoFingerRules::Range& MultiplyTwoFingerRules::range(DigitRange r)
{
    return ranges().at(r == DigitRange::OneToFive ? 0 : 1);
}

QString MultiplyTwoFingerRules::digitsPanelHint()
{
    return QStringLiteral("|Set the difficulty of the question by choosing either larger (1-9) or smaller (1-5) numbers.");
}

QString MultiplyTwoFingerRules::bestTimeKey(int digits, DigitRange r)
{
    return QStringLiteral("Time%1%2").arg(digits).arg(range(r).bound - 1);
}

MultiplyTwoFingerRules::DigitRange MultiplyTwoFingerRules::rangeFor(const Question& q, DigitRange selected)
{
    return q.largestDigit() < range(selected).bound ? selected : DigitRange::OneToNine;
}

// ------------------------------------------------------------------ question

ParseResult<MultiplyTwoFingerRules::Question> MultiplyTwoFingerRules::parse(const QString& text)
{
    return LM::parse(text, domain());
}

MultiplyTwoFingerRules::Question MultiplyTwoFingerRules::draw(QRandomGenerator& rng, int multiplierDigits,
                                                              DigitRange r, const Question* previous)
{
    const int digits = qBound(1, multiplierDigits, MaxMultiplierDigits);
    for (;;) {
        const Question q = LM::randomQuestion(rng, digits, 1, range(r).bound - 1);
        if (!(previous && q == *previous))
            return q;
    }
}

// ------------------------------------------------------------------ solving

namespace {

// A small product as the two digits the fingers read: 6 -> "06".
QString twoDigits(int product)
{
    return QString::number(product).rightJustified(2, QLatin1Char('0'));
}

} // namespace

QList<MultiplyTwoFingerRules::Column> MultiplyTwoFingerRules::columns(const Question& q)
{
    const int digits = q.multiplierDigits();
    const int top = topColumn(digits);
    const QString think = Strings::text(Strings::Think);
    const auto& a = q.multiplicand;
    QList<Column> out;
    int carry = 0;
    for (int p = 0; p <= top; ++p) {
        Column c;
        c.carryIn = carry;
        QString products, running;
        QStringList shown; // the non-empty expressions, in order of i
        for (int i = 0; i < digits; ++i) {
            const int d = p - i;
            const int m = q.multiplier.at(i);
            if (d < 0 || d > Digits) {
                c.expressions << QString();
                continue;
            }
            if (!shown.isEmpty())
                products += QLatin1String(" + ");
            QString expression;
            if (d == 0) {
                const QString g = twoDigits(a.at(0) * m);
                products += QLatin1String("  ") + g.at(0) + QLatin1Char('[') + g.at(1) + QLatin1String("]  ");
                c.total += g.at(1).digitValue();
                expression = QStringLiteral("%1 U %2").arg(a.at(0)).arg(m);
            } else if (d < Digits) {
                const QString g = twoDigits(a.at(d) * m), k = twoDigits(a.at(d - 1) * m);
                products += QLatin1String("  ") + g.at(0) + QLatin1Char('[') + g.at(1) + QLatin1String(" + ")
                            + k.at(0) + QLatin1Char(']') + k.at(1) + QLatin1String("  ");
                c.total += g.at(1).digitValue() + k.at(0).digitValue();
                expression = QStringLiteral("%1%2 UT %3").arg(a.at(d)).arg(a.at(d - 1)).arg(m);
            } else {
                const QString k = twoDigits(a.at(Digits - 1) * m);
                products += QLatin1String("  [") + k.at(0) + QLatin1Char(']') + k.at(1) + QLatin1String("  ");
                c.total += k.at(0).digitValue();
                expression = QStringLiteral("%1 T %2").arg(a.at(Digits - 1)).arg(m);
            }
            running += QLatin1String("  ") + QString::number(c.total);
            c.expressions << expression;
            shown << expression;
        }
        QString expressions = shown.join(QLatin1String(" + "));
        if (p > 0 && carry > 0) {
            products += QLatin1String(" + ") + CarryMark(carry);
            expressions += QLatin1String(" + ") + CarryMark(carry);
            c.total += carry;
            running += QLatin1String("  ") + QString::number(c.total);
        }
        c.carryOut = p < top ? c.total / 10 : 0;
        const QString total = QString::number(c.total) + QLatin1String(" = ");
        c.hint = total + expressions + think + running + QLatin1Char('|') + total + products + think + running;
        carry = c.carryOut;
        out << c;
    }
    return out;
}

QString MultiplyTwoFingerRules::utCaption(const QString& expression)
{
    if (expression.contains(QLatin1String("UT")))
        return QStringLiteral("U  T");
    if (expression.contains(QLatin1Char('U')))
        return QStringLiteral("U  ");
    if (expression.contains(QLatin1Char('T')))
        return QStringLiteral("    T");
    return QString();
}

QList<MultiplyTwoFingerRules::UtPanel> MultiplyTwoFingerRules::utRow(const Question& q, int column)
{
    const QList<Column> cols = columns(q);
    const int digits = q.multiplierDigits();
    QList<UtPanel> out;
    if (column < 0 || column >= cols.size())
        return out;
    const QStringList& expressions = cols.at(column).expressions;
    QStringList shown;
    for (const QString& e : expressions)
        if (!e.isEmpty())
            shown << e;
    const QString all = shown.join(QLatin1String(" + "));
    for (int i = 0; i < digits; ++i) {
        const QString& e = expressions.at(i);
        out << UtPanel{utPanel(i), utCaption(e), e.isEmpty() ? QString() : e + QLatin1Char('|') + all};
    }
    return out;
}

WorkedProblem MultiplyTwoFingerRules::solve(const Question& q)
{
    const int digits = q.multiplierDigits();
    const int top = topColumn(digits);
    // The product fills the answer row right-aligned; a short one leaves "0" on top.
    const QString product = QString::number(q.product()).rightJustified(top + 1, QLatin1Char('0'));
    // Every column lights the multiplier digits and the UT panels in their colours.
    QList<ColorHint> colours = LM::multiplierHints(digits);
    for (int i = 0; i < digits; ++i)
        colours << ColorHint{utPanel(i), ColorHintStyle::Paint, LM::multiplierColor(LM::multiplierPanelOf(i, digits))};
    QList<LM::AnswerColumn> row;
    for (const Column& c : columns(q)) {
        const int p = int(row.size());
        row << LM::AnswerColumn{QString(product.at(top - p)), c.hint, 2, c.carryOut, LM::carryHint(p) + colours};
    }
    return LM::workedRow(methodName(), q, row);
}

QList<MethodBestTime> MultiplyTwoFingerRules::bestTimes()
{
    QList<MethodBestTime> times;
    for (const Option& o : options())
        for (const Range& r : ranges())
            times.append({bestTimeKey(o.digits, r.range), o.caption + QStringLiteral(", ") + r.caption});
    return times;
}

PracticeMethod MultiplyTwoFingerRules::method()
{
    QStringList digitNames, rangeNames;
    for (const Option& o : options())
        digitNames << o.caption;
    for (const Range& r : ranges())
        rangeNames << r.name;
    return {methodName(),
            QStringLiteral("8-digit multiplicand x multiplier of 1-5 digits (digits 1-9), e.g. 23521543x25"),
            {{QStringLiteral("multiplier"), digitNames}, {QStringLiteral("digit range"), rangeNames}},
            PracticeMethods::parseAndSolve<MultiplyTwoFingerRules>,
            [](QRandomGenerator& rng, const QStringList& chosen) {
                const Option* o = LM::findOption(options(), &Option::caption, chosen.value(0));
                const Range* r = LM::findOption(ranges(), &Range::name, chosen.value(1));
                return solve(draw(rng, o ? o->digits : 1, r ? r->range : DigitRange::OneToFive));
            },
            bestTimes()};
}
