#include "practice/MultiplyTwoFingerRules.h"

#include "LongMultiplicationModel.h"
#include "Sweeps.h"
#include "WorkedProblemJson.h"

#include <QtTest>

using TF = MultiplyTwoFingerRules;
using Range = TF::DigitRange;

namespace {

TF::Question question(const QString& text)
{
    const auto parsed = TF::parse(text);
    if (!parsed.ok())
        qFatal("question refused: %s", qPrintable(parsed.error));
    return *parsed.question;
}

// Column p's total worked out here from the digits: for every multiplier
// digit m_i the units digit of a_(p-i) x m_i and the tens digit of
// a_(p-i-1) x m_i, plus the carry.
int columnSum(const TF::Question& q, int p, int carry)
{
    int n = carry;
    for (int i = 0; i < q.multiplierDigits(); ++i) {
        const int d = p - i;
        if (d >= 0 && d <= 7)
            n += q.multiplicand[d] * q.multiplier[i] % 10;
        if (d - 1 >= 0 && d - 1 <= 7)
            n += q.multiplicand[d - 1] * q.multiplier[i] / 10;
    }
    return n;
}

// The boxes and carries against those sums; the boxes read as the product
// (a short one with "0" on top). Both parts of every hint begin with the
// total and end with the same running totals; the whole solution, hints
// included, is the model's.
void checkAgainstFingerSums(const TF::Question& q)
{
    const int top = 7 + q.multiplierDigits();
    const WorkedProblem p = TF::solve(q);
    const QString product = QString::number(q.product()).rightJustified(top + 1, '0');
    QCOMPARE(p.answer, product);
    QCOMPARE(p.boxes.size(), top + 1);
    QCOMPARE(p.carries.size(), top);
    int carry = 0;
    for (int c = 0; c <= top; ++c) {
        const int n = columnSum(q, c, carry);
        const RuleBox& b = p.boxes.at(c);
        const QString at = QStringLiteral("%1 column %2: %3").arg(q.text()).arg(c).arg(b.hint);
        QVERIFY2(b.value == n % 10 && b.text == QString(product.at(top - c)), qPrintable(at));
        const QStringList parts = b.hint.split('|');
        const QString total = QString::number(n) + " = ";
        QVERIFY2(parts.size() == 2 && parts.at(0).startsWith(total) && parts.at(1).startsWith(total), qPrintable(at));
        QVERIFY2(parts.at(1).endsWith(parts.at(0).mid(parts.at(0).indexOf(" :: Think:"))), qPrintable(at));
        if (c == top) {
            QVERIFY2(n < 10 && b.carryLink == -1, qPrintable(at));
            break;
        }
        QVERIFY2(b.carryLink == c && p.carries.at(c).value == n / 10, qPrintable(at));
        carry = n / 10;
    }
    const QString diff = firstDifference(asJson(p), LongMultiplicationModel::twoFingerModel(q.text()));
    QVERIFY2(diff.isEmpty(), qPrintable(q.text() + ": " + diff));
}

} // namespace

class TestMultiplyTwoFingerRules : public QObject {
    Q_OBJECT

private slots:
    void workedExample();
    void threeDigitMultiplierCarriesTwo();
    void shortProduct();
    void utRow();
    void colourHints();
    void optionsRangesAndBestTimes();
    void parsing_data();
    void parsing();
    void drawnProblemsFollowTheFingerSums();
};

