#include "practice/DivisionRules.h"

#include "Sweeps.h"
#include "WorkedProblemJson.h"

#include <QtTest>

using DR = DivisionRules;

namespace {

DR::Question question(const char* text)
{
    const auto parsed = DR::parse(QString::fromUtf8(text));
    if (!parsed.ok())
        qFatal("%s refused: %s", text, qPrintable(parsed.error));
    return *parsed.question;
}

// The box texts joined by blanks, "-" for an unused box.
QString boxTexts(const WorkedProblem& p)
{
    QStringList t;
    for (const RuleBox& b : p.boxes)
        t << (b.unused ? QStringLiteral("-") : b.text);
    return t.join(' ');
}

QStringList lit(const RuleBox& b)
{
    QStringList names;
    for (const ColorHint& c : b.colorHints)
        names << c.panel;
    return names;
}

// The expression of a pattern, compiled once.
const QRegularExpression& rx(const char* pattern)
{
    static QHash<const char*, QRegularExpression> cache;
    auto it = cache.find(pattern);
    if (it == cache.end())
        it = cache.insert(pattern, QRegularExpression(QString::fromUtf8(pattern)));
    return *it;
}

QList<QRegularExpressionMatch> matches(const char* pattern, const QString& text)
{
    QList<QRegularExpressionMatch> out;
    auto it = rx(pattern).globalMatch(text);
    while (it.hasNext())
        out << it.next();
    return out;
}

int cap(const QRegularExpressionMatch& m, int i)
{
    return m.captured(i).toInt();
}

// Checks one problem's boxes against the true quotient and remainder and
// every box's value against the arithmetic its hint writes down. Returns
// "" or what is wrong.
QString checkSteps(const DR::Question& q)
{
    const WorkedProblem p = DR::solve(q);
    const DR::Layout l = DR::layout(q);
    const QString dividend = QString::number(q.dividend), divisor = QString::number(q.divisor);
    const int d1 = divisor[0].digitValue(), d2 = divisor[1].digitValue();
    const int d3 = l.divisorDigits == 3 ? divisor[2].digitValue() : -1;
    const QString quotient = QString::number(q.quotient());
    if (p.boxes.size() != 5 * l.groups + 1 || quotient.size() != l.quotientDigits)
        return QStringLiteral("box count");
    const auto val = [&](int i) { return p.boxes.at(i).value; };
    const auto txt = [&](int i) { return p.boxes.at(i).text; };
    for (const RuleBox& b : p.boxes) {
        if (!b.unused && (b.value < 0 || b.text != QString::number(b.value).rightJustified(b.width, '0')
                          || b.width < DR::layoutWidth(l, int(&b - p.boxes.data()))))
            return b.box + QStringLiteral(" text/width");
    }
    if (val(l.remainderBox) != q.remainder())
        return QStringLiteral("remainder");
    const auto fail = [&](int box) { return p.boxes.at(box).box + QStringLiteral(": ") + p.boxes.at(box).hint; };
    QRegularExpressionMatch m;
    for (int k = 0; k < l.groups; ++k) {
        const int a = val(5 * k);
        const bool hasQ = k < l.quotientDigits;
        const int qk = hasQ ? quotient[k].digitValue() : -1;
        const int prevQ = k > 0 ? quotient[k - 1].digitValue() : -1;
        if (hasQ) {
            // The estimate A ÷ d1, then one step down per rejected digit,
            // each of them larger than the true digit, ending at it.
            const QString h = p.boxes.at(5 * k + 1).hint;
            m = rx("^(\\d+) ÷ (\\d) --> (\\d+)(.*)\\|$").match(h);
            if (!m.hasMatch() || m.captured(1) != txt(5 * k) || cap(m, 2) != d1 || cap(m, 3) != a / d1)
                return fail(5 * k + 1);
            int c = a / d1;
            for (const auto& r : matches("; (\\d+) is too large: ([^;]*), so take (\\d)", m.captured(4))) {
                if (cap(r, 1) != c || c <= qk || cap(r, 3) != (c > 9 ? 9 : c - 1))
                    return fail(5 * k + 1);
                const QString why = r.captured(2);
                const auto nt = rx("^\\d\\d NT (\\d) = (\\d+) is more than (\\d+)$").match(why);
                const auto bu = rx("^B (\\d+) (is less than|- U \\d+ leaves 00 and.*)").match(why);
                const bool wrongNt = cap(nt, 1) != c || cap(nt, 2) != d1 * c + d2 * c / 10 || cap(nt, 3) != a
                                     || a >= cap(nt, 2);
                if (nt.hasMatch() ? wrongNt : c < 10 && !bu.hasMatch())
                    return fail(5 * k + 1);
                c = cap(r, 3);
            }
            if (c != qk || val(5 * k + 1) != qk)
                return fail(5 * k + 1);
            m = rx("^(\\d+) = (\\d)(\\d) NT (\\d) --> "
                   "\\((\\d) N (\\d)\\) \\+ \\((\\d) T (\\d)\\) --> (\\d+) \\+ (\\d+)\\|$")
                    .match(p.boxes.at(5 * k + 2).hint);
            if (!m.hasMatch() || m.captured(1) != txt(5 * k + 2) || cap(m, 2) != d1 || cap(m, 3) != d2
                || cap(m, 4) != qk || cap(m, 9) != d1 * qk || cap(m, 10) != d2 * qk / 10
                || val(5 * k + 2) != cap(m, 9) + cap(m, 10))
                return fail(5 * k + 2);
            m = rx("^(\\d+) - (\\d+) = (\\d+)  -->\\[(\\d+) --> <-- (\\d)\\] --> (\\d+)\\|$")
                    .match(p.boxes.at(5 * k + 3).hint);
            if (!m.hasMatch() || m.captured(1) != txt(5 * k) || m.captured(2) != txt(5 * k + 2)
                || cap(m, 3) != a - val(5 * k + 2) || cap(m, 4) != cap(m, 3))
                return fail(5 * k + 3);
        } else {
            m = rx("^(\\d+)  -->\\[(\\d+) --> <-- (\\d)\\] --> (\\d+)\\|$")
                    .match(p.boxes.at(5 * k + 3).hint);
            if (!m.hasMatch() || m.captured(1) != txt(5 * k) || cap(m, 2) != a)
                return fail(5 * k + 3);
        }
        // The digit brought down is the next dividend digit, lit by the hint.
        const int j = k + (l.shortQuotient ? 2 : 1);
        const int digit = m.captured(m.lastCapturedIndex() - 1).toInt();
        if (digit != dividend[j].digitValue() || m.captured(m.lastCapturedIndex()) != txt(5 * k + 3)
            || val(5 * k + 3) != m.captured(m.lastCapturedIndex() - 2).toInt() * 10 + digit
            || !lit(p.boxes.at(5 * k + 3)).contains(DR::dividendPanel(int(dividend.size()) - 1 - j)))
            return fail(5 * k + 3);
        // U: the named units and tens of small products, added.
        QList<std::array<int, 3>> parts; // digit, 'U' or 'T', quotient digit
        if (d3 < 0)
            parts = {{d2, 'U', qk}};
        else if (hasQ)
            parts = {{d2, 'U', qk}, {d3, 'T', qk}};
        if (d3 >= 0 && prevQ >= 0)
            parts.append({d3, 'U', prevQ});
        const QString uh = p.boxes.at(5 * k + 4).hint;
        auto uMatches = matches("\\((\\d) ([UT]) (\\d)\\)", uh);
        if (uMatches.isEmpty())
            uMatches = matches("= (\\d) (U) (\\d) -->", uh);
        const QStringList sums = uh.section(QStringLiteral(" --> "), -1).chopped(1).split(QStringLiteral(" + "));
        if (!uh.startsWith(txt(5 * k + 4) + QStringLiteral(" = ")) || uMatches.size() != parts.size()
            || sums.size() != parts.size())
            return fail(5 * k + 4);
        int u = 0;
        for (qsizetype i = 0; i < parts.size(); ++i) {
            const auto [dd, kind, qq] = parts.at(i);
            const int v = kind == 'U' ? dd * qq % 10 : dd * qq / 10;
            if (cap(uMatches.at(i), 1) != dd || uMatches.at(i).captured(2) != QChar(kind)
                || cap(uMatches.at(i), 3) != qq || sums.at(i).toInt() != v)
                return fail(5 * k + 4);
            u += v;
        }
        if (val(5 * k + 4) != u)
            return fail(5 * k + 4);
        // The next working number (or the remainder): B - U.
        if (p.boxes.at(5 * k + 5).hint
            != QStringLiteral("%1 = %2 - %3|").arg(txt(5 * k + 5), txt(5 * k + 3), txt(5 * k + 4))
            || val(5 * k + 5) != val(5 * k + 3) - u)
            return fail(5 * k + 5);
    }
    return QString();
}

// A model of speed division written from the method itself, as the JSON
// line of the worksheet tool. It does not step through the boxes: it takes
// the quotient digits and the partial remainders of ordinary long division
// and reads every box off them (A is what is left of the partial remainder,
// B is A + U, ...), so a wrong step of the rules shows up as a difference in
// some field.

QString s(qint64 v)
{
    return QString::number(v);
}

// v with at least w digits ("05", "075").
QString pad(qint64 v, int w)
{
    return s(v).rightJustified(w, '0');
}

QJsonObject box(int i, int value, const QString& hint, int layoutWidth, bool mental, bool unused)
{
    const int width = unused ? layoutWidth : qMax(layoutWidth, int(s(value).size()));
    return {{"box", "pnlWorking" + s(i)}, {"value", unused ? 0 : value},
            {"text", unused ? QString() : pad(value, width)}, {"hint", unused ? QString() : hint},
            {"width", width}, {"mental", mental}, {"unused", unused}};
}

// The whole JSON line of a question "DIVIDEND/DIVISOR".
QJsonObject model(const QString& question)
{
    const QString N = question.section('/', 0, 0), d = question.section('/', 1);
    const qint64 dividend = N.toLongLong();
    const int divisor = d.toInt(), n = int(N.size()), m = int(d.size());
    const int d1 = d[0].digitValue(), d2 = d[1].digitValue(), d3 = m == 3 ? d[2].digitValue() : 0;
    const auto digit = [&](int j) { return N[j].digitValue(); }; // 0-based from the left
    const QString Q = s(dividend / divisor);
    const int L = int(Q.size()), rest = int(dividend % divisor);
    const bool isShort = L == n - m;
    const int groups = n - (isShort ? 2 : 1);

    // Long division: r[k] = (the dividend's first p + k digits) - divisor × (Q's first k + 1 digits).
    const int p = m + (isShort ? 1 : 0);
    QList<qint64> r;
    for (int k = 0; k < L; ++k)
        r << N.left(p + k).toLongLong() - qint64(divisor) * Q.left(k + 1).toLongLong();

    const auto qAt = [&](int k) { return k >= 0 && k < L ? Q[k].digitValue() : -1; };
    const auto ntOf = [&](int c) { return d1 * c + d2 * c / 10; };
    const auto uOf = [&](int k, int c) { // U of group k with quotient digit c (-1: none)
        if (m == 2)
            return d2 * c % 10;
        return (c >= 0 ? d2 * c % 10 + d3 * c / 10 : 0) + (k > 0 ? d3 * qAt(k - 1) % 10 : 0);
    };
    const auto down = [&](int k) { return digit(k + (isShort ? 2 : 1)); };
    // A of each group, then the remainder. With a 3-digit divisor the
    // units of d3 × Q are still to be taken off the partial remainder.
    QList<int> A{isShort ? digit(0) * 10 + digit(1) : digit(0)};
    for (int k = 0; k < L; ++k)
        A << int(m == 2 ? r[k] : (r[k] - digit(p + k - 1) + d3 * qAt(k) % 10) / 10);
    if (m == 3)
        A << rest;

    QJsonArray boxes;
    QString prevB, prevU;
    for (int k = 0; k < groups; ++k) {
        const int a = A[k], q = qAt(k), prev = qAt(k - 1), u = uOf(k, q), b = A[k + 1] + u;
        const int bw = k == groups - 1 ? m : 2;
        const QString aText = pad(a, 2), bText = pad(b, bw), uText = pad(u, 2);
        const QString aHint = k > 0   ? QStringLiteral("%1 = %2 - %3|").arg(aText, prevB, prevU)
                              : isShort ? QStringLiteral("%1 = the first two digits, as %2 is less than %3|")
                                              .arg(aText, N.left(m), d)
                                        : aText + '|';
        boxes << box(5 * k, a, aHint, 2, false, false);
        if (q >= 0) {
            const int e = a / d1;
            QString qh = QStringLiteral("%1 ÷ %2 --> %3").arg(aText, s(d1), s(e));
            for (int c = e; c > q; c = c > 9 ? 9 : c - 1) {
                const int bc = (a - ntOf(c)) * 10 + down(k), uc = uOf(k, c);
                const QString why
                    = c > 9       ? QStringLiteral("a quotient digit is at most 9")
                    : ntOf(c) > a ? QStringLiteral("%1%2 NT %3 = %4 is more than %5")
                                        .arg(s(d1), s(d2), s(c), pad(ntOf(c), 2), aText)
                    : bc < uc     ? QStringLiteral("B %1 is less than U %2").arg(pad(bc, 2), pad(uc, 2))
                                  : QStringLiteral("B %1 - U %2 leaves 00 and the next digit %3 is less than "
                                                   "%4 U %5 = %6")
                                        .arg(pad(bc, 2), pad(uc, 2), s(down(k + 1)), s(d3), s(c), s(d3 * c % 10));
                qh += QStringLiteral("; %1 is too large: %2, so take %3").arg(s(c), why, s(c > 9 ? 9 : c - 1));
            }
            const QString ntHint = QStringLiteral("%1 = %2%3 NT %4 --> (%2 N %4) + (%3 T %4) --> %5 + %6|")
                                       .arg(pad(ntOf(q), 2), s(d1), s(d2), s(q), s(d1 * q), s(d2 * q / 10));
            const QString bHint = QStringLiteral("%1 - %2 = %3  -->[%3 --> <-- %4] --> %5|")
                                      .arg(aText, pad(ntOf(q), 2), s(a - ntOf(q)), s(down(k)), bText);
            boxes << box(5 * k + 1, q, qh + '|', 1, false, false) << box(5 * k + 2, ntOf(q), ntHint, 2, true, false)
                  << box(5 * k + 3, b, bHint, bw, true, false);
        } else {
            const QString bHint
                = QStringLiteral("%1  -->[%2 --> <-- %3] --> %4|").arg(aText, s(a), s(down(k)), bText);
            boxes << box(5 * k + 1, 0, QString(), 1, false, true) << box(5 * k + 2, 0, QString(), 2, true, true)
                  << box(5 * k + 3, b, bHint, bw, true, false);
        }
        QString uHint;
        if (m == 2 || q < 0)
            uHint = QStringLiteral("%1 = %2 U %3 --> %4|")
                        .arg(uText, s(m == 2 ? d2 : d3), s(m == 2 ? q : prev), s(u));
        else if (prev < 0)
            uHint = QStringLiteral("%1 = %2%3 UT %4 --> (%2 U %4) + (%3 T %4) --> %5 + %6|")
                        .arg(uText, s(d2), s(d3), s(q), s(d2 * q % 10), s(d3 * q / 10));
        else
            uHint = QStringLiteral("%1 = %2%3 UT %4 + %3 U %5 --> (%2 U %4) + (%3 T %4) + (%3 U %5) --> "
                                   "%6 + %7 + %8|")
                        .arg(uText, s(d2), s(d3), s(q), s(prev), s(d2 * q % 10), s(d3 * q / 10), s(d3 * prev % 10));
        boxes << box(5 * k + 4, u, uHint, 2, true, false);
        prevB = bText;
        prevU = uText;
    }
    boxes << box(5 * groups, rest, QStringLiteral("%1 = %2 - %3|").arg(pad(rest, m), prevB, prevU), m, false, false);
    return {{"method", "divide"}, {"question", question}, {"answer", Q}, {"remainder", rest},
            {"boxes", boxes}, {"carries", QJsonArray()}};
}

} // namespace

