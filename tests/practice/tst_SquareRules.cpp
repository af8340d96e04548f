// The squares of two- and three-digit numbers: the worked examples box by
// box, and over every number of every level that the boxes read as the true
// square, that each step box holds what its hint says, and that the whole
// solution is that of a model of the method written here from the method's
// own description.

#include "practice/SquareThreeDigitRules.h"
#include "practice/Squares5Rules.h"
#include "practice/SquareTwoDigitRules.h"

#include "WorkedProblemJson.h"

#include <QRegularExpression>
#include <functional>
#include <QtTest>

using Two = SquareTwoDigitRules;
using Three = SquareThreeDigitRules;

namespace {

// One line per box: name, value, text, width, flags (M mental, U unused) and
// the whole hint.
QStringList boxLines(const WorkedProblem& p)
{
    QStringList lines;
    for (const RuleBox& b : p.boxes)
        lines << QStringLiteral("%1 %2 '%3' w%4 %5%6 %7")
                     .arg(b.box)
                     .arg(b.value)
                     .arg(b.text)
                     .arg(b.width)
                     .arg(b.mental ? "M" : "-", b.unused ? "U" : "-", b.hint);
    return lines;
}

QStringList litPanels(const RuleBox& box)
{
    QStringList names;
    for (const ColorHint& c : box.colorHints) {
        if (c.style != ColorHintStyle::Background)
            names << c.panel + QStringLiteral("?style");
        else
            names << c.panel;
    }
    return names;
}

int superValue(const QString& s)
{
    if (s.isEmpty())
        return 0;
    switch (s.at(0).unicode()) {
    case 0xB9: return 1;
    case 0xB2: return 2;
    case 0xB3: return 3;
    }
    return -100;
}

// The number that used boxes first..last read as, by their values.
int readValue(const WorkedProblem& p, int first, int last)
{
    int n = 0;
    for (int i = first; i <= last; ++i)
        if (!p.boxes.at(i).unused)
            n = n * 10 + p.boxes.at(i).value;
    return n;
}

// The texts of boxes first..last (used or not) joined.
QString readTexts(const WorkedProblem& p, int first, int last)
{
    QString s;
    for (int i = first; i <= last; ++i)
        s += p.boxes.at(i).text;
    return s;
}

// Checks a part box: "09 = 3 ²|" or "024 = (3 × 4) × 2|" against its value.
void checkPart(const RuleBox& box, int a, int b, bool square)
{
    static const QRegularExpression sq(QStringLiteral("^(\\d+) = (\\d) ²\\|$"));
    static const QRegularExpression dp(QStringLiteral("^(\\d+) = \\((\\d) × (\\d)\\) × 2\\|$"));
    const QRegularExpressionMatch m = (square ? sq : dp).match(box.hint);
    QVERIFY2(m.hasMatch(), qPrintable(box.box + ": " + box.hint));
    QCOMPARE(m.captured(1), box.text);
    QCOMPARE(box.text.size(), box.width);
    QCOMPARE(box.text.toInt(), box.value);
    QCOMPARE(m.captured(2).toInt(), a);
    if (square) {
        QCOMPARE(box.value, a * a);
    } else {
        QCOMPARE(m.captured(3).toInt(), b);
        QCOMPARE(box.value, 2 * a * b);
    }
    QVERIFY(box.mental);
}

// Reads the explanation that joins the parts [P0] [P1] [P2] and returns the
// number it builds; checks every step against the one before and the digit
// texts at its end. middle is "[" (two-digit screen) or "[ ".
int checkJoining(const QString& hint, const WorkedProblem& p, const QString& middle, const QStringList& digits)
{
    const QRegularExpression re(
        QStringLiteral("^\\[(\\d\\d)\\]  \\[(\\d{3})\\]  \\[(\\d\\d)\\] --> \\[(\\d\\d) \\+ (\\d\\d)\\]\\[(\\d) \\+ "
                       "(\\d)\\](\\d)  --> \\[(\\d+)\\]%1([¹]?)(\\d)\\](\\d) ( --> \\[(\\d+) \\+ ([¹]) \\]\\[(\\d)\\]"
                       "(\\d) )? --> (.*)\\|$")
            .arg(QRegularExpression::escape(middle)));
    const QRegularExpressionMatch m = re.match(hint);
    if (!m.hasMatch()) {
        qWarning("explanation not understood: %s", qPrintable(hint));
        return -1;
    }
    const auto n = [&m](int g) { return m.captured(g).toInt(); };
    const auto same = [](const QString& a, const QString& b) {
        if (a != b)
            qWarning("'%s' where '%s' was expected", qPrintable(a), qPrintable(b));
        return a == b;
    };
    bool ok = same(m.captured(1), p.boxes.at(0).text) && same(m.captured(2), p.boxes.at(1).text)
              && same(m.captured(3), p.boxes.at(2).text) && same(m.captured(4), m.captured(1))
              && same(m.captured(5), m.captured(2).left(2)) && same(m.captured(6), m.captured(2).mid(2))
              && same(m.captured(7), m.captured(3).left(1)) && same(m.captured(8), m.captured(3).mid(1))
              && same(m.captured(12), m.captured(8));
    ok = ok && n(9) == n(4) + n(5) && 10 * superValue(m.captured(10)) + n(11) == n(6) + n(7);
    // The extra step writes the carry beside the front exactly when there is one.
    ok = ok && m.captured(13).isEmpty() == m.captured(10).isEmpty();
    if (!m.captured(13).isEmpty())
        ok = ok && same(m.captured(14), m.captured(9)) && same(m.captured(15), m.captured(10))
             && same(m.captured(16), m.captured(11)) && same(m.captured(17), m.captured(8));
    ok = ok && same(m.captured(18), digits.join(' '));
    return ok ? 100 * n(9) + 10 * (10 * superValue(m.captured(10)) + n(11)) + n(8) : -1;
}

// The model: each gives the worksheet tool's JSON line for a number.

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

} // namespace

