#include <QtTest>

// The worksheet tool's square-root on the command line: each line is the
// rules' solution (checked against a model of the method in the rules
// test), the readable form gives the answer and every box's step, --random
// draws the option's digit count, and bad questions are refused.

#include "WorkedProblemJson.h"
#include "WorksheetTool.h"

namespace {

using Run = WorksheetRun;

Run runTool(const QStringList& args)
{
    return runWorksheet(QStringList{"square-root"} + args);
}

} // namespace

class TestWorksheetSquareRoot : public QObject {
    Q_OBJECT

private slots:
    void randomProblemsUseTheOption();
    void workedExamples();
    void refusals();
};

void TestWorksheetSquareRoot::randomProblemsUseTheOption()
{
    for (int digits : {3, 6, 8}) {
        const Run r = runTool({"--random", "--option", QString("%1-Digit").arg(digits), "--seed",
                               QString::number(1600 + digits), "--count", "12", "--json"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.err.isEmpty());
        const QList<QByteArray> all = lines(r.out);
        QCOMPARE(all.size(), 12);
        for (const QByteArray& line : all) {
            const QString question = QJsonDocument::fromJson(line).object().value("question").toString();
            QCOMPARE(question.size(), digits);
            QCOMPARE(line, solvedLine("square-root", question));
        }
    }
}

void TestWorksheetSquareRoot::workedExamples()
{
    for (const char* n : {"5125", "687", "63925", "39336472"}) {
        const Run json = runTool({n, "--json"});
        QCOMPARE(json.exitCode, 0);
        QCOMPARE(json.out, solvedLine("square-root", n) + '\n');
        QVERIFY(json.out.indexOf("\"answer\"") < json.out.indexOf("\"remainder\"")
                && json.out.indexOf("\"remainder\"") < json.out.indexOf("\"boxes\""));

        // The readable form: one line per box ending in its step.
        const QJsonObject o = QJsonDocument::fromJson(json.out).object();
        const QJsonArray boxes = o.value("boxes").toArray();
        const QList<QByteArray> text = lines(runTool({n}).out);
        QCOMPARE(text.at(1), QString("Answer: %1  remainder %2")
                                 .arg(o.value("answer").toString())
                                 .arg(o.value("remainder").toInteger())
                                 .toUtf8());
        QCOMPARE(text.size(), 4 + boxes.size());
        for (int i = 0; i < boxes.size(); ++i) {
            const QString line = QString::fromUtf8(text.at(4 + i));
            const QJsonObject b = boxes.at(i).toObject();
            QVERIFY2(line.startsWith(b.value("box").toString() + ' ')
                         && line.endsWith(b.value("hint").toString().chopped(1).trimmed()),
                     qPrintable(line));
        }
    }
    const Run example = runTool({"5125", "--json"});
    QVERIFY(example.out.contains(
        "{\"box\": \"pnlWorking0\", \"value\": 7, \"text\": \"7\", \"hint\": \"7 :   V\xC2\xAF" "51 = 7.---  ;   "
        "(7 \xC2\xB2 = 49, 8 \xC2\xB2 = 64)|\", \"width\": 1, \"mental\": false, \"unused\": false}"));
    QVERIFY(example.out.startsWith("{\"method\": \"square-root\", \"question\": \"5125\", \"answer\": \"71\", "
                                   "\"remainder\": 84, \"boxes\": ["));
}

void TestWorksheetSquareRoot::refusals()
{
    const QList<QPair<QStringList, QString>> cases = {
        {{"51"}, "the number must have 3 to 8 digits, not 2"},
        {{"123456789"}, "the number must have 3 to 8 digits, not 9"},
        {{"0512"}, "the number must not begin with 0"},
        {{"51x25"}, "the question must be a whole number of 3 to 8 digits, e.g. 5125"},
        {{"5125", "7"}, "unexpected text after the question: '7'"},
        {{"--random", "--option", "9-Digit"}, "unknown option '9-Digit' for square-root"},
    };
    for (const auto& [args, says] : cases) {
        const Run r = runTool(args);
        VERIFY_REFUSED(r, says);
    }
}

QTEST_GUILESS_MAIN(TestWorksheetSquareRoot)
#include "tst_WorksheetSquareRoot.moc"
