// The worksheet tool's multiply-direct and multiply-two-finger, line by line
// against a model of the two methods written here from their description
// alone (no rules class is called).
#include <QtTest>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

struct ToolRun {
    int exitCode = -1;
    QByteArray out, err;
};

ToolRun tool(const QStringList& args)
{
    const QString program = qEnvironmentVariable("VSM_BINARY_DIR", QStringLiteral(VSM_BINARY_DIR))
                            + QStringLiteral("/vandrelsholm-worksheet");
    QProcess process;
    process.start(program, args);
    ToolRun run;
    if (process.waitForFinished(300000) && process.exitStatus() == QProcess::NormalExit)
        run = {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
    return run;
}

QList<QJsonObject> jsonLines(const QByteArray& out)
{
    QList<QJsonObject> objects;
    for (const QByteArray& line : out.split('\n'))
        if (!line.isEmpty())
            objects << QJsonDocument::fromJson(line).object();
    return objects;
}

const QString kTimes = QStringLiteral("\u00D7");
const QString kThink = QStringLiteral(" :: Think:");

// The digits of a number from the units up.
QList<int> unitsFirst(const QString& number)
{
    QList<int> d;
    for (qsizetype k = number.size() - 1; k >= 0; --k)
        d << number.at(k).digitValue();
    return d;
}

QString mark(int carry)
{
    return carry == 0 ? QString() : carry < 10 ? QStringLiteral("^%1").arg(carry) : QStringLiteral("*");
}

QJsonObject box(int column, int value, const QString& text, const QString& hint, int width)
{
    return {{"box", QStringLiteral("pnlWorking%1").arg(column)}, {"value", value}, {"text", text},
            {"hint", hint}, {"width", width}, {"mental", false}, {"unused", false}};
}

QJsonObject carryBox(int column, int value)
{
    return {{"box", QStringLiteral("pnlCarry%1").arg(column)}, {"value", value}};
}

// Direct method: column s adds a_(s-i) x b_i over the multiplier digits and
// the carry; the top column 6 + m keeps the leading digits of the product.
QJsonObject directModel(const QString& question)
{
    const QString cand = question.section('x', 0, 0), mult = question.section('x', 1, 1);
    const QList<int> a = unitsFirst(cand), b = unitsFirst(mult);
    const int m = int(b.size()), top = 6 + m;
    QJsonArray boxes, carries;
    int carry = 0;
    for (int s = 0; s <= top; ++s) {
        QStringList terms;
        QString think;
        int total = 0;
        for (int i = 0; i < m; ++i) {
            if (s - i < 0 || s - i > 7)
                continue;
            terms << QStringLiteral("(%1 %2 %3)").arg(a[s - i]).arg(kTimes).arg(b[i]);
            total += a[s - i] * b[i];
            think += QStringLiteral("  %1").arg(total);
        }
        if (carry > 0) {
            terms << mark(carry);
            total += carry;
            think += QStringLiteral("  %1").arg(total);
        }
        const QString hint = QStringLiteral("%1 = %2%3%4|").arg(total).arg(terms.join(" + "), kThink, think.left(30));
        const int shown = s < top ? total % 10 : total;
        boxes << box(s, shown, QString::number(shown), hint, total >= 100 ? 3 : 2);
        if (s < top)
            carries << carryBox(s, total / 10);
        carry = total / 10;
    }
    return {{"method", "multiply-direct"}, {"question", question},
            {"answer", QString::number(cand.toLongLong() * mult.toLongLong())},
            {"boxes", boxes}, {"carries", carries}};
}

// Two-finger method: multiplier digit m_i gives column p the units digit of
// a_(p-i) x m_i and the tens digit of a_(p-i-1) x m_i; the row has 9 + t
// columns and a short product a "0" on top.
QJsonObject twoFingerModel(const QString& question)
{
    const QString cand = question.section('x', 0, 0), mult = question.section('x', 1, 1);
    const QList<int> a = unitsFirst(cand), m = unitsFirst(mult);
    const int top = 7 + int(m.size());
    QJsonArray boxes, carries;
    int carry = 0;
    for (int p = 0; p <= top; ++p) {
        QStringList said, written;
        QString think;
        int n = 0;
        for (int i = 0; i < m.size(); ++i) {
            const int d = p - i;
            if (d < 0 || d > 8)
                continue;
            const QString g = d <= 7 ? QString::asprintf("%02d", a[d] * m[i]) : QString();
            const QString k = d >= 1 ? QString::asprintf("%02d", a[d - 1] * m[i]) : QString();
            if (d == 0) {
                said << QStringLiteral("%1 U %2").arg(a[0]).arg(m[i]);
                written << QStringLiteral("  %1[%2]  ").arg(g[0]).arg(g[1]);
                n += g.right(1).toInt();
            } else if (d == 8) {
                said << QStringLiteral("%1 T %2").arg(a[7]).arg(m[i]);
                written << QStringLiteral("  [%1]%2  ").arg(k[0]).arg(k[1]);
                n += k.left(1).toInt();
            } else {
                said << QStringLiteral("%1%2 UT %3").arg(a[d]).arg(a[d - 1]).arg(m[i]);
                written << QStringLiteral("  %1[%2 + %3]%4  ").arg(g[0]).arg(g[1]).arg(k[0]).arg(k[1]);
                n += g.right(1).toInt() + k.left(1).toInt();
            }
            think += QStringLiteral("  %1").arg(n);
        }
        if (carry > 0) {
            said << mark(carry);
            written << mark(carry);
            n += carry;
            think += QStringLiteral("  %1").arg(n);
        }
        const QString hint = QStringLiteral("%1 = %2%3%4|%1 = %5%3%4")
                                 .arg(QString::number(n), said.join(" + "), kThink, think, written.join(" + "));
        boxes << box(p, n % 10, QString::number(n % 10), hint, 2);
        if (p < top)
            carries << carryBox(p, n / 10);
        carry = n / 10;
    }
    const QString answer = QString::number(cand.toLongLong() * mult.toLongLong()).rightJustified(top + 1, '0');
    return {{"method", "multiply-two-finger"}, {"question", question}, {"answer", answer},
            {"boxes", boxes}, {"carries", carries}};
}

// Compares two objects field by field and names the first difference.
QString firstDifference(const QJsonObject& got, const QJsonObject& want)
{
    if (got == want)
        return QString();
    for (const QString& key : want.keys()) {
        if (got.value(key) == want.value(key))
            continue;
        if (!want.value(key).isArray())
            return key + ": " + got.value(key).toVariant().toString() + " != " + want.value(key).toVariant().toString();
        const QJsonArray g = got.value(key).toArray(), w = want.value(key).toArray();
        for (qsizetype k = 0; k < qMax(g.size(), w.size()); ++k)
            if (g.at(k) != w.at(k))
                return QStringLiteral("%1[%2]: %3 != %4")
                    .arg(key)
                    .arg(k)
                    .arg(QString::fromUtf8(QJsonDocument(g.at(k).toObject()).toJson(QJsonDocument::Compact)),
                         QString::fromUtf8(QJsonDocument(w.at(k).toObject()).toJson(QJsonDocument::Compact)));
    }
    return QStringLiteral("keys differ: ") + got.keys().join(',');
}

int widestBox(const QJsonObject& o)
{
    int widest = 0;
    for (const QJsonValue& b : o.value("boxes").toArray())
        widest = qMax(widest, b.toObject().value("width").toInt());
    return widest;
}

} // namespace

