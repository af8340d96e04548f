#include "practice/MultiplyBasicRules.h"

#include "basics/MultiplierRules.h"

#include "shell/Strings.h"
#include "shell/TextHelpers.h"

#include <QStringView>

using PracticeText::carryText;
using PracticeText::numbered;

namespace {

using MultiplierRules::MultiplierRule;
using MultiplierRules::PositionRule;
using MultiplierRules::Step;
using MultiplierRules::Term;

// What a position sees: its number, neighbor, carry and the left-side digit.
struct Inputs {
    int d, n, c, L;
};

int termValue(Term t, const Inputs& in)
{
    switch (t) {
    case Term::D: return in.d;
    case Term::N: return in.n;
    case Term::HalfN: return in.n / 2;
    case Term::OddFive: return in.d % 2 == 1 ? 5 : 0;
    case Term::Carry: return in.c;
    case Term::L: return in.L;
    case Term::HalfL: return in.L / 2;
    case Term::TenMinusD: return 10 - in.d;
    case Term::NineMinusD: return 9 - in.d;
    case Term::TwoD: return 2 * in.d;
    case Term::DPlusN: return in.d + in.n;
    }
    return 0;
}

// Runs the steps; returns the value and appends "  total" per shown step.
int runSteps(const QList<Step>& steps, const Inputs& in, QString& think)
{
    int total = 0;
    for (const Step& s : steps) {
        const int v = termValue(s.term, in);
        switch (s.kind) {
        case Step::Start: total = v; break;
        case Step::Add: total += v; break;
        case Step::AddIfAny:
            if (v == 0)
                continue;
            total += v;
            break;
        case Step::Double: total *= 2; break;
        case Step::Minus: total -= s.amount; break;
        }
        think += QLatin1String("  ") + QString::number(total);
    }
    return total;
}

QString expand(QStringView tmpl, const Inputs& in)
{
    QString out;
    qsizetype i = 0;
    while (i < tmpl.size()) {
        const qsizetype open = tmpl.indexOf(u'{', i);
        const qsizetype close = open < 0 ? -1 : tmpl.indexOf(u'}', open);
        if (close < 0) {
            out += tmpl.mid(i);
            break;
        }
        out += tmpl.mid(i, open - i);
        const QStringView name = tmpl.mid(open + 1, close - open - 1);
        if (name == u"d")
            out += QString::number(in.d);
        else if (name == u"n")
            out += QString::number(in.n);
        else if (name == u"L")
            out += QString::number(in.L);
        else if (name == u"odd") {
            if (in.d % 2 == 1)
                out += QStringLiteral(" + 5 {%1 --> %2}").arg(in.d).arg(Strings::text(Strings::Odd));
        } else if (name == u"carry") {
            if (in.c > 0)
                out += QLatin1String(" + ") + CarryMark(in.c);
        } else {
            out += tmpl.mid(open, close - open + 1);
        }
        i = close + 1;
    }
    return out;
}

} // namespace

// ------------------------------------------------------------------ options

const QList<MultiplyBasicRules::Option>& MultiplyBasicRules::options()
{
    static const QList<Option> table = [] {
        QList<Option> t;
        const int order[] = {11, 12, 5, 6, 7, 8, 9, 4, 3};
        int stored = 1;
        for (int m : order) {
            int index = 0;
            while (MultiplierRules::table().at(index).multiplier != m)
                ++index;
            const QString caption = QString::number(m);
            t << Option{QStringLiteral("pnlOpt") + caption, caption, m, stored++,
                        QStringLiteral("Time") + caption, index,
                        QStringLiteral("|Multiplication by %1.").arg(m)};
        }
        return t;
    }();
    return table;
}

namespace {

const MultiplyBasicRules::Option* findOption(int MultiplyBasicRules::Option::*field, int value)
{
    for (const MultiplyBasicRules::Option& o : MultiplyBasicRules::options())
        if (o.*field == value)
            return &o;
    return nullptr;
}

} // namespace

const MultiplyBasicRules::Option* MultiplyBasicRules::optionForStored(int storedOption)
{
    return findOption(&Option::storedOption, storedOption);
}

const MultiplyBasicRules::Option* MultiplyBasicRules::optionForMultiplier(int multiplier)
{
    return findOption(&Option::multiplier, multiplier);
}

const MultiplyBasicRules::Option* MultiplyBasicRules::optionForIndex(int index)
{
    return findOption(&Option::index, index);
}

