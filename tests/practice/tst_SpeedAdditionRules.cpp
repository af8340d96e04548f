#include "practice/SpeedAdditionRules.h"

#include "Sweeps.h"

#include <QtTest>

using SA = SpeedAdditionRules;

namespace {

const QString kExample =
    QStringLiteral("63275198+25845355+56996957+43713367+62696137+63119398");

SA::Question question(const QString& text)
{
    const auto parsed = SA::parse(text);
    if (!parsed.ok())
        qFatal("test question refused: %s", qPrintable(parsed.error));
    return *parsed.question;
}

QStringList carryValues(const WorkedProblem& p)
{
    QStringList v;
    for (const RuleCarry& c : p.carries)
        v << QString::number(c.value);
    return v;
}

} // namespace

class TestSpeedAdditionRules : public QObject {
    Q_OBJECT

private slots:
    void workedExampleColumns();
    void workedExampleAnswerRow();
    void workedExampleColourHints();
    void elevenTicksTenDoesNot();
    void parsing_data();
    void parsing();
    void gridMoves_data();
    void gridMoves();
    void leftAndRightUndoEachOther();
    void imaginaryZeros();
    void randomQuestionsAddUp();
};

void TestSpeedAdditionRules::workedExampleColumns()
{
    const WorkedProblem p = SA::solve(question(kExample));
    QCOMPARE(p.boxes.size(), 65);

    const int running[8] = {7, 0, 0, 9, 1, 9, 4, 9};
    const int ticks[8] = {2, 2, 3, 2, 3, 1, 3, 3};
    const QList<QList<int>> tickRows = {{2, 4}, {2, 5}, {2, 3, 5}, {1, 4},
                                        {2, 4, 5}, {2}, {1, 3, 5}, {1, 3, 4}};
    for (int g = 0; g < 8; ++g) {
        const RuleBox& rt = p.boxes.at(SA::runningTotalBox(g));
        QCOMPARE(rt.box, QStringLiteral("pnlWorking%1").arg(g * 7 + 5));
        QCOMPARE(rt.value, running[g]);
        QCOMPARE(rt.text, QString::number(running[g]));
        QCOMPARE(rt.hint, QString::number(running[g]) + "|");
        QCOMPARE(rt.width, 2);

        const RuleBox& ct = p.boxes.at(SA::carryTotalBox(g));
        QCOMPARE(ct.value, ticks[g]);
        QCOMPARE(ct.hint, QString::number(ticks[g]) + "|");
        QCOMPARE(ct.width, 1);

        for (int k = 0; k < 5; ++k) {
            const RuleBox& tick = p.boxes.at(SA::tickBox(g, k));
            const bool ticked = tickRows.at(g).contains(k + 1);
            QVERIFY2(SA::isTickBox(g * 7 + k), qPrintable(tick.box));
            QCOMPARE(tick.value, ticked ? 1 : 0);
            QCOMPARE(tick.text, ticked ? QStringLiteral("1") : QString());
            QCOMPARE(tick.hint, QString());
            QCOMPARE(tick.width, 1);
            QCOMPARE(tick.carryLink, -1);
        }
    }
    QVERIFY(!SA::isTickBox(5) && !SA::isTickBox(6) && !SA::isTickBox(56) && !SA::isTickBox(64));
}

