// The worksheet tool on the squares of two- and three-digit numbers: each
// line is the rules' solution (checked against a model of the method over
// every number in the rules test), the worked examples in JSON and text form
// with their explanations, the levels of --random, and the refusals.

#include "WorkedProblemJson.h"
#include "WorksheetTool.h"

#include <QtTest>

namespace {

bool inLevel(const QString& method, int level, int n)
{
    const QString digits = QString::number(n);
    if (method == QLatin1String("square-three-digit")) {
        for (QChar ch : digits)
            if (level == 1 ? ch.digitValue() > 4 : ch.digitValue() < 5)
                return false;
        return digits.size() == 3;
    }
    const int small = (digits.at(0).digitValue() <= 4) + (digits.at(1).digitValue() <= 4);
    const bool noFive = !digits.contains(u'5') && !digits.contains(u'0');
    return digits.size() == 2 && noFive && small == 3 - level;
}

} // namespace

class TestWorksheetSquares : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void randomQuestionsUseTheLevel_data();
    void randomQuestionsUseTheLevel();
    void workedExamples();
    void refusals_data();
    void refusals();
};

void TestWorksheetSquares::initTestCase()
{
    QVERIFY2(QFileInfo::exists(worksheetToolPath()), qPrintable(worksheetToolPath() + " has not been built"));
}

void TestWorksheetSquares::randomQuestionsUseTheLevel_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<int>("level");
    QTest::newRow("2-digit Level 2") << "square-two-digit" << 2;
    QTest::newRow("2-digit Level 3") << "square-two-digit" << 3;
    QTest::newRow("3-digit Level 2") << "square-three-digit" << 2;
}

void TestWorksheetSquares::randomQuestionsUseTheLevel()
{
    QFETCH(QString, method);
    QFETCH(int, level);
    const int count = 15;
    const WorksheetRun r = runWorksheet({method, "--random", "--option", QStringLiteral("Level %1").arg(level),
                                         "--count", QString::number(count), "--seed", QString::number(1000 + level),
                                         "--json"});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.err.isEmpty());
    const QList<QJsonObject> lines = worksheetJsonLines(r.out);
    QCOMPARE(lines.size(), count);
    for (const QJsonObject& line : lines) {
        const QString q = line.value("question").toString();
        QVERIFY2(inLevel(method, level, q.toInt()), qPrintable(q));
        QCOMPARE(firstDifference(line, solvedJson(method, q)), QString());
    }

    // The default option is Level 1, and the same seed gives the same lines.
    const QStringList again = {method, "--random", "--count", "20", "--seed", "77", "--json"};
    const WorksheetRun a = runWorksheet(again), b = runWorksheet(again);
    QCOMPARE(a.out, b.out);
    QCOMPARE(worksheetJsonLines(a.out).size(), 20);
    for (const QJsonObject& line : worksheetJsonLines(a.out))
        QVERIFY(inLevel(method, 1, line.value("question").toString().toInt()));
}

