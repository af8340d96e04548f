#include "practice/SquareRootRules.h"

#include "shell/TextHelpers.h"

#include "Sweeps.h"
#include "IntegerRoot.h"
#include "WorkedProblemJson.h"

#include <QtTest>

#include <QRegularExpression>

#include <cmath>

using SR = SquareRootRules;

namespace {

WorkedProblem solved(qint64 number)
{
    const auto parsed = SR::parse(QString::number(number));
    if (!parsed.ok())
        qFatal("refused: %s", qPrintable(parsed.error));
    return SR::solve(*parsed.question);
}

// A step as the status bar shows it: the short hint without trailing blanks.
QString step(const RuleBox& b)
{
    QString s = Hints::shortHint(b.hint);
    while (s.endsWith(QLatin1Char(' ')))
        s.chop(1);
    return s;
}

// The steps of a problem, boxes that share a step counted once.
QStringList steps(const WorkedProblem& p)
{
    QStringList out;
    for (const RuleBox& b : p.boxes)
        if (out.isEmpty() || out.last() != step(b))
            out << step(b);
    return out;
}

QStringList lit(const RuleBox& b)
{
    QStringList names;
    for (const ColorHint& h : b.colorHints)
        names << h.panel;
    return names;
}

bool isRemainderBox(const QString& name)
{
    const int n = name.mid(10).toInt();
    return n >= 50 && n <= 54;
}

// Checks one worked problem: the true root and remainder in the boxes and
// the answer panels, and every step as its hint says, computed from the
// panels its colour hint lights (question digits, earlier boxes, mirrors).
class Checker {
public:
    explicit Checker(const WorkedProblem& p)
        : m_p(p), m_mirrors(SR::mirrors(SR::rootDigits(int(p.question.size()))))
    {
        const SR::Question q{p.question.toLongLong()};
        for (const PanelText& t : SR::questionPanels(q) + SR::questionMirrors(q))
            m_text[t.panel] = t.text;
        for (const RuleBox& b : p.boxes)
            m_text[b.box] = b.text;
        for (const SR::Mirror& m : m_mirrors) {
            QString joined;
            for (const QString& b : m.boxes)
                joined += m_text.value(b);
            m_text[m.panel] = m.stripZeros ? StripLeadingZeros(joined) : joined;
        }
    }

    QString check()
    {
        const SR::Question q{m_p.question.toLongLong()};
        const qint64 root = q.root(), rest = q.number - root * root;
        if (root * root > q.number || (root + 1) * (root + 1) <= q.number)
            return QStringLiteral("root");
        if (m_p.answer != QString::number(root) || m_p.remainder != rest)
            return QStringLiteral("answer %1 remainder %2").arg(m_p.answer).arg(*m_p.remainder);
        const int rd = SR::rootDigits(q.digits());
        const QString digits = QString::number(root);
        const char* rootBoxes[] = {"pnlWorking0", "pnlWorking5", "pnlWorking15", "pnlWorking31"};
        QString remainderRow, answerRow, myAnswerRow;
        for (int i = 0; i < rd; ++i) {
            if (m_text.value(rootBoxes[i]) != digits.at(i))
                return QStringLiteral("root digit %1").arg(i);
            if (m_p.answerPanels.at(i).text != digits.at(rd - 1 - i))
                return QStringLiteral("answer panel %1").arg(i);
        }
        const int remainderBoxes = rd == 2 ? 2 : (rd == 3 ? 3 : 5);
        for (int i = 0; i < remainderBoxes; ++i) {
            myAnswerRow += m_text.value(QStringLiteral("pnlWorking%1").arg(50 + i));
            answerRow += m_p.answerPanels.at(rd + i).text;
        }
        if (myAnswerRow.toLongLong() != rest || answerRow != myAnswerRow)
            return QStringLiteral("remainder row %1 / %2").arg(myAnswerRow, answerRow);

        for (int i = 0; i < m_p.boxes.size(); ++i) {
            const RuleBox& b = m_p.boxes.at(i);
            m_index[b.box] = i;
            if (b.text.toInt() != b.value || b.text.size() > b.width || b.width < 1 || b.width > 3)
                return b.box + QStringLiteral(": text/width");
            for (const QString& s : lit(b))
                if (!earlier(s, i))
                    return b.box + QStringLiteral(": lights %1, not computed before").arg(s);
        }
        // Groups: runs of boxes that share a step (chunked where the step
        // lists the boxes' texts).
        for (int i = 0; i < m_p.boxes.size();) {
            const QString s = step(m_p.boxes.at(i));
            int end = i + 1;
            while (end < m_p.boxes.size() && step(m_p.boxes.at(end)) == s)
                ++end;
            const int chunk = isColumnSum(i) ? 1 : chunkSize(s);
            if (chunk > 0)
                end = qMin(end, i + chunk);
            if (const QString error = checkGroup(i, end); !error.isEmpty())
                return m_p.boxes.at(i).box + QStringLiteral(" \"") + s + QStringLiteral("\": ") + error;
            i = end;
        }
        return QString();
    }

private:
    bool earlier(const QString& panel, int index) const
    {
        if (panel.startsWith(QLatin1String("pnlQuestion")))
            return true;
        for (const SR::Mirror& m : m_mirrors)
            if (m.panel == panel) {
                for (const QString& b : m.boxes)
                    if (m_index.value(b, index) >= index && m_text.contains(b))
                        return false;
                return m_text.contains(panel);
            }
        return m_index.value(panel, index) < index;
    }

