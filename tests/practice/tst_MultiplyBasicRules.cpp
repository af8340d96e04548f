#include "practice/MultiplyBasicRules.h"

#include "Sweeps.h"

#include <QtTest>

using MB = MultiplyBasicRules;

namespace {

MB::Question example(int multiplier)
{
    const auto parsed = MB::parse(QStringLiteral("93821547x%1").arg(multiplier));
    if (!parsed.ok())
        qFatal("example refused: %s", qPrintable(parsed.error));
    return *parsed.question;
}

// The value of a position straight from the method's table of formulas,
// written independently of the rules' step lists.
int formulaValue(int m, int i, const MB::Question& q, int c)
{
    const int d = i < 8 ? q.digits[i] : 0;
    const int n = i > 0 ? q.digits[i - 1] : 0;
    const int h = n / 2, o = d % 2 ? 5 : 0, L = q.digits[7];
    if (i == 0) {
        switch (m) {
        case 3: return 2 * (10 - d) + o;
        case 4: return 10 - d + o;
        case 5: return o;
        case 6: return d + o;
        case 7: return 2 * d + o;
        case 8: return 2 * (10 - d);
        case 9: return 10 - d;
        case 11: return d;
        case 12: return 2 * d;
        }
    } else if (i < 8) {
        switch (m) {
        case 3: return 2 * (9 - d) + o + h + c;
        case 4: return 9 - d + o + h + c;
        case 5: return h + o + c;
        case 6: return d + o + h + c;
        case 7: return 2 * d + o + h + c;
        case 8: return 2 * (9 - d) + n + c;
        case 9: return 9 - d + n + c;
        case 11: return d + n + c;
        case 12: return 2 * d + n + c;
        }
    } else {
        switch (m) {
        case 3: return L / 2 + c - 2;
        case 4: return L / 2 + c - 1;
        case 5: case 6: case 7: return L / 2 + c;
        case 8: return L + c - 2;
        case 9: return L + c - 1;
        case 11: case 12: return L + c;
        }
    }
    return -1;
}

QList<int> carryValues(const WorkedProblem& p)
{
    QList<int> v;
    for (const RuleCarry& c : p.carries)
        v << c.value;
    return v;
}

const int kMultipliers[] = {3, 4, 5, 6, 7, 8, 9, 11, 12};

} // namespace

class TestMultiplyBasicRules : public QObject {
    Q_OBJECT

private slots:
    void workedExampleProducts_data();
    void workedExampleProducts();
    void workedExampleCarries();
    void hints_data();
    void hints();
    void optionTable();
    void ruleLinesAndScreenAids();
    void hintWordsAndColourHints();
    void parsing_data();
    void parsing();
    void randomMultiplicands();
};

void TestMultiplyBasicRules::workedExampleProducts_data()
{
    QTest::addColumn<int>("m");
    QTest::addColumn<QString>("product");
    const char* products[] = {"281464641", "375286188", "469107735", "562929282", "656750829",
                              "750572376", "844393923", "1032037017", "1125858564"};
    for (int k = 0; k < 9; ++k)
        QTest::addRow("x%d", kMultipliers[k]) << kMultipliers[k] << QString(products[k]);
}

void TestMultiplyBasicRules::workedExampleProducts()
{
    QFETCH(int, m);
    QFETCH(QString, product);
    const WorkedProblem p = MB::solve(example(m));
    QCOMPARE(p.method, QStringLiteral("multiply-basic"));
    QCOMPARE(p.question, QStringLiteral("93821547x%1").arg(m));
    QCOMPARE(p.answer, product);
    QCOMPARE(p.boxes.size(), 9);
    QCOMPARE(p.carries.size(), 8);

    const QString leading = product.left(product.size() - 8);
    for (int i = 0; i < 9; ++i) {
        const RuleBox& b = p.boxes.at(i);
        const QString text = i < 8 ? QString(product.at(product.size() - 1 - i)) : leading;
        QCOMPARE(b.box, QStringLiteral("pnlWorking%1").arg(i));
        QCOMPARE(b.text, text);
        QCOMPARE(b.value, text.toInt());
        QCOMPARE(b.width, 2);
        QCOMPARE(b.carryLink, i < 8 ? i : -1);
        QVERIFY(!b.mental && !b.unused);
        QCOMPARE(p.answerPanels.at(i), (PanelText{QStringLiteral("pnlAnswer%1").arg(i), text}));
    }
}