class TestDivisionRules : public QObject {
    Q_OBJECT

private slots:
    void workedExample();
    void designedExamples_data();
    void designedExamples();
    void everyOptionPairFollowsItsHints();
    void drawnProblemsMatchTheModel_data();
    void drawnProblemsMatchTheModel();
    void layoutTable();
    void drawing();
    void parsingAndCustomQuestions();
};

void TestDivisionRules::workedExample()
{
    const WorkedProblem p = DR::solve(question("513994/32"));
    QCOMPARE(p.method, QStringLiteral("divide"));
    QCOMPARE(p.question, QStringLiteral("513994/32"));
    QCOMPARE(p.answer, QStringLiteral("16062"));
    QCOMPARE(p.remainder, std::optional<qint64>(10));
    QVERIFY(p.carries.isEmpty());
    QCOMPARE(boxTexts(p), QStringLiteral("05 1 03 21 02 19 6 19 03 02 01 0 00 19 00 19 6 19 09 02 07 2 06 14 04 10"));
    const QStringList hints = {
        "05|", "05 ÷ 3 --> 1|", "03 = 32 NT 1 --> (3 N 1) + (2 T 1) --> 3 + 0|",
        "05 - 03 = 2  -->[2 --> <-- 1] --> 21|", "02 = 2 U 1 --> 2|",
        "19 = 21 - 02|", "19 ÷ 3 --> 6|", "19 = 32 NT 6 --> (3 N 6) + (2 T 6) --> 18 + 1|",
        "19 - 19 = 0  -->[0 --> <-- 3] --> 03|", "02 = 2 U 6 --> 2|",
        "01 = 03 - 02|", "01 ÷ 3 --> 0|", "00 = 32 NT 0 --> (3 N 0) + (2 T 0) --> 0 + 0|",
        "01 - 00 = 1  -->[1 --> <-- 9] --> 19|", "00 = 2 U 0 --> 0|",
        "19 = 19 - 00|", "19 ÷ 3 --> 6|", "19 = 32 NT 6 --> (3 N 6) + (2 T 6) --> 18 + 1|",
        "19 - 19 = 0  -->[0 --> <-- 9] --> 09|", "02 = 2 U 6 --> 2|",
        "07 = 09 - 02|", "07 ÷ 3 --> 2|", "06 = 32 NT 2 --> (3 N 2) + (2 T 2) --> 6 + 0|",
        "07 - 06 = 1  -->[1 --> <-- 4] --> 14|", "04 = 2 U 2 --> 4|",
        "10 = 14 - 04|"};
    QCOMPARE(p.boxes.size(), 26);
    for (int i = 0; i < 26; ++i) {
        const RuleBox& b = p.boxes.at(i);
        QCOMPARE(b.box, QStringLiteral("pnlWorking%1").arg(i));
        QCOMPARE(b.hint, hints.at(i));
        QCOMPARE(b.value, b.text.toInt());
        QCOMPARE(b.width, i % 5 == 1 ? 1 : 2);
        QCOMPARE(b.mental, i < 25 && i % 5 >= 2);
        QVERIFY(!b.unused);
    }
    QStringList answers;
    for (const PanelText& t : p.answerPanels)
        answers << t.panel + '=' + t.text;
    QCOMPARE(answers.join(' '), QStringLiteral("pnlAnswer0=1 pnlAnswer1=6 pnlAnswer2=0 pnlAnswer3=6 pnlAnswer4=2 "
                                               "pnlRemainder0=10"));
    // Colour hints: what each kind of box is computed from.
    QCOMPARE(lit(p.boxes.at(6)), QStringList({"pnlDivisor0", "pnlWorking5"}));
    QCOMPARE(lit(p.boxes.at(7)), QStringList({"pnlWorking6", "pnlDivisor0", "pnlDivisor1"}));
    QCOMPARE(lit(p.boxes.at(8)), QStringList({"pnlDividend3", "pnlWorking5", "pnlWorking7"}));
    QCOMPARE(lit(p.boxes.at(9)), QStringList({"pnlWorking6", "pnlDivisor1"}));
    QCOMPARE(lit(p.boxes.at(25)), QStringList({"pnlWorking23", "pnlWorking24"}));
    QCOMPARE(p.boxes.at(6).colorHints.first().style, ColorHintStyle::CarryBox);
    QCOMPARE(p.boxes.at(6).colorHints.last().style, ColorHintStyle::Background);
}

