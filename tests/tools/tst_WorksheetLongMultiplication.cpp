// The worksheet tool's multiply-direct and multiply-two-finger on the command
// line: worked examples with their hints, each line the rules' solution
// (checked against models of the two methods in the rules tests), the
// readable form, the options and defaults, and the refusals.
#include <QtTest>

#include "WorkedProblemJson.h"
#include "WorksheetTool.h"

namespace {

const QString kTimes = QStringLiteral("\u00D7");

} // namespace

class TestWorksheetLongMultiplication : public QObject {
    Q_OBJECT

private slots:
    void randomProblemsUseTheOptions();
    void workedExamples_data();
    void workedExamples();
    void readableText();
    void defaultOptions();
    void refusals_data();
    void refusals();
};

void TestWorksheetLongMultiplication::randomProblemsUseTheOptions()
{
    // Each line is the rules' solution of its question, of the sizes and
    // digits the options ask for (the defaults: defaultOptions).
    const struct {
        QStringList args;
        int multiplierDigits;
        QChar highestDigit;
    } runs[] = {
        {{"multiply-direct", "--option", "4-Digit"}, 4, '9'},
        {{"multiply-two-finger", "--option", "1-9", "--option", "3-Digit"}, 3, '9'},
        {{"multiply-two-finger", "--option", "5-Digit"}, 5, '5'},
    };
    for (const auto& run : runs) {
        const WorksheetRun r = runWorksheet(run.args + QStringList{"--random", "--count", "15", "--json"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.err.isEmpty());
        const QList<QJsonObject> lines = worksheetJsonLines(r.out);
        QCOMPARE(lines.size(), 15);
        for (const QJsonObject& line : lines) {
            const QString q = line.value("question").toString();
            QCOMPARE(q.section('x', 1).size(), run.multiplierDigits);
            for (QChar c : q.left(8) + q.mid(9))
                QVERIFY2(c <= run.highestDigit, qPrintable(q));
            QCOMPARE(firstDifference(line, solvedJson(run.args.first(), q)), QString());
        }
    }
}

void TestWorksheetLongMultiplication::workedExamples_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("hint");
    QTest::newRow("direct x25 column 1") << "multiply-direct" << "23521543x25" << "588038575" << 1
                                         << "27 = (4 × 5) + (3 × 2) + ^1 :: Think:  20  26  27|";
    QTest::newRow("direct x25 column 0") << "multiply-direct" << "23521543x25" << "588038575" << 0
                                         << "15 = (3 × 5) :: Think:  15|";
    QTest::newRow("direct x25 column 8") << "multiply-direct" << "23521543x25" << "588038575" << 8
                                         << "5 = (2 × 2) + ^1 :: Think:  4  5|";
    QTest::newRow("direct x253 column 2") << "multiply-direct" << "23521543×253" << "5950950379" << 2
                                          << "43 = (5 × 3) + (4 × 5) + (3 × 2) + ^2 :: Think:  15  35  41  43|";
    QTest::newRow("direct x253 column 4") << "multiply-direct" << "23521543x253" << "5950950379" << 4
                                          << "25 = (2 × 3) + (1 × 5) + (5 × 2) + ^4 :: Think:  6  11  21  25|";
    QTest::newRow("direct total 179") << "multiply-direct" << "99999999x99" << "9899999901" << 2
                                      << "179 = (9 × 9) + (9 × 9) + * :: Think:  81  162  179|";
    QTest::newRow("two-finger column 2")
        << "multiply-two-finger" << "23521543x25" << "0588038575" << 2
        << "15 = 54 UT 5 + 43 UT 2 :: Think:  7  15|15 =   2[5 + 2]0   +   0[8 + 0]6   :: Think:  7  15";
    QTest::newRow("two-finger column 3")
        << "multiply-two-finger" << "23521543x25" << "0588038575" << 3
        << "8 = 15 UT 5 + 54 UT 2 + ^1 :: Think:  7  7  8|8 =   0[5 + 2]5   +   1[0 + 0]8   + ^1 :: Think:  7  7  8";
    QTest::newRow("two-finger short product") << "multiply-two-finger" << "23521543x2" << "047043086" << 8
                                              << "0 = 2 T 2 :: Think:  0|0 =   [0]4   :: Think:  0";
    QTest::newRow("two-finger x253 column 4")
        << "multiply-two-finger" << "23521543x253" << "05950950379" << 4
        << "15 = 21 UT 3 + 15 UT 5 + 54 UT 2 + ^2 :: Think:  6  13  13  15|15 =   0[6 + 0]3   +   0[5 + 2]5   +   1[0 "
           "+ 0]8   + ^2 :: Think:  6  13  13  15";
}