void TestMultiplyBasicRules::workedExampleCarries()
{
    const WorkedProblem x3 = MB::solve(example(3));
    QCOMPARE(carryValues(x3), (QList<int>{1, 1, 1, 2, 1, 0, 2, 0}));
    QCOMPARE(x3.boxes.at(8).value, 2);
    QCOMPARE(x3.carries.at(3).box, QStringLiteral("pnlCarry3"));
    QStringList row;
    for (const PanelText& t : x3.answerCarryRow)
        row << t.text;
    QCOMPARE(row, QString("1,1,1,2,1,,2,").split(','));
    QCOMPARE(x3.answerCarryRow.at(7).panel, QStringLiteral("pnlAnswerCarry7"));

    const WorkedProblem x12 = MB::solve(example(12));
    QCOMPARE(carryValues(x12), (QList<int>{1, 1, 1, 0, 0, 1, 1, 2}));
    QCOMPARE(x12.boxes.at(8).value, 11);
    QCOMPARE(x12.boxes.at(8).text, QStringLiteral("11"));

    // A product below 10^8: the leading part is "0".
    const WorkedProblem small = MB::solve(*MB::parse("11111111x3").question);
    QCOMPARE(small.answer, QStringLiteral("033333333"));
    QCOMPARE(small.boxes.at(8).text, QStringLiteral("0"));
    QCOMPARE(small.answerPanels.at(8).text, QStringLiteral("0"));
    QCOMPARE(small.boxes.at(8).hint, QStringLiteral("0 = (1)½ + ^2 - 2 :: Think:  0  2  0|"));
}

void TestMultiplyBasicRules::hints_data()
{
    QTest::addColumn<int>("m");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("hint");
    QTest::newRow("x3 units") << 3 << 0
                              << QStringLiteral("11 = ((10 - 7) × 2) + 5 {7 --> Odd} :: Think:  3  6  11|");
    QTest::newRow("x6 position 3") << 6 << 3
                                   << QStringLiteral("9 = 1 + 5 {1 --> Odd} + (5)½ + ^1 :: Think:  1  6  8  9|");
    QTest::newRow("x6 position 4, no half step") << 6 << 4 << QStringLiteral("2 = 2 + (1)½ :: Think:  2|");
    QTest::newRow("x12 leading") << 12 << 8 << QStringLiteral("11 = (0 × 2) + 9 + ^2 :: Think:  9  11|");
    QTest::newRow("x12 units") << 12 << 0 << QStringLiteral("14 = (7 × 2) + 0  :: Think:  14|");
    QTest::newRow("x12 position 1") << 12 << 1
                                    << QStringLiteral("16 = (4 × 2) + 7 + ^1 :: Think:  8  15  16|");
    QTest::newRow("x3 leading") << 3 << 8 << QStringLiteral("2 = (9)½ - 2 :: Think:  4  2|");
    QTest::newRow("x4 middle") << 4 << 3
                               << QStringLiteral("16 = (9 - 1) + 5 {1 --> Odd} + (5)½ + ^1 :: Think:  8  13  15  16|");
    QTest::newRow("x5 units") << 5 << 0 << QStringLiteral("5 = (0)½ + 5 {7 --> Odd} :: Think:  5|");
    QTest::newRow("x5 middle, even") << 5 << 4 << QStringLiteral("0 = (1)½ :: Think:  0|");
    QTest::newRow("x6 leading") << 6 << 8 << QStringLiteral("5 = 0 + (9)½ + ^1 :: Think:  4  5|");
    QTest::newRow("x7 middle") << 7 << 7
                               << QStringLiteral("25 = (9 × 2) + 5 {9 --> Odd} + (3)½ + ^1 :: Think:  18  23  24  25|");
    QTest::newRow("x8 units") << 8 << 0 << QStringLiteral("6 = ((10 - 7)) × 2 :: Think:  3  6|");
    QTest::newRow("x8 middle") << 8 << 4 << QStringLiteral("17 = ((9 - 2) × 2) + 1 + ^2 :: Think:  7  14  15  17|");
    QTest::newRow("x8 leading") << 8 << 8 << QStringLiteral("7 = 9 - 2 :: Think:  9  7|");
    QTest::newRow("x9 middle") << 9 << 2 << QStringLiteral("9 = (9 - 5) + 4 + ^1 :: Think:  4  8  9|");
    QTest::newRow("x9 leading") << 9 << 8 << QStringLiteral("8 = 9 - 1 :: Think:  9  8|");
    QTest::newRow("x11 units") << 11 << 0 << QStringLiteral("7 = 7 + 0  :: Think:  7|");
    QTest::newRow("x11 middle") << 11 << 2 << QStringLiteral("10 = 5 + 4 + ^1 :: Think:  9  10|");
    QTest::newRow("x11 leading") << 11 << 8 << QStringLiteral("10 = 0 + 9 + ^1 :: Think:  9  10|");
}