const MultiplyBasicRules::Option* MultiplyBasicRules::optionForButton(const QString& button)
{
    for (const Option& o : options())
        if (o.button == button)
            return &o;
    return nullptr;
}

// ------------------------------------------------------------------ question

qint64 MultiplyBasicRules::Question::multiplicand() const
{
    qint64 n = 0;
    for (int i = Digits - 1; i >= 0; --i)
        n = n * 10 + digits.at(i);
    return n;
}

QString MultiplyBasicRules::Question::text() const
{
    return QString::number(multiplicand()) + QLatin1Char('x') + QString::number(multiplier);
}

bool MultiplyBasicRules::setMultiplicand(Question& q, const QString& digits)
{
    if (digits.size() != Digits || !PracticeText::isDigits(digits, 1, 9))
        return false;
    for (int i = 0; i < Digits; ++i)
        q.digits[i] = digits.at(Digits - 1 - i).unicode() - u'0';
    return true;
}

ParseResult<MultiplyBasicRules::Question> MultiplyBasicRules::parse(const QString& text)
{
    using Result = ParseResult<Question>;
    const auto parts = PracticeText::operands(text, u'x', TextChars::Times);
    if (!parts)
        return Result::failure(QStringLiteral(
            "question must be an 8-digit multiplicand, x and a multiplier, e.g. 93821547x12"));
    Question q;
    if (!setMultiplicand(q, parts->first))
        return Result::failure(QStringLiteral("multiplicand must have 8 digits, each from 1 to 9"));
    const QString& m = parts->second;
    bool ok = false;
    q.multiplier = m.toInt(&ok);
    if (!ok || m != QString::number(q.multiplier) || !isMultiplier(q.multiplier))
        return Result::failure(QStringLiteral("multiplier must be 3, 4, 5, 6, 7, 8, 9, 11 or 12"));
    return Result::success(q);
}

MultiplyBasicRules::Question MultiplyBasicRules::draw(QRandomGenerator& rng, int multiplier)
{
    Question q;
    q.multiplier = isMultiplier(multiplier) ? multiplier : options().first().multiplier;
    for (int& d : q.digits)
        d = int(rng.bounded(1, 10));
    return q;
}

// ------------------------------------------------------------------ solving

std::array<MultiplyBasicRules::Position, MultiplyBasicRules::Positions>
MultiplyBasicRules::positions(const Question& q)
{
    std::array<Position, Positions> out{};
    const MultiplierRule* rule = MultiplierRules::find(q.multiplier);
    if (!rule)
        return out;
    const QString think = Strings::text(Strings::Think);
    int carry = 0;
    for (int i = 0; i < Positions; ++i) {
        const Inputs in{i < Digits ? q.digits.at(i) : 0, i > 0 ? q.digits.at(i - 1) : 0, carry,
                        q.digits.at(Digits - 1)};
        const PositionRule& pr = i == 0 ? rule->units : (i < Digits ? rule->middle : rule->leading);
        QString steps;
        Position& p = out[i];
        p.carryIn = carry;
        p.value = runSteps(pr.steps, in, steps);
        p.carryOut = i < Digits ? p.value / 10 : 0;
        p.hint = QString::number(p.value) + QLatin1String(" = ") + expand(pr.expression, in) + think
                 + steps + QLatin1Char('|');
        carry = p.carryOut;
    }
    return out;
}

