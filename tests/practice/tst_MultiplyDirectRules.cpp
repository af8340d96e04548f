#include "practice/MultiplyDirectRules.h"

#include "LongMultiplicationModel.h"
#include "Sweeps.h"
#include "WorkedProblemJson.h"

#include <QtTest>

using MD = MultiplyDirectRules;

namespace {

MD::Question question(const QString& text)
{
    const auto parsed = MD::parse(text);
    if (!parsed.ok())
        qFatal("question refused: %s", qPrintable(parsed.error));
    return *parsed.question;
}

QStringList texts(const QList<PanelText>& panels)
{
    QStringList out;
    for (const PanelText& p : panels)
        out << p.text;
    return out;
}

// Checks the boxes and carries of a question against the column sums worked
// out here from the digits: column s adds a_(s-i) x b_i and the carry; the
// boxes, read from the top column down, give the product. The whole
// solution, hints included, must also be the model's.
void checkAgainstColumnSums(const MD::Question& q)
{
    const int m = q.multiplierDigits();
    const int top = 6 + m;
    const WorkedProblem p = MD::solve(q);
    QCOMPARE(p.boxes.size(), 7 + m);
    QCOMPARE(p.carries.size(), 6 + m);
    int carry = 0;
    qint64 rebuilt = 0, scale = 1;
    for (int s = 0; s <= top; ++s, scale *= 10) {
        int total = carry;
        for (int i = 0; i < m; ++i)
            if (s - i >= 0 && s - i <= 7)
                total += q.multiplicand[s - i] * q.multiplier[i];
        const RuleBox& b = p.boxes.at(s);
        const QString at = QStringLiteral("%1 column %2: %3").arg(q.text()).arg(s).arg(b.hint);
        QVERIFY2(b.hint.startsWith(QString::number(total) + " = ("), qPrintable(at));
        QCOMPARE(p.answerPanels.at(s).text, b.text);
        if (s == top) {
            QVERIFY2(b.value == total && b.width == 2 && b.carryLink == -1, qPrintable(at));
            rebuilt += qint64(total) * scale;
            break;
        }
        QVERIFY2(b.value == total % 10 && b.text == QString::number(total % 10), qPrintable(at));
        QVERIFY2(b.width == (total >= 100 ? 3 : 2) && b.carryLink == s, qPrintable(at));
        QVERIFY2(p.carries.at(s).value == total / 10, qPrintable(at));
        rebuilt += qint64(total % 10) * scale;
        carry = total / 10;
    }
    QCOMPARE(rebuilt, q.product());
    QCOMPARE(p.answer, QString::number(q.product()));
    const QString diff = firstDifference(asJson(p), LongMultiplicationModel::directModel(q.text()));
    QVERIFY2(diff.isEmpty(), qPrintable(q.text() + ": " + diff));
}

} // namespace

class TestMultiplyDirectRules : public QObject {
    Q_OBJECT

private slots:
    void workedExample();
    void threeDigitMultiplier();
    void colourHints();
    void customTotalOfHundredOrMore();
    void optionTable();
    void parsing_data();
    void parsing();
    void drawnProblemsFollowTheColumnSums();
    void typedProblemsFollowTheColumnSums();
};