class TestWorksheetLongMultiplication : public QObject {
    Q_OBJECT

private slots:
    void directRandomMatchesModel_data();
    void directRandomMatchesModel();
    void twoFingerRandomMatchesModel_data();
    void twoFingerRandomMatchesModel();
    void workedExamples_data();
    void workedExamples();
    void readableText();
    void defaultOptions();
    void refusals_data();
    void refusals();
};

void TestWorksheetLongMultiplication::directRandomMatchesModel_data()
{
    QTest::addColumn<int>("digits");
    for (int digits = 2; digits <= 5; ++digits)
        QTest::addRow("%d-Digit", digits) << digits;
}

void TestWorksheetLongMultiplication::directRandomMatchesModel()
{
    QFETCH(int, digits);
    const int count = 2000;
    const ToolRun run = tool({"multiply-direct", "--random", "--option", QStringLiteral("%1-Digit").arg(digits),
                              "--count", QString::number(count), "--seed", QString::number(100 + digits), "--json"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.err.isEmpty());
    const QList<QJsonObject> lines = jsonLines(run.out);
    QCOMPARE(lines.size(), count);
    QSet<QChar> digitsSeen;
    QSet<QString> questions;
    for (const QJsonObject& line : lines) {
        const QString q = line.value("question").toString();
        const QString mult = q.section('x', 1);
        QVERIFY2(q.size() == 9 + digits && q.at(8) == 'x' && mult.size() == digits, qPrintable(q));
        QVERIFY2(q.at(0) != '0' && mult.at(0) != '0', qPrintable(q));
        for (QChar c : q.left(8))
            digitsSeen << c;
        const QString diff = firstDifference(line, directModel(q));
        QVERIFY2(diff.isEmpty(), qPrintable(q + ": " + diff));
        // A drawn problem fits two-digit boxes throughout.
        QCOMPARE(widestBox(line), 2);
        questions << q;
    }
    QCOMPARE(digitsSeen.size(), 10);
    QVERIFY(questions.size() > count - 5);
}

void TestWorksheetLongMultiplication::twoFingerRandomMatchesModel_data()
{
    QTest::addColumn<int>("digits");
    QTest::addColumn<QString>("range");
    for (int digits = 1; digits <= 5; ++digits)
        for (const char* range : {"1-5", "1-9"})
            QTest::addRow("%d-Digit %s", digits, range) << digits << QString(range);
}

void TestWorksheetLongMultiplication::twoFingerRandomMatchesModel()
{
    QFETCH(int, digits);
    QFETCH(QString, range);
    const int count = 1000;
    const ToolRun run = tool({"multiply-two-finger", "--random", "--option", range, "--option",
                              QStringLiteral("%1-Digit").arg(digits), "--count", QString::number(count), "--seed",
                              QString::number(7 * digits), "--json"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.err.isEmpty());
    const QList<QJsonObject> lines = jsonLines(run.out);
    QCOMPARE(lines.size(), count);
    const QChar highest = range.back();
    QChar largestSeen = '0';
    int shortProducts = 0;
    for (const QJsonObject& line : lines) {
        const QString q = line.value("question").toString();
        QVERIFY2(q.size() == 9 + digits && q.at(8) == 'x', qPrintable(q));
        for (QChar c : q.left(8) + q.mid(9)) {
            QVERIFY2(c >= '1' && c <= highest, qPrintable(q));
            largestSeen = qMax(largestSeen, c);
        }
        const QString diff = firstDifference(line, twoFingerModel(q));
        QVERIFY2(diff.isEmpty(), qPrintable(q + ": " + diff));
        if (line.value("answer").toString().startsWith('0'))
            ++shortProducts;
    }
    QCOMPARE(largestSeen, highest);
    QVERIFY(shortProducts > 0);
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
    const ToolRun run = tool({method, question, "--json"});
    QCOMPARE(run.exitCode, 0);
    const QList<QJsonObject> lines = jsonLines(run.out);
    QCOMPARE(lines.size(), 1);
    const QJsonObject o = lines.first();
    QCOMPARE(o.value("answer").toString(), answer);
    QCOMPARE(o.value("boxes").toArray().at(column).toObject().value("hint").toString(), hint);
    const QString written = question.replace(kTimes, "x");
    QCOMPARE(o.value("question").toString(), written);
    const QJsonObject model = method == "multiply-direct" ? directModel(written) : twoFingerModel(written);
    QVERIFY2(firstDifference(o, model).isEmpty(), qPrintable(firstDifference(o, model)));
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
    const ToolRun wide = tool({"multiply-direct", "99999999x99", "--json"});
    const QJsonObject o = jsonLines(wide.out).first();
    QCOMPARE(o.value("boxes").toArray().at(1).toObject().value("width").toInt(), 3);
    QCOMPARE(o.value("carries").toArray().at(1).toObject().value("value").toInt(), 17);

    const ToolRun text = tool({"multiply-two-finger", "23521543", "x", "25"});
    QCOMPARE(text.exitCode, 0);
    const QString out = QString::fromUtf8(text.out);
    QVERIFY(out.contains("Answer: 0588038575"));
    QVERIFY(out.contains("15 = 54 UT 5 + 43 UT 2 :: Think:  7  15"));
    QVERIFY(!out.contains("2[5 + 2]0")); // the readable form shows the short part
    const ToolRun direct = tool({"multiply-direct", "23521543x25"});
    QVERIFY(QString::fromUtf8(direct.out).contains("27 = (4 × 5) + (3 × 2) + ^1 :: Think:  20  26  27"));
    QVERIFY(QString::fromUtf8(direct.out).contains("pnlCarry1=2"));
}

void TestWorksheetLongMultiplication::defaultOptions()
{
    // Without --option: 2-Digit for the direct method, 1-Digit 1-5 for two fingers.
    for (const QJsonObject& o : jsonLines(tool({"multiply-direct", "--random", "--count", "20", "--json"}).out))
        QCOMPARE(o.value("question").toString().section('x', 1).size(), 2);
    for (const QJsonObject& o :
         jsonLines(tool({"multiply-two-finger", "--random", "--count", "20", "--json"}).out)) {
        QString q = o.value("question").toString();
        QCOMPARE(q.section('x', 1).size(), 1);
        for (QChar c : q.remove('x'))
            QVERIFY(c >= '1' && c <= '5');
    }
    const QString help = QString::fromUtf8(tool({"--help"}).out);
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
    const ToolRun run = tool(args);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    QCOMPARE(run.err.count('\n'), 1);
    QVERIFY2(QString::fromUtf8(run.err).contains(says), run.err.constData());
}

QTEST_GUILESS_MAIN(TestWorksheetLongMultiplication)
#include "tst_WorksheetLongMultiplication.moc"