void TestDivisionRules::designedExamples_data()
{
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("texts");
    QTest::addColumn<QStringList>("hints"); // "box: hint" of the boxes the design settles

    QTest::newRow("short quotient") << "2758/41" << "27 6 24 35 06 29 7 28 18 07 11"
        << QStringList{"0: 27 = the first two digits, as 27 is less than 41|", "1: 27 ÷ 4 --> 6|",
                       "3: 27 - 24 = 3  -->[3 --> <-- 5] --> 35|"};
    QTest::newRow("3-digit divisor")
        << "84659/313" << "08 2 06 24 02 22 7 21 16 15 01 0 00 15 01 14 - - 149 00 149"
        << QStringList{"4: 02 = 13 UT 2 --> (1 U 2) + (3 T 2) --> 2 + 0|",
                       "9: 15 = 13 UT 7 + 3 U 2 --> (1 U 7) + (3 T 7) + (3 U 2) --> 7 + 2 + 6|",
                       "14: 01 = 13 UT 0 + 3 U 7 --> (1 U 0) + (3 T 0) + (3 U 7) --> 0 + 0 + 1|",
                       "18: 14  -->[14 --> <-- 9] --> 149|", "19: 00 = 3 U 0 --> 0|", "20: 149 = 149 - 00|"};
    QTest::newRow("estimate too large")
        << "1324/15" << "13 8 12 12 00 12 8 12 04 00 04"
        << QStringList{"1: 13 ÷ 1 --> 13; 13 is too large: a quotient digit is at most 9, so take 9; "
                       "9 is too large: B 02 is less than U 05, so take 8|",
                       "6: 12 ÷ 1 --> 12; 12 is too large: a quotient digit is at most 9, so take 9; "
                       "9 is too large: 15 NT 9 = 13 is more than 12, so take 8|"};
    QTest::newRow("estimate too large for the next step")
        << "5381/234" << "05 2 04 13 06 07 2 04 38 14 24 - - 241 08 233"
        << QStringList{"6: 07 ÷ 2 --> 3; 3 is too large: B 18 - U 18 leaves 00 and the next digit 1 is less "
                       "than 4 U 3 = 2, so take 2|",
                       "9: 14 = 34 UT 2 + 4 U 2 --> (3 U 2) + (4 T 2) + (4 U 2) --> 6 + 0 + 8|"};
    QTest::newRow("three-digit B") << "5192/98" << "51 5 49 29 00 29 2 19 102 06 96"
        << QStringList{"8: 29 - 19 = 10  -->[10 --> <-- 2] --> 102|", "10: 96 = 102 - 06|"};
    QTest::newRow("four-digit B") << "1991/999" << "19 1 09 109 09 100 - - 1001 09 992"
        << QStringList{"3: 19 - 09 = 10  -->[10 --> <-- 9] --> 109|", "5: 100 = 109 - 09|",
                       "8: 100  -->[100 --> <-- 1] --> 1001|"};
}