void TestSpeedAdditionRules::workedExampleAnswerRow()
{
    const WorkedProblem p = SA::solve(question(kExample));
    QCOMPARE(p.method, QStringLiteral("speed-addition"));
    QCOMPARE(p.question, kExample);
    QCOMPARE(p.answer, QStringLiteral("315646412"));

    const QStringList steps = {"12 = 9 + 3 + 0",     "11 = 4 + 3 + 3 + ^1", "14 = 9 + 1 + 3 + ^1",
                               "6 = 1 + 3 + 1 + ^1", "14 = 9 + 2 + 3",      "6 = 0 + 3 + 2 + ^1",
                               "5 = 0 + 2 + 3",      "11 = 7 + 2 + 2",      "3 = 0 + 0 + 2 + ^1"};
    const QString digits = QStringLiteral("214646513"); // positions 0..8
    for (int c = 0; c < 9; ++c) {
        const RuleBox& b = p.boxes.at(c < 8 ? SA::answerBox(c) : SA::LeadingBox);
        QCOMPARE(b.hint, steps.at(c) + "|");
        QCOMPARE(b.text, QString(digits.at(c)));
        QCOMPARE(b.value, digits.at(c).digitValue());
        QCOMPARE(b.width, c < 8 ? 2 : 1);
        QCOMPARE(b.carryLink, c < 8 ? c : -1);
        QCOMPARE(p.answerPanels.at(c), (PanelText{QStringLiteral("pnlAnswer%1").arg(c), QString(digits.at(c))}));
    }
    QCOMPARE(p.boxes.at(57).box, QStringLiteral("pnlWorking57"));

    QCOMPARE(carryValues(p), QString("1,1,1,0,1,0,0,1").split(','));
    QCOMPARE(p.carries.first().box, QStringLiteral("pnlCarryTotal0"));
    QCOMPARE(p.carries.last().box, QStringLiteral("pnlCarryTotal7"));
    QStringList carryRow;
    for (const PanelText& t : p.answerCarryRow)
        carryRow << t.text;
    QCOMPARE(carryRow, QString("1,1,1,,1,,,1").split(','));
    QCOMPARE(p.answerCarryRow.at(3).panel, QStringLiteral("pnlAnswerCarry3"));
}

void TestSpeedAdditionRules::workedExampleColourHints()
{
    const WorkedProblem p = SA::solve(question(kExample));
    using S = ColorHintStyle;
    // Running total of column 2: the six digits of that column.
    QCOMPARE(p.boxes.at(19).colorHints,
             (QList<ColorHint>{{"pnlQuestion2", S::Background}, {"pnlQuestion10", S::Background},
                               {"pnlQuestion18", S::Background}, {"pnlQuestion26", S::Background},
                               {"pnlQuestion34", S::Background}, {"pnlQuestion42", S::Background}}));
    // Carry total of column 0: its five tick boxes.
    QCOMPARE(p.boxes.at(6).colorHints,
             (QList<ColorHint>{{"pnlWorking0", S::Background}, {"pnlWorking1", S::Background},
                               {"pnlWorking2", S::Background}, {"pnlWorking3", S::Background},
                               {"pnlWorking4", S::Background}}));
    QCOMPARE(p.boxes.at(56).colorHints,
             (QList<ColorHint>{{"pnlWorking54", S::Background}, {"pnlWorking55", S::Background}}));
    QCOMPARE(p.boxes.at(57).colorHints,
             (QList<ColorHint>{{"pnlWorking47", S::Background}, {"pnlWorking48", S::Background},
                               {"pnlWorking55", S::Background}, {"pnlCarryTotal0", S::CarryBox}}));
    QCOMPARE(p.boxes.at(64).colorHints,
             (QList<ColorHint>{{"pnlWorking6", S::Background}, {"pnlCarryTotal7", S::CarryBox}}));
    QVERIFY(p.boxes.at(0).colorHints.isEmpty());
}

void TestSpeedAdditionRules::elevenTicksTenDoesNot()
{
    // Units column 5 + 6 = 11: a tick beside row 1 and 0 left.
    // Tens column 5 + 5 = 10: no tick, running total 10.
    const WorkedProblem p = SA::solve(
        question("00000055+00000056+00000000+00000000+00000000+00000000"));
    QCOMPARE(p.boxes.at(SA::tickBox(7, 0)).value, 1);
    QCOMPARE(p.boxes.at(SA::runningTotalBox(7)).value, 0);
    QCOMPARE(p.boxes.at(SA::carryTotalBox(7)).value, 1);
    for (int k = 0; k < 5; ++k)
        QCOMPARE(p.boxes.at(SA::tickBox(6, k)).value, 0);
    QCOMPARE(p.boxes.at(SA::runningTotalBox(6)).value, 10);
    QCOMPARE(p.boxes.at(SA::runningTotalBox(6)).text, QStringLiteral("10"));
    QCOMPARE(p.boxes.at(SA::carryTotalBox(6)).value, 0);

    QCOMPARE(p.boxes.at(56).hint, QStringLiteral("1 = 0 + 1 + 0|"));
    QCOMPARE(p.boxes.at(57).hint, QStringLiteral("11 = 10 + 0 + 1|"));
    QCOMPARE(p.boxes.at(58).hint, QStringLiteral("1 = 0 + 0 + 0 + ^1|"));
    QCOMPARE(p.carries.at(1).value, 1);

    // A sum of 8 digits or fewer: the leading position expects 0 and shows "0".
    QCOMPARE(p.answer, QStringLiteral("000000111"));
    QCOMPARE(p.boxes.at(64).value, 0);
    QCOMPARE(p.boxes.at(64).text, QStringLiteral("0"));
    QCOMPARE(p.answerPanels.at(8).text, QStringLiteral("0"));
}

