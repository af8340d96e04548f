// The square root's step hints that explain themselves: the estimate of each
// later root digit with the reason for every digit it passes over, the last
// subtraction written as the remainder area shows it, and the subtrahend's
// digits as its boxes take them. Each is checked over every 3-digit number,
// every third 4-digit one and a sweep of longer ones against an arithmetic of
// its own (whole square roots of the leading blocks), not against the rules'
// chain of steps.

#include <QtTest>

#include <QHash>
#include <QRandomGenerator>
#include <QRegularExpression>

#include "practice/SquareRootRules.h"
#include "IntegerRoot.h"

using SR = SquareRootRules;

namespace {

qint64 power(qint64 base, int n)
{
    qint64 p = 1;
    while (n-- > 0)
        p *= base;
    return p;
}

struct Solved {
    qint64 number = 0;
    int rootDigits = 0;
    WorkedProblem problem;
    QHash<QString, const RuleBox*> boxes;

    explicit Solved(qint64 n) : number(n), rootDigits(SR::rootDigits(int(QString::number(n).size())))
    {
        problem = SR::solve(SR::Question{n});
        for (const RuleBox& b : std::as_const(problem.boxes))
            boxes.insert(b.box, &b);
    }
    const RuleBox& box(int n) const { return *boxes.value(SR::workingBox(n)); }
    // The number as far as its first `blocks` 2-digit blocks.
    qint64 upTo(int blocks) const { return number / power(100, rootDigits - blocks); }
    QString label() const { return QString::number(number); }
};

// The root digit boxes of the rounds after the first, and the box of the
// half each round divides by r1.
struct Round {
    int digitBox;
    int halfBox;
};

QList<Round> rounds(int rootDigits)
{
    if (rootDigits == 2)
        return {{5, 14}};
    QList<Round> r{{5, 4}, {15, 14}};
    if (rootDigits == 4)
        r.append({31, 30});
    return r;
}

// "" when the estimate hint of round j (finding root digit j + 1, 1-based
// j = 1..) is right; otherwise what is wrong. Counts the estimates that miss.
QString checkEstimate(const Solved& s, int j, const Round& round, int* missed)
{
    static const QRegularExpression head(QStringLiteral("^(\\d+) ÷ (\\d) --> (\\d+)(.*)\\|$"));
    static const QRegularExpression atMostNine(QStringLiteral("^; (\\d+) is too large: a root digit is at most 9, so take 9"));
    static const QRegularExpression tooLarge(
        QStringLiteral("^; (\\d) is too large: (\\d+) ² = (\\d+) is more than (\\d+), so take (\\d)"));
    static const QRegularExpression tooSmall(
        QStringLiteral("^; (\\d) is too small: (\\d+) - (\\d+) ² = (\\d+) is more than 2 × \\3 = (\\d+), so take (\\d)"));
    const RuleBox& digit = s.box(round.digitBox);
    const auto m = head.match(digit.hint);
    if (!m.hasMatch())
        return QStringLiteral("form: ") + digit.hint;
    const qint64 half = m.captured(1).toLongLong();
    const int r1 = m.captured(2).toInt();
    const qint64 estimate = m.captured(3).toLongLong();
    if (half != s.box(round.halfBox).value || r1 != s.box(0).value || estimate != half / r1)
        return QStringLiteral("half, r1 or estimate: ") + digit.hint;

    const qint64 upTo = s.upTo(j + 1);
    const qint64 rootSoFar = isqrt(s.upTo(j));
    const qint64 trueDigit = isqrt(upTo) % 10;
    if (digit.value != trueDigit || isqrt(upTo) / 10 != rootSoFar)
        return QStringLiteral("root digit");
    QString rest = m.captured(4);
    qint64 c = estimate;
    if (c != trueDigit)
        ++*missed;
    while (!rest.isEmpty()) {
        QRegularExpressionMatch step;
        if ((step = atMostNine.match(rest)).hasMatch()) {
            if (step.captured(1).toLongLong() != c || c <= 9)
                return QStringLiteral("at most 9: ") + digit.hint;
            c = 9;
        } else if ((step = tooLarge.match(rest)).hasMatch()) {
            const qint64 root = step.captured(2).toLongLong();
            if (step.captured(1).toLongLong() != c || root != rootSoFar * 10 + c
                || step.captured(3).toLongLong() != root * root || step.captured(4).toLongLong() != upTo
                || root * root <= upTo || step.captured(5).toLongLong() != c - 1)
                return QStringLiteral("too large: ") + digit.hint;
            --c;
        } else if ((step = tooSmall.match(rest)).hasMatch()) {
            const qint64 root = step.captured(3).toLongLong();
            const qint64 left = step.captured(4).toLongLong();
            if (step.captured(1).toLongLong() != c || step.captured(2).toLongLong() != upTo
                || root != rootSoFar * 10 + c || left != upTo - root * root || left <= 2 * root
                || step.captured(5).toLongLong() != 2 * root || step.captured(6).toLongLong() != c + 1)
                return QStringLiteral("too small: ") + digit.hint;
            ++c;
        } else {
            return QStringLiteral("reason: ") + digit.hint;
        }
        rest = rest.mid(step.capturedLength());
    }
    // Every reason given leads to the root digit and no further.
    return c == trueDigit ? QString() : QStringLiteral("ends at %1: ").arg(c) + digit.hint;
}

// StripLeadingZeros of a box's text, as the mirror panels show it.
QString stripped(const QString& text)
{
    QString t = text;
    while (t.size() > 1 && t.startsWith(QLatin1Char('0')))
        t.remove(0, 1);
    return t;
}

// The remainder area read as it shows: the top row is B without leading
// zeros followed by the number's last digits, the bottom row the boxes under
// them (the digits of the subtrahend, after the hundreds column for three
// root digits).
QString expectedRemainderHint(const Solved& s)
{
    const QString n = s.label();
    if (s.rootDigits == 2)
        return QStringLiteral("%1 = %2%3 - %4%5|")
            .arg(*s.problem.remainder)
            .arg(stripped(s.box(18).text), n.right(1), s.box(10).text, s.box(11).text);
    return QStringLiteral("%1 = %2%3 - %4%5%6|")
        .arg(*s.problem.remainder)
        .arg(stripped(s.box(18).text), n.right(2), stripped(s.box(25).text + s.box(26).text), s.box(23).text,
             s.box(24).text);
}

// The three boxes of a subtrahend, "[...] --> 17 0 1|" and the texts of the
// boxes that take it.
QString subtrahendDigits(const RuleBox& first)
{
    const qsizetype arrow = first.hint.lastIndexOf(QLatin1String(" --> "));
    return first.hint.mid(arrow + 5).chopped(1);
}

} // namespace