void TestMultiplyTwoFingerRules::workedExample()
{
    const TF::Question q = question("23521543x25");
    const WorkedProblem p = TF::solve(q);
    QCOMPARE(p.method, QStringLiteral("multiply-two-finger"));
    QCOMPARE(p.answer, QStringLiteral("0588038575"));
    QCOMPARE(p.boxes.size(), 10);
    const QList<TF::Column> cols = TF::columns(q);

    // The worked table: columns 0, 1, 2, 3, 8 and 9.
    const struct {
        int column;
        const char* expressions;
        int total, carryOut;
    } rows[] = {
        {0, "3 U 5,", 5, 0},          {1, "43 UT 5,3 U 2", 7, 0},  {2, "54 UT 5,43 UT 2", 15, 1},
        {3, "15 UT 5,54 UT 2", 8, 0}, {8, "2 T 5,23 UT 2", 5, 0}, {9, ",2 T 2", 0, 0},
    };
    for (const auto& r : rows) {
        const TF::Column& c = cols.at(r.column);
        QCOMPARE(c.expressions.join(','), QString(r.expressions));
        QCOMPARE(c.total, r.total);
        QCOMPARE(c.carryOut, r.carryOut);
    }
    QCOMPARE(cols.at(3).carryIn, 1);
    QCOMPARE(p.boxes.at(2).value, 5);
    QCOMPARE(p.boxes.at(9).text, QStringLiteral("0"));

    QCOMPARE(p.boxes.at(2).hint,
             QStringLiteral("15 = 54 UT 5 + 43 UT 2 :: Think:  7  15|15 =   2[5 + 2]0   +   0[8 + 0]6   :: Think:  7  15"));
    QCOMPARE(p.boxes.at(3).hint,
             QStringLiteral("8 = 15 UT 5 + 54 UT 2 + ^1 :: Think:  7  7  8|8 =   0[5 + 2]5   +   1[0 + 0]8   + ^1 "
                            ":: Think:  7  7  8"));
    // The ends of the row: a U part alone, and a T part alone.
    QCOMPARE(p.boxes.at(0).hint, QStringLiteral("5 = 3 U 5 :: Think:  5|5 =   1[5]   :: Think:  5"));
    QCOMPARE(p.boxes.at(9).hint, QStringLiteral("0 = 2 T 2 :: Think:  0|0 =   [0]4   :: Think:  0"));
    QCOMPARE(p.boxes.at(8).hint,
             QStringLiteral("5 = 2 T 5 + 23 UT 2 :: Think:  1  5|5 =   [1]0   +   0[4 + 0]6   :: Think:  1  5"));
    checkAgainstFingerSums(q);
}

void TestMultiplyTwoFingerRules::threeDigitMultiplierCarriesTwo()
{
    const TF::Question q = question("23521543x253");
    const WorkedProblem p = TF::solve(q);
    QCOMPARE(TF::columns(q).at(3).total, 20);
    QCOMPARE(p.carries.at(3).value, 2);
    QCOMPARE(p.answerCarryRow.at(3).text, QStringLiteral("2"));
    QVERIFY(p.boxes.at(4).hint.section(" :: ", 0, 0).endsWith(" + ^2"));
    QCOMPARE(p.answer, QStringLiteral("05950950379"));
    // Column 1 gets a carry of 0: no mark, no extra running total.
    QCOMPARE(p.boxes.at(1).hint.section('|', 0, 0), QStringLiteral("7 = 43 UT 3 + 3 U 5 :: Think:  2  7"));
    checkAgainstFingerSums(q);
}

void TestMultiplyTwoFingerRules::shortProduct()
{
    // 23521543 x 2 = 47043086: eight digits on a nine-column row.
    const WorkedProblem p = TF::solve(question("23521543x2"));
    QCOMPARE(p.answer, QStringLiteral("047043086"));
    QCOMPARE(p.boxes.size(), 9);
    QCOMPARE(p.carries.size(), 8);
    QCOMPARE(p.boxes.at(8).value, 0);
    QCOMPARE(p.boxes.at(8).text, QStringLiteral("0"));
    QCOMPARE(p.answerPanels.at(8), (PanelText{"pnlAnswer8", "0"}));
    QCOMPARE(p.boxes.at(8).hint, QStringLiteral("0 = 2 T 2 :: Think:  0|0 =   [0]4   :: Think:  0"));
    QCOMPARE(p.boxes.at(7).hint, QStringLiteral("4 = 23 UT 2 :: Think:  4|4 =   0[4 + 0]6   :: Think:  4"));
}