void TestSpeedAdditionRules::parsing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error"); // "" = accepted

    QTest::newRow("example") << kExample << "";
    QTest::newRow("blanks") << " 63275198 + 25845355+56996957+43713367+62696137+63119398 " << "";
    QTest::newRow("leading zero") << "03275198+25845355+56996957+43713367+62696137+63119398" << "";
    QTest::newRow("five numbers") << "63275198+25845355+56996957+43713367+62696137"
                                  << "speed addition needs six 8-digit numbers joined by +, got 5 numbers";
    QTest::newRow("seven numbers") << kExample + "+11111111"
                                   << "speed addition needs six 8-digit numbers joined by +, got 7 numbers";
    QTest::newRow("seven digits") << "6327519+25845355+56996957+43713367+62696137+63119398"
                                  << "number 1 (\"6327519\") must have 8 digits, each from 0 to 9";
    QTest::newRow("nine digits") << "63275198+25845355+56996957+437133670+62696137+63119398"
                                 << "number 4 (\"437133670\") must have 8 digits, each from 0 to 9";
    QTest::newRow("letter") << "63275198+25845355+56996957+43713367+626a6137+63119398"
                            << "number 5 (\"626a6137\") must have 8 digits, each from 0 to 9";
    QTest::newRow("empty number") << "63275198++56996957+43713367+62696137+63119398"
                                  << "number 2 (\"\") must have 8 digits, each from 0 to 9";
    QTest::newRow("empty") << "" << "speed addition needs six 8-digit numbers joined by +, got 1 number";
}

void TestSpeedAdditionRules::parsing()
{
    QFETCH(QString, text);
    QFETCH(QString, error);
    const auto parsed = SA::parse(text);
    QCOMPARE(parsed.error, error);
    QCOMPARE(parsed.ok(), error.isEmpty());
    if (parsed.ok())
        QCOMPARE(parsed.question->text(), QString(text).remove(' '));
}

void TestSpeedAdditionRules::gridMoves_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("to");
    const int L = int(SA::Move::Left), R = int(SA::Move::Right), U = int(SA::Move::Up),
              D = int(SA::Move::Down);
    const struct { const char* name; int from, dir, to; } moves[] = {
        {"right 56 -> 64", 56, R, 64},  {"left 64 -> 56", 64, L, 56},
        {"up top tick col 0 -> 63", 0, U, 63},
        {"left col 0 wraps to col 7", 3, L, 52}, {"left inside grid", 20, L, 13},
        {"left answer row", 60, L, 61},  {"left 63 -> 64", 63, L, 64},
        {"right inside grid", 10, R, 17}, {"right col 7 wraps to col 0", 50, R, 1},
        {"right answer row", 60, R, 59}, {"right 64 -> 63", 64, R, 63},
        {"up top tick col 3 -> 60", 21, U, 60}, {"up 56 -> 55", 56, U, 55},
        {"up 57 -> 48", 57, U, 48},      {"up 62 -> 13", 62, U, 13},
        {"up 63 -> 6", 63, U, 6},        {"up 64 -> 6", 64, U, 6},
        {"up inside column", 10, U, 9},  {"up carry -> running", 55, U, 54},
        {"down carry total col 0 -> 63", 6, D, 63}, {"down carry total col 7 -> 56", 55, D, 56},
        {"down 56 -> 49", 56, D, 49},    {"down 57 -> 42", 57, D, 42},
        {"down 62 -> 7", 62, D, 7},      {"down 63 -> 0", 63, D, 0},
        {"down 64 -> 0", 64, D, 0},      {"down inside column", 5, D, 6},
        {"down top tick", 0, D, 1},
    };
    for (const auto& m : moves)
        QTest::newRow(m.name) << m.from << m.dir << m.to;
}