class TestSquareRules : public QObject {
    Q_OBJECT

private slots:
    void twoDigitWorkedExamples_data();
    void twoDigitWorkedExamples();
    void twoDigitEveryNumber();
    void threeDigitWorkedExamples_data();
    void threeDigitWorkedExamples();
    void threeDigitColourHintsAndScreenAids();
    void threeDigitEveryNumber();
    void levelsAndDrawing();
    void parsingAndOptions();
    void squaresWithFive();
};

void TestSquareRules::twoDigitWorkedExamples_data()
{
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("boxes");
    QTest::newRow("Level 1, 34") << "34" << "1156"
                                 << QStringList{
                                        "pnlWorking0 9 '09' w2 M- 09 = 3 ²|",
                                        "pnlWorking1 24 '024' w3 M- 024 = (3 × 4) × 2|",
                                        "pnlWorking2 16 '16' w2 M- 16 = 4 ²|",
                                        "pnlAnswerUser4 1 '1' w1 -- [09]  [024]  [16] --> [09 + 02][4 + 1]6  --> [11][5]6  --> 1 1 5 6|",
                                        "pnlAnswerUser3 1 '1' w1 -- [09]  [024]  [16] --> [09 + 02][4 + 1]6  --> [11][5]6  --> 1 1 5 6|",
                                        "pnlAnswerUser2 5 '5' w1 -- [09]  [024]  [16] --> [09 + 02][4 + 1]6  --> [11][5]6  --> 1 1 5 6|",
                                        "pnlAnswerUser1 6 '6' w1 -- [09]  [024]  [16] --> [09 + 02][4 + 1]6  --> [11][5]6  --> 1 1 5 6|",
                                    };
    const QString e79 = "[49]  [126]  [81] --> [49 + 12][6 + 8]1  --> [61][¹4]1  --> [61 + ¹ ][4]1  --> 6 2 4 1|";
    QTest::newRow("Level 3, 79") << "79" << "6241"
                                 << QStringList{
                                        "pnlWorking0 49 '49' w2 M- 49 = 7 ²|",
                                        "pnlWorking1 126 '126' w3 M- 126 = (7 × 9) × 2|",
                                        "pnlWorking2 81 '81' w2 M- 81 = 9 ²|",
                                        "pnlAnswerUser4 6 '6' w1 -- " + e79,
                                        "pnlAnswerUser3 2 '2' w1 -- " + e79,
                                        "pnlAnswerUser2 4 '4' w1 -- " + e79,
                                        "pnlAnswerUser1 1 '1' w1 -- " + e79,
                                    };
    // A three-digit square: the thousands box is unused and empty, and the
    // explanation ends with the arrow, two blanks and 7 8 4.
    const QString e28 = "[04]  [032]  [64] --> [04 + 03][2 + 6]4  --> [7][8]4  -->  7 8 4|";
    QTest::newRow("Level 2, 28") << "28" << "784"
                                 << QStringList{
                                        "pnlWorking0 4 '04' w2 M- 04 = 2 ²|",
                                        "pnlWorking1 32 '032' w3 M- 032 = (2 × 8) × 2|",
                                        "pnlWorking2 64 '64' w2 M- 64 = 8 ²|",
                                        "pnlAnswerUser4 0 '' w1 -U " + e28,
                                        "pnlAnswerUser3 7 '7' w1 -- " + e28,
                                        "pnlAnswerUser2 8 '8' w1 -- " + e28,
                                        "pnlAnswerUser1 4 '4' w1 -- " + e28,
                                    };
}

