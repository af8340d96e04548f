#include <QtTest>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "WorksheetTool.h"

namespace {

using Run = WorksheetRun;

Run runTool(const QStringList& args)
{
    return runWorksheet(args);
}

QJsonObject parseLine(const QByteArray& line)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(line, &error);
    if (error.error != QJsonParseError::NoError)
        qWarning("not JSON (%s): %s", qPrintable(error.errorString()), line.constData());
    return doc.object();
}

const QString kAddition = QStringLiteral("63275198+25845355+56996957+43713367+62696137+63119398");

} // namespace

class TestWorksheet : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void multiplyBasicJson();
    void speedAdditionJson();
    void timesSignAndReadableText();
    void randomIsRepeatable();
    void randomUsesOptions();
    void refusals_data();
    void refusals();
    void help();
};

void TestWorksheet::initTestCase()
{
    QVERIFY2(QFileInfo::exists(worksheetToolPath()), qPrintable(worksheetToolPath() + " has not been built"));
}

void TestWorksheet::multiplyBasicJson()
{
    const Run r = runTool({"multiply-basic", "93821547x12", "--json"});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.err.isEmpty());
    QCOMPARE(lines(r.out).size(), 1);

    // Keys in the documented order; the multiplication sign as UTF-8.
    const QByteArray line = lines(r.out).first();
    qsizetype last = -1;
    for (const char* key : {"\"method\"", "\"question\"", "\"answer\"", "\"boxes\"", "\"carries\""}) {
        const qsizetype at = line.indexOf(key);
        QVERIFY2(at > last, key);
        last = at;
    }
    QVERIFY(line.contains("(7 \xC3\x97 2)"));
    QVERIFY(!line.contains("remainder"));

    const QJsonObject o = parseLine(line);
    QCOMPARE(o.value("method").toString(), QStringLiteral("multiply-basic"));
    QCOMPARE(o.value("question").toString(), QStringLiteral("93821547x12"));
    QCOMPARE(o.value("answer").toString(), QStringLiteral("1125858564"));
    const QJsonArray boxes = o.value("boxes").toArray();
    QCOMPARE(boxes.size(), 9);
    const QString digits = QStringLiteral("46585852");
    for (int i = 0; i < 9; ++i) {
        const QJsonObject b = boxes.at(i).toObject();
        QCOMPARE(b.keys().size(), 7);
        QCOMPARE(b.value("box").toString(), QStringLiteral("pnlWorking%1").arg(i));
        QCOMPARE(b.value("width").toInt(), 2);
        QCOMPARE(b.value("mental").toBool(true), false);
        QCOMPARE(b.value("unused").toBool(true), false);
        if (i < 8) {
            QCOMPARE(b.value("value").toInt(), digits.at(i).digitValue());
            QCOMPARE(b.value("text").toString(), QString(digits.at(i)));
        }
    }
    QCOMPARE(boxes.at(0).toObject().value("hint").toString(),
             QStringLiteral("14 = (7 × 2) + 0  :: Think:  14|"));
    QCOMPARE(boxes.at(1).toObject().value("hint").toString(),
             QStringLiteral("16 = (4 × 2) + 7 + ^1 :: Think:  8  15  16|"));
    QCOMPARE(boxes.at(8).toObject().value("value").toInt(), 11);
    QCOMPARE(boxes.at(8).toObject().value("text").toString(), QStringLiteral("11"));
    QCOMPARE(boxes.at(8).toObject().value("hint").toString(),
             QStringLiteral("11 = (0 × 2) + 9 + ^2 :: Think:  9  11|"));

    const QJsonArray carries = o.value("carries").toArray();
    const int expected[8] = {1, 1, 1, 0, 0, 1, 1, 2};
    QCOMPARE(carries.size(), 8);
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(carries.at(i).toObject().value("box").toString(), QStringLiteral("pnlCarry%1").arg(i));
        QCOMPARE(carries.at(i).toObject().value("value").toInt(), expected[i]);
    }
}