void TestSpeedAdditionRules::gridMoves()
{
    QFETCH(int, from);
    QFETCH(int, direction);
    QFETCH(int, to);
    QCOMPARE(SA::move(from, SA::Move(direction)), to);
}

void TestSpeedAdditionRules::leftAndRightUndoEachOther()
{
    for (int i = 0; i < SA::BoxCount; ++i) {
        for (SA::Move m : {SA::Move::Left, SA::Move::Right, SA::Move::Up, SA::Move::Down}) {
            const int j = SA::move(i, m);
            QVERIFY2(j >= 0 && j < SA::BoxCount, qPrintable(QString::number(i)));
            QVERIFY2(j != i, qPrintable(QString::number(i)));
        }
        QCOMPARE(SA::move(SA::move(i, SA::Move::Left), SA::Move::Right), i);
        QCOMPARE(SA::move(SA::move(i, SA::Move::Right), SA::Move::Left), i);
    }
    QCOMPARE(SA::move(-1, SA::Move::Left), -1);
}

void TestSpeedAdditionRules::imaginaryZeros()
{
    QCOMPARE(SA::imaginaryZerosShown(56), QStringList{"lblRightImaginaryZero"});
    QCOMPARE(SA::imaginaryZerosShown(64),
             (QStringList{"lblLeftImaginaryZero1", "lblLeftImaginaryZero2"}));
    QVERIFY(SA::imaginaryZerosShown(57).isEmpty());
    QVERIFY(SA::imaginaryZerosShown(0).isEmpty());
    QCOMPARE(SA::imaginaryZeroLabels().size(), 3);
}

void TestSpeedAdditionRules::randomQuestionsAddUp()
{
    QRandomGenerator rng(20240611);
    int eightDigitSums = 0;
    for (int n = 0; n < sweepSize(2000); ++n) {
        SA::Question q = SA::draw(rng);
        for (int r = 0; r < SA::Rows; ++r)
            QVERIFY(q.digits[r][0] >= 1 && q.number(r) >= 10000000 && q.number(r) <= 99999999);
        QCOMPARE(SA::parse(q.text()).question->text(), q.text());
        // Every other question has small numbers, so that some sums have 8 digits.
        if (n % 2 == 1) {
            for (auto& row : q.digits)
                row[0] = int(rng.bounded(2));
        }

        const WorkedProblem p = SA::solve(q);
        const QString sum = QString::number(q.sum()).rightJustified(9, '0');
        QCOMPARE(p.answer, sum);
        if (sum.startsWith('0'))
            ++eightDigitSums;

        for (int g = 0; g < SA::Columns; ++g) {
            int digitSum = 0;
            for (int r = 0; r < SA::Rows; ++r)
                digitSum += q.digits[r][g];
            int tickCount = 0;
            for (int k = 0; k < 5; ++k)
                tickCount += p.boxes.at(SA::tickBox(g, k)).value;
            const int rt = p.boxes.at(SA::runningTotalBox(g)).value;
            const int t = p.boxes.at(SA::carryTotalBox(g)).value;
            QCOMPARE(t, tickCount);
            QVERIFY(rt >= 0 && rt <= 10);
            QCOMPARE(rt + 11 * t, digitSum);
        }
        // Each answer box: the hint's total splits into the box digit and the
        // carry that the next position adds.
        for (int c = 0; c < 9; ++c) {
            const RuleBox& b = p.boxes.at(c < 8 ? SA::answerBox(c) : SA::LeadingBox);
            QCOMPARE(b.value, sum.at(8 - c).digitValue());
            const int total = b.hint.section(' ', 0, 0).toInt();
            QCOMPARE(total % 10, b.value);
            if (c < 8)
                QCOMPARE(p.carries.at(c).value, total / 10);
            const bool carried = c > 0 && p.carries.at(c - 1).value > 0;
            QCOMPARE(b.hint.contains('^'), carried);
        }
    }
    QVERIFY2(eightDigitSums > 50, qPrintable(QString::number(eightDigitSums)));
}

QTEST_GUILESS_MAIN(TestSpeedAdditionRules)
#include "tst_SpeedAdditionRules.moc"
