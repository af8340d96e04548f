#include <QtTest>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// The worksheet tool's "divide" against a model of speed division written
// here from the method itself. The model does not step through the boxes:
// it takes the quotient digits and the partial remainders of ordinary long
// division and reads every box off them (A is what is left of the partial
// remainder, B is A + U, ...), so a wrong step of the tool shows up as a
// difference in some field.

#include "WorksheetTool.h"

namespace {

using Run = WorksheetRun;

Run runTool(const QStringList& args)
{
    return runWorksheet(QStringList{"divide"} + args);
}

QString s(qint64 v)
{
    return QString::number(v);
}

// v with at least w digits ("05", "075").
QString pad(qint64 v, int w)
{
    return s(v).rightJustified(w, '0');
}

QJsonObject box(int i, int value, const QString& hint, int layoutWidth, bool mental, bool unused)
{
    const int width = unused ? layoutWidth : qMax(layoutWidth, int(s(value).size()));
    return {{"box", "pnlWorking" + s(i)}, {"value", unused ? 0 : value},
            {"text", unused ? QString() : pad(value, width)}, {"hint", unused ? QString() : hint},
            {"width", width}, {"mental", mental}, {"unused", unused}};
}

// The whole JSON line of a question "DIVIDEND/DIVISOR".
QJsonObject model(const QString& question)
{
    const QString N = question.section('/', 0, 0), d = question.section('/', 1);
    const qint64 dividend = N.toLongLong();
    const int divisor = d.toInt(), n = int(N.size()), m = int(d.size());
    const int d1 = d[0].digitValue(), d2 = d[1].digitValue(), d3 = m == 3 ? d[2].digitValue() : 0;
    const auto digit = [&](int j) { return N[j].digitValue(); }; // 0-based from the left
    const QString Q = s(dividend / divisor);
    const int L = int(Q.size()), rest = int(dividend % divisor);
    const bool isShort = L == n - m;
    const int groups = n - (isShort ? 2 : 1);

    // Long division: r[k] = (the dividend's first p + k digits) - divisor × (Q's first k + 1 digits).
    const int p = m + (isShort ? 1 : 0);
    QList<qint64> r;
    for (int k = 0; k < L; ++k)
        r << N.left(p + k).toLongLong() - qint64(divisor) * Q.left(k + 1).toLongLong();

    const auto qAt = [&](int k) { return k >= 0 && k < L ? Q[k].digitValue() : -1; };
    const auto ntOf = [&](int c) { return d1 * c + d2 * c / 10; };
    const auto uOf = [&](int k, int c) { // U of group k with quotient digit c (-1: none)
        if (m == 2)
            return d2 * c % 10;
        return (c >= 0 ? d2 * c % 10 + d3 * c / 10 : 0) + (k > 0 ? d3 * qAt(k - 1) % 10 : 0);
    };
    const auto down = [&](int k) { return digit(k + (isShort ? 2 : 1)); };
    // A of each group, then the remainder. With a 3-digit divisor the
    // units of d3 × Q are still to be taken off the partial remainder.
    QList<int> A{isShort ? digit(0) * 10 + digit(1) : digit(0)};
    for (int k = 0; k < L; ++k)
        A << int(m == 2 ? r[k] : (r[k] - digit(p + k - 1) + d3 * qAt(k) % 10) / 10);
    if (m == 3)
        A << rest;

    QJsonArray boxes;
    QString prevB, prevU;
    for (int k = 0; k < groups; ++k) {
        const int a = A[k], q = qAt(k), prev = qAt(k - 1), u = uOf(k, q), b = A[k + 1] + u;
        const int bw = k == groups - 1 ? m : 2;
        const QString aText = pad(a, 2), bText = pad(b, bw), uText = pad(u, 2);
        const QString aHint = k > 0   ? QStringLiteral("%1 = %2 - %3|").arg(aText, prevB, prevU)
                              : isShort ? QStringLiteral("%1 = the first two digits, as %2 is less than %3|")
                                              .arg(aText, N.left(m), d)
                                        : aText + '|';
        boxes << box(5 * k, a, aHint, 2, false, false);
        if (q >= 0) {
            const int e = a / d1;
            QString qh = QStringLiteral("%1 ÷ %2 --> %3").arg(aText, s(d1), s(e));
            for (int c = e; c > q; c = c > 9 ? 9 : c - 1) {
                const int bc = (a - ntOf(c)) * 10 + down(k), uc = uOf(k, c);
                const QString why
                    = c > 9       ? QStringLiteral("a quotient digit is at most 9")
                    : ntOf(c) > a ? QStringLiteral("%1%2 NT %3 = %4 is more than %5")
                                        .arg(s(d1), s(d2), s(c), pad(ntOf(c), 2), aText)
                    : bc < uc     ? QStringLiteral("B %1 is less than U %2").arg(pad(bc, 2), pad(uc, 2))
                                  : QStringLiteral("B %1 - U %2 leaves 00 and the next digit %3 is less than "
                                                   "%4 U %5 = %6")
                                        .arg(pad(bc, 2), pad(uc, 2), s(down(k + 1)), s(d3), s(c), s(d3 * c % 10));
                qh += QStringLiteral("; %1 is too large: %2, so take %3").arg(s(c), why, s(c > 9 ? 9 : c - 1));
            }
            const QString ntHint = QStringLiteral("%1 = %2%3 NT %4 --> (%2 N %4) + (%3 T %4) --> %5 + %6|")
                                       .arg(pad(ntOf(q), 2), s(d1), s(d2), s(q), s(d1 * q), s(d2 * q / 10));
            const QString bHint = QStringLiteral("%1 - %2 = %3  -->[%3 --> <-- %4] --> %5|")
                                      .arg(aText, pad(ntOf(q), 2), s(a - ntOf(q)), s(down(k)), bText);
            boxes << box(5 * k + 1, q, qh + '|', 1, false, false) << box(5 * k + 2, ntOf(q), ntHint, 2, true, false)
                  << box(5 * k + 3, b, bHint, bw, true, false);
        } else {
            const QString bHint
                = QStringLiteral("%1  -->[%2 --> <-- %3] --> %4|").arg(aText, s(a), s(down(k)), bText);
            boxes << box(5 * k + 1, 0, QString(), 1, false, true) << box(5 * k + 2, 0, QString(), 2, true, true)
                  << box(5 * k + 3, b, bHint, bw, true, false);
        }
        QString uHint;
        if (m == 2 || q < 0)
            uHint = QStringLiteral("%1 = %2 U %3 --> %4|")
                        .arg(uText, s(m == 2 ? d2 : d3), s(m == 2 ? q : prev), s(u));
        else if (prev < 0)
            uHint = QStringLiteral("%1 = %2%3 UT %4 --> (%2 U %4) + (%3 T %4) --> %5 + %6|")
                        .arg(uText, s(d2), s(d3), s(q), s(d2 * q % 10), s(d3 * q / 10));
        else
            uHint = QStringLiteral("%1 = %2%3 UT %4 + %3 U %5 --> (%2 U %4) + (%3 T %4) + (%3 U %5) --> "
                                   "%6 + %7 + %8|")
                        .arg(uText, s(d2), s(d3), s(q), s(prev), s(d2 * q % 10), s(d3 * q / 10), s(d3 * prev % 10));
        boxes << box(5 * k + 4, u, uHint, 2, true, false);
        prevB = bText;
        prevU = uText;
    }
    boxes << box(5 * groups, rest, QStringLiteral("%1 = %2 - %3|").arg(pad(rest, m), prevB, prevU), m, false, false);
    return {{"method", "divide"}, {"question", question}, {"answer", Q}, {"remainder", rest},
            {"boxes", boxes}, {"carries", QJsonArray()}};
}

// "" when equal, otherwise the first field that differs, with both values.
QString difference(const QJsonObject& tool, const QJsonObject& expected)
{
    for (const QString& key : expected.keys()) {
        if (key == "boxes") {
            const QJsonArray a = tool[key].toArray(), b = expected[key].toArray();
            for (qsizetype i = 0; i < qMax(a.size(), b.size()); ++i)
                for (const QString& field : b.at(qMin(i, b.size() - 1)).toObject().keys())
                    if (a.at(i)[field] != b.at(i)[field])
                        return QStringLiteral("box %1 %2: %3 | expected %4")
                            .arg(i)
                            .arg(field, a.at(i)[field].toVariant().toString(),
                                 b.at(i)[field].toVariant().toString());
        } else if (tool[key] != expected[key]) {
            return key;
        }
    }
    return tool.size() == expected.size() ? QString() : QStringLiteral("keys");
}

const QStringList kExamples = {"513994/32", "2758/41", "84659/313", "1324/15", "5381/234", "5192/98", "1991/999"};

} // namespace