void TestMultiplyBasicRules::hints()
{
    QFETCH(int, m);
    QFETCH(int, position);
    QFETCH(QString, hint);
    QCOMPARE(MB::solve(example(m)).boxes.at(position).hint, hint);
}

void TestMultiplyBasicRules::optionTable()
{
    const auto& options = MB::options();
    QStringList buttons;
    for (const MB::Option& o : options)
        buttons << o.button;
    QCOMPARE(buttons.join(' '),
             QStringLiteral("pnlOpt11 pnlOpt12 pnlOpt5 pnlOpt6 pnlOpt7 pnlOpt8 pnlOpt9 pnlOpt4 pnlOpt3"));

    QCOMPARE(MB::optionForStored(9)->multiplier, 3);
    QCOMPARE(MB::optionForStored(1)->multiplier, 11);
    QCOMPARE(MB::optionForStored(2)->bestTimeKey, QStringLiteral("Time12"));
    QCOMPARE(MB::optionForStored(8)->index, 1);
    QVERIFY(MB::optionForStored(0) == nullptr);
    QVERIFY(MB::optionForStored(10) == nullptr);

    const MB::Option* x7 = MB::optionForMultiplier(7);
    QCOMPARE(x7->button, QStringLiteral("pnlOpt7"));
    QCOMPARE(x7->caption, QStringLiteral("7"));
    QCOMPARE(x7->storedOption, 5);
    QCOMPARE(x7->bestTimeKey, QStringLiteral("Time7"));
    QCOMPARE(x7->index, 4);
    QCOMPARE(x7->hint, QStringLiteral("|Multiplication by 7."));
    for (int index = 0; index < 9; ++index)
        QCOMPARE(MB::optionForIndex(index)->multiplier, kMultipliers[index]);
    QVERIFY(!MB::isMultiplier(10) && !MB::isMultiplier(2) && MB::isMultiplier(12));
}

void TestMultiplyBasicRules::ruleLinesAndScreenAids()
{
    QCOMPARE(MB::ruleTitle(12), QStringLiteral("RULE FOR NUMBER 12"));
    QCOMPARE(MB::ruleLineIds(3), (std::array<int, 3>{65290, 65291, 65292}));
    QCOMPARE(MB::ruleLineIds(12), (std::array<int, 3>{65279, 65278, 0}));
    QCOMPARE(MB::ruleLineIds(9), (std::array<int, 3>{65275, 65276, 65277}));
    QCOMPARE(MB::ruleLines(5),
             (QStringList{" Take \"half\" the neighbor ", " Add 5 if number is odd ", QString()}));
    QCOMPARE(MB::ruleLines(11), (QStringList{"Add the neighbor ", QString(), QString()}));

    QList<int> positional, withZeros;
    for (int m : kMultipliers) {
        if (MB::hasPositionalRules(m))
            positional << m;
        if (MB::dummyZerosVisible(m))
            withZeros << m;
    }
    QCOMPARE(positional, (QList<int>{3, 4, 8, 9}));
    QCOMPARE(withZeros, (QList<int>{5, 6, 7, 11, 12}));

    QCOMPARE(MB::enabledRuleLines(8, 0), (std::array<bool, 3>{true, false, false}));
    QCOMPARE(MB::enabledRuleLines(8, 7), (std::array<bool, 3>{false, true, false}));
    QCOMPARE(MB::enabledRuleLines(4, 8), (std::array<bool, 3>{false, false, true}));
    QCOMPARE(MB::enabledRuleLines(6, 8), (std::array<bool, 3>{true, true, true}));

    QCOMPARE(MB::multiplierTexts(7), QStringList{"7"});
    QCOMPARE(MB::multiplierTexts(12), (QStringList{"1", "2"}));
    QCOMPARE(MB::multiplierTexts(11), (QStringList{"1", "1"}));
}