void TestWorksheetSquares::workedExamples()
{
    const struct {
        const char* method;
        const char* question;
        const char* answer;
        int box; // a box whose hint is an explanation of the method's text
        QString explanation;
    } examples[] = {
        {"square-two-digit", "34", "1156", 3, "[09]  [024]  [16] --> [09 + 02][4 + 1]6  --> [11][5]6  --> 1 1 5 6"},
        {"square-two-digit", "79", "6241", 6,
         "[49]  [126]  [81] --> [49 + 12][6 + 8]1  --> [61][¹4]1  --> [61 + ¹ ][4]1  --> 6 2 4 1"},
        {"square-two-digit", "28", "784", 4, "[04]  [032]  [64] --> [04 + 03][2 + 6]4  --> [7][8]4  -->  7 8 4"},
        {"square-three-digit", "785", "616225", 3,
         "[64]  [080]  [25] --> [64 + 08][0 + 2]5  --> [72][ 2]5  --> 7 2 2 5"},
        {"square-three-digit", "785", "616225", 8, "70 = (7 × 5) × 2"},
        {"square-three-digit", "785", "616225", 11, "142 = 72 + 70"},
        {"square-three-digit", "785", "616225", 16,
         "[49]  [112]  [14] --> [49  +  11][2  +  14] --> [60][ ¹6]  --> [60 + ¹ ][6]  --> 6 1 6"},
        {"square-three-digit", "243", "59049", 6,
         "[16]  [024]  [09] --> [16 + 02][4 + 0]9  --> [18][ 4]9  --> 1 8 4 9"},
        {"square-three-digit", "243", "59049", 9, "12 = (2 × 3) × 2"},
        {"square-three-digit", "243", "59049", 12, "30 = 18 + 12"},
        {"square-three-digit", "243", "59049", 17, "[04]  [016]  [3] --> [04  +  01][6  +  3] --> [5][ 9]  --> 5 9"},
    };
    for (const auto& ex : examples) {
        const WorksheetRun json = runWorksheet({ex.method, ex.question, "--json"});
        QCOMPARE(json.exitCode, 0);
        const QJsonObject line = worksheetJsonLines(json.out).value(0);
        QCOMPARE(line.value("answer").toString(), QString(ex.answer));
        const QJsonObject box = line.value("boxes").toArray().at(ex.box).toObject();
        QCOMPARE(box.value("hint").toString(), ex.explanation + QLatin1Char('|'));
        QCOMPARE(firstDifference(line, solvedJson(ex.method, ex.question)), QString());

        // The readable form: the answer and every step's explanation.
        const WorksheetRun text = runWorksheet({ex.method, ex.question});
        QCOMPARE(text.exitCode, 0);
        const QString out = QString::fromUtf8(text.out);
        QVERIFY(out.startsWith(QStringLiteral("%1  %2\nAnswer: %3\n").arg(ex.method, ex.question, ex.answer)));
        QVERIFY2(out.contains(QStringLiteral("  ") + ex.explanation + QLatin1Char('\n')), qPrintable(out));
    }
}

void TestWorksheetSquares::refusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("says");
    const QString two = "question must be a 2-digit number from 10 to 99, e.g. 34";
    const QString three = "question must be a 3-digit number from 100 to 999, e.g. 785";
    QTest::newRow("one digit") << QStringList{"square-two-digit", "7"} << two;
    QTest::newRow("three digits for two") << QStringList{"square-two-digit", "100", "--json"} << two;
    QTest::newRow("leading 0") << QStringList{"square-two-digit", "07"} << two;
    QTest::newRow("letter") << QStringList{"square-two-digit", "3a"} << two;
    QTest::newRow("product") << QStringList{"square-two-digit", "34x34"} << two;
    QTest::newRow("two digits for three") << QStringList{"square-three-digit", "99"} << three;
    QTest::newRow("hundreds 0") << QStringList{"square-three-digit", "078", "--json"} << three;
    QTest::newRow("four digits") << QStringList{"square-three-digit", "1000"} << three;
    QTest::newRow("words after") << QStringList{"square-three-digit", "785", "785"}
                                 << "unexpected text after the question: '785'";
    QTest::newRow("Level 4") << QStringList{"square-two-digit", "--random", "--option", "Level 4"}
                             << "unknown option 'Level 4' for square-two-digit; choose from Level 1, Level 2, Level 3";
    QTest::newRow("Level 3 of three digits") << QStringList{"square-three-digit", "--random", "--option", "Level 3"}
                                             << "unknown option 'Level 3'";
    QTest::newRow("two levels")
        << QStringList{"square-three-digit", "--random", "--option", "Level 1", "--option", "Level 2"}
        << "only one level option";
}

void TestWorksheetSquares::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(QString, says);
    const WorksheetRun r = runWorksheet(args);
    VERIFY_REFUSED(r, says);
}

QTEST_GUILESS_MAIN(TestWorksheetSquares)
#include "tst_WorksheetSquares.moc"