void TestDivisionRules::designedExamples()
{
    QFETCH(QString, question);
    QFETCH(QString, texts);
    QFETCH(QStringList, hints);
    const DR::Question q = *DR::parse(question).question;
    const WorkedProblem p = DR::solve(q);
    QCOMPARE(boxTexts(p), texts);
    for (const QString& h : hints) {
        const int i = h.section(':', 0, 0).toInt();
        QCOMPARE(p.boxes.at(i).hint, h.section(QStringLiteral(": "), 1));
        QCOMPARE(p.boxes.at(i).width, std::max(DR::layoutWidth(DR::layout(q), i), int(p.boxes.at(i).text.size())));
    }
    QCOMPARE(checkSteps(q), QString());
}

void TestDivisionRules::everyOptionPairFollowsItsHints()
{
    QRandomGenerator rng(20240614);
    for (int m = 2; m <= 3; ++m) {
        for (int n = 4; n <= 6; ++n) {
            for (int i = 0; i < sweepSize(300); ++i) {
                const DR::Question q = DR::draw(rng, n, m);
                const QString wrong = checkSteps(q);
                QVERIFY2(wrong.isEmpty(), qPrintable(q.text() + ": " + wrong));
            }
        }
    }
    // Typed questions may hold zeros and the largest divisors.
    for (const char* q : {"100000/99", "999999/10", "999999/999", "100000/100", "109999/991", "1000/999"})
        QVERIFY2(checkSteps(question(q)).isEmpty(), qPrintable(QString(q) + ": " + checkSteps(question(q))));
}