class TestSquareRootHints : public QObject
{
    Q_OBJECT
private slots:
    void estimates_say_why_over_many_numbers()
    {
        QRandomGenerator rng(22);
        QList<qint64> numbers;
        // Every 3-digit number, every third 4-digit one, and a sweep of longer ones.
        for (qint64 n = 100; n <= 9999; n += n < 1000 ? 1 : 3)
            numbers << n;
        for (int digits = 5; digits <= 8; ++digits)
            for (int i = 0; i < 1000; ++i)
                numbers << rng.bounded(power(10, digits - 1), power(10, digits));
        int rounds_ = 0, missed = 0;
        for (qint64 n : std::as_const(numbers)) {
            const Solved s(n);
            const QList<Round> rs = rounds(s.rootDigits);
            for (int j = 0; j < rs.size(); ++j) {
                const QString wrong = checkEstimate(s, j + 1, rs.at(j), &missed);
                QVERIFY2(wrong.isEmpty(), qPrintable(s.label() + ": " + wrong));
                ++rounds_;
            }
        }
        // The estimate misses often enough that every kind of reason is
        // exercised (about half of the later root digits).
        QVERIFY2(missed > rounds_ / 4, qPrintable(QStringLiteral("%1 of %2").arg(missed).arg(rounds_)));
        qInfo("%d of %d estimates of a later root digit miss it", missed, rounds_);
    }

    void estimate_examples()
    {
        QCOMPARE(Solved(2400).box(5).hint,
                 QStringLiteral("40 ÷ 4 --> 10; 10 is too large: a root digit is at most 9, so take 9; "
                                "9 is too large: 49 ² = 2401 is more than 2400, so take 8|"));
        QCOMPARE(Solved(5329).box(5).hint,
                 QStringLiteral("20 ÷ 7 --> 2; 2 is too small: 5329 - 72 ² = 145 is more than 2 × 72 = 144, so take 3|"));
        // A right estimate needs no reason.
        QCOMPARE(Solved(5125).box(5).hint, QStringLiteral("10 ÷ 7 --> 1|"));
    }

    void remainder_reads_as_the_area_shows_it()
    {
        QCOMPARE(Solved(9979).box(51).hint, QStringLiteral("178 = 179 - 01|"));
        QCOMPARE(Solved(908).box(51).hint, QStringLiteral("8 = 08 - 00|"));
        QRandomGenerator rng(35);
        QList<qint64> numbers;
        for (qint64 n = 100; n <= 9999; n += n < 1000 ? 1 : 3)
            numbers << n;
        for (int i = 0; i < 1500; ++i)
            numbers << rng.bounded(10000, 1000000);
        for (qint64 n : std::as_const(numbers)) {
            const Solved s(n);
            const QString hint = expectedRemainderHint(s);
            for (int k = 50; k < 50 + (s.rootDigits == 2 ? 2 : 3); ++k)
                QVERIFY2(s.box(k).hint == hint, qPrintable(s.label() + ": " + s.box(k).hint + " is not " + hint));
            // And it holds: the rows read as numbers differ by the remainder.
            const auto parts = QRegularExpression(QStringLiteral("^(\\d+) = (\\d+) - (\\d+)\\|$")).match(hint);
            QVERIFY(parts.hasMatch());
            QCOMPARE(parts.captured(2).toLongLong() - parts.captured(3).toLongLong(), *s.problem.remainder);
        }
    }

    void subtrahend_digits_are_those_the_boxes_take()
    {
        QCOMPARE(subtrahendDigits(Solved(9979).box(9)), QStringLiteral("17 0 1"));
        QRandomGenerator rng(9);
        for (int i = 0; i < 2000; ++i) {
            const int digits = rng.bounded(3, 9);
            const Solved s(rng.bounded(power(10, digits - 1), power(10, digits)));
            for (int first : s.rootDigits == 2 ? QList<int>{9} : QList<int>{9, 22}) {
                const QString expected =
                    s.box(first).text + ' ' + s.box(first + 1).text + ' ' + s.box(first + 2).text;
                QVERIFY2(subtrahendDigits(s.box(first)) == expected,
                         qPrintable(s.label() + ": " + s.box(first).hint + " is not " + expected));
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestSquareRootHints)
#include "tst_SquareRootHints.moc"
