#include "practice/DivisionRules.h"

#include "shell/TextHelpers.h"

#include <memory>
#include <optional>

using PracticeText::numbered;

using PracticeText::digitCount;
using PracticeText::num;
using PracticeText::padded;

namespace {

// The digits of a problem as the method reads them.
struct Digits {
    QString dividend; // D1 D2 ... from the left
    int n = 0;
    int m = 0;
    int d1 = 0, d2 = 0, d3 = 0;

    explicit Digits(const DivisionRules::Question& q) : dividend(num(q.dividend))
    {
        const QString divisor = num(q.divisor);
        n = int(dividend.size());
        m = int(divisor.size());
        d1 = divisor.at(0).digitValue();
        d2 = divisor.at(1).digitValue();
        d3 = m == 3 ? divisor.at(2).digitValue() : 0;
    }
    int D(int j) const { return dividend.at(j - 1).digitValue(); } // j = 1..n from the left
    QString firstTwo() const { return QString(QChar(u'0' + d1)) + QChar(u'0' + d2); }
    QString lastTwo() const { return m == 3 ? QString(QChar(u'0' + d2)) + QChar(u'0' + d3) : QString(); }
};

// What subtracting Q × divisor in one group takes off.
struct Takes {
    int nProduct = 0, tProduct = 0, nt = 0;
    QList<int> uParts;
    int u = 0;
};

Takes takes(const Digits& x, int q, int previousQ)
{
    Takes t;
    t.nProduct = x.d1 * q;
    t.tProduct = x.d2 * q / 10;
    t.nt = t.nProduct + t.tProduct;
    if (x.m == 2) {
        t.uParts = {x.d2 * q % 10};
    } else {
        t.uParts = {x.d2 * q % 10, x.d3 * q / 10};
        if (previousQ >= 0)
            t.uParts << x.d3 * previousQ % 10;
    }
    for (int p : t.uParts)
        t.u += p;
    return t;
}

int boxWidth(int layoutWidth, qint64 value)
{
    return qMax(layoutWidth, digitCount(value));
}

// Why candidate c is too large for working number a in group k, or "" when
// it fits. j is the dividend digit brought down in this group.
QString tooLarge(const Digits& x, int a, int c, int previousQ, int j)
{
    const Takes t = takes(x, c, previousQ);
    if (t.nt > a)
        return QStringLiteral("%1 NT %2 = %3 is more than %4")
            .arg(x.firstTwo())
            .arg(c)
            .arg(padded(t.nt, 2), padded(a, 2));
    const int b = (a - t.nt) * 10 + x.D(j);
    if (b < t.u)
        return QStringLiteral("B %1 is less than U %2").arg(padded(b, 2), padded(t.u, 2));
    // With a 3-digit divisor the units of d3 × c are taken off one digit
    // later: nothing may be missing for them then.
    if (x.m == 3 && b == t.u && x.D(j + 1) < x.d3 * c % 10)
        return QStringLiteral("B %1 - U %2 leaves 00 and the next digit %3 is less than %4 U %5 = %6")
            .arg(padded(b, 2), padded(t.u, 2))
            .arg(x.D(j + 1))
            .arg(x.d3)
            .arg(c)
            .arg(x.d3 * c % 10);
    return QString();
}

} // namespace

// ------------------------------------------------------------------ options

const QList<DivisionRules::Option>& DivisionRules::divisorOptions()
{
    static const QList<Option> table = {
        {QStringLiteral("pnlOpt2Digit"), QStringLiteral("2-Digit"), 2, 1,
         QStringLiteral("|2-digit divisor questions are for example: ÷ 68, ÷ 91, ÷ 43, ÷ 15 .")},
        {QStringLiteral("pnlOpt3Digit"), QStringLiteral("3-Digit"), 3, 2,
         QStringLiteral("|3-digit divisor questions are for example: ÷ 687, ÷ 247, ÷ 198, ÷ 653 .")},
    };
    return table;
}