void TestDivisionRules::drawnProblemsMatchTheModel_data()
{
    QTest::addColumn<QString>("divisor");
    QTest::addColumn<QString>("dividend");
    for (const char* divisor : {"2-Digit", "3-Digit"})
        for (const char* dividend : {"4-Digit", "5-Digit", "6-Digit"})
            QTest::addRow("%s by %s", dividend, divisor) << QString(divisor) << QString(dividend);
}

void TestDivisionRules::drawnProblemsMatchTheModel()
{
    QFETCH(QString, divisor);
    QFETCH(QString, dividend);
    // Drawn through the methods' catalogue, as the screen and the worksheet
    // tool draw: the option names pick the sizes, no 0 anywhere, never the
    // same problem twice in a row.
    const int n = dividend.left(1).toInt(), m = divisor.left(1).toInt();
    QString previous;
    for (const WorkedProblem& p : drawnProblems("divide", {divisor, dividend}, quint32(10 * n + m), sweepSize(100))) {
        const QString q = p.question;
        QCOMPARE(q.section('/', 0, 0).size(), n);
        QCOMPARE(q.section('/', 1).size(), m);
        QVERIFY2(!q.contains('0') && q != previous, qPrintable(q));
        const QString diff = firstDifference(asJson(p), model(q));
        QVERIFY2(diff.isEmpty(), qPrintable(q + ": " + diff));
        previous = q;
    }
    // The worked and designed examples, and typed questions with zeros.
    for (const char* q : {"513994/32", "2758/41", "84659/313", "1324/15", "5381/234", "5192/98", "1991/999",
                          "100000/99", "999999/10", "999999/999", "100000/100", "109999/991", "1000/999"}) {
        const QString diff = firstDifference(asJson(DR::solve(question(q))), model(q));
        QVERIFY2(diff.isEmpty(), qPrintable(QString(q) + ": " + diff));
    }
}

