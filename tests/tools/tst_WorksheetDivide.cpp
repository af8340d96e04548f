#include <QtTest>

// The worksheet tool's "divide" on the command line: it prints what the
// division rules compute (each box and step is checked against a model of
// the method in the rules test), in JSON and readable form, draws with the
// options asked for, and refuses bad questions and options.

#include "WorkedProblemJson.h"
#include "WorksheetTool.h"

namespace {

using Run = WorksheetRun;

Run runTool(const QStringList& args)
{
    return runWorksheet(QStringList{"divide"} + args);
}

const QStringList kExamples = {"513994/32", "2758/41", "84659/313", "1991/999"};

} // namespace

class TestWorksheetDivide : public QObject {
    Q_OBJECT

private slots:
    void workedExamples();
    void randomProblemsUseTheOptions();
    void refusals();
};

void TestWorksheetDivide::workedExamples()
{
    for (const QString& q : kExamples) {
        const Run json = runTool({q, "--json"});
        QCOMPARE(json.exitCode, 0);
        QCOMPARE(lines(json.out).size(), 1);
        QCOMPARE(lines(json.out).first(), solvedLine("divide", q));

        // The readable form: the answer, then every box with its step.
        const Run text = runTool({q});
        QCOMPARE(text.exitCode, 0);
        const QString out = QString::fromUtf8(text.out);
        const QJsonObject o = solvedJson("divide", q);
        QVERIFY(out.contains(
            QStringLiteral("Answer: %1  remainder %2").arg(o["answer"].toString()).arg(o["remainder"].toInt())));
        for (const QJsonValue& b : o["boxes"].toArray())
            QVERIFY2(out.contains(b["hint"].toString().chopped(b["unused"].toBool() ? 0 : 1)),
                     qPrintable(b["hint"].toString()));
    }
    // The keys in the documented order, the remainder after the answer,
    // the division sign written in UTF-8.
    const Run r = runTool({"513994", "÷", "32", "--json"});
    QCOMPARE(r.exitCode, 0);
    const QByteArray line = lines(r.out).first();
    QVERIFY(line.startsWith(
        R"({"method": "divide", "question": "513994/32", "answer": "16062", "remainder": 10, "boxes": [)"));
    QVERIFY(line.contains("\"05 \xC3\xB7 3 --> 1|\""));
    QVERIFY(line.endsWith(R"(, "carries": []})"));
}

void TestWorksheetDivide::randomProblemsUseTheOptions()
{
    // The options in either order; each line is the rules' solution of its
    // question, of the sizes asked for.
    for (const char* divisor : {"2-Digit", "3-Digit"}) {
        for (const char* dividend : {"4-Digit", "6-Digit"}) {
            const Run r = runTool({"--random", "--option", dividend, "--option", divisor, "--count", "12", "--seed",
                                   "14", "--json"});
            QCOMPARE(r.exitCode, 0);
            QVERIFY(r.err.isEmpty());
            const QList<QByteArray> l = lines(r.out);
            QCOMPARE(l.size(), 12);
            for (const QByteArray& line : l) {
                const QString q = QJsonDocument::fromJson(line).object()["question"].toString();
                QCOMPARE(q.section('/', 0, 0).size(), QByteArray(dividend).left(1).toInt());
                QCOMPARE(q.section('/', 1).size(), QByteArray(divisor).left(1).toInt());
                QCOMPARE(line, solvedLine("divide", q));
            }
        }
    }
    // Without options: 2-digit divisors, 4-digit dividends.
    const Run dflt = runTool({"--random", "--count", "20", "--json"});
    QCOMPARE(lines(dflt.out).size(), 20);
    for (const QByteArray& line : lines(dflt.out))
        QCOMPARE(QJsonDocument::fromJson(line).object()["question"].toString().size(), 7);
}

void TestWorksheetDivide::refusals()
{
    const QList<QPair<QStringList, QString>> cases = {
        {{"513994/3"}, "divisor must have 2 or 3 digits"},
        {{"513994/0032"}, "divisor must have 2 or 3 digits"},
        {{"123/32"}, "dividend must have 4 to 6 digits"},
        {{"1234567/32", "--json"}, "dividend must have 4 to 6 digits"},
        {{"5139a4/32"}, "dividend must have 4 to 6 digits"},
        {{"513994x32"}, "question must be a dividend of 4 to 6 digits"},
        {{"--random", "--option", "4-Digit", "--option", "5-Digit"}, "only one dividend option"},
        {{"--random", "--option", "3-Digit", "--option", "2-Digit"}, "only one divisor option"},
        {{"--random", "--option", "7-Digit"}, "unknown option '7-Digit'"},
    };
    for (const auto& [args, says] : cases) {
        const Run r = runTool(args);
        VERIFY_REFUSED(r, says);
    }
}

QTEST_GUILESS_MAIN(TestWorksheetDivide)
#include "tst_WorksheetDivide.moc"