class TestWorksheetDivide : public QObject {
    Q_OBJECT

private slots:
    void workedExamples();
    void randomProblemsAgreeWithTheModel();
    void refusals();
};

void TestWorksheetDivide::workedExamples()
{
    for (const QString& q : kExamples) {
        const Run json = runTool({q, "--json"});
        QCOMPARE(json.exitCode, 0);
        QCOMPARE(lines(json.out).size(), 1);
        QCOMPARE(difference(QJsonDocument::fromJson(json.out).object(), model(q)), QString());

        // The readable form: the answer, then every box with its step.
        const Run text = runTool({q});
        QCOMPARE(text.exitCode, 0);
        const QString out = QString::fromUtf8(text.out);
        const QJsonObject o = model(q);
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

void TestWorksheetDivide::randomProblemsAgreeWithTheModel()
{
    for (const char* divisor : {"2-Digit", "3-Digit"}) {
        for (const char* dividend : {"4-Digit", "5-Digit", "6-Digit"}) {
            const Run r = runTool({"--random", "--option", dividend, "--option", divisor, "--count", "2500",
                                   "--seed", "14", "--json"});
            QCOMPARE(r.exitCode, 0);
            const QList<QByteArray> l = lines(r.out);
            QCOMPARE(l.size(), 2500);
            int shortOnes = 0;
            QString previous;
            for (const QByteArray& line : l) {
                const QJsonObject o = QJsonDocument::fromJson(line).object();
                const QString q = o["question"].toString();
                QCOMPARE(difference(o, model(q)), QString());
                QVERIFY(q != previous);
                QCOMPARE(q.section('/', 0, 0).size(), QByteArray(dividend).left(1).toInt());
                QCOMPARE(q.section('/', 1).size(), QByteArray(divisor).left(1).toInt());
                QVERIFY(!q.contains('0'));
                shortOnes += o["answer"].toString().size() == q.section('/', 0, 0).size() - q.section('/', 1).size();
                previous = q;
            }
            QVERIFY2(shortOnes > 500 && shortOnes < 750, qPrintable(QString::number(shortOnes)));
        }
    }
    // Without options: 2-digit divisors, 4-digit dividends.
    const Run dflt = runTool({"--random", "--count", "50", "--json"});
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