const QList<DivisionRules::Option>& DivisionRules::dividendOptions()
{
    static const QList<Option> table = {
        {QStringLiteral("pnlOptDividend4Digit"), QStringLiteral("4-Digit"), 4, 1,
         QStringLiteral("|4-digit dividend questions are for example: 6845 ÷ , 9125 ÷ , 1324 ÷ , 1538 ÷ .")},
        {QStringLiteral("pnlOptDividend5Digit"), QStringLiteral("5-Digit"), 5, 2,
         QStringLiteral("|5-digit dividend questions are for example: 68345 ÷ , 91725 ÷ , 13324 ÷ , 15138 ÷ .")},
        {QStringLiteral("pnlOptDividend6Digit"), QStringLiteral("6-Digit"), 6, 3,
         QStringLiteral("|6-digit dividend questions are for example: 638345 ÷ , 918725 ÷ , 133274 ÷ , "
                        "151398 ÷ .")},
    };
    return table;
}

namespace {

const DivisionRules::Option* storedIn(const QList<DivisionRules::Option>& table, int stored)
{
    for (const DivisionRules::Option& o : table)
        if (o.storedOption == stored)
            return &o;
    return nullptr;
}

} // namespace

const DivisionRules::Option* DivisionRules::divisorOptionForStored(int storedOption)
{
    return storedIn(divisorOptions(), storedOption);
}

const DivisionRules::Option* DivisionRules::dividendOptionForStored(int storedOption)
{
    return storedIn(dividendOptions(), storedOption);
}

QString DivisionRules::bestTimeKey(int dividendDigits, int divisorDigits)
{
    return QStringLiteral("Time%1%2").arg(dividendDigits).arg(divisorDigits);
}

// ------------------------------------------------------------------ question

int DivisionRules::Question::dividendDigits() const
{
    return digitCount(dividend);
}

int DivisionRules::Question::divisorDigits() const
{
    return digitCount(divisor);
}

bool DivisionRules::Question::isShort() const
{
    return num(dividend).left(divisorDigits()).toInt() < divisor;
}

int DivisionRules::Question::quotientDigits() const
{
    return dividendDigits() - divisorDigits() + (isShort() ? 0 : 1);
}

QString DivisionRules::Question::text() const
{
    return num(dividend) + QLatin1Char('/') + num(divisor);
}

ParseResult<DivisionRules::Question> DivisionRules::parse(const QString& text)
{
    using Result = ParseResult<Question>;
    const auto parts = PracticeText::operands(text, u'/', TextChars::Divide);
    if (!parts)
        return Result::failure(QStringLiteral(
            "question must be a dividend of 4 to 6 digits, / and a divisor of 2 or 3 digits, e.g. 513994/32"));
    const auto& [dividend, divisor] = *parts;
    if (dividend.size() < MinDividendDigits || dividend.size() > MaxDividendDigits
        || !PracticeText::isDigits(dividend) || dividend.startsWith(u'0'))
        return Result::failure(QStringLiteral("dividend must have 4 to 6 digits and not begin with 0"));
    if (divisor.size() < 2 || divisor.size() > 3 || !PracticeText::isDigits(divisor) || divisor.startsWith(u'0'))
        return Result::failure(QStringLiteral("divisor must have 2 or 3 digits and not begin with 0"));
    return Result::success(Question{dividend.toLongLong(), divisor.toInt()});
}

bool DivisionRules::setQuestion(Question& q, const QString& dividend, const QString& divisor, int dividendDigits,
                                int divisorDigits)
{
    if (dividendDigits < MinDividendDigits || dividendDigits > MaxDividendDigits || divisorDigits < 2
        || divisorDigits > 3 || dividend.size() != dividendDigits || divisor.size() != divisorDigits
        || !PracticeText::isDigits(dividend, 1, 9) || !PracticeText::isDigits(divisor, 1, 9))
        return false;
    q = Question{dividend.toLongLong(), divisor.toInt()};
    return true;
}

DivisionRules::Question DivisionRules::draw(QRandomGenerator& rng, int dividendDigits, int divisorDigits,
                                            const Question* previous)
{
    const int n = qBound(MinDividendDigits, dividendDigits, MaxDividendDigits);
    const int m = qBound(2, divisorDigits, 3);
    const auto number = [&rng](int digits) {
        qint64 v = 0;
        for (int i = 0; i < digits; ++i)
            v = v * 10 + rng.bounded(1, 10);
        return v;
    };
    // Digits from 1 to 9 give a short quotient about half the time; the
    // problem is drawn again until it has the length chosen first.
    const bool wantShort = rng.bounded(4) == 0;
    for (;;) {
        const Question q{number(n), int(number(m))};
        if (q.isShort() == wantShort && !(previous && q == *previous))
            return q;
    }
}