    static int chunkSize(const QString& s)
    {
        const qsizetype arrow = s.lastIndexOf(QLatin1String(" --> "));
        if (s.startsWith(QLatin1Char('[')) || arrow < 0 || !s.contains(QLatin1String(" = ")))
            return 0;
        return int(s.mid(arrow + 5).split(QLatin1Char(' ')).size());
    }

    // Numbers the lit panels give: each panel, and runs of neighbours read
    // together ("5" "1" -> 51).
    QSet<qint64> sources(int from, int to) const
    {
        QStringList texts;
        for (int i = from; i < to; ++i)
            for (const QString& s : lit(m_p.boxes.at(i)))
                texts << m_text.value(s);
        QSet<qint64> out;
        for (int a = 0; a < texts.size(); ++a) {
            QString run;
            for (int b = a; b < texts.size() && b < a + 3; ++b)
                out << (run += texts.at(b)).toLongLong();
        }
        return out;
    }

    QString checkGroup(int from, int to) const
    {
        const QString s = step(m_p.boxes.at(from));
        const QSet<qint64> src = sources(from, to);
        const auto from_ = [&](std::initializer_list<qint64> operands) {
            for (qint64 v : operands)
                if (!src.contains(v))
                    return false;
            return true;
        };
        QString joined;
        for (int i = from; i < to; ++i)
            joined = isRemainderBox(m_p.boxes.at(i).box) ? m_p.boxes.at(i).text + joined
                                                          : joined + m_p.boxes.at(i).text;
        const qint64 value = joined.toLongLong();
        QRegularExpressionMatch m;
        const auto is = [&](const char* pattern) {
            static QHash<const char*, QRegularExpression> compiled;
            auto it = compiled.find(pattern);
            if (it == compiled.end())
                it = compiled.insert(pattern, QRegularExpression(QStringLiteral("^%1$").arg(QString::fromUtf8(pattern))));
            m = it->match(s);
            return m.hasMatch();
        };
        const auto n = [&](int k) { return m.captured(k).toLongLong(); };
        if (is(R"((\d) :   V¯(\d+) = \1\.---  ;   \(\1 ² = (\d+), (\d+) ² = (\d+)\))"))
            return from_({n(2)}) && n(3) == n(1) * n(1) && n(4) == n(1) + 1 && n(5) == n(4) * n(4)
                           && n(3) <= n(2) && n(2) < n(5) && value == n(1)
                       ? QString() : QStringLiteral("first digit");
        if (is(R"((\d+) = (\d) ²)") || is(R"((\d{3}) = (\d) ² --> (\d) (\d) (\d))"))
            return from_({n(2)}) && n(1) == n(2) * n(2) && value == n(1) ? QString() : QStringLiteral("square");
        if (is(R"((\d+) = (\d+) - (\d+))")) {
            // The remainder subtracts the rows of the remainder area, read
            // across their columns; other differences use the lit numbers.
            bool operands = from_({n(2), n(3)});
            if (isRemainderBox(m_p.boxes.at(from).box)) {
                QString top, bottom;
                for (int i = to - 1; i >= from; --i) {
                    top += m_text.value(lit(m_p.boxes.at(i)).value(0));
                    bottom += m_text.value(lit(m_p.boxes.at(i)).value(1));
                }
                operands = top.toLongLong() == n(2) && bottom.toLongLong() == n(3);
            }
            return operands && n(1) == n(2) - n(3) && n(1) >= 0 && value == n(1) ? QString()
                                                                                  : QStringLiteral("difference");
        }
        if (is(R"((\d+) = \((\d+) × 10\) ÷ 2)"))
            return from_({n(2)}) && n(1) == n(2) * 5 && value == n(1) ? QString() : QStringLiteral("half");
        if (is(R"((\d+) ÷ (\d) --> (\d+)(?:; .* so take (\d))?)")) {
            // The reasons themselves are checked in tst_SquareRootHints.
            const qint64 estimate = n(1) / n(2);
            const bool words = m.captured(4).isEmpty() ? value == estimate : estimate != value && n(4) == value;
            return from_({n(1), n(2)}) && n(3) == estimate && words ? QString() : QStringLiteral("estimate");
        }
        if (is(R"((\d{3}) = \((\d) × (\d)\) × 2)") || is(R"((\d{3}) = \((\d) × (\d)\) × 2 --> ([\d ]+))"))
            return from_({n(2), n(3)}) && n(1) == 2 * n(2) * n(3) && value == n(1)
                           && (m.captured(4).isEmpty() || m.captured(4).remove(QLatin1Char(' ')).toLongLong() == value)
                       ? QString() : QStringLiteral("cross product");
        if (is(R"(\[(\d{3})  \+  (\d)\](\d) --> \[(\d+)\]\3 --> ([\d ]+))"))
            return from_({n(1), n(2) * 10 + n(3)}) && n(4) == n(1) + n(2) && to - from == 3
                           && value == n(4) * 10 + n(3) && m.captured(5).remove(QLatin1Char(' ')).toLongLong() == value
                       ? QString() : QStringLiteral("subtrahend");
        if (is(R"((\d+) - (\d+) = (\d+)  -->\[\3--> <--(\d)\] --> (\d+))"))
            return from_({n(1), n(2), n(4)}) && n(3) == n(1) - n(2) && n(3) >= 0 && n(5) == n(3) * 10 + n(4)
                           && value == n(5) ? QString() : QStringLiteral("bring down");
        if (is(R"((\d+) = (\d+(?: \+ \d+)*)(?: \+ \^(\d))?(?: --> ([\d ]+))?)")) {
            qint64 total = n(3);
            for (const QString& t : m.captured(2).split(QLatin1String(" + "))) {
                if (!src.contains(t.toLongLong()))
                    return QStringLiteral("term %1 not lit").arg(t);
                total += t.toLongLong();
            }
            if (total != n(1))
                return QStringLiteral("sum");
            if (m.captured(4).contains(QLatin1Char(' ')))
                return value == total ? QString() : QStringLiteral("sum digits");
            // A column sum: the carry comes from the column to the right.
            const int carryIn = m_carry.value(from - 1);
            m_carry[from] = int(total / 10);
            const bool last = to == m_p.boxes.size() || !isColumnSum(to);
            return n(3) == carryIn && value == total % 10 && (total >= 10) == !m.captured(4).isEmpty()
                           && (!last || total < 10) ? QString() : QStringLiteral("column sum");
        }
        return QStringLiteral("unknown step");
    }