void TestSquareRules::twoDigitWorkedExamples()
{
    QFETCH(QString, question);
    QFETCH(QString, answer);
    QFETCH(QStringList, boxes);
    const auto parsed = Two::parse(question);
    QVERIFY(parsed.ok());
    const WorkedProblem p = Two::solve(*parsed.question);
    QCOMPARE(p.method, QStringLiteral("square-two-digit"));
    QCOMPARE(p.question, question);
    QCOMPARE(p.answer, answer);
    QCOMPARE(boxLines(p), boxes);
    QVERIFY(p.carries.isEmpty() && p.answerCarryRow.isEmpty() && !p.remainder);
    QCOMPARE(p.questionPanels, (QList<PanelText>{{"pnlQuestion1", question.right(1)}, {"pnlQuestion2", question.left(1)}}));

    // The answer panels, units first; the thousands panel is empty for a 0.
    const QString padded = answer.rightJustified(4, ' ');
    for (int k = 1; k <= 4; ++k) {
        const QString digit = padded.mid(4 - k, 1).trimmed();
        QCOMPARE(p.answerPanels.at(k - 1), (PanelText{QStringLiteral("pnlAnswer%1").arg(k), digit}));
    }
    // Colour hints: T for T x T, both digits for 2 x T x U, U for U x U, the
    // three parts for every answer box.
    QCOMPARE(litPanels(p.boxes.at(0)), QStringList{"pnlQuestion2"});
    QCOMPARE(litPanels(p.boxes.at(1)), (QStringList{"pnlQuestion1", "pnlQuestion2"}));
    QCOMPARE(litPanels(p.boxes.at(2)), QStringList{"pnlQuestion1"});
    for (int i = 3; i < 7; ++i)
        QCOMPARE(litPanels(p.boxes.at(i)), (QStringList{"pnlWorking0", "pnlWorking1", "pnlWorking2"}));
}

void TestSquareRules::twoDigitEveryNumber()
{
    // Every number the screen can pose (the levels and custom questions are
    // all within 10..99).
    for (int n = 10; n <= 99; ++n) {
        const int t = n / 10, u = n % 10;
        const WorkedProblem p = Two::solve(*Two::parse(QString::number(n)).question);
        QCOMPARE(p.boxes.size(), 7);
        checkPart(p.boxes.at(0), t, 0, true);
        checkPart(p.boxes.at(1), t, u, false);
        checkPart(p.boxes.at(2), u, 0, true);

        // The answer boxes read as the square, and so does the explanation.
        QCOMPARE(readValue(p, 3, 6), n * n);
        QCOMPARE(readTexts(p, 3, 6), QString::number(n * n));
        QCOMPARE(p.answer, QString::number(n * n));
        QCOMPARE(p.boxes.at(3).unused, n * n < 1000);
        QStringList digits;
        for (int i = 3; i < 7; ++i) {
            QCOMPARE(p.boxes.at(i).width, 1);
            QVERIFY(!p.boxes.at(i).mental);
            QCOMPARE(p.boxes.at(i).hint, p.boxes.at(3).hint);
            digits << p.boxes.at(i).text;
        }
        QCOMPARE(checkJoining(p.boxes.at(3).hint, p, "[", digits), n * n);
        for (int i = 0; i < 3; ++i)
            QVERIFY(!p.boxes.at(i).unused);
        QCOMPARE(firstDifference(asJson(p), modelTwo(n)), QString());
    }
}