// ------------------------------------------------------------------ layout

DivisionRules::Layout DivisionRules::layout(int dividendDigits, int divisorDigits, bool shortQuotient)
{
    Layout l;
    l.dividendDigits = qBound(MinDividendDigits, dividendDigits, MaxDividendDigits);
    l.divisorDigits = qBound(2, divisorDigits, 3);
    l.shortQuotient = shortQuotient;
    l.quotientDigits = l.dividendDigits - l.divisorDigits + (shortQuotient ? 0 : 1);
    l.groups = l.divisorDigits == 2 ? l.quotientDigits : l.quotientDigits + 1;
    l.remainderBox = aBox(l.groups);
    // The dividend digits stand 52 px apart, a 6-digit dividend's first one
    // at the panel's left; box 0 stands 52 px right of pnlMover's left edge,
    // under the first dividend digit (the second for a short quotient).
    l.moverOffset = 52 * (MaxDividendDigits - l.dividendDigits) - 52 + (shortQuotient ? 52 : 0);
    l.separatorAfter = l.divisorDigits == 2 ? 1 : 2;
    l.armLines = shortQuotient;
    return l;
}

int DivisionRules::layoutWidth(const Layout& l, int box)
{
    if (box == l.remainderBox)
        return l.divisorDigits;
    switch (roleOf(box)) {
    case BoxRole::Quotient: return 1;
    case BoxRole::B: return groupOf(box) == l.groups - 1 ? l.divisorDigits : 2;
    default: return 2;
    }
}

bool DivisionRules::isMental(const Layout& l, int box)
{
    const BoxRole role = roleOf(box);
    return box != l.remainderBox && (role == BoxRole::NT || role == BoxRole::B || role == BoxRole::U);
}

bool DivisionRules::isUnused(const Layout& l, int box)
{
    if (box < 0 || box > l.remainderBox)
        return true;
    // The extra last group of a 3-digit divisor has no quotient digit.
    const bool lastGroup = groupOf(box) == l.quotientDigits;
    const BoxRole role = roleOf(box);
    return box != l.remainderBox && lastGroup && (role == BoxRole::Quotient || role == BoxRole::NT);
}

// ------------------------------------------------------------------ marks

const QStringList& DivisionRules::markPanels()
{
    static const QStringList names = {QStringLiteral("pnlNT_N"), QStringLiteral("pnlNT_T"), QStringLiteral("pnlUT_U"),
                                      QStringLiteral("pnlUT_T"), QStringLiteral("pnlUT")};
    return names;
}

const QStringList& DivisionRules::markLetters()
{
    static const QStringList letters = {QStringLiteral("N"), QStringLiteral("T"), QStringLiteral("U"),
                                        QStringLiteral("T"), QStringLiteral("U")};
    return letters;
}

DivisionRules::Marks DivisionRules::marks(const Layout& l, int box)
{
    Marks m;
    const int k = groupOf(box);
    if (box < 0 || box >= l.remainderBox || isUnused(l, box))
        return m;
    const auto mark = [&](int i) { m.letters[i] = markLetters().at(i); };
    if (roleOf(box) == BoxRole::NT) { // d1 N Q and d2 T Q
        mark(0);
        mark(1);
        m.group = k;
        m.ntLines = true;
    } else if (roleOf(box) == BoxRole::U) {
        m.group = k;
        const bool hasQuotient = k < l.quotientDigits;
        if (hasQuotient) { // d2 U Q (and d3 T Q)
            mark(2);
            if (l.divisorDigits == 3)
                mark(3);
            m.ntLines = true;
            m.uRow = true;
        }
        if (l.divisorDigits == 3 && k > 0) { // d3 U (the previous Q)
            mark(4);
            m.utLines = true;
        }
    }
    return m;
}

int DivisionRules::jumpTarget(const Layout& l, int box)
{
    if (box < 0 || box >= l.remainderBox)
        return -1;
    const int k = groupOf(box);
    switch (roleOf(box)) {
    case BoxRole::NT:
    case BoxRole::U: return quotientBox(k);
    case BoxRole::Quotient: return k > 0 ? quotientBox(k - 1) : -1;
    default: return -1;
    }
}

// ------------------------------------------------------------------ solving

