#include <QtTest>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

// The worksheet tool's square-root output against a model of the method
// written here from the arithmetic of the square, without the rules class:
// the differences and brought-down numbers come from the remainders of the
// leading blocks, not from the chain of steps the rules follow.

#include "WorksheetTool.h"

namespace {

using Run = WorksheetRun;

Run runTool(const QStringList& args)
{
    return runWorksheet(args);
}

struct Box {
    QString box, text, hint;
    qint64 value;
    int width;
    bool mental, unused;
};

qint64 isqrt(qint64 n)
{
    qint64 r = qint64(std::sqrt(double(n)));
    while (r * r > n)
        --r;
    while ((r + 1) * (r + 1) <= n)
        ++r;
    return r;
}

QString f(const char* format, auto... args)
{
    return QString::asprintf(format, args...);
}

QString sq(qint64 d) { return f("%lld ²", d); }

QString digitsSpaced(const QString& s)
{
    QString out;
    for (QChar c : s)
        out += (out.isEmpty() ? "" : " ") + QString(c);
    return out;
}

struct Model {
    QString answer;
    qint64 remainder = 0;
    QList<Box> boxes;
};

Model model(qint64 n)
{
    const int count = int(QString::number(n).size());
    const int k = (count + 1) / 2; // root digits
    const qint64 R = isqrt(n);
    const auto r = [&](int i) { return R / qint64(std::pow(10, k - i)) % 10; };             // i = 1..k
    const auto q = [&](int i) { return n / qint64(std::pow(10, 2 * k - 1 - i)) % 10; };     // i = 0..2k-1
    const auto leading = [&](int blocks) { return n / qint64(std::pow(100, k - blocks)); }; // the first blocks
    const auto rest = [&](int blocks) {
        const qint64 m = leading(blocks), s = isqrt(m);
        return m - s * s;
    };
    Model m;
    m.answer = QString::number(R);
    m.remainder = n - R * R;
    const QStringList unused = count == 3 ? QStringList{"pnlWorking2", "pnlWorking3"}
                                          : (count % 2 ? QStringList{"pnlWorking1"} : QStringList{});
    const auto add = [&](int box, qint64 value, const QString& text, const QString& hint, int width, bool mental) {
        const QString name = f("pnlWorking%d", box);
        m.boxes << Box{name, text, hint + "|", value, width, mental, unused.contains(name)};
    };
    const auto digit = [&](int box, qint64 v, const QString& hint, bool mental = false) {
        add(box, v, QString::number(v), hint, 1, mental);
    };
    const auto zeros = [&](int box, qint64 v, const QString& hint, bool mental, int width = 2) {
        width = qMax<int>(width, int(QString::number(v).size()));
        add(box, v, QString::number(v).rightJustified(width, '0'), hint, width, mental);
    };
    // The estimate of the root digit of the first `blocks` blocks, with the
    // reason for every digit it passes over on the way to d.
    const auto estimate = [&](qint64 h, qint64 d, int blocks) {
        const qint64 e = h / r(1), upTo = leading(blocks), before = isqrt(leading(blocks - 1));
        QString s = f("%lld ÷ %lld --> %lld", h, r(1), e);
        qint64 c = e;
        if (c > 9)
            s += f("; %lld is too large: a root digit is at most 9, so take 9", c), c = 9;
        for (; c > d; --c)
            s += f("; %lld is too large: %lld ² = %lld is more than %lld, so take %lld", c, before * 10 + c,
                   (before * 10 + c) * (before * 10 + c), upTo, c - 1);
        for (; c < d; ++c)
            s += f("; %lld is too small: %lld - %lld ² = %lld is more than 2 × %lld = %lld, so take %lld", c, upTo,
                   before * 10 + c, upTo - (before * 10 + c) * (before * 10 + c), before * 10 + c,
                   2 * (before * 10 + c), c + 1);
        return s;
    };
    const auto cross = [&](qint64 a, qint64 b) { return f("%03lld = (%lld × %lld) × 2", 2 * a * b, a, b); };
    const auto sub = [&](qint64 a, qint64 b) {
        const qint64 x = 2 * a * b, s = b * b, head = x + s / 10;
        return f("[%03lld  +  %lld]%lld --> [%lld]%lld --> %lld %lld %lld", x, s / 10, s % 10, head, s % 10,
                 head / 10, head % 10, s % 10);
    };
    const auto bring = [&](qint64 d, qint64 t, qint64 next) {
        return f("%lld - %lld = %lld  -->[%lld--> <--%lld] --> %lld", d, t, d - t, d - t, next, (d - t) * 10 + next);
    };

    const qint64 r1 = r(1), r2 = r(2), p1 = leading(1);
    const qint64 d1 = p1 - r1 * r1, s1 = 20 * r1 * r2 + r2 * r2;
    digit(0, r1, f("%lld :   V¯%lld = %lld.---  ;   (%s = %lld, %s = %lld)", r1, p1, r1, qUtf8Printable(sq(r1)), r1 * r1,
                   qUtf8Printable(sq(r1 + 1)), (r1 + 1) * (r1 + 1)));
    const QString square1 = f("%lld = ", r1 * r1) + sq(r1);
    const QString diff1 = f("%lld = %lld - %lld", d1, p1, r1 * r1);
    const QString half1 = f("%lld = (%lld × 10) ÷ 2", 5 * d1, d1);
    const QString square2 = f("%02lld = ", r2 * r2) + sq(r2);
    const int first = k == 2 ? 2 : 1;
    digit(first, r1 * r1 / 10, square1, true);
    digit(first == 2 ? 12 : 2, r1 * r1 % 10, square1, true);
    if (k == 2) {
        digit(3, d1 / 10, diff1);
        digit(13, d1 % 10, diff1);
        zeros(14, 5 * d1, half1, true);
    } else {
        zeros(3, d1, diff1, false);
        zeros(4, 5 * d1, half1, true);
    }
    digit(5, r2, estimate(5 * d1, r2, 2));
    zeros(6, r1 * r1, square1, true);
    zeros(7, 2 * r1 * r2, cross(r1, r2) + " ", true, 3);
    zeros(8, r2 * r2, square2, true);
    add(9, s1 / 100, QString::number(s1 / 100), sub(r1, r2), 2, false);
    digit(10, s1 / 10 % 10, sub(r1, r2));
    digit(11, s1 % 10, sub(r1, r2));
    // The second difference reads off the remainder of the first two blocks.
    const qint64 d2 = (rest(2) - q(3) + s1 % 10) / 10;
    const QString bring1 = bring(d1, s1 / 100, q(2));
    if (k == 2) {
        // The brought-down number, from the remainder of the two blocks; the
        // last subtraction as the remainder area shows it.
        const qint64 b1 = (m.remainder + s1 % 100 - q(3)) / 10;
        zeros(18, b1, bring1, false);
        const QString h = f("%lld = %lld%lld - %02lld", m.remainder, b1, q(3), s1 % 100);
        digit(51, m.remainder % 10, h);
        const qint64 top = m.remainder / 10;
        add(50, top, QString::number(top), h, top < 10 ? 1 : 2, false);
        return m;
    }
    const qint64 r3 = r(3);
    const qint64 y = 2 * r1 * r3, s2 = 20 * r2 * r3 + r3 * r3;
    const qint64 column = s1 % 10 + y % 10 + s2 / 100;
    zeros(12, d2 + s1 / 10 % 10, bring1, true);
    zeros(13, d2, f("%lld = %lld - %lld", d2, d2 + s1 / 10 % 10, s1 / 10 % 10), false);
    zeros(14, 5 * d2, f("%lld = (%lld × 10) ÷ 2", 5 * d2, d2), true);
    digit(15, r3, estimate(5 * d2, r3, 3));
    const QString yHint = cross(r1, r3) + f(" --> %lld %lld", y / 10, y % 10);
    add(16, y / 10, QString::number(y / 10), yHint, 2, false);
    digit(17, y % 10, yHint);
    // The third round's brought-down number, from the remainder of three blocks.
    const qint64 b2 = column + (rest(3) - 10 * q(4) - q(5) + s2 % 100) / 100;
    zeros(18, b2, bring(d2, y / 10, q(3)), k == 4);
    zeros(19, r2 * r2, square2, true);
    zeros(20, 2 * r2 * r3, cross(r2, r3) + " ", true, 3);
    zeros(21, r3 * r3, f("%02lld = ", r3 * r3) + sq(r3), true);
    add(22, s2 / 100, QString::number(s2 / 100), sub(r2, r3), 2, false);
    digit(23, s2 / 10 % 10, sub(r2, r3));
    digit(24, s2 % 10, sub(r2, r3));
    const QString colHint = f("%lld = %lld + %lld + %lld --> %lld %lld", column, s1 % 10, y % 10, s2 / 100, column / 10,
                              column % 10);
    digit(25, column / 10, colHint);
    digit(26, column % 10, colHint);
    if (k == 3) {
        const QString h = f("%lld = %lld%lld%lld - %lld%02lld", m.remainder, b2, q(4), q(5), column, s2 % 100);
        digit(52, m.remainder % 10, h);
        digit(51, m.remainder / 10 % 10, h);
        const qint64 top = m.remainder / 100;
        add(50, top, QString::number(top), h, top < 10 ? 1 : 2, false);
        return m;
    }
    const qint64 r4 = r(4), d3 = b2 - column;
    zeros(29, d3, f("%lld = %lld - %lld", d3, b2, column), false);
    zeros(30, 5 * d3, f("%lld = (%lld × 10) ÷ 2", 5 * d3, d3), true);
    digit(31, r4, estimate(5 * d3, r4, 4));
    // The staircase: 2·r1·r4, 2·r2·r4, 2·r3·r4 and r4², three digits each.
    const qint64 parts[] = {2 * r1 * r4, 2 * r2 * r4, 2 * r3 * r4, r4 * r4};
    for (int row = 0; row < 4; ++row) {
        const QString digits = f("%03lld", parts[row]);
        const QString hint = (row < 3 ? cross(r(row + 1), r4) : f("%03lld = ", parts[3]) + sq(r4)) + " --> "
                             + digitsSpaced(digits);
        for (int j = 0; j < 3; ++j)
            digit(32 + 3 * row + j, digits.at(j).digitValue(), hint);
    }
    // Column c (units = 0) of the sum holds the digits of each part that
    // fall into it; the last subtrahend's two lower digits stand in
    // columns 3 and 2.
    const qint64 taken = 1000 * (s2 / 10 % 10) + 100 * (s2 % 10) + 1000 * parts[0] + 100 * parts[1] + 10 * parts[2]
                         + parts[3];
    qint64 carry = 0;
    const QList<QList<qint64>> columns = {
        {parts[3] % 10},
        {parts[2] % 10, parts[3] / 10 % 10},
        {s2 % 10, parts[1] % 10, parts[2] / 10 % 10, parts[3] / 100},
        {s2 / 10 % 10, parts[0] % 10, parts[1] / 10 % 10, parts[2] / 100},
        {parts[0] / 10 % 10, parts[1] / 100},
        {parts[0] / 100},
    };
    for (int c = 0; c < 6; ++c) {
        QStringList terms;
        qint64 total = carry;
        for (qint64 t : columns.at(c)) {
            terms << QString::number(t);
            total += t;
        }
        if (carry)
            terms << f("^%lld", carry);
        digit(49 - c, total % 10, f("%lld = ", total) + terms.join(" + ") + (total > 9 ? f(" --> %lld", total % 10) : ""));
        carry = total / 10;
    }
    const QString h = f("%lld = %lld - %lld", m.remainder, m.remainder + taken, taken);
    for (int c = 0; c < 4; ++c)
        digit(54 - c, m.remainder / qint64(std::pow(10, c)) % 10, h);
    add(50, m.remainder / 10000, QString::number(m.remainder / 10000), h, m.remainder < 100000 ? 1 : 2, false);
    return m;
}

// Compares one JSON line with the model; "" when they agree.
QString compare(const QJsonObject& o)
{
    const qint64 n = o.value("question").toString().toLongLong();
    const Model m = model(n);
    if (o.value("method").toString() != "square-root" || o.value("answer").toString() != m.answer
        || o.value("remainder").toInteger(-1) != m.remainder || o.value("carries").toArray() != QJsonArray())
        return "head";
    const QJsonArray boxes = o.value("boxes").toArray();
    if (boxes.size() != m.boxes.size())
        return QString("%1 boxes, model %2").arg(boxes.size()).arg(m.boxes.size());
    for (int i = 0; i < boxes.size(); ++i) {
        const QJsonObject b = boxes.at(i).toObject();
        const Box& e = m.boxes.at(i);
        const QString got = QStringList{b.value("box").toString(), QString::number(b.value("value").toInteger()),
                                        b.value("text").toString(), b.value("hint").toString(),
                                        QString::number(b.value("width").toInt()),
                                        QString::number(b.value("mental").toBool()),
                                        QString::number(b.value("unused").toBool())}.join(" / ");
        const QString want = QStringList{e.box, QString::number(e.value), e.text, e.hint, QString::number(e.width),
                                         QString::number(e.mental), QString::number(e.unused)}.join(" / ");
        if (got != want || b.keys().size() != 7)
            return "box " + QString::number(i) + ":\n  tool  " + got + "\n  model " + want;
    }
    return QString();
}

} // namespace