void TestSquareRules::threeDigitWorkedExamples_data()
{
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("boxes");
    const QString r2 = "[64]  [080]  [25] --> [64 + 08][0 + 2]5  --> [72][ 2]5  --> 7 2 2 5|";
    const QString r3 = "70 = (7 × 5) × 2|";
    const QString r4 = "142 = 72 + 70|";
    const QString f = "[49]  [112]  [14] --> [49  +  11][2  +  14] --> [60][ ¹6]  --> [60 + ¹ ][6]  --> 6 1 6|";
    QTest::newRow("Level 2, 785") << "785" << "616225"
                                  << QStringList{
                                         "pnlWorking0 64 '64' w2 M- 64 = 8 ²|",
                                         "pnlWorking1 80 '080' w3 M- 080 = (8 × 5) × 2|",
                                         "pnlWorking2 25 '25' w2 M- 25 = 5 ²|",
                                         "pnlWorking3 7 '7' w1 -- " + r2,
                                         "pnlWorking4 2 '2' w1 -- " + r2,
                                         "pnlWorking5 2 '2' w1 -- " + r2,
                                         "pnlWorking6 5 '5' w1 -- " + r2,
                                         "pnlWorking7 0 '' w1 MU " + r3,
                                         "pnlWorking8 7 '7' w1 M- " + r3,
                                         "pnlWorking9 0 '0' w1 M- " + r3,
                                         "pnlWorking10 1 '1' w1 -- " + r4,
                                         "pnlWorking11 4 '4' w1 -- " + r4,
                                         "pnlWorking12 2 '2' w1 -- " + r4,
                                         "pnlWorking13 49 '49' w2 M- 49 = 7 ²|",
                                         "pnlWorking14 112 '112' w3 M- 112 = (7 × 8) × 2|",
                                         "pnlAnswerUser6 6 '6' w1 -- " + f,
                                         "pnlAnswerUser5 1 '1' w1 -- " + f,
                                         "pnlAnswerUser4 6 '6' w1 -- " + f,
                                         "pnlAnswerUser3 2 '2' w1 -- Working Box|",
                                         "pnlAnswerUser2 2 '2' w1 -- Working Box|",
                                         "pnlAnswerUser1 5 '5' w1 -- Working Box|",
                                     };
    const QString s2 = "[16]  [024]  [09] --> [16 + 02][4 + 0]9  --> [18][ 4]9  --> 1 8 4 9|";
    const QString s3 = "12 = (2 × 3) × 2|";
    const QString s4 = "30 = 18 + 12|";
    const QString g = "[04]  [016]  [3] --> [04  +  01][6  +  3] --> [5][ 9]  --> 5 9|";
    QTest::newRow("Level 1, 243") << "243" << "59049"
                                  << QStringList{
                                         "pnlWorking0 16 '16' w2 M- 16 = 4 ²|",
                                         "pnlWorking1 24 '024' w3 M- 024 = (4 × 3) × 2|",
                                         "pnlWorking2 9 '09' w2 M- 09 = 3 ²|",
                                         "pnlWorking3 1 '1' w1 -- " + s2,
                                         "pnlWorking4 8 '8' w1 -- " + s2,
                                         "pnlWorking5 4 '4' w1 -- " + s2,
                                         "pnlWorking6 9 '9' w1 -- " + s2,
                                         "pnlWorking7 0 '' w1 MU " + s3,
                                         "pnlWorking8 1 '1' w1 M- " + s3,
                                         "pnlWorking9 2 '2' w1 M- " + s3,
                                         "pnlWorking10 0 '' w1 -U " + s4,
                                         "pnlWorking11 3 '3' w1 -- " + s4,
                                         "pnlWorking12 0 '0' w1 -- " + s4,
                                         "pnlWorking13 4 '04' w2 M- 04 = 2 ²|",
                                         "pnlWorking14 16 '016' w3 M- 016 = (2 × 4) × 2|",
                                         "pnlAnswerUser6 0 '' w1 -U " + g,
                                         "pnlAnswerUser5 5 '5' w1 -- " + g,
                                         "pnlAnswerUser4 9 '9' w1 -- " + g,
                                         "pnlAnswerUser3 0 '0' w1 -- Working Box|",
                                         "pnlAnswerUser2 4 '4' w1 -- Working Box|",
                                         "pnlAnswerUser1 9 '9' w1 -- Working Box|",
                                     };
    // TU x TU below 100 (a tens digit of 0): the thousands box of row 2
    // stays in use and expects 0, its text empty.
    const QString q2 = "[00]  [000]  [04] --> [00 + 00][0 + 0]4  --> [0][ 0]4  -->  0 0 4|";
    const QString q3 = "16 = (4 × 2) × 2|";
    const QString q4 = "16 = 0 + 16|";
    const QString h = "[16]  [000]  [1] --> [16  +  00][0  +  1] --> [16][ 1]  --> 1 6 1|";
    QTest::newRow("Level 1, 402") << "402" << "161604"
                                  << QStringList{
                                         "pnlWorking0 0 '00' w2 M- 00 = 0 ²|",
                                         "pnlWorking1 0 '000' w3 M- 000 = (0 × 2) × 2|",
                                         "pnlWorking2 4 '04' w2 M- 04 = 2 ²|",
                                         "pnlWorking3 0 '' w1 -- " + q2,
                                         "pnlWorking4 0 '0' w1 -- " + q2,
                                         "pnlWorking5 0 '0' w1 -- " + q2,
                                         "pnlWorking6 4 '4' w1 -- " + q2,
                                         "pnlWorking7 0 '' w1 MU " + q3,
                                         "pnlWorking8 1 '1' w1 M- " + q3,
                                         "pnlWorking9 6 '6' w1 M- " + q3,
                                         "pnlWorking10 0 '' w1 -U " + q4,
                                         "pnlWorking11 1 '1' w1 -- " + q4,
                                         "pnlWorking12 6 '6' w1 -- " + q4,
                                         "pnlWorking13 16 '16' w2 M- 16 = 4 ²|",
                                         "pnlWorking14 0 '000' w3 M- 000 = (4 × 0) × 2|",
                                         "pnlAnswerUser6 1 '1' w1 -- " + h,
                                         "pnlAnswerUser5 6 '6' w1 -- " + h,
                                         "pnlAnswerUser4 1 '1' w1 -- " + h,
                                         "pnlAnswerUser3 6 '6' w1 -- Working Box|",
                                         "pnlAnswerUser2 0 '0' w1 -- Working Box|",
                                         "pnlAnswerUser1 4 '4' w1 -- Working Box|",
                                     };
}