QList<DivisionRules::Group> DivisionRules::groups(const Question& q)
{
    const Digits x(q);
    const Layout l = layout(q);
    QList<Group> out;
    int a = l.shortQuotient ? 10 * x.D(1) + x.D(2) : x.D(1);
    const int firstBroughtDown = l.shortQuotient ? 3 : 2;
    int previousQ = -1;
    for (int k = 0; k < l.groups; ++k) {
        Group g;
        g.a = a;
        const int j = firstBroughtDown + k;
        g.broughtDown = x.D(j);
        g.broughtDownPanel = x.n - j;
        if (k < l.quotientDigits) {
            g.estimate = a / x.d1;
            int c = g.estimate;
            if (c > 9) {
                g.rejected << Rejection{c, QStringLiteral("a quotient digit is at most 9")};
                c = 9;
            }
            for (QString why; c > 0 && !(why = tooLarge(x, a, c, previousQ, j)).isEmpty(); --c)
                g.rejected << Rejection{c, why};
            g.q = c;
            const Takes t = takes(x, c, previousQ);
            g.nProduct = t.nProduct;
            g.tProduct = t.tProduct;
            g.nt = t.nt;
            g.difference = a - t.nt;
            g.b = g.difference * 10 + g.broughtDown;
            g.uParts = t.uParts;
            g.u = t.u;
            previousQ = c;
        } else {
            // The extra group of a 3-digit divisor: no quotient digit, only
            // the units of d3 × the last quotient digit are still to go.
            g.hasQuotient = false;
            g.difference = a;
            g.b = a * 10 + g.broughtDown;
            g.uParts = {x.d3 * previousQ % 10};
            g.u = g.uParts.first();
        }
        g.next = g.b - g.u;
        a = g.next;
        out << g;
    }
    return out;
}

namespace {

// The worked problem of one question, built in steps: every box's value and
// width first, so that each hint can write a box with its width; then, group
// by group, the hint and colour hints of each box; then the records.
class DivisionSheet
{
public:
    using Rules = DivisionRules;

    explicit DivisionSheet(const Rules::Question& q)
        : m_q(q), m_x(q), m_l(Rules::layout(q)), m_groups(Rules::groups(q)), m_hints(m_l.boxCount()),
          m_colors(m_l.boxCount())
    {
        fillValues();
        firstWorkingNumber();
        int previousQ = -1;
        for (int k = 0; k < m_l.groups; ++k) {
            const Rules::Group& g = m_groups.at(k);
            if (g.hasQuotient) {
                quotientDigit(k);
                ntProduct(k);
            }
            bringDown(k);
            uProducts(k, previousQ);
            nextWorkingNumber(k);
            previousQ = g.q;
        }
    }

    WorkedProblem problem() const;

private:
    QString box(int i) const { return padded(m_values.at(i), m_widths.at(i)); }
    static ColorHint lit(int i) { return {Rules::workingBox(i), ColorHintStyle::Background}; }
    // Divisor digit i (0 = d1) lit as the mark over it.
    static ColorHint divisorDigit(int i) { return {Rules::divisorPanel(i), ColorHintStyle::CarryBox}; }

    void fillValues();
    // Box 0: the first dividend digit, or the first two for a short quotient.
    void firstWorkingNumber();
    // Q: A ÷ d1, less when that is too large (each candidate with its reason).
    void quotientDigit(int k);
    // NT: d1 N Q + d2 T Q.
    void ntProduct(int k);
    // B: A - NT with the next dividend digit written on its right.
    void bringDown(int k);
    // U: d2 U Q; for a 3-digit divisor d2 U Q + d3 T Q + d3 U (the previous Q).
    void uProducts(int k, int previousQ);
    // The next A (after the last group the remainder): B - U.
    void nextWorkingNumber(int k);