void TestMultiplyDirectRules::workedExample()
{
    const MD::Question q = question("23521543x25");
    QCOMPARE(q.multiplierDigits(), 2);
    const WorkedProblem p = MD::solve(q);
    QCOMPARE(p.method, QStringLiteral("multiply-direct"));
    QCOMPARE(p.question, QStringLiteral("23521543x25"));
    QCOMPARE(p.answer, QStringLiteral("588038575"));

    // The table of the worked example: terms, carry in, total, digit, carry out.
    const QList<MD::Column> cols = MD::columns(q);
    QCOMPARE(cols.size(), 9);
    const int totals[9] = {15, 27, 35, 18, 13, 30, 28, 18, 5};
    const int carryIn[9] = {0, 1, 2, 3, 1, 1, 3, 2, 1};
    const char* terms[9] = {"3x5", "4x5 3x2", "5x5 4x2", "1x5 5x2", "2x5 1x2",
                            "5x5 2x2", "3x5 5x2", "2x5 3x2", "2x2"};
    for (int s = 0; s < 9; ++s) {
        QStringList shown;
        for (const MD::Term& t : cols.at(s).terms)
            shown << QStringLiteral("%1x%2").arg(q.multiplicand[t.d]).arg(q.multiplier[t.i]);
        QCOMPARE(shown.join(' '), QString(terms[s]));
        QCOMPARE(cols.at(s).carryIn, carryIn[s]);
        QCOMPARE(cols.at(s).total, totals[s]);
        QCOMPARE(cols.at(s).carryOut, s < 8 ? totals[s] / 10 : 0);
    }
    QCOMPARE(texts(p.answerPanels).join(','), QStringLiteral("5,7,5,8,3,0,8,8,5"));
    QStringList carries;
    for (const RuleCarry& c : p.carries)
        carries << QString::number(c.value);
    QCOMPARE(carries.join(','), QStringLiteral("1,2,3,1,1,3,2,1"));
    QCOMPARE(texts(p.answerCarryRow).join(','), QStringLiteral("1,2,3,1,1,3,2,1"));
    QCOMPARE(p.answerCarryRow.last().panel, QStringLiteral("pnlAnswerCarry7"));
    QCOMPARE(p.answerPanels.last().panel, QStringLiteral("pnlAnswer8"));

    QCOMPARE(p.boxes.at(0).hint, QStringLiteral("15 = (3 × 5) :: Think:  15|"));
    QCOMPARE(p.boxes.at(1).hint, QStringLiteral("27 = (4 × 5) + (3 × 2) + ^1 :: Think:  20  26  27|"));
    QCOMPARE(p.boxes.at(8).hint, QStringLiteral("5 = (2 × 2) + ^1 :: Think:  4  5|"));
    QCOMPARE(p.boxes.at(8).value, 5);
    QCOMPARE(p.boxes.at(8).carryLink, -1);
    QVERIFY(p.boxes.at(8).stripZeros && !p.boxes.at(7).stripZeros); // "05" in the top box reads 5
    QCOMPARE(p.questionPanels.mid(7), (QList<PanelText>{{"pnlMultiplicand7", "2"}, {"pnlMultiplier0", "2"},
                                                        {"pnlMultiplier1", "5"}}));
    for (const RuleBox& b : p.boxes)
        QVERIFY(b.width == 2 && !b.mental && !b.unused);
}

void TestMultiplyDirectRules::threeDigitMultiplier()
{
    const WorkedProblem p = MD::solve(question("23521543x253"));
    QCOMPARE(p.answer, QStringLiteral("5950950379"));
    QCOMPARE(p.boxes.size(), 10);
    QCOMPARE(p.boxes.at(2).hint,
             QStringLiteral("43 = (5 × 3) + (4 × 5) + (3 × 2) + ^2 :: Think:  15  35  41  43|"));
    // Column 3 totals 40: it writes 0 and carries 4, which column 4 shows.
    QCOMPARE(MD::columns(question("23521543x253")).at(3).total, 40);
    QCOMPARE(p.boxes.at(3).value, 0);
    QCOMPARE(p.carries.at(3).value, 4);
    QCOMPARE(p.answerCarryRow.at(3).text, QStringLiteral("4"));
    QVERIFY(p.boxes.at(4).hint.section(" :: ", 0, 0).endsWith("^4"));
    // Column 0 has no incoming carry; column 1 gets a carry of 0 and shows none.
    QCOMPARE(p.boxes.at(1).hint, QStringLiteral("27 = (4 × 3) + (3 × 5) :: Think:  12  27|"));
    QCOMPARE(p.carries.at(0).value, 0);
    QCOMPARE(p.answerCarryRow.at(0).text, QString());
}