    bool isColumnSum(int i) const
    {
        const int n = m_p.boxes.at(i).box.mid(10).toInt();
        return m_p.boxes.size() == 53 && n >= 44 && n <= 49;
    }

    const WorkedProblem& m_p;
    const QList<SR::Mirror>& m_mirrors;
    QHash<QString, QString> m_text;
    QHash<QString, int> m_index;
    mutable QHash<int, int> m_carry;
};

// The worked examples of the help topic: blocks that begin "V¯N = R,
// remainder M" followed by the steps.
QList<QStringList> helpExamples()
{
    QFile f(QStringLiteral(VSM_SOURCE_DIR "/resources/help/VandrelsholmSpeedMath.hlp"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(f.readAll());
    const qsizetype begin = text.indexOf(QLatin1String("[topic 635 "));
    const QString topic = text.mid(begin, text.indexOf(QLatin1String("[end]"), begin) - begin);
    QList<QStringList> examples;
    const QRegularExpression block(QStringLiteral("```\\n(V¯[^`]*)```"));
    for (auto it = block.globalMatch(topic); it.hasNext();) {
        // A line that begins with blanks goes on with the step above it.
        QStringList steps;
        for (const QString& line : it.next().captured(1).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            if (line.startsWith(QLatin1String("  ")) && !steps.isEmpty())
                steps.last() += QLatin1Char(' ') + line.trimmed();
            else
                steps << line;
        }
        examples << steps;
    }
    return examples;
}

// A model of the method written from the arithmetic of the square, as the
// worksheet tool's JSON line, without the rules class: the differences and
// brought-down numbers come from the remainders of the leading blocks, not
// from the chain of steps the rules follow.

struct Box {
    QString box, text, hint;
    qint64 value;
    int width;
    bool mental, unused;
};

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

class TestSquareRootRules : public QObject {
    Q_OBJECT

private slots:
    void workedExample();
    void threeDigitNumber();
    void helpExamplesAreTheSteps();
    void estimates();
    void everyStepFollows();
    void drawnProblemsMatchTheModel_data();
    void drawnProblemsMatchTheModel();
    void examplesMatchTheModel();
    void parseAndDraw();
    void options();
};

void TestSquareRootRules::workedExample()
{
    const WorkedProblem p = solved(5125);
    QCOMPARE(p.method, QStringLiteral("square-root"));
    QCOMPARE(p.answer, QStringLiteral("71"));
    QCOMPARE(p.remainder.value_or(-1), qint64(84));
    // box, value, text, width, mental, hint, lit panels
    const QStringList expected = {
        "pnlWorking0|7|7|1|0|7 :   V¯51 = 7.---  ;   (7 ² = 49, 8 ² = 64)|pnlQuestion1 pnlQuestion2",
        "pnlWorking2|4|4|1|1|49 = 7 ²|pnlWorking0",
        "pnlWorking12|9|9|1|1|49 = 7 ²|pnlWorking0",
        "pnlWorking3|0|0|1|0|2 = 51 - 49|pnlQuestion1 pnlQuestion2 pnlWorking2 pnlWorking12",
        "pnlWorking13|2|2|1|0|2 = 51 - 49|pnlQuestion1 pnlQuestion2 pnlWorking2 pnlWorking12",
        "pnlWorking14|10|10|2|1|10 = (2 × 10) ÷ 2|pnlWorking3 pnlWorking13",
        "pnlWorking5|1|1|1|0|10 ÷ 7 --> 1|pnlWorking14 pnlWorking0",
        "pnlWorking6|49|49|2|1|49 = 7 ²|pnlWorking0",
        "pnlWorking7|14|014|3|1|014 = (7 × 1) × 2 |pnlWorking0 pnlWorking5",
        "pnlWorking8|1|01|2|1|01 = 1 ²|pnlWorking5",
        "pnlWorking9|1|1|2|0|[014  +  0]1 --> [14]1 --> 1 4 1|pnlWorking7 pnlWorking8",
        "pnlWorking10|4|4|1|0|[014  +  0]1 --> [14]1 --> 1 4 1|pnlWorking7 pnlWorking8",
        "pnlWorking11|1|1|1|0|[014  +  0]1 --> [14]1 --> 1 4 1|pnlWorking7 pnlWorking8",
        "pnlWorking18|12|12|2|0|2 - 1 = 1  -->[1--> <--2] --> 12|pnlWorking3 pnlWorking13 pnlWorking9 pnlQuestion3",
        "pnlWorking51|4|4|1|0|84 = 125 - 41|pnlQuestion4R pnlWorking46R",
        "pnlWorking50|8|8|1|0|84 = 125 - 41|pnlWorking29 pnlWorking4445R",
    };
    QCOMPARE(p.boxes.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const RuleBox& b = p.boxes.at(i);
        const QString got = QStringList{b.box, QString::number(b.value), b.text, QString::number(b.width),
                                        QString::number(b.mental), b.hint.chopped(1), lit(b).join(' ')}
                                .join('|');
        QCOMPARE(got, expected.at(i));
        QVERIFY(!b.unused);
    }
    QStringList panels;
    for (const PanelText& t : p.answerPanels)
        panels << t.panel + '=' + t.text;
    QCOMPARE(panels.join(' '), QStringLiteral("pnlAnswer0=1 pnlAnswer1=7 pnlRemainder0=8 pnlRemainder1=4"));
}

void TestSquareRootRules::threeDigitNumber()
{
    // 123 = 11² + 2: a one-digit first block, r1² and D of one digit, a
    // remainder below 10 in a one-digit box.
    const SR::Question q{123};
    QCOMPARE(SR::questionPanels(q),
             (QList<PanelText>{{"pnlQuestion1", ""}, {"pnlQuestion2", "1"}, {"pnlQuestion3", "2"},
                               {"pnlQuestion4", "3"}}));
    QCOMPARE(SR::questionMirrors(q), (QList<PanelText>{{"pnlQuestion4R", "3"}}));
    const WorkedProblem p = SR::solve(q);
    QStringList unused;
    for (const RuleBox& b : p.boxes)
        if (b.unused)
            unused << b.box;
    QCOMPARE(unused, (QStringList{"pnlWorking2", "pnlWorking3"}));
    QCOMPARE(p.boxes.at(0).hint, QStringLiteral("1 :   V¯1 = 1.---  ;   (1 ² = 1, 2 ² = 4)|"));
    QCOMPARE(lit(p.boxes.at(0)), QStringList{"pnlQuestion2"});
    QCOMPARE(lit(p.boxes.at(3)), (QStringList{"pnlQuestion2", "pnlWorking12"}));
    QCOMPARE(p.boxes.at(15).box, QStringLiteral("pnlWorking50"));
    QCOMPARE(p.boxes.at(15).width, 1);
    QCOMPARE(p.boxes.at(15).text, QStringLiteral("0"));
    QCOMPARE(p.answerPanels.at(2).text, QStringLiteral("0"));
    QCOMPARE(p.boxes.at(13).text, QStringLiteral("02")); // B = 2, padded like the learner's entry
    QCOMPARE(p.boxes.at(15).hint, QStringLiteral("2 = 23 - 21|"));

    // Five and seven digits leave pnlQuestion0 and pnlWorking1 unused.
    for (qint64 n : {63925LL, 6389588LL}) {
        const WorkedProblem odd = solved(n);
        QCOMPARE(odd.boxes.at(1).box, QStringLiteral("pnlWorking1"));
        QVERIFY(odd.boxes.at(1).unused);
        QCOMPARE(SR::questionPanels(SR::Question{n}).first(), (PanelText{"pnlQuestion0", ""}));
    }
}

void TestSquareRootRules::helpExamplesAreTheSteps()
{
    const QList<QStringList> examples = helpExamples();
    QSet<int> digitCounts;
    for (const QStringList& lines : examples) {
        const auto head = QRegularExpression(QStringLiteral("^V¯(\\d+) = (\\d+), remainder (\\d+)$")).match(lines.first());
        QVERIFY2(head.hasMatch(), qPrintable(lines.first()));
        const WorkedProblem p = solved(head.captured(1).toLongLong());
        QCOMPARE(p.answer, head.captured(2));
        QCOMPARE(*p.remainder, head.captured(3).toLongLong());
        QCOMPARE(steps(p), lines.mid(1));
        digitCounts << int(head.captured(1).size());
    }
    QCOMPARE(digitCounts, (QSet<int>{4, 5, 6, 7, 8}));
}

void TestSquareRootRules::estimates()
{
    const auto hintOf = [](qint64 n, const char* box) {
        for (const RuleBox& b : solved(n).boxes)
            if (b.box == QLatin1String(box))
                return QString::number(b.value) + ' ' + b.hint;
        return QString();
    };
    QCOMPARE(hintOf(9999, "pnlWorking5"),
             QStringLiteral("9 90 ÷ 9 --> 10; 10 is too large: a root digit is at most 9, so take 9|"));
    QCOMPARE(hintOf(210, "pnlWorking5"),
             QStringLiteral("4 5 ÷ 1 --> 5; 5 is too large: 15 ² = 225 is more than 210, so take 4|"));
    QCOMPARE(hintOf(1099, "pnlWorking5"),
             QStringLiteral("3 5 ÷ 3 --> 1; 1 is too small: 1099 - 31 ² = 138 is more than 2 × 31 = 62, so take 2; "
                            "2 is too small: 1099 - 32 ² = 75 is more than 2 × 32 = 64, so take 3|"));
    QCOMPARE(hintOf(680073, "pnlWorking15"),
             QStringLiteral("4 40 ÷ 8 --> 5; 5 is too large: 825 ² = 680625 is more than 680073, so take 4|"));
    QCOMPARE(hintOf(68073, "pnlWorking5"),
             QStringLiteral("6 10 ÷ 2 --> 5; 5 is too small: 680 - 25 ² = 55 is more than 2 × 25 = 50, so take 6|"));
    // A half of 100 does not fit two digits: its box takes three.
    for (const auto& [n, box] : {std::pair{960000LL, "pnlWorking14"}, std::pair{93120000LL, "pnlWorking30"}}) {
        for (const RuleBox& b : solved(n).boxes)
            if (b.box == QLatin1String(box)) {
                QCOMPARE(b.text, QStringLiteral("100"));
                QCOMPARE(b.width, 3);
                QCOMPARE(b.hint, QStringLiteral("100 = (20 × 10) ÷ 2|"));
            }
    }
}

void TestSquareRootRules::everyStepFollows()
{
    // Every 3-digit number, and random numbers of 4 to 8 digits.
    for (qint64 n = 100; n < 1000; ++n) {
        const QString error = Checker(solved(n)).check();
        QVERIFY2(error.isEmpty(), qPrintable(QString::number(n) + ": " + error));
    }
    QRandomGenerator rng(16);
    for (int digits = 4; digits <= 8; ++digits)
        for (int k = 0; k < sweepSize(150); ++k) {
            const WorkedProblem p = SR::solve(SR::draw(rng, digits));
            QCOMPARE(p.boxes.size(), digits <= 4 ? 16 : digits <= 6 ? 30 : 53);
            const QString error = Checker(p).check();
            QVERIFY2(error.isEmpty(), qPrintable(p.question + ": " + error));
        }
    // The edges of each digit count.
    for (qint64 n : {10000LL, 99999LL, 100000LL, 999999LL, 1000000LL, 9999999LL, 10000000LL, 99999999LL,
                     99980001LL, 960000LL, 93120000LL}) {
        const QString error = Checker(solved(n)).check();
        QVERIFY2(error.isEmpty(), qPrintable(QString::number(n) + ": " + error));
    }
}

void TestSquareRootRules::drawnProblemsMatchTheModel_data()
{
    QTest::addColumn<int>("digits");
    for (int d = 3; d <= 8; ++d)
        QTest::addRow("%d-Digit", d) << d;
}

void TestSquareRootRules::drawnProblemsMatchTheModel()
{
    QFETCH(int, digits);
    // Drawn through the methods' catalogue, as the worksheet tool draws:
    // the option's digit count, never the same number twice in a row.
    QString previous;
    for (const WorkedProblem& p :
         drawnProblems("square-root", {QStringLiteral("%1-Digit").arg(digits)}, quint32(1600 + digits), sweepSize(60))) {
        QCOMPARE(p.question.size(), digits);
        QVERIFY2(p.question != previous, qPrintable(p.question));
        const QString diff = compare(asJson(p));
        QVERIFY2(diff.isEmpty(), qPrintable(p.question + ": " + diff));
        previous = p.question;
    }
}

void TestSquareRootRules::examplesMatchTheModel()
{
    // The worked examples, perfect squares and the largest estimates.
    for (qint64 n : {5125LL, 687LL, 2400LL, 63925LL, 852741LL, 6389588LL, 39336472LL, 960000LL, 93120000LL, 99980001LL}) {
        const QString diff = compare(asJson(solved(n)));
        QVERIFY2(diff.isEmpty(), qPrintable(QString::number(n) + ": " + diff));
    }
}

void TestSquareRootRules::parseAndDraw()
{
    QCOMPARE(SR::parse(" 5125 ").question->number, qint64(5125));
    for (const char* bad : {"", "51", "123456789", "0512", "51a5", "-5125", "5 125"})
        QVERIFY2(!SR::parse(bad).ok() && !SR::parse(bad).error.isEmpty(), bad);
    QCOMPARE(SR::parse("0512").error, QStringLiteral("the number must not begin with 0"));
    QCOMPARE(SR::parse("123456789").error, QStringLiteral("the number must have 3 to 8 digits, not 9"));

    // Even draws: every 3-digit number can come, perfect squares no more often
    // than any other, and never the same number twice in a row.
    QRandomGenerator rng(8);
    SR::Question previous = SR::draw(rng, 3);
    int squares = 0;
    QSet<qint64> seen;
    for (int k = 0; k < 45000; ++k) {
        const SR::Question q = SR::draw(rng, 3, &previous);
        QVERIFY(q.number >= 100 && q.number <= 999);
        QVERIFY(q.number != previous.number);
        squares += q.remainder() == 0;
        seen << q.number;
        previous = q;
    }
    QCOMPARE(seen.size(), 900);
    QVERIFY2(squares > 800 && squares < 1400, qPrintable(QString::number(squares))); // 22 of 900: 1100 expected
    for (int d = 4; d <= 8; ++d)
        QCOMPARE(SR::draw(rng, d).digits(), d);
}

void TestSquareRootRules::options()
{
    QStringList rows;
    for (const SR::Option& o : SR::options())
        rows << QStringLiteral("%1 %2 %3 %4 %5").arg(o.button, o.caption).arg(o.digits).arg(o.storedOption).arg(o.bestTimeKey);
    QCOMPARE(rows, (QStringList{"pnlOpt3Digit 3-Digit 3 1 Time3", "pnlOpt4Digit 4-Digit 4 2 Time4",
                                "pnlOpt5Digit 5-Digit 5 3 Time5", "pnlOpt6Digit 6-Digit 6 4 Time6",
                                "pnlOpt7Digit 7-Digit 7 5 Time7", "pnlOpt8Digit 8-Digit 8 6 Time8"}));
    QCOMPARE(SR::optionForStored(6)->hint,
             QStringLiteral("|8-Digit square root questions are for example: V¯68007543, V¯97120417, "
                            "V¯13248728, V¯15493928 ."));
    QCOMPARE(SR::optionForDigits(3)->hint,
             QStringLiteral("|3-Digit square root questions are for example: V¯687, V¯247, V¯198, V¯653 ."));
    QVERIFY(!SR::optionForStored(7) && !SR::optionForDigits(2));
    QCOMPARE(SR::optionForButton("pnlOpt5Digit")->digits, 5);
}

QTEST_APPLESS_MAIN(TestSquareRootRules)
#include "tst_SquareRootRules.moc"