void TestSquareRules::threeDigitWorkedExamples()
{
    QFETCH(QString, question);
    QFETCH(QString, answer);
    QFETCH(QStringList, boxes);
    const auto parsed = Three::parse(question);
    QVERIFY(parsed.ok());
    const WorkedProblem p = Three::solve(*parsed.question);
    QCOMPARE(p.method, QStringLiteral("square-three-digit"));
    QCOMPARE(p.question, question);
    QCOMPARE(p.answer, answer);
    QCOMPARE(boxLines(p), boxes);
    QVERIFY(p.carries.isEmpty() && !p.remainder);
    QCOMPARE(p.questionPanels, (QList<PanelText>{{"pnlQuestion1", question.mid(2, 1)},
                                                 {"pnlQuestion2", question.mid(1, 1)},
                                                 {"pnlQuestion3", question.left(1)}}));
    const QString padded = answer.rightJustified(6, ' ');
    for (int k = 1; k <= 6; ++k)
        QCOMPARE(p.answerPanels.at(k - 1),
                 (PanelText{QStringLiteral("pnlAnswer%1").arg(k), padded.mid(6 - k, 1).trimmed()}));
}

void TestSquareRules::threeDigitColourHintsAndScreenAids()
{
    const WorkedProblem p = Three::solve(*Three::parse("785").question);
    const QList<QStringList> lit = {
        {"pnlQuestion2"}, {"pnlQuestion1", "pnlQuestion2"}, {"pnlQuestion1"},
        {"pnlWorking0", "pnlWorking1", "pnlWorking2"}, {"pnlWorking0", "pnlWorking1", "pnlWorking2"},
        {"pnlWorking0", "pnlWorking1", "pnlWorking2"}, {"pnlWorking0", "pnlWorking1", "pnlWorking2"},
        {"pnlQuestion1", "pnlQuestion3"}, {"pnlQuestion1", "pnlQuestion3"}, {"pnlQuestion1", "pnlQuestion3"},
        {"pnlWorking3", "pnlWorking4", "pnlWorking7", "pnlWorking8", "pnlWorking9"},
        {"pnlWorking3", "pnlWorking4", "pnlWorking7", "pnlWorking8", "pnlWorking9"},
        {"pnlWorking3", "pnlWorking4", "pnlWorking7", "pnlWorking8", "pnlWorking9"},
        {"pnlQuestion3"}, {"pnlQuestion2", "pnlQuestion3"},
        {"pnlWorking10", "pnlWorking11", "pnlWorking13", "pnlWorking14"},
        {"pnlWorking10", "pnlWorking11", "pnlWorking13", "pnlWorking14"},
        {"pnlWorking10", "pnlWorking11", "pnlWorking13", "pnlWorking14"},
        {"pnlWorking12"}, {"pnlWorking5"}, {"pnlWorking6"},
    };
    QCOMPARE(p.boxes.size(), lit.size());
    for (int i = 0; i < lit.size(); ++i)
        QCOMPARE(litPanels(p.boxes.at(i)), lit.at(i));

    QCOMPARE(Three::droppedDigits(), (QList<QPair<QString, QString>>{{"pnlWorking6", "pnlAnswerUser1"},
                                                                      {"pnlWorking5", "pnlAnswerUser2"},
                                                                      {"pnlWorking12", "pnlAnswerUser3"}}));
    // The total line spans the used columns of row 4: 142 from box 7, 30
    // from box 8, and a one-digit row 4 (101: 1 + 2) over box 9 alone.
    QCOMPARE(Three::totalLineFrom(*Three::parse("785").question), 7);
    QCOMPARE(Three::totalLineFrom(*Three::parse("243").question), 8);
    QCOMPARE(Three::totalLineFrom(*Three::parse("101").question), 9);
}

