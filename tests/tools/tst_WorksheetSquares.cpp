// The worksheet tool on the squares of two- and three-digit numbers: every
// field of every line compared with a model of the method written here from
// the method's own description, over thousands of random questions per level,
// the worked examples in JSON and text form, and the refusals.

#include "WorksheetTool.h"

#include <QtTest>

#include <QJsonArray>

namespace {

// ---------------------------------------------------------------- the model

const QString Sq = QStringLiteral("²");
const QString Tm = QStringLiteral("×");

QString zeros(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

// A carry digit written small before the units: 14 -> "¹4".
QString small(int sum)
{
    static const QString sup[] = {QString(), QStringLiteral("¹"), QStringLiteral("²"), QStringLiteral("³")};
    return sup[sum / 10] + QString::number(sum % 10);
}

QJsonObject box(const QString& name, int value, const QString& text, const QString& hint, int width, bool mental,
                bool unused = false)
{
    return QJsonObject{{"box", name},   {"value", value},   {"text", text},     {"hint", hint},
                       {"width", width}, {"mental", mental}, {"unused", unused}};
}

// The three parts T², 2TU, U² of a two-digit square as boxes 0..2.
QJsonArray parts(int t, int u)
{
    return {box("pnlWorking0", t * t, zeros(t * t, 2), QStringLiteral("%1 = %2 %3|").arg(zeros(t * t, 2)).arg(t).arg(Sq),
                2, true),
            box("pnlWorking1", 2 * t * u, zeros(2 * t * u, 3),
                QStringLiteral("%1 = (%2 %4 %3) %4 2|").arg(zeros(2 * t * u, 3)).arg(t).arg(u).arg(Tm), 3, true),
            box("pnlWorking2", u * u, zeros(u * u, 2), QStringLiteral("%1 = %2 %3|").arg(zeros(u * u, 2)).arg(u).arg(Sq),
                2, true)};
}

// [T²]  [2TU]  [U²] --> ... --> digits, with "[" or "[ " before the carried sum.
QString joining(int t, int u, const QString& open, const QStringList& digits)
{
    const QString a = zeros(t * t, 2), b = zeros(2 * t * u, 3), c = zeros(u * u, 2);
    const int front = t * t + 2 * t * u / 10;
    const int sum = 2 * t * u % 10 + u * u / 10;
    QString e = QStringLiteral("[%1]  [%2]  [%3] --> [%1 + %4][%5 + %6]%7  --> [%8]%9")
                    .arg(a, b, c, b.left(2), b.right(1), c.left(1), c.right(1), QString::number(front), open);
    e += QStringLiteral("%1]%2 ").arg(small(sum), c.right(1));
    if (sum >= 10)
        e += QStringLiteral(" --> [%1 + %2 ][%3]%4 ").arg(front).arg(small(sum).left(1)).arg(sum % 10).arg(c.right(1));
    return e + QStringLiteral(" --> ") + digits.join(QLatin1Char(' ')) + QLatin1Char('|');
}

QJsonObject modelTwo(int n)
{
    const int t = n / 10, u = n % 10, a = n * n;
    QJsonArray boxes = parts(t, u);
    const QString d = zeros(a, 4);
    QStringList texts;
    for (int i = 0; i < 4; ++i)
        texts << (i == 0 && d.at(0) == u'0' ? QString() : d.mid(i, 1));
    const QString e = joining(t, u, QStringLiteral("["), texts);
    for (int i = 0; i < 4; ++i)
        boxes << box(QStringLiteral("pnlAnswerUser%1").arg(4 - i), d.mid(i, 1).toInt(), texts.at(i), e, 1, false,
                     i == 0 && a < 1000);
    return {{"method", "square-two-digit"}, {"question", QString::number(n)}, {"answer", QString::number(a)},
            {"boxes", boxes},               {"carries", QJsonArray()}};
}

// The digits of value in count boxes; leading zeros blank up to blankUpTo boxes.
QStringList digitTexts(int value, int count, int blankUpTo)
{
    const QString d = zeros(value, count);
    QStringList texts;
    bool leading = true;
    for (int i = 0; i < count; ++i) {
        leading = leading && d.at(i) == u'0' && i < blankUpTo;
        texts << (leading ? QString() : d.mid(i, 1));
    }
    return texts;
}

QJsonObject modelThree(int n)
{
    const int h = n / 100, t = n / 10 % 10, u = n % 10;
    const int q = (n % 100) * (n % 100), r = 2 * h * u, v = q / 100 + r, s = n * n;
    QJsonArray boxes = parts(t, u);

    const QStringList two = digitTexts(q, 4, 1);
    const QString twoHint = joining(t, u, QStringLiteral("[ "), two);
    for (int i = 0; i < 4; ++i)
        boxes << box(QStringLiteral("pnlWorking%1").arg(3 + i), zeros(q, 4).mid(i, 1).toInt(), two.at(i), twoHint, 1,
                     false, i == 0 && q >= 100 && q < 1000);
    const QStringList three = digitTexts(r, 3, 2);
    const QString threeHint = QStringLiteral("%1 = (%2 %4 %3) %4 2|").arg(r).arg(h).arg(u).arg(Tm);
    for (int i = 0; i < 3; ++i)
        boxes << box(QStringLiteral("pnlWorking%1").arg(7 + i), zeros(r, 3).mid(i, 1).toInt(), three.at(i), threeHint, 1,
                     true, (i == 0 && r < 100) || (i == 1 && r < 10));
    const QStringList four = digitTexts(v, 3, 2);
    const QString fourHint = QStringLiteral("%1 = %2 + %3|").arg(v).arg(q / 100).arg(three.join(QString()));
    for (int i = 0; i < 3; ++i)
        boxes << box(QStringLiteral("pnlWorking%1").arg(10 + i), zeros(v, 3).mid(i, 1).toInt(), four.at(i), fourHint, 1,
                     false, (i == 0 && v < 100) || (i == 1 && v < 10));
    boxes << box("pnlWorking13", h * h, zeros(h * h, 2), QStringLiteral("%1 = %2 %3|").arg(zeros(h * h, 2)).arg(h).arg(Sq),
                 2, true);
    boxes << box("pnlWorking14", 2 * h * t, zeros(2 * h * t, 3),
                 QStringLiteral("%1 = (%2 %4 %3) %4 2|").arg(zeros(2 * h * t, 3)).arg(h).arg(t).arg(Tm), 3, true);

    const QString p13 = zeros(h * h, 2), p14 = zeros(2 * h * t, 3);
    const int w = v / 10, front = 2 * h * t / 10 + h * h, sum = 2 * h * t % 10 + w;
    QString f = QStringLiteral("[%1]  [%2]  [%3] --> [%1  +  %4][%5  +  %3] --> [%6][ %7] ")
                    .arg(p13, p14, QString::number(w), p14.left(2), p14.right(1), QString::number(front), small(sum));
    if (sum >= 10)
        f += QStringLiteral(" --> [%1 + %2 ][%3] ").arg(front).arg(small(sum).left(1)).arg(sum % 10);
    QStringList top = QString::number(s / 1000).split(QString(), Qt::SkipEmptyParts);
    f += QStringLiteral(" --> ") + top.join(QLatin1Char(' ')) + QLatin1Char('|');
    const QStringList answer = digitTexts(s, 6, 1);
    for (int i = 0; i < 6; ++i)
        boxes << box(QStringLiteral("pnlAnswerUser%1").arg(6 - i), zeros(s, 6).mid(i, 1).toInt(), answer.at(i),
                     i < 3 ? f : QStringLiteral("Working Box|"), 1, false, i == 0 && s < 100000);
    return {{"method", "square-three-digit"}, {"question", QString::number(n)}, {"answer", QString::number(s)},
            {"boxes", boxes},                 {"carries", QJsonArray()}};
}

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

// Compares a line of the tool with the model field by field; says which
// field differs first.
bool sameAsModel(const QJsonObject& line, const QJsonObject& model)
{
    if (line.keys() != model.keys()) {
        qWarning("keys %s", qPrintable(line.keys().join(',')));
        return false;
    }
    for (const char* key : {"method", "question", "answer", "carries"})
        if (line.value(key) != model.value(key)) {
            qWarning("%s of %s differs", key, qPrintable(model.value("question").toString()));
            return false;
        }
    const QJsonArray got = line.value("boxes").toArray(), want = model.value("boxes").toArray();
    if (got.size() != want.size())
        return false;
    for (qsizetype i = 0; i < got.size(); ++i)
        if (got.at(i) != want.at(i)) {
            qWarning("%s: box %d is %s, the model says %s", qPrintable(model.value("question").toString()), int(i),
                     QJsonDocument(got.at(i).toObject()).toJson(QJsonDocument::Compact).constData(),
                     QJsonDocument(want.at(i).toObject()).toJson(QJsonDocument::Compact).constData());
            return false;
        }
    return true;
}

} // namespace

class TestWorksheetSquares : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void randomQuestionsFollowTheModel_data();
    void randomQuestionsFollowTheModel();
    void everyNumberFollowsTheModel();
    void workedExamples();
    void refusals_data();
    void refusals();
};