void TestMultiplyBasicRules::hintWordsAndColourHints()
{
    QCOMPARE(MB::hintWords(6, 0), (QList<PanelText>{{"pnlMultiplicand0", "Number|"},
                                                     {"pnlMultiplicandDummyRight", "Neighbor|"}}));
    QCOMPARE(MB::hintWords(3, 4), (QList<PanelText>{{"pnlMultiplicand4", "Number|"},
                                                     {"pnlMultiplicand3", "Neighbor|"}}));
    QCOMPARE(MB::hintWords(6, 8), (QList<PanelText>{{"pnlMultiplicandDummyLeft", "Number|"},
                                                     {"pnlMultiplicand7", "Neighbor|"}}));
    QCOMPARE(MB::hintWords(9, 8), (QList<PanelText>{{"pnlMultiplicand7", "Left-side digit|"}}));

    using S = ColorHintStyle;
    const WorkedProblem p = MB::solve(example(7));
    QCOMPARE(p.boxes.at(0).colorHints,
             (QList<ColorHint>{{"pnlMultiplicand0", S::Background}, {"pnlMultiplicandDummyRight", S::Text}}));
    QCOMPARE(p.boxes.at(3).colorHints,
             (QList<ColorHint>{{"pnlMultiplicand3", S::Background}, {"pnlMultiplicand2", S::Background},
                               {"pnlCarry2", S::CarryBox}}));
    QCOMPARE(p.boxes.at(8).colorHints,
             (QList<ColorHint>{{"pnlMultiplicand7", S::Background}, {"pnlCarry7", S::CarryBox},
                               {"pnlMultiplicandDummyLeft", S::Text}}));
}

void TestMultiplyBasicRules::parsing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error"); // "" = accepted
    const QString digits = QStringLiteral("multiplicand must have 8 digits, each from 1 to 9");
    const QString mult = QStringLiteral("multiplier must be 3, 4, 5, 6, 7, 8, 9, 11 or 12");
    QTest::newRow("x") << "93821547x12" << "";
    QTest::newRow("times sign") << "93821547×3" << "";
    QTest::newRow("blanks") << " 93821547 x 9 " << "";
    QTest::newRow("7 digits") << "9382154x3" << digits;
    QTest::newRow("9 digits") << "938215471x3" << digits;
    QTest::newRow("a 0 digit") << "93801547x3" << digits;
    QTest::newRow("a letter") << "9382a547x3" << digits;
    QTest::newRow("multiplier 10") << "93821547x10" << mult;
    QTest::newRow("multiplier 2") << "93821547x2" << mult;
    QTest::newRow("multiplier 012") << "93821547x012" << mult;
    QTest::newRow("no multiplier") << "93821547x" << mult;
    QTest::newRow("no operator") << "93821547"
                                 << "question must be an 8-digit multiplicand, x and a multiplier, e.g. 93821547x12";
}

void TestMultiplyBasicRules::parsing()
{
    QFETCH(QString, text);
    QFETCH(QString, error);
    const auto parsed = MB::parse(text);
    QCOMPARE(parsed.error, error);
    QCOMPARE(parsed.ok(), error.isEmpty());
    if (parsed.ok()) {
        QCOMPARE(parsed.question->digits[0], 7);
        QCOMPARE(parsed.question->digits[7], 9);
    }
}

void TestMultiplyBasicRules::randomMultiplicands()
{
    QRandomGenerator rng(4711);
    for (int n = 0; n < sweepSize(300); ++n) {
        for (int m : kMultipliers) {
            const MB::Question q = MB::draw(rng, m);
            QCOMPARE(q.multiplier, m);
            for (int d : q.digits)
                QVERIFY(d >= 1 && d <= 9);
            const qint64 product = q.product();
            const auto pos = MB::positions(q);
            const WorkedProblem p = MB::solve(q);

            qint64 rebuilt = 0, scale = 1;
            int carry = 0;
            for (int i = 0; i < 9; ++i) {
                const MB::Position& at = pos.at(i);
                const QString ctx = QStringLiteral("%1 position %2").arg(q.text()).arg(i);
                QVERIFY2(at.value == formulaValue(m, i, q, carry), qPrintable(ctx));
                QVERIFY2(at.carryIn == carry, qPrintable(ctx));
                // The hint starts with the value and its last Think step is the value.
                QVERIFY2(at.hint.startsWith(QString::number(at.value) + " = "), qPrintable(ctx));
                QVERIFY2(at.hint.endsWith("  " + QString::number(at.value) + "|"), qPrintable(ctx));
                QCOMPARE(at.hint.contains('^'), carry > 0);
                if (i < 8) {
                    QVERIFY2(at.value % 10 == product / scale % 10, qPrintable(ctx));
                    QCOMPARE(p.boxes.at(i).value, at.value % 10);
                    QCOMPARE(p.carries.at(i).value, at.value / 10);
                    rebuilt += qint64(at.value % 10) * scale;
                    carry = at.value / 10;
                } else {
                    QCOMPARE(p.boxes.at(8).value, at.value);
                    rebuilt += qint64(at.value) * scale;
                }
                scale *= 10;
            }
            QCOMPARE(rebuilt, product);
            QCOMPARE(p.answer, QString::number(product).rightJustified(9, '0'));
        }
    }
}

QTEST_GUILESS_MAIN(TestMultiplyBasicRules)
#include "tst_MultiplyBasicRules.moc"