void TestMultiplyTwoFingerRules::utRow()
{
    const TF::Question q = question("23521543x25");
    // Column 1: m0 = 5 (lime, pnlMultiplier1) gives a UT part, m1 = 2 a U part.
    QList<TF::UtPanel> row = TF::utRow(q, 1);
    QCOMPARE(row.size(), 2);
    QCOMPARE(row.at(0).panel, QStringLiteral("pnlUT0"));
    QCOMPARE(row.at(0).caption, QStringLiteral("U  T"));
    QCOMPARE(row.at(0).hint, QStringLiteral("43 UT 5|43 UT 5 + 3 U 2"));
    QCOMPARE(row.at(1).caption, QStringLiteral("U  "));
    QCOMPARE(row.at(1).hint, QStringLiteral("3 U 2|43 UT 5 + 3 U 2"));
    // Column 0 has no part for m1; the top column has only the T of m1.
    row = TF::utRow(q, 0);
    QCOMPARE(row.at(1).caption, QString());
    QCOMPARE(row.at(1).hint, QString());
    row = TF::utRow(q, 9);
    QCOMPARE(row.at(0).caption, QString());
    QCOMPARE(row.at(1).caption, QStringLiteral("    T"));
    QCOMPARE(row.at(1).hint, QStringLiteral("2 T 2|2 T 2"));

    QCOMPARE(TF::utRow(question("23521543x7"), 4).size(), 1);
    const QList<TF::UtPanel> five = TF::utRow(question("23521543x25314"), 6);
    QCOMPARE(five.size(), 5);
    QStringList captions;
    for (const TF::UtPanel& u : five)
        captions << u.caption;
    QCOMPARE(captions, (QStringList{"U  T", "U  T", "U  T", "U  T", "U  T"}));
}

void TestMultiplyTwoFingerRules::colourHints()
{
    using S = ColorHintStyle;
    const quint32 yellow = 0xFFFF00, lime = 0x00FF00;
    // The multiplier digits and their UT panels: m0 = 5 stands in
    // pnlMultiplier1 (lime), m1 = 2 in pnlMultiplier0 (yellow).
    const QList<ColorHint> colours = {{"pnlMultiplier0", S::Paint, yellow}, {"pnlMultiplier1", S::Paint, lime},
                                      {"pnlUT0", S::Paint, lime}, {"pnlUT1", S::Paint, yellow}};
    const WorkedProblem p = TF::solve(question("23521543x25"));
    QCOMPARE(p.boxes.at(0).colorHints, colours);
    QCOMPARE(p.boxes.at(5).colorHints, (QList<ColorHint>{{"pnlCarry4", S::CarryBox}} + colours));
    const WorkedProblem five = TF::solve(question("23521543x25314"));
    QCOMPARE(five.boxes.at(3).colorHints.at(6), (ColorHint{"pnlUT0", S::Paint, 0xFF00FF}));
    QCOMPARE(five.boxes.at(3).colorHints.at(10), (ColorHint{"pnlUT4", S::Paint, yellow}));

    // The question panels, and the top box read as a short product's "0".
    QCOMPARE(p.questionPanels.size(), 10);
    QCOMPARE(p.questionPanels.at(0), (PanelText{"pnlMultiplicand0", "3"}));
    QCOMPARE(p.questionPanels.at(8), (PanelText{"pnlMultiplier0", "2"}));
    QCOMPARE(p.questionPanels.at(9), (PanelText{"pnlMultiplier1", "5"}));
    QVERIFY(p.boxes.at(9).stripZeros && p.boxes.at(9).zeroMayBeLeftOut);
    QVERIFY(!p.boxes.at(8).stripZeros && !p.boxes.at(8).zeroMayBeLeftOut);
}