void TestDivisionRules::layoutTable()
{
    // dividend digits, short, remainder box, pnlMover offset from pnlDividend
    const int rows[6][4] = {{4, 0, 15, 52}, {4, 1, 10, 104}, {5, 0, 20, 0},
                            {5, 1, 15, 52}, {6, 0, 25, -52}, {6, 1, 20, 0}};
    for (const auto& r : rows) {
        for (int m = 2; m <= 3; ++m) {
            const DR::Layout l = DR::layout(r[0], m, r[1]);
            QCOMPARE(l.remainderBox, r[2]);
            QCOMPARE(l.moverOffset, r[3]);
            QCOMPARE(l.armLines, bool(r[1]));
            QCOMPARE(l.separatorAfter, m - 1);
            QCOMPARE(l.quotientDigits + (m == 3 ? 1 : 0), l.groups);
            for (int i = 0; i <= l.remainderBox; ++i) {
                const bool lastGroup = i / 5 == l.groups - 1 && i < l.remainderBox;
                QCOMPARE(DR::isUnused(l, i), m == 3 && lastGroup && (i % 5 == 1 || i % 5 == 2));
                QCOMPARE(DR::layoutWidth(l, i), i == l.remainderBox || (lastGroup && i % 5 == 3) ? m
                                                : i % 5 == 1                                     ? 1
                                                                                                 : 2);
            }
            QVERIFY(DR::isUnused(l, l.remainderBox + 1));
        }
    }
    // Marks over the divisor and the jumps to a quotient box, by box.
    const DR::Layout l3 = DR::layout(5, 3, false), l2 = DR::layout(5, 2, false);
    const auto marks = [](const DR::Layout& l, int box) {
        const DR::Marks m = DR::marks(l, box);
        return QStringLiteral("%1 %2%3%4%5").arg(m.letters.join('.')).arg(m.group).arg(int(m.ntLines)).arg(int(m.uRow))
            .arg(int(m.utLines));
    };
    QCOMPARE(marks(l3, 7), QStringLiteral("N.T... 1100"));
    QCOMPARE(marks(l3, 4), QStringLiteral("..U.T. 0110"));
    QCOMPARE(marks(l3, 9), QStringLiteral("..U.T.U 1111"));
    QCOMPARE(marks(l3, 19), QStringLiteral("....U 3001")); // the last group: d3 U (the last Q)
    QCOMPARE(marks(l2, 19), QStringLiteral("..U.. 3110"));
    QCOMPARE(marks(l3, 6), QStringLiteral(".... -1000"));
    QCOMPARE(marks(l3, 20), QStringLiteral(".... -1000"));
    const QList<int> jumps3 = {-1, -1, 1, -1, 1, -1, 1, 6, -1, 6, -1, 6, 11, -1, 11, -1, 11, 16, -1, 16, -1};
    for (int box = 0; box <= l3.remainderBox; ++box)
        QCOMPARE(DR::jumpTarget(l3, box), jumps3.at(box));

    QCOMPARE(DR::bestTimeKey(5, 3), QStringLiteral("Time53"));
    QCOMPARE(DR::dividendOptionForStored(3)->button, QStringLiteral("pnlOptDividend6Digit"));
    QCOMPARE(DR::divisorOptionForStored(2)->caption, QStringLiteral("3-Digit"));
    QVERIFY(!DR::divisorOptionForStored(3) && !DR::dividendOptionForStored(0));
}