void TestSquareRules::threeDigitEveryNumber()
{
    static const QRegularExpression rowThree(QStringLiteral("^(\\d+) = \\((\\d) × (\\d)\\) × 2\\|$"));
    static const QRegularExpression rowFour(QStringLiteral("^(\\d+) = (\\d+) \\+ (\\d*)\\|$"));
    static const QRegularExpression front(
        QStringLiteral("^\\[(\\d\\d)\\]  \\[(\\d{3})\\]  \\[(\\d+)\\] --> \\[(\\d\\d)  \\+  (\\d\\d)\\]\\[(\\d)  \\+  "
                       "(\\d+)\\] --> \\[(\\d+)\\]\\[ ([¹²³]?)(\\d)\\] ( --> \\[(\\d+) \\+ ([¹²³]) \\]\\[(\\d)\\] )? --> "
                       "(.*)\\|$"));
    for (int n = 100; n <= 999; ++n) {
        const int h = n / 100, t = n / 10 % 10, u = n % 10, tu = n % 100;
        const WorkedProblem p = Three::solve(*Three::parse(QString::number(n)).question);
        QCOMPARE(p.boxes.size(), 21);

        // Row 1 and row 2: the two-digit square of TU.
        checkPart(p.boxes.at(0), t, 0, true);
        checkPart(p.boxes.at(1), t, u, false);
        checkPart(p.boxes.at(2), u, 0, true);
        const int q = readValue(p, 3, 6);
        QCOMPARE(q, tu * tu);
        QCOMPARE(p.boxes.at(3).unused, q >= 100 && q <= 999);
        QStringList rowTwoTexts;
        for (int i = 3; i <= 6; ++i)
            rowTwoTexts << p.boxes.at(i).text;
        QCOMPARE(checkJoining(p.boxes.at(3).hint, p, "[ ", rowTwoTexts), q);

        // Row 3: 2HU, as its hint says, its leading zeros out of use.
        const QRegularExpressionMatch m3 = rowThree.match(p.boxes.at(7).hint);
        QVERIFY2(m3.hasMatch(), qPrintable(p.boxes.at(7).hint));
        QCOMPARE(m3.captured(2).toInt(), h);
        QCOMPARE(m3.captured(3).toInt(), u);
        const int r = m3.captured(1).toInt();
        QCOMPARE(r, 2 * h * u);
        QCOMPARE(readValue(p, 7, 9), r);
        QCOMPARE(p.boxes.at(7).unused, r < 100);
        QCOMPARE(p.boxes.at(8).unused, r < 10);
        QVERIFY(!p.boxes.at(9).unused);

        // Row 4: row 2 without its last two digits plus row 3 as written.
        const QRegularExpressionMatch m4 = rowFour.match(p.boxes.at(10).hint);
        QVERIFY2(m4.hasMatch(), qPrintable(p.boxes.at(10).hint));
        QCOMPARE(m4.captured(2).toInt(), q / 100);
        QCOMPARE(m4.captured(3), readTexts(p, 7, 9));
        QCOMPARE(m4.captured(3).toInt(), r);
        const int v = m4.captured(1).toInt();
        QCOMPARE(v, q / 100 + r);
        QCOMPARE(readValue(p, 10, 12), v);
        QCOMPARE(readTexts(p, 10, 12), QString::number(v));
        QCOMPARE(p.boxes.at(10).unused, v < 100);
        QCOMPARE(p.boxes.at(11).unused, v < 10);
        QCOMPARE(Three::totalLineFrom(*Three::parse(QString::number(n)).question), v < 10 ? 9 : (v < 100 ? 8 : 7));

        // Row 5.
        checkPart(p.boxes.at(13), h, 0, true);
        checkPart(p.boxes.at(14), h, t, false);

        // The answer reads as the square; its last three digits are the
        // digits dropped from rows 2 and 4.
        QCOMPARE(readValue(p, 15, 20), n * n);
        QCOMPARE(readTexts(p, 15, 20), QString::number(n * n));
        QCOMPARE(p.answer, QString::number(n * n));
        QCOMPARE(p.boxes.at(15).unused, n * n < 100000);
        QCOMPARE(p.boxes.at(18).value, p.boxes.at(12).value);
        QCOMPARE(p.boxes.at(19).value, p.boxes.at(5).value);
        QCOMPARE(p.boxes.at(20).value, p.boxes.at(6).value);

        // The front: [H²][2HT][V div 10] joined to the thousands and above.
        const QRegularExpressionMatch f = front.match(p.boxes.at(15).hint);
        QVERIFY2(f.hasMatch(), qPrintable(p.boxes.at(15).hint));
        const auto c = [&f](int g) { return f.captured(g).toInt(); };
        QCOMPARE(f.captured(1), p.boxes.at(13).text);
        QCOMPARE(f.captured(2), p.boxes.at(14).text);
        QCOMPARE(c(3), v / 10);
        QCOMPARE(f.captured(4), f.captured(1));
        QCOMPARE(f.captured(5), f.captured(2).left(2));
        QCOMPARE(f.captured(6), f.captured(2).mid(2));
        QCOMPARE(f.captured(7), f.captured(3));
        QCOMPARE(c(8), c(4) + c(5));
        QCOMPARE(10 * superValue(f.captured(9)) + c(10), c(6) + c(7));
        QCOMPARE(f.captured(11).isEmpty(), f.captured(9).isEmpty());
        if (!f.captured(11).isEmpty()) {
            QCOMPARE(f.captured(12), f.captured(8));
            QCOMPARE(f.captured(13), f.captured(9));
            QCOMPARE(f.captured(14), f.captured(10));
        }
        QCOMPARE(10 * c(8) + c(6) + c(7), n * n / 1000);
        QCOMPARE(f.captured(15), QString::number(n * n / 1000).split(QString(), Qt::SkipEmptyParts).join(' '));
        for (int i = 15; i <= 20; ++i) {
            QCOMPARE(p.boxes.at(i).hint, i < 18 ? p.boxes.at(15).hint : QStringLiteral("Working Box|"));
            QCOMPARE(p.boxes.at(i).width, 1);
        }
        QList<int> mental;
        for (int i = 0; i < 21; ++i)
            if (p.boxes.at(i).mental)
                mental << i;
        QCOMPARE(mental, (QList<int>{0, 1, 2, 7, 8, 9, 13, 14}));
        QCOMPARE(firstDifference(asJson(p), modelThree(n)), QString());
    }
}