class TestWorksheetSquareRoot : public QObject {
    Q_OBJECT

private slots:
    void randomProblemsMatchTheModel_data();
    void randomProblemsMatchTheModel();
    void workedExamples();
    void refusals();
};

void TestWorksheetSquareRoot::randomProblemsMatchTheModel_data()
{
    QTest::addColumn<int>("digits");
    for (int d = 3; d <= 8; ++d)
        QTest::addRow("%d-Digit", d) << d;
}

void TestWorksheetSquareRoot::randomProblemsMatchTheModel()
{
    QFETCH(int, digits);
    const Run r = runTool({"square-root", "--random", "--option", QString("%1-Digit").arg(digits), "--seed",
                           QString::number(1600 + digits), "--count", "3000", "--json"});
    QCOMPARE(r.exitCode, 0);
    const QList<QByteArray> all = lines(r.out);
    QCOMPARE(all.size(), 3000);
    QString previous;
    for (const QByteArray& line : all) {
        const QJsonObject o = QJsonDocument::fromJson(line).object();
        const QString question = o.value("question").toString();
        QCOMPARE(question.size(), digits);
        QVERIFY2(question != previous, qPrintable(question));
        const QString diff = compare(o);
        QVERIFY2(diff.isEmpty(), qPrintable(question + ": " + diff));
        previous = question;
    }
}