void TestDivisionRules::drawing()
{
    QRandomGenerator rng(7);
    for (int m = 2; m <= 3; ++m) {
        for (int n = 4; n <= 6; ++n) {
            int shortOnes = 0;
            DR::Question previous = DR::draw(rng, n, m);
            for (int i = 0; i < 2000; ++i) {
                const DR::Question q = DR::draw(rng, n, m, &previous);
                QVERIFY(!(q == previous));
                QCOMPARE(q.dividendDigits(), n);
                QCOMPARE(q.divisorDigits(), m);
                QVERIFY(!q.text().contains('0'));
                shortOnes += q.isShort();
                previous = q;
            }
            QVERIFY2(shortOnes > 400 && shortOnes < 600, qPrintable(QString::number(shortOnes)));
        }
    }
    // A previous problem that is the only one possible is still never repeated.
    QRandomGenerator same(1);
    const DR::Question first = DR::draw(same, 4, 2);
    for (int i = 0; i < 200; ++i)
        QVERIFY(!(DR::draw(same, 4, 2, &first) == first));
}

void TestDivisionRules::parsingAndCustomQuestions()
{
    QCOMPARE(question(" 513994 ÷ 32 ").text(), QStringLiteral("513994/32"));
    QCOMPARE(question("1000/10").quotientDigits(), 3);
    QVERIFY(question("1324/15").isShort());
    for (const char* bad : {"513994", "513994/", "/32", "123/32", "1234567/32", "0123/32", "1234/3",
                            "1234/1000", "1234/05", "12a4/32", "1234/3x", "1234//32"})
        QVERIFY2(!DR::parse(bad).ok() && !DR::parse(bad).error.isEmpty(), bad);
    QVERIFY(DR::parse("123/45").error.startsWith("dividend must have 4 to 6 digits"));
    QVERIFY(DR::parse("1234/5").error.startsWith("divisor must have 2 or 3 digits"));

    DR::Question q = question("513994/32");
    QVERIFY(!DR::setQuestion(q, "51399", "32", 6, 2)); // too short for the option
    QVERIFY(!DR::setQuestion(q, "513904", "32", 6, 2)); // a 0: not from the dialog
    QVERIFY(!DR::setQuestion(q, "513994", "320", 6, 3));
    QCOMPARE(q.text(), QStringLiteral("513994/32"));
    QVERIFY(DR::setQuestion(q, "68345", "687", 5, 3));
    QCOMPARE(q.text(), QStringLiteral("68345/687"));
}

QTEST_GUILESS_MAIN(TestDivisionRules)
#include "tst_DivisionRules.moc"