void TestMultiplyTwoFingerRules::optionsRangesAndBestTimes()
{
    QStringList rows;
    for (const TF::Option& o : TF::options())
        rows << QStringLiteral("%1 %2 %3").arg(o.button, o.caption).arg(o.storedOption);
    QCOMPARE(rows, (QStringList{"pnlOpt1 1-Digit 1", "pnlOpt2 2-Digit 2", "pnlOpt3 3-Digit 3", "pnlOpt4 4-Digit 4",
                                "pnlOpt5 5-Digit 5"}));
    QVERIFY(!TF::optionForStored(6));

    QStringList keys;
    for (int digits = 1; digits <= 5; ++digits)
        keys << TF::bestTimeKey(digits, Range::OneToFive) << TF::bestTimeKey(digits, Range::OneToNine);
    QCOMPARE(keys.join(' '), QStringLiteral("Time15 Time19 Time25 Time29 Time35 Time39 Time45 Time49 Time55 Time59"));

    const TF::Range& small = TF::range(Range::OneToFive);
    QCOMPARE(QStringList({small.name, small.button, small.label, small.caption}),
             QStringList({"1-5", "rdo1To5", "lbl1to5", "1 - 5"}));
    QCOMPARE(small.bound, 6);
    QCOMPARE(TF::range(Range::OneToNine).bound, 10);

    // A typed question with a digit above 5 is played in 1-9.
    QCOMPARE(TF::rangeFor(question("23521543x25"), Range::OneToFive), Range::OneToFive);
    QCOMPARE(TF::rangeFor(question("23521543x25"), Range::OneToNine), Range::OneToNine);
    QCOMPARE(TF::rangeFor(question("23521743x25"), Range::OneToFive), Range::OneToNine);
    QCOMPARE(TF::rangeFor(question("23521543x26"), Range::OneToFive), Range::OneToNine);
}

void TestMultiplyTwoFingerRules::parsing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");
    const QString cand = QStringLiteral("multiplicand must have 8 digits, each from 1 to 9");
    const QString mult = QStringLiteral("multiplier must have 1 to 5 digits, each from 1 to 9");
    QTest::newRow("1 digit") << "23521543x2" << "";
    QTest::newRow("5 digits, sign") << "23521543×25314" << "";
    QTest::newRow("0 in multiplicand") << "23501543x25" << cand;
    QTest::newRow("9 digits") << "235215431x25" << cand;
    QTest::newRow("0 in multiplier") << "23521543x20" << mult;
    QTest::newRow("6-digit multiplier") << "23521543x253141" << mult;
    QTest::newRow("empty multiplier") << "23521543x" << mult;
}

void TestMultiplyTwoFingerRules::parsing()
{
    QFETCH(QString, text);
    QFETCH(QString, error);
    const auto parsed = TF::parse(text);
    QCOMPARE(parsed.error, error);
    QCOMPARE(parsed.ok(), error.isEmpty());
}

void TestMultiplyTwoFingerRules::drawnProblemsFollowTheFingerSums()
{
    QRandomGenerator rng(99);
    for (const Range r : {Range::OneToFive, Range::OneToNine}) {
        const int highest = TF::range(r).bound - 1;
        for (int digits = 1; digits <= 5; ++digits) {
            TF::Question previous = TF::draw(rng, digits, r);
            int shortProducts = 0, largest = 0;
            for (int n = 0; n < sweepSize(100); ++n) {
                const TF::Question q = TF::draw(rng, digits, r, &previous);
                QVERIFY(!(q == previous));
                QCOMPARE(q.multiplierDigits(), digits);
                QVERIFY(q.largestDigit() <= highest);
                QCOMPARE(TF::rangeFor(q, r), r);
                largest = qMax(largest, q.largestDigit());
                for (int d : q.multiplicand)
                    QVERIFY(d >= 1);
                for (int d : q.multiplier)
                    QVERIFY(d >= 1);
                checkAgainstFingerSums(q);
                if (QTest::currentTestFailed())
                    return;
                if (TF::solve(q).answer.startsWith('0'))
                    ++shortProducts;
                previous = q;
            }
            QCOMPARE(largest, highest);
            QVERIFY(shortProducts > 0); // short products do occur and are checked
        }
    }
    // The methods' catalogue (the worksheet tool's --random) draws by the
    // options' names.
    for (const QString range : {"1-5", "1-9"}) {
        for (int digits = 1; digits <= 5; ++digits) {
            for (const WorkedProblem& p :
                 drawnProblems("multiply-two-finger", {QStringLiteral("%1-Digit").arg(digits), range}, digits, 10)) {
                const TF::Question q = question(p.question);
                QCOMPARE(q.multiplierDigits(), digits);
                QVERIFY(q.largestDigit() <= range.back().digitValue());
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestMultiplyTwoFingerRules)
#include "tst_MultiplyTwoFingerRules.moc"