WorkedProblem MultiplyBasicRules::solve(const Question& q)
{
    WorkedProblem w;
    w.method = methodName();
    w.question = q.text();
    for (int i = 0; i < Digits; ++i)
        w.questionPanels << PanelText{multiplicandPanel(i), QString::number(q.digits.at(i))};
    const QStringList multiplier = multiplierTexts(q.multiplier);
    for (int k = 0; k < 2; ++k)
        w.questionPanels << PanelText{QStringLiteral("pnlMultiplier%1").arg(k), multiplier.value(k)};
    const qint64 product = q.product();
    const QString leading = QString::number(product / 100000000 % 100);
    const auto pos = positions(q);

    qint64 rest = product;
    for (int i = 0; i < Positions; ++i) {
        const int digit = int(rest % 10);
        rest /= 10;
        RuleBox b;
        b.box = workingBox(i);
        b.width = 2;
        b.value = i < Digits ? digit : leading.toInt();
        b.text = i < Digits ? QString::number(digit) : leading;
        b.hint = pos.at(i).hint;
        b.stripZeros = i == Digits; // the leading position
        b.zeroMayBeLeftOut = i == Digits;
        if (i < Digits) {
            b.carryLink = i;
            w.carries << RuleCarry{carryBox(i), pos.at(i).carryOut};
            w.answerCarryRow << PanelText{numbered("pnlAnswerCarry", i), carryText(pos.at(i).carryOut)};
        }
        if (i == 0) {
            b.colorHints << ColorHint{multiplicandPanel(0), ColorHintStyle::Background}
                         << ColorHint{dummyRight(), ColorHintStyle::Text};
        } else if (i < Digits) {
            b.colorHints << ColorHint{multiplicandPanel(i), ColorHintStyle::Background}
                         << ColorHint{multiplicandPanel(i - 1), ColorHintStyle::Background}
                         << ColorHint{carryBox(i - 1), ColorHintStyle::CarryBox};
        } else {
            b.colorHints << ColorHint{multiplicandPanel(Digits - 1), ColorHintStyle::Background}
                         << ColorHint{carryBox(Digits - 1), ColorHintStyle::CarryBox}
                         << ColorHint{dummyLeft(), ColorHintStyle::Text};
        }
        w.answerPanels << PanelText{numbered("pnlAnswer", i), b.text};
        w.boxes << b;
    }
    for (qsizetype i = w.answerPanels.size() - 1; i >= 0; --i)
        w.answer += w.answerPanels.at(i).text;
    return w;
}

// ------------------------------------------------------------------ screen aids

QString MultiplyBasicRules::ruleTitle(int multiplier)
{
    return Strings::text(Strings::RuleForNumber) + QString::number(multiplier);
}

std::array<int, 3> MultiplyBasicRules::ruleLineIds(int multiplier)
{
    const MultiplierRule* r = MultiplierRules::find(multiplier);
    return r ? r->lines : std::array<int, 3>{0, 0, 0};
}

QStringList MultiplyBasicRules::ruleLines(int multiplier)
{
    return MultiplierRules::lines(multiplier);
}

bool MultiplyBasicRules::hasPositionalRules(int multiplier)
{
    const MultiplierRule* r = MultiplierRules::find(multiplier);
    return r && r->positional;
}

std::array<bool, 3> MultiplyBasicRules::enabledRuleLines(int multiplier, int position)
{
    if (!hasPositionalRules(multiplier))
        return {true, true, true};
    std::array<bool, 3> on{false, false, false};
    on[ruleLineFor(position)] = true;
    return on;
}

bool MultiplyBasicRules::dummyZerosVisible(int multiplier)
{
    const MultiplierRule* r = MultiplierRules::find(multiplier);
    return r && r->dummyZeros;
}

QStringList MultiplyBasicRules::multiplierTexts(int multiplier)
{
    if (multiplier < 10)
        return {QString::number(multiplier)};
    const QString t = QString::number(multiplier);
    return {t.left(1), t.mid(1)};
}

QList<PanelText> MultiplyBasicRules::hintWords(int multiplier, int position)
{
    const QString number = Strings::text(Strings::HintNumber);
    const QString neighbor = Strings::text(Strings::HintNeighbor);
    if (position <= 0)
        return {{multiplicandPanel(0), number}, {dummyRight(), neighbor}};
    if (position < Digits)
        return {{multiplicandPanel(position), number}, {multiplicandPanel(position - 1), neighbor}};
    if (hasPositionalRules(multiplier))
        return {{multiplicandPanel(Digits - 1), Strings::text(Strings::HintLeftSideDigit)}};
    return {{dummyLeft(), number}, {multiplicandPanel(Digits - 1), neighbor}};
}

PracticeMethod MultiplyBasicRules::method()
{
    QStringList names;
    for (const Option& o : options())
        names << o.caption;
    return {methodName(),
            QStringLiteral("8-digit multiplicand (digits 1-9) x 3-9, 11 or 12, e.g. 93821547x12"),
            {{QStringLiteral("multiplier"), names}},
            PracticeMethods::parseAndSolve<MultiplyBasicRules>,
            [](QRandomGenerator& rng, const QStringList& chosen) {
                return solve(draw(rng, chosen.value(0).toInt()));
            },
            PracticeMethods::optionBestTimes(options())};
}