    Rules::Question m_q;
    Digits m_x;
    Rules::Layout m_l;
    QList<Rules::Group> m_groups;
    QList<int> m_values;
    QList<int> m_widths;
    QList<QString> m_hints;
    QList<QList<ColorHint>> m_colors;
};

void DivisionSheet::fillValues()
{
    m_values = QList<int>(m_l.boxCount(), 0);
    for (int k = 0; k < m_l.groups; ++k) {
        const Rules::Group& g = m_groups.at(k);
        m_values[Rules::aBox(k)] = g.a;
        m_values[Rules::quotientBox(k)] = g.q;
        m_values[Rules::ntBox(k)] = g.nt;
        m_values[Rules::bBox(k)] = g.b;
        m_values[Rules::uBox(k)] = g.u;
        m_values[Rules::aBox(k + 1)] = g.next;
    }
    m_widths = QList<int>(m_l.boxCount(), 1);
    for (int i = 0; i < m_l.boxCount(); ++i) {
        const int layoutWidth = Rules::layoutWidth(m_l, i);
        m_widths[i] = Rules::isUnused(m_l, i) ? layoutWidth : boxWidth(layoutWidth, m_values.at(i));
    }
}

void DivisionSheet::firstWorkingNumber()
{
    if (m_l.shortQuotient) {
        m_hints[0] = QStringLiteral("%1 = the first two digits, as %2 is less than %3|")
                         .arg(box(0), m_x.dividend.left(m_x.m), num(m_q.divisor));
        m_colors[0] << ColorHint{Rules::dividendPanel(m_x.n - 1), ColorHintStyle::Background}
                    << ColorHint{Rules::dividendPanel(m_x.n - 2), ColorHintStyle::Background};
    } else {
        m_hints[0] = box(0) + QLatin1Char('|');
        m_colors[0] << ColorHint{Rules::dividendPanel(m_x.n - 1), ColorHintStyle::Background};
    }
}

void DivisionSheet::quotientDigit(int k)
{
    const Rules::Group& g = m_groups.at(k);
    QString h = box(Rules::aBox(k)) + QStringLiteral(" ÷ %1 --> %2").arg(m_x.d1).arg(g.estimate);
    for (const Rules::Rejection& r : g.rejected)
        h += QStringLiteral("; %1 is too large: %2, so take %3")
                 .arg(r.digit)
                 .arg(r.reason)
                 .arg(r.digit > 9 ? 9 : r.digit - 1);
    m_hints[Rules::quotientBox(k)] = h + QLatin1Char('|');
    m_colors[Rules::quotientBox(k)] << divisorDigit(0) << lit(Rules::aBox(k));
}

void DivisionSheet::ntProduct(int k)
{
    const Rules::Group& g = m_groups.at(k);
    m_hints[Rules::ntBox(k)] = box(Rules::ntBox(k))
                               + QStringLiteral(" = %1 NT %2 --> (%3 N %2) + (%4 T %2) --> %5 + %6|")
                                     .arg(m_x.firstTwo())
                                     .arg(g.q)
                                     .arg(m_x.d1)
                                     .arg(m_x.d2)
                                     .arg(g.nProduct)
                                     .arg(g.tProduct);
    m_colors[Rules::ntBox(k)] << lit(Rules::quotientBox(k)) << divisorDigit(0) << divisorDigit(1);
}

void DivisionSheet::bringDown(int k)
{
    const Rules::Group& g = m_groups.at(k);
    const QString a = box(Rules::aBox(k));
    const int b = Rules::bBox(k);
    if (g.hasQuotient) {
        m_hints[b] = a + QStringLiteral(" - %1 = %2  -->[%2 --> <-- %3] --> %4|")
                             .arg(box(Rules::ntBox(k)))
                             .arg(g.difference)
                             .arg(g.broughtDown)
                             .arg(box(b));
    } else {
        m_hints[b] =
            a + QStringLiteral("  -->[%1 --> <-- %2] --> %3|").arg(g.difference).arg(g.broughtDown).arg(box(b));
    }
    m_colors[b] << ColorHint{Rules::dividendPanel(g.broughtDownPanel), ColorHintStyle::Background}
                << lit(Rules::aBox(k));
    if (g.hasQuotient)
        m_colors[b] << lit(Rules::ntBox(k));
}

void DivisionSheet::uProducts(int k, int previousQ)
{
    const Rules::Group& g = m_groups.at(k);
    const int i = Rules::uBox(k);
    const QString u = box(i);
    if (m_x.m == 2) {
        m_hints[i] = u + QStringLiteral(" = %1 U %2 --> %3|").arg(m_x.d2).arg(g.q).arg(g.u);
        m_colors[i] << lit(Rules::quotientBox(k)) << divisorDigit(1);
    } else if (!g.hasQuotient) {
        m_hints[i] = u + QStringLiteral(" = %1 U %2 --> %3|").arg(m_x.d3).arg(previousQ).arg(g.u);
        m_colors[i] << lit(Rules::quotientBox(k - 1)) << divisorDigit(2);
    } else {
        QString names = QStringLiteral("%1 UT %2").arg(m_x.lastTwo()).arg(g.q);
        QString parts = QStringLiteral("(%1 U %2) + (%3 T %2)").arg(m_x.d2).arg(g.q).arg(m_x.d3);
        if (previousQ >= 0) {
            names += QStringLiteral(" + %1 U %2").arg(m_x.d3).arg(previousQ);
            parts += QStringLiteral(" + (%1 U %2)").arg(m_x.d3).arg(previousQ);
        }
        QStringList sums;
        for (int p : g.uParts)
            sums << num(p);
        m_hints[i] = u + QStringLiteral(" = %1 --> %2 --> %3|").arg(names, parts, sums.join(" + "));
        m_colors[i] << lit(Rules::quotientBox(k));
        if (previousQ >= 0)
            m_colors[i] << lit(Rules::quotientBox(k - 1));
        m_colors[i] << divisorDigit(1) << divisorDigit(2);
    }
}

void DivisionSheet::nextWorkingNumber(int k)
{
    const int next = Rules::aBox(k + 1);
    m_hints[next] = box(next) + QStringLiteral(" = %1 - %2|").arg(box(Rules::bBox(k)), box(Rules::uBox(k)));
    m_colors[next] << lit(Rules::bBox(k)) << lit(Rules::uBox(k));
}

WorkedProblem DivisionSheet::problem() const
{
    WorkedProblem w;
    w.method = Rules::methodName();
    w.question = m_q.text();
    w.answer = num(m_q.quotient());
    w.remainder = m_q.remainder();
    for (int i = 0; i < m_x.n; ++i)
        w.questionPanels << PanelText{Rules::dividendPanel(m_x.n - 1 - i), QString(m_x.dividend.at(i))};
    const QString divisor = num(m_q.divisor);
    for (int i = 0; i < m_x.m; ++i)
        w.questionPanels << PanelText{Rules::divisorPanel(i), QString(divisor.at(i))};

    for (int i = 0; i < m_l.boxCount(); ++i) {
        RuleBox b;
        b.box = Rules::workingBox(i);
        b.width = m_widths.at(i);
        b.mental = Rules::isMental(m_l, i);
        b.unused = Rules::isUnused(m_l, i);
        b.stripZeros = i == m_l.remainderBox; // "05" is the remainder 5
        if (!b.unused) {
            b.value = m_values.at(i);
            b.text = box(i);
            b.hint = m_hints.at(i);
            b.colorHints = m_colors.at(i);
        }
        w.boxes << b;
    }
    const QString quotient = num(m_q.quotient());
    for (int i = 0; i < quotient.size(); ++i)
        w.answerPanels << PanelText{Rules::answerPanel(i), QString(quotient.at(i))};
    w.answerPanels << PanelText{Rules::remainderPanel(), num(m_q.remainder())};
    return w;
}

} // namespace