void TestSquareRules::levelsAndDrawing()
{
    const auto small = [](int d) { return d >= 1 && d <= 4; };
    const auto large = [](int d) { return d >= 6 && d <= 9; };
    const auto inTwo = [&](int level, int n) {
        const int t = n / 10, u = n % 10;
        return level == 1 ? small(t) && small(u)
                          : level == 2 ? (small(t) && large(u)) || (large(t) && small(u)) : large(t) && large(u);
    };
    const auto inThree = [](int level, int n) {
        const QString s = QString::number(n);
        for (QChar ch : s)
            if ((level == 1) != (ch.digitValue() <= 4))
                return false;
        return n >= 100 && n <= 999 && s.at(0) != '0';
    };
    // The option hints' examples lie in their levels.
    const QList<QList<int>> examples = {{13, 42, 22}, {28, 73, 46}, {68, 97, 77}};
    for (int level = 1; level <= 3; ++level)
        for (int n : examples.at(level - 1))
            QVERIFY(Two::levelNumbers(level).contains(n));
    for (int n : {132, 402, 243})
        QVERIFY(Three::levelNumbers(1).contains(n));
    for (int n : {687, 957, 769, 785})
        QVERIFY(Three::levelNumbers(2).contains(n));

    struct Case {
        int levels;
        std::function<QList<int>(int)> numbers;
        std::function<bool(int, int)> in;
        std::function<int(QRandomGenerator&, int, int)> draw; // rng, level, previous (0 = none)
    };
    const Case cases[] = {
        {3, Two::levelNumbers, inTwo,
         [](QRandomGenerator& rng, int level, int prev) {
             const Two::Question q{prev / 10, prev % 10};
             return Two::draw(rng, level, prev ? &q : nullptr).number();
         }},
        {2, Three::levelNumbers, inThree,
         [](QRandomGenerator& rng, int level, int prev) {
             const Three::Question q{prev / 100, prev / 10 % 10, prev % 10};
             return Three::draw(rng, level, prev ? &q : nullptr).number();
         }},
    };
    QRandomGenerator rng(20240515);
    for (const Case& c : cases) {
        for (int level = 1; level <= c.levels; ++level) {
            const QList<int> numbers = c.numbers(level);
            int expected = 0;
            for (int n = 10; n <= 999; ++n)
                if (c.in(level, n)) {
                    ++expected;
                    QVERIFY2(numbers.contains(n), qPrintable(QString::number(n)));
                }
            QCOMPARE(numbers.size(), expected);
            // Uniform over the level, never the same number twice in a row.
            QHash<int, int> seen;
            const int draws = 200 * int(numbers.size());
            int previous = 0;
            for (int k = 0; k < draws; ++k) {
                const int n = c.draw(rng, level, previous);
                QVERIFY2(c.in(level, n), qPrintable(QString::number(n)));
                QVERIFY(n != previous);
                ++seen[n];
                previous = n;
            }
            QCOMPARE(seen.size(), numbers.size());
            for (auto it = seen.cbegin(); it != seen.cend(); ++it)
                QVERIFY2(it.value() > 140 && it.value() < 260, qPrintable(QString::number(it.key())));
        }
    }
    QCOMPARE(Two::levelNumbers(1).size() + Two::levelNumbers(2).size() + Two::levelNumbers(3).size(), 64);
    QCOMPARE(Three::levelNumbers(1).size(), 100);
    QCOMPARE(Three::levelNumbers(2).size(), 125);

    // The methods' catalogue (the worksheet tool's --random) draws by the
    // level's name, never the same number twice in a row.
    const struct {
        const char* method;
        const Case& rules;
    } catalogue[] = {{"square-two-digit", cases[0]}, {"square-three-digit", cases[1]}};
    for (const auto& m : catalogue) {
        for (int level = 1; level <= m.rules.levels; ++level) {
            int previous = 0;
            for (const WorkedProblem& p : drawnProblems(m.method, {QStringLiteral("Level %1").arg(level)}, level, 40)) {
                const int n = p.question.toInt();
                QVERIFY2(m.rules.in(level, n) && n != previous, qPrintable(p.question));
                previous = n;
            }
        }
    }
}