void TestMultiplyDirectRules::colourHints()
{
    using S = ColorHintStyle;
    const quint32 yellow = 0xFFFF00, lime = 0x00FF00, white = 0xFFFFFF, aqua = 0x00FFFF, fuchsia = 0xFF00FF;
    // Column 1 with m = 2: a1 pairs with b0 (lime, pnlMultiplier1), a0 with
    // b1 (yellow, pnlMultiplier0); the incoming carry box 0 is yellow.
    const WorkedProblem two = MD::solve(question("23521543x25"));
    QCOMPARE(two.boxes.at(1).colorHints,
             (QList<ColorHint>{{"pnlCarry0", S::CarryBox},
                               {"pnlMultiplicand1", S::Paint, lime},
                               {"pnlMultiplicand0", S::Paint, yellow},
                               {"pnlMultiplier0", S::Paint, yellow},
                               {"pnlMultiplier1", S::Paint, lime}}));
    QCOMPARE(two.boxes.at(0).colorHints.first(), (ColorHint{"pnlMultiplicand0", S::Paint, lime}));

    // Five digits: the units digit b0 stands in pnlMultiplier4 (fuchsia); the
    // top column pairs a7 with the leading digit (yellow).
    const WorkedProblem five = MD::solve(question("23521543x25314"));
    const QList<ColorHint> col4 = five.boxes.at(4).colorHints;
    QCOMPARE(col4.size(), 1 + 5 + 5);
    QCOMPARE(col4.mid(1, 5), (QList<ColorHint>{{"pnlMultiplicand4", S::Paint, fuchsia},
                                                {"pnlMultiplicand3", S::Paint, aqua},
                                                {"pnlMultiplicand2", S::Paint, white},
                                                {"pnlMultiplicand1", S::Paint, lime},
                                                {"pnlMultiplicand0", S::Paint, yellow}}));
    QCOMPARE(five.boxes.at(11).colorHints.mid(0, 2),
             (QList<ColorHint>{{"pnlCarry10", S::CarryBox}, {"pnlMultiplicand7", S::Paint, yellow}}));
    QCOMPARE(col4.last(), (ColorHint{"pnlMultiplier4", S::Paint, fuchsia}));
}

void TestMultiplyDirectRules::customTotalOfHundredOrMore()
{
    // 99999999 x 99: column 1 totals 81 + 81 + 8 = 170 and needs a
    // three-digit box whose carry is 17; the next column shows "*".
    const MD::Question q = *MD::fromTexts("99999999", "99").question;
    QVERIFY(!MD::fitsTwoDigitBoxes(q));
    const WorkedProblem p = MD::solve(q);
    QCOMPARE(p.answer, QString::number(99999999LL * 99));
    QCOMPARE(p.boxes.at(1).width, 3);
    QCOMPARE(p.boxes.at(1).value, 0);
    QCOMPARE(p.boxes.at(1).hint, QStringLiteral("170 = (9 × 9) + (9 × 9) + ^8 :: Think:  81  162  170|"));
    QCOMPARE(p.carries.at(1).value, 17);
    QCOMPARE(p.answerCarryRow.at(1).text, QStringLiteral("17"));
    QCOMPARE(p.boxes.at(2).hint, QStringLiteral("179 = (9 × 9) + (9 × 9) + * :: Think:  81  162  179|"));
    QCOMPARE(p.boxes.at(0).width, 2);
    QCOMPARE(p.boxes.at(8).text, QStringLiteral("98"));
    QCOMPARE(p.boxes.at(8).width, 2);
    checkAgainstColumnSums(q);

    // The largest question: six running totals of three digits fill the
    // thirty characters of the Think part exactly.
    const WorkedProblem big = MD::solve(*MD::fromTexts("99999999", "99999").question);
    QCOMPARE(big.answer, QStringLiteral("9999899900001"));
    QCOMPARE(big.carries.at(4).value, 44);
    QVERIFY(big.boxes.at(5).hint.endsWith(":: Think:  81  162  243  324  405  449|"));
}

void TestMultiplyDirectRules::optionTable()
{
    QStringList rows;
    for (const MD::Option& o : MD::options())
        rows << QStringLiteral("%1 %2 %3 %4 %5").arg(o.button, o.caption).arg(o.digits).arg(o.storedOption).arg(MD::bestTimeKey(o.digits));
    QCOMPARE(rows, (QStringList{"pnlOpt2 2-Digit 2 1 Time2", "pnlOpt3 3-Digit 3 2 Time3",
                                "pnlOpt4 4-Digit 4 3 Time4", "pnlOpt5 5-Digit 5 4 Time5"}));
    QCOMPARE(MD::optionForStored(4)->hint,
             QStringLiteral("|5-digit multiplier questions are for example: x 68073, x 91247, x 13428, x 15498 ."));
    QVERIFY(!MD::optionForStored(0) && !MD::optionForStored(5) && !MD::optionForDigits(1));
}