void TestWorksheet::speedAdditionJson()
{
    const Run r = runTool({"speed-addition", kAddition, "--json"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(lines(r.out).size(), 1);
    const QJsonObject o = parseLine(lines(r.out).first());
    QCOMPARE(o.value("method").toString(), QStringLiteral("speed-addition"));
    QCOMPARE(o.value("question").toString(), kAddition);
    QCOMPARE(o.value("answer").toString(), QStringLiteral("315646412"));

    const QJsonArray boxes = o.value("boxes").toArray();
    QCOMPARE(boxes.size(), 65);
    const QJsonObject tick = boxes.at(1).toObject(); // row 2 of column 0 ticks
    QCOMPARE(tick.value("value").toInt(), 1);
    QCOMPARE(tick.value("text").toString(), QStringLiteral("1"));
    QCOMPARE(tick.value("width").toInt(), 1);
    const QJsonObject noTick = boxes.at(0).toObject();
    QCOMPARE(noTick.value("value").toInt(), 0);
    QCOMPARE(noTick.value("text").toString(), QString());
    const QJsonObject running = boxes.at(5).toObject();
    QCOMPARE(running.value("hint").toString(), QStringLiteral("7|"));
    QCOMPARE(running.value("width").toInt(), 2);
    const QJsonObject b57 = boxes.at(57).toObject();
    QCOMPARE(b57.value("box").toString(), QStringLiteral("pnlWorking57"));
    QCOMPARE(b57.value("value").toInt(), 1);
    QCOMPARE(b57.value("hint").toString(), QStringLiteral("11 = 4 + 3 + 3 + ^1|"));
    QCOMPARE(boxes.at(64).toObject().value("hint").toString(), QStringLiteral("3 = 0 + 0 + 2 + ^1|"));
    QCOMPARE(boxes.at(64).toObject().value("width").toInt(), 1);

    const QJsonArray carries = o.value("carries").toArray();
    const int expected[8] = {1, 1, 1, 0, 1, 0, 0, 1};
    QCOMPARE(carries.size(), 8);
    for (int c = 0; c < 8; ++c) {
        QCOMPARE(carries.at(c).toObject().value("box").toString(), QStringLiteral("pnlCarryTotal%1").arg(c));
        QCOMPARE(carries.at(c).toObject().value("value").toInt(), expected[c]);
    }
}

void TestWorksheet::timesSignAndReadableText()
{
    for (const char* question : {"93821547×3", "93821547X3"}) {
        const Run json = runTool({"multiply-basic", question, "--json"});
        QCOMPARE(json.exitCode, 0);
        QCOMPARE(parseLine(lines(json.out).first()).value("question").toString(), QStringLiteral("93821547x3"));
    }

    // Without --json: a readable solution with the answer and the step hints.
    const Run text = runTool({"multiply-basic", "93821547", "x", "3"});
    QCOMPARE(text.exitCode, 0);
    const QString out = QString::fromUtf8(text.out);
    QVERIFY(out.contains("281464641"));
    QVERIFY(out.contains("11 = ((10 - 7) × 2) + 5 {7 --> Odd} :: Think:  3  6  11"));
    QVERIFY(!out.trimmed().startsWith('{'));
}

void TestWorksheet::randomIsRepeatable()
{
    for (const char* method : {"speed-addition", "multiply-basic"}) {
        const QStringList args = {method, "--random", "--count", "3", "--seed", "7", "--json"};
        const Run a = runTool(args);
        const Run b = runTool(args);
        QCOMPARE(a.exitCode, 0);
        QVERIFY(a.err.isEmpty());
        QCOMPARE(a.out, b.out);
        const QList<QByteArray> l = lines(a.out);
        QCOMPARE(l.size(), 3);
        QStringList questions;
        for (const QByteArray& line : l) {
            const QJsonObject o = parseLine(line);
            QCOMPARE(o.value("method").toString(), QString(method));
            questions << o.value("question").toString();
        }
        QCOMPARE(questions.removeDuplicates(), 0);

        const Run other = runTool({method, "--random", "--count", "3", "--seed=8", "--json"});
        QCOMPARE(other.exitCode, 0);
        QVERIFY(other.out != a.out);
    }
}

void TestWorksheet::randomUsesOptions()
{
    const Run dflt = runTool({"multiply-basic", "--random", "--count", "5", "--json"});
    QCOMPARE(dflt.exitCode, 0);
    for (const QByteArray& line : lines(dflt.out))
        QVERIFY(parseLine(line).value("question").toString().endsWith("x11"));

    const Run x3 = runTool({"multiply-basic", "--random", "--option", "3", "--count", "5", "--json"});
    QCOMPARE(x3.exitCode, 0);
    QCOMPARE(lines(x3.out).size(), 5);
    for (const QByteArray& line : lines(x3.out)) {
        const QJsonObject o = parseLine(line);
        const QString q = o.value("question").toString();
        QVERIFY(q.endsWith("x3"));
        // The answer is the true product of the drawn question.
        QCOMPARE(o.value("answer").toString(),
                 QString::number(q.left(8).toLongLong() * 3).rightJustified(9, '0'));
    }
}

void TestWorksheet::refusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("says"); // part of the one stderr line

    const QString eight = QStringLiteral("multiplicand must have 8 digits, each from 1 to 9");
    QTest::newRow("7-digit multiplicand") << QStringList{"multiply-basic", "9382154x3"} << eight;
    QTest::newRow("9-digit multiplicand") << QStringList{"multiply-basic", "938215470x3", "--json"} << eight;
    QTest::newRow("0 digit") << QStringList{"multiply-basic", "93821507x3", "--json"} << eight;
    QTest::newRow("letter") << QStringList{"multiply-basic", "9382154ax3"} << eight;
    QTest::newRow("bad multiplier") << QStringList{"multiply-basic", "93821547x10"} << "multiplier must be";
    QTest::newRow("7-digit addend")
        << QStringList{"speed-addition", "6327519+25845355+56996957+43713367+62696137+63119398", "--json"}
        << "number 1 (\"6327519\") must have 8 digits";
    QTest::newRow("letter in addend")
        << QStringList{"speed-addition", "63275198+25845355+56996957+4371336x+62696137+63119398"}
        << "number 4";
    QTest::newRow("five addends")
        << QStringList{"speed-addition", "63275198+25845355+56996957+43713367+62696137"} << "got 5 numbers";
    QTest::newRow("unknown method") << QStringList{"add-quickly", "1+2"} << "unknown method 'add-quickly'";
    QTest::newRow("unknown option") << QStringList{"multiply-basic", "--random", "--option", "13"}
                                    << "unknown option '13'";
    QTest::newRow("option for addition") << QStringList{"speed-addition", "--random", "--option", "11"}
                                         << "has no options";
    QTest::newRow("two multipliers") << QStringList{"multiply-basic", "--random", "--option", "3", "--option", "4"}
                                     << "only one multiplier option";
    QTest::newRow("count 0") << QStringList{"multiply-basic", "--random", "--count", "0"} << "--count";
    QTest::newRow("count word") << QStringList{"multiply-basic", "--random", "--count", "three"} << "--count";
    QTest::newRow("negative seed") << QStringList{"speed-addition", "--random", "--seed", "-1"} << "--seed";
    QTest::newRow("huge seed") << QStringList{"speed-addition", "--random", "--seed", "4294967296"} << "--seed";
    QTest::newRow("count without random") << QStringList{"multiply-basic", "93821547x3", "--count", "2"}
                                          << "--random";
    QTest::newRow("words after the question") << QStringList{"multiply-basic", "93821547x3", "foo"}
                                              << "unexpected text after the question: 'foo'";
    QTest::newRow("two counts") << QStringList{"multiply-basic", "--random", "--count", "2", "--count", "3"}
                                << "only one --count";
    QTest::newRow("two seeds") << QStringList{"speed-addition", "--random", "--seed=1", "--seed", "2"}
                               << "only one --seed";
    QTest::newRow("question and random") << QStringList{"multiply-basic", "93821547x3", "--random"}
                                         << "not both";
    QTest::newRow("no question") << QStringList{"multiply-basic", "--json"} << "missing QUESTION";
    QTest::newRow("unknown flag") << QStringList{"multiply-basic", "93821547x3", "--pretty"}
                                  << "unknown argument '--pretty'";
    QTest::newRow("no arguments") << QStringList{} << "missing METHOD";
}

void TestWorksheet::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(QString, says);
    const Run r = runTool(args);
    VERIFY_REFUSED(r, says);
}

void TestWorksheet::help()
{
    const Run r = runTool({"--help"});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.err.isEmpty());
    const QString out = QString::fromUtf8(r.out);
    QVERIFY(out.contains("vandrelsholm-worksheet METHOD --random"));
    QVERIFY(out.contains("speed-addition"));
    QVERIFY(out.contains("multiply-basic"));
}

QTEST_GUILESS_MAIN(TestWorksheet)
#include "tst_Worksheet.moc"