void TestSquareRules::parsingAndOptions()
{
    QCOMPARE(Two::parse(" 79 ").question->number(), 79);
    QCOMPARE(Two::parse("10").question->number(), 10);
    for (const char* bad : {"", "7", "09", "100", "3a", "-12", "3 4", "٣٤"})
        QCOMPARE(Two::parse(bad).error, QStringLiteral("question must be a 2-digit number from 10 to 99, e.g. 34"));
    QCOMPARE(Three::parse("100").question->number(), 100);
    QCOMPARE(Three::parse(" 999").question->number(), 999);
    for (const char* bad : {"", "99", "078", "1000", "78x", "7 85"})
        QCOMPARE(Three::parse(bad).error, QStringLiteral("question must be a 3-digit number from 100 to 999, e.g. 785"));

    QStringList two;
    for (const Two::Option& o : Two::options())
        two << QStringLiteral("%1 %2 %3 %4 %5").arg(o.button, o.caption).arg(o.level).arg(o.bestTimeKey, o.hint);
    QCOMPARE(two, (QStringList{
                      "pnlOptLevel1 Level 1 1 Time1 |Both digits of question number are between 1 and 4, example: 13, 42, 22.",
                      "pnlOptLevel2 Level 2 2 Time2 |One digit of question number is between 1 and 4; other digit is between 6 "
                      "and 9, example: 28, 73, 46.",
                      "pnlOptLevel3 Level 3 3 Time3 |Both digits of question number are between 6 and 9, example: 68, 97, 77.",
                  }));
    QStringList three;
    for (const Three::Option& o : Three::options())
        three << QStringLiteral("%1 %2 %3 %4 %5").arg(o.button, o.caption).arg(o.level).arg(o.bestTimeKey, o.hint);
    QCOMPARE(three, (QStringList{
                        "pnlOptLevel1 Level 1 1 Time1 |All 3 digits of question are between 0 and 4, example: 132, 402, 243.",
                        "pnlOptLevel2 Level 2 2 Time2 |All 3 digits of question are between 5 and 9, example: 687, 957, 769.",
                    }));
    QVERIFY(!Two::optionForLevel(0) && !Two::optionForLevel(4) && Two::optionForLevel(3));
    QVERIFY(!Three::optionForLevel(3) && Three::optionForLevel(2)->caption == QStringLiteral("Level 2"));
}

void TestSquareRules::squaresWithFive()
{
    using Five = Squares5Rules;
    QCOMPARE(Five::options().size(), 2);
    QCOMPARE(Five::options().at(0).button + Five::options().at(0).caption, QStringLiteral("pnlOpt5_5 ?"));
    QCOMPARE(Five::options().at(1).button + Five::options().at(1).caption, QStringLiteral("pnlOpt_5? 5"));
    QCOMPARE(Five::options().at(1).storedOption, 2);
    QCOMPARE(Five::numbers(1), (QList<int>{51, 52, 53, 54, 55, 56, 57, 58, 59}));
    QCOMPARE(Five::numbers(2), (QList<int>{15, 25, 35, 45, 55, 65, 75, 85, 95}));
    QCOMPARE(Five::numbers(7), Five::numbers(1));
    // The worked examples.
    QCOMPARE(Five::square(52), 2704);
    QCOMPARE(Five::square(54), 2916);
    QCOMPARE(Five::square(25), 625);
    QCOMPARE(Five::square(45), 2025);

    // Many draws: only the option's numbers, each about as often, never
    // twice in a row (55 belongs to both options).
    QRandomGenerator rng(55);
    for (int option = 1; option <= 2; ++option) {
        QHash<int, int> seen;
        int previous = 0;
        for (int k = 0; k < 9000; ++k) {
            const int n = Five::draw(rng, option, previous);
            QVERIFY(Five::numbers(option).contains(n));
            QVERIFY(n != previous);
            ++seen[n];
            previous = n;
        }
        QCOMPARE(seen.size(), 9);
        for (int count : seen)
            QVERIFY2(count > 850 && count < 1150, qPrintable(QString::number(count)));
    }
    QCOMPARE(Five::parse(" 57", 1), 57);
    QCOMPARE(Five::parse("57", 2), 0);
    QCOMPARE(Five::parse("55", 2), 55);
    QCOMPARE(Five::parse("5x", 1), 0);
    QCOMPARE(Five::parse(QString(), 1), 0);
}

QTEST_GUILESS_MAIN(TestSquareRules)
#include "tst_SquareRules.moc"