void TestMultiplyDirectRules::parsing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error"); // "" = accepted
    const QString cand = QStringLiteral("multiplicand must have 8 digits and must not begin with 0");
    const QString mult = QStringLiteral("multiplier must have 2 to 5 digits and must not begin with 0");
    QTest::newRow("x") << "23521543x25" << "";
    QTest::newRow("times sign, blanks") << " 23521543 × 25314 " << "";
    QTest::newRow("zeros inside") << "20501040x3070" << "";
    QTest::newRow("leading 0") << "03521543x25" << cand;
    QTest::newRow("7 digits") << "2352154x25" << cand;
    QTest::newRow("letter") << "2352a543x25" << cand;
    QTest::newRow("1-digit multiplier") << "23521543x5" << mult;
    QTest::newRow("6-digit multiplier") << "23521543x253141" << mult;
    QTest::newRow("multiplier 05") << "23521543x05" << mult;
    QTest::newRow("no operator") << "23521543"
                                 << "question must be an 8-digit multiplicand, x and a multiplier of 2 to 5 "
                                    "digits, e.g. 23521543x25";
}

void TestMultiplyDirectRules::parsing()
{
    QFETCH(QString, text);
    QFETCH(QString, error);
    const auto parsed = MD::parse(text);
    QCOMPARE(parsed.error, error);
    QCOMPARE(parsed.ok(), error.isEmpty());
    if (parsed.ok())
        QCOMPARE(parsed.question->text(), text.trimmed().replace(" × ", "x"));
}

void TestMultiplyDirectRules::drawnProblemsFollowTheColumnSums()
{
    QRandomGenerator rng(2024);
    for (int m = 2; m <= 5; ++m) {
        MD::Question previous = MD::draw(rng, m);
        QSet<int> digitsSeen;
        for (int n = 0; n < sweepSize(150); ++n) {
            const MD::Question q = MD::draw(rng, m, &previous);
            QVERIFY(!(q == previous));
            QCOMPARE(q.multiplierDigits(), m);
            QVERIFY(q.multiplicand[7] > 0 && q.multiplier[m - 1] > 0);
            for (int d : q.multiplicand)
                digitsSeen << d;
            QVERIFY(MD::fitsTwoDigitBoxes(q));
            checkAgainstColumnSums(q);
            if (QTest::currentTestFailed())
                return;
            previous = q;
        }
        QCOMPARE(digitsSeen.size(), 10); // 0 appears inside the numbers
    }
    // Drawing never repeats the previous question, even when told what it was
    // many times over.
    const MD::Question fixed = question("23521543x25");
    for (int n = 0; n < 200; ++n)
        QVERIFY(!(MD::draw(rng, 2, &fixed) == fixed));
    // The methods' catalogue (the worksheet tool's --random) draws by the
    // option's name.
    for (int m = 2; m <= 5; ++m)
        for (const WorkedProblem& p : drawnProblems("multiply-direct", {QStringLiteral("%1-Digit").arg(m)}, m, 10))
            QCOMPARE(question(p.question).multiplierDigits(), m);
}

void TestMultiplyDirectRules::typedProblemsFollowTheColumnSums()
{
    // Typed questions use the digits 1..9 and may reach totals of 100 or more.
    QRandomGenerator rng(77);
    int wide = 0;
    for (int n = 0; n < sweepSize(400); ++n) {
        const int m = 2 + n % 4;
        QString a, b;
        for (int k = 0; k < 8; ++k)
            a += QChar(u'0' + rng.bounded(1, 10));
        for (int k = 0; k < m; ++k)
            b += QChar(u'0' + rng.bounded(1, 10));
        const auto parsed = MD::fromTexts(a, b);
        QVERIFY2(parsed.ok(), qPrintable(parsed.error));
        checkAgainstColumnSums(*parsed.question);
        if (QTest::currentTestFailed())
            return;
        if (!MD::fitsTwoDigitBoxes(*parsed.question))
            ++wide;
    }
    QVERIFY(wide > sweepSize(400) / 20);
}

QTEST_GUILESS_MAIN(TestMultiplyDirectRules)
#include "tst_MultiplyDirectRules.moc"