void TestWorksheetSquares::initTestCase()
{
    QVERIFY2(QFileInfo::exists(worksheetToolPath()), qPrintable(worksheetToolPath() + " has not been built"));
}

void TestWorksheetSquares::randomQuestionsFollowTheModel_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("size"); // how many numbers the level holds
    QTest::newRow("2-digit Level 1") << "square-two-digit" << 1 << 16;
    QTest::newRow("2-digit Level 2") << "square-two-digit" << 2 << 32;
    QTest::newRow("2-digit Level 3") << "square-two-digit" << 3 << 16;
    QTest::newRow("3-digit Level 1") << "square-three-digit" << 1 << 100;
    QTest::newRow("3-digit Level 2") << "square-three-digit" << 2 << 125;
}

void TestWorksheetSquares::randomQuestionsFollowTheModel()
{
    QFETCH(QString, method);
    QFETCH(int, level);
    QFETCH(int, size);
    const int count = 3000;
    const WorksheetRun r = runWorksheet({method, "--random", "--option", QStringLiteral("Level %1").arg(level), "--count",
                           QString::number(count), "--seed", QString::number(1000 + level), "--json"});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.err.isEmpty());
    const QList<QJsonObject> lines = worksheetJsonLines(r.out);
    QCOMPARE(lines.size(), count);
    QSet<int> seen;
    int previous = 0;
    for (const QJsonObject& line : lines) {
        const int n = line.value("question").toString().toInt();
        QVERIFY2(inLevel(method, level, n), qPrintable(QString::number(n)));
        QVERIFY2(n != previous, "the same number twice in a row");
        previous = n;
        seen.insert(n);
        QVERIFY(sameAsModel(line, method == QLatin1String("square-two-digit") ? modelTwo(n) : modelThree(n)));
    }
    QCOMPARE(int(seen.size()), size);

    // The default option is Level 1, and the same seed gives the same lines.
    const QStringList again = {method, "--random", "--count", "50", "--seed", "77", "--json"};
    const WorksheetRun a = runWorksheet(again), b = runWorksheet(again);
    QCOMPARE(a.out, b.out);
    for (const QJsonObject& line : worksheetJsonLines(a.out))
        QVERIFY(inLevel(method, 1, line.value("question").toString().toInt()));
}

void TestWorksheetSquares::everyNumberFollowsTheModel()
{
    // Typed questions: every number of the method's domain, also those no
    // level draws (a 5 or a 0 in it).
    for (int n = 10; n <= 99; ++n) {
        const WorksheetRun r = runWorksheet({"square-two-digit", QString::number(n), "--json"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(sameAsModel(worksheetJsonLines(r.out).value(0), modelTwo(n)));
    }
    for (int n = 100; n <= 999; n += 7) {
        const WorksheetRun r = runWorksheet({"square-three-digit", QString::number(n), "--json"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(sameAsModel(worksheetJsonLines(r.out).value(0), modelThree(n)));
    }
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
        const int n = QByteArray(ex.question).toInt();
        QVERIFY(sameAsModel(line, n < 100 ? modelTwo(n) : modelThree(n)));

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