WorkedProblem DivisionRules::solve(const Question& q)
{
    return DivisionSheet(q).problem();
}

QList<MethodBestTime> DivisionRules::bestTimes()
{
    QList<MethodBestTime> times;
    for (const Option& dividend : dividendOptions())
        for (const Option& divisor : divisorOptions())
            times.append({bestTimeKey(dividend.digits, divisor.digits),
                          dividend.caption + QStringLiteral(", ") + divisor.caption});
    return times;
}

PracticeMethod DivisionRules::method()
{
    QStringList divisors, dividends;
    for (const Option& o : divisorOptions())
        divisors << o.caption;
    for (const Option& o : dividendOptions())
        dividends << o.caption;
    // The tool draws like the screen: never the same problem twice in a row.
    auto previous = std::make_shared<std::optional<Question>>();
    return {methodName(),
            QStringLiteral("dividend of 4-6 digits / divisor of 2-3 digits, e.g. 513994/32"),
            {{QStringLiteral("divisor"), divisors}, {QStringLiteral("dividend"), dividends}},
            PracticeMethods::parseAndSolve<DivisionRules>,
            [previous](QRandomGenerator& rng, const QStringList& chosen) {
                const int m = chosen.value(0).left(1).toInt();
                const int n = chosen.value(1).left(1).toInt();
                const Question q = draw(rng, n, m, *previous ? &**previous : nullptr);
                *previous = q;
                return solve(q);
            },
            bestTimes()};
}