void TestWorksheetSquareRoot::workedExamples()
{
    for (const char* n : {"5125", "687", "2400", "63925", "852741", "6389588", "39336472", "960000", "93120000"}) {
        const Run json = runTool({"square-root", n, "--json"});
        QCOMPARE(json.exitCode, 0);
        QVERIFY(json.out.indexOf("\"answer\"") < json.out.indexOf("\"remainder\"")
                && json.out.indexOf("\"remainder\"") < json.out.indexOf("\"boxes\""));
        const QString diff = compare(QJsonDocument::fromJson(json.out).object());
        QVERIFY2(diff.isEmpty(), qPrintable(QString(n) + ": " + diff));

        // The readable form: one line per box ending in its step.
        const Model m = model(QByteArray(n).toLongLong());
        const QList<QByteArray> text = lines(runTool({"square-root", n}).out);
        QCOMPARE(text.at(1), QString("Answer: %1  remainder %2").arg(m.answer).arg(m.remainder).toUtf8());
        QCOMPARE(text.size(), 4 + m.boxes.size());
        for (int i = 0; i < m.boxes.size(); ++i) {
            const QString line = QString::fromUtf8(text.at(4 + i));
            QVERIFY2(line.startsWith(m.boxes.at(i).box + ' ')
                         && line.endsWith(m.boxes.at(i).hint.chopped(1).trimmed()),
                     qPrintable(line));
        }
    }
    const Run example = runTool({"square-root", "5125", "--json"});
    QVERIFY(example.out.contains(
        "{\"box\": \"pnlWorking0\", \"value\": 7, \"text\": \"7\", \"hint\": \"7 :   V\xC2\xAF" "51 = 7.---  ;   "
        "(7 \xC2\xB2 = 49, 8 \xC2\xB2 = 64)|\", \"width\": 1, \"mental\": false, \"unused\": false}"));
    QVERIFY(example.out.startsWith("{\"method\": \"square-root\", \"question\": \"5125\", \"answer\": \"71\", "
                                   "\"remainder\": 84, \"boxes\": ["));
}

void TestWorksheetSquareRoot::refusals()
{
    const QList<QPair<QStringList, QString>> cases = {
        {{"square-root", "51"}, "the number must have 3 to 8 digits, not 2"},
        {{"square-root", "123456789"}, "the number must have 3 to 8 digits, not 9"},
        {{"square-root", "0512"}, "the number must not begin with 0"},
        {{"square-root", "51x25"}, "the question must be a whole number of 3 to 8 digits, e.g. 5125"},
        {{"square-root", "5125", "7"}, "unexpected text after the question: '7'"},
        {{"square-root", "--random", "--option", "9-Digit"}, "unknown option '9-Digit' for square-root"},
    };
    for (const auto& [args, says] : cases) {
        const Run r = runTool(args);
        VERIFY_REFUSED(r, says);
    }
}

QTEST_APPLESS_MAIN(TestWorksheetSquareRoot)
#include "tst_WorksheetSquareRoot.moc"