void TestWorksheetLongMultiplication::workedExamples()
{
    QFETCH(QString, method);
    QFETCH(QString, question);
    QFETCH(QString, answer);
    QFETCH(int, column);
    QFETCH(QString, hint);
    const WorksheetRun run = runWorksheet({method, question, "--json"});
    QCOMPARE(run.exitCode, 0);
    const QList<QJsonObject> lines = worksheetJsonLines(run.out);
    QCOMPARE(lines.size(), 1);
    const QJsonObject o = lines.first();
    QCOMPARE(o.value("answer").toString(), answer);
    QCOMPARE(o.value("boxes").toArray().at(column).toObject().value("hint").toString(), hint);
    const QString written = question.replace(kTimes, "x");
    QCOMPARE(o.value("question").toString(), written);
    QCOMPARE(firstDifference(o, solvedJson(method, written)), QString());
    // Keys in the documented order, no remainder.
    const QByteArray line = run.out.trimmed();
    QVERIFY(line.indexOf("\"method\"") < line.indexOf("\"question\""));
    QVERIFY(line.indexOf("\"answer\"") < line.indexOf("\"boxes\""));
    QVERIFY(line.indexOf("\"boxes\"") < line.indexOf("\"carries\""));
    QVERIFY(!line.contains("remainder"));
}

void TestWorksheetLongMultiplication::readableText()
{
    // A typed total of 100 or more: a box three digits wide, its whole carry.
    const WorksheetRun wide = runWorksheet({"multiply-direct", "99999999x99", "--json"});
    const QJsonObject o = worksheetJsonLines(wide.out).first();
    QCOMPARE(o.value("boxes").toArray().at(1).toObject().value("width").toInt(), 3);
    QCOMPARE(o.value("carries").toArray().at(1).toObject().value("value").toInt(), 17);

    const WorksheetRun text = runWorksheet({"multiply-two-finger", "23521543", "x", "25"});
    QCOMPARE(text.exitCode, 0);
    const QString out = QString::fromUtf8(text.out);
    QVERIFY(out.contains("Answer: 0588038575"));
    QVERIFY(out.contains("15 = 54 UT 5 + 43 UT 2 :: Think:  7  15"));
    QVERIFY(!out.contains("2[5 + 2]0")); // the readable form shows the short part
    const WorksheetRun direct = runWorksheet({"multiply-direct", "23521543x25"});
    QVERIFY(QString::fromUtf8(direct.out).contains("27 = (4 × 5) + (3 × 2) + ^1 :: Think:  20  26  27"));
    QVERIFY(QString::fromUtf8(direct.out).contains("pnlCarry1=2"));
}

void TestWorksheetLongMultiplication::defaultOptions()
{
    // Without --option: 2-Digit for the direct method, 1-Digit 1-5 for two fingers.
    for (const QJsonObject& o :
         worksheetJsonLines(runWorksheet({"multiply-direct", "--random", "--count", "20", "--json"}).out))
        QCOMPARE(o.value("question").toString().section('x', 1).size(), 2);
    for (const QJsonObject& o :
         worksheetJsonLines(runWorksheet({"multiply-two-finger", "--random", "--count", "20", "--json"}).out)) {
        QString q = o.value("question").toString();
        QCOMPARE(q.section('x', 1).size(), 1);
        for (QChar c : q.remove('x'))
            QVERIFY(c >= '1' && c <= '5');
    }
    const QString help = QString::fromUtf8(runWorksheet({"--help"}).out);
    QVERIFY(help.contains("--option (digit range): 1-5, 1-9; default 1-5"));
    QVERIFY(help.contains("--option (multiplier): 2-Digit, 3-Digit, 4-Digit, 5-Digit; default 2-Digit"));
    QVERIFY(!help.contains("not available yet: multiply"));
}

void TestWorksheetLongMultiplication::refusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("says");
    QTest::newRow("direct 1-digit") << QStringList{"multiply-direct", "23521543x5", "--json"}
                                    << "multiplier must have 2 to 5 digits";
    QTest::newRow("two-finger 0") << QStringList{"multiply-two-finger", "23501543x25"}
                                  << "multiplicand must have 8 digits, each from 1 to 9";
    QTest::newRow("direct 1-Digit option") << QStringList{"multiply-direct", "--random", "--option", "1-Digit"}
                                           << "unknown option '1-Digit'";
    QTest::newRow("range 1-7") << QStringList{"multiply-two-finger", "--random", "--option", "1-7"}
                               << "unknown option '1-7'";
    QTest::newRow("two ranges") << QStringList{"multiply-two-finger", "--random", "--option", "1-5", "--option", "1-9"}
                                << "only one digit range option";
    QTest::newRow("trailing words") << QStringList{"multiply-direct", "23521543x25", "x", "3"}
                                    << "unexpected text after the question";
}

void TestWorksheetLongMultiplication::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(QString, says);
    const WorksheetRun run = runWorksheet(args);
    VERIFY_REFUSED(run, says);
}

QTEST_GUILESS_MAIN(TestWorksheetLongMultiplication)
#include "tst_WorksheetLongMultiplication.moc"
