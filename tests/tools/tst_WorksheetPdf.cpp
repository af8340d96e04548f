// The worksheet tool's printable sheets, read back from the PDF: for every
// method a sheet of 20 problems with its answer key. The problems are those
// the method's rules draw for the chosen options; every box of the key shows
// the value the rules give it, where the sheet's layout puts it; every answer
// is checked again by plain arithmetic. Then the refusals of bad arguments.

#include <QtTest>

#include <QGuiApplication>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>

#include "PdfText.h"
#include "WorksheetTool.h"
#include "basics/FactDrillRules.h"
#include "basics/TableDrillRules.h"
#include "practice/PracticeMethods.h"
#include "practice/Squares5Rules.h"
#include "tools/WorksheetCommand.h"
#include "tools/WorksheetPainter.h"
#include "tools/WorksheetSheet.h"

using namespace WorksheetSheet;

namespace {

constexpr int Count = 20;
constexpr quint32 Seed = 2718;

struct Word {
    int page = 0;
    QRectF box;
    QString text;
};

// The words of the PDF with their places (points from each page's top left).
QList<Word> pdfWords(const QString& pdf)
{
    const QString html = pdfText(pdf, {QStringLiteral("-bbox")});
    static const QRegularExpression word(QStringLiteral(
        "<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<Word> words;
    int page = -1;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0) == QLatin1String("<page ")) {
            ++page;
            continue;
        }
        QString text = m.captured(5);
        text.replace(QLatin1String("&amp;"), QLatin1String("&"))
            .replace(QLatin1String("&lt;"), QLatin1String("<"))
            .replace(QLatin1String("&gt;"), QLatin1String(">"));
        words << Word{page,
                      QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                             QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())),
                      text};
    }
    return words;
}

// What stands in a cell: the characters of the page whose middles lie in it
// (a word over several cells is split evenly among its characters).
QString textIn(const QList<Word>& words, int page, const QRectF& cell)
{
    QList<QPair<qreal, QChar>> found;
    for (const Word& w : words) {
        if (w.page != page || !w.box.intersects(cell))
            continue;
        const qreal step = w.box.width() / w.text.size();
        for (qsizetype i = 0; i < w.text.size(); ++i) {
            const QPointF middle(w.box.left() + (i + 0.5) * step, w.box.center().y());
            if (cell.contains(middle))
                found << qMakePair(middle.x(), w.text.at(i));
        }
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    QString text;
    for (const auto& f : found)
        text += f.second;
    return text;
}

// The words inside a rectangle, in reading order, joined by spaces.
QString lineIn(const QList<Word>& words, int page, const QRectF& rect)
{
    QList<Word> inside;
    for (const Word& w : words)
        if (w.page == page && rect.contains(w.box.center()))
            inside << w;
    std::sort(inside.begin(), inside.end(), [](const Word& a, const Word& b) {
        return std::abs(a.box.top() - b.box.top()) > 3 ? a.box.top() < b.box.top() : a.box.left() < b.box.left();
    });
    QStringList texts;
    for (const Word& w : inside)
        texts << w.text;
    return texts.join(QLatin1Char(' '));
}

// The answer (and remainder) of a printed practice question, by plain arithmetic.
QString arithmetic(const QString& method, const QString& question, qint64* remainder)
{
    QString q = question;
    q.remove(QLatin1Char(' '));
    if (method == QLatin1String("speed-addition")) {
        qint64 sum = 0;
        for (const QString& n : q.split(QLatin1Char('+')))
            sum += n.toLongLong();
        return QString::number(sum);
    }
    if (method.startsWith(QLatin1String("multiply-"))) {
        const QStringList f = q.split(QChar(0x00D7));
        return QString::number(f.at(0).toLongLong() * f.at(1).toLongLong());
    }
    if (method == QLatin1String("divide")) {
        const QStringList f = q.split(QChar(0x00F7));
        *remainder = f.at(0).toLongLong() % f.at(1).toLongLong();
        return QString::number(f.at(0).toLongLong() / f.at(1).toLongLong());
    }
    if (method == QLatin1String("square-root")) {
        const qint64 n = q.mid(1).toLongLong();
        qint64 r = qint64(std::sqrt(double(n)));
        while (r * r > n)
            --r;
        while ((r + 1) * (r + 1) <= n)
            ++r;
        *remainder = n - r * r;
        return QString::number(r);
    }
    const qint64 n = q.chopped(1).toLongLong(); // "34²"
    return QString::number(n * n);
}

// A fact of a drill checked by plain arithmetic and against the option's
// domain; "" when right, else what is wrong.
QString checkFact(const QString& method, const QString& option, const QString& fact)
{
    static const QRegularExpression form(QStringLiteral("^(\\d+)\\. (.+) = (.+)$"));
    const auto m = form.match(fact);
    if (!m.hasMatch())
        return QStringLiteral("not a fact line: ") + fact;
    const QString q = m.captured(2);
    const QString a = m.captured(3);
    const QStringList f = q.split(QLatin1Char(' '));
    auto wrong = [&] { return QStringLiteral("%1 %2: %3").arg(method, option, fact); };
    if (method == QLatin1String("addition") || method == QLatin1String("subtraction")) {
        const int x = f.at(0).toInt(), y = f.at(2).toInt();
        const bool adds = f.at(1) == QLatin1String("+");
        const FactKind kind = adds ? FactKind::Add2By2 : FactKind::Subtract2By2;
        if (a.toInt() != (adds ? x + y : x - y) || !FactDrillRules::inDomain(kind, x, y))
            return wrong();
        return {};
    }
    if (method == QLatin1String("doubling"))
        return a.toInt() == 2 * f.at(2).toInt() && f.at(2).size() == 2 ? QString() : wrong();
    if (method == QLatin1String("halving"))
        return a.toInt() == f.at(2).toInt() / 2 ? QString() : wrong();
    if (method == QLatin1String("odds-evens")) {
        const int n = f.at(0).chopped(1).toInt();
        return a == (n % 2 ? QLatin1String("Odd") : QLatin1String("Even")) ? QString() : wrong();
    }
    if (method == QLatin1String("multiplication")) {
        const int x = f.at(0).toInt(), y = f.at(2).toInt();
        return a.toInt() == x * y && QString::number(y) == option ? QString() : wrong();
    }
    if (method == QLatin1String("division")) {
        const int x = f.at(0).toInt(), y = f.at(2).toInt();
        QString expected = QString::number(x / y);
        if (x % y)
            expected += QStringLiteral(" r %1").arg(x % y);
        return a == expected && QString::number(y) == option && x >= 10 && x <= 99 ? QString() : wrong();
    }
    if (method == QLatin1String("squares-5")) {
        const int n = q.chopped(1).toInt();
        return a.toInt() == n * n && n % 10 == 5 ? QString() : wrong();
    }
    return QStringLiteral("no check for ") + method;
}

// The last option of each group: a choice other than the defaults.
QStringList lastOptions(const QString& method)
{
    QStringList chosen;
    for (const OptionGroup& g : optionGroups(method))
        chosen << g.names.last();
    return chosen;
}

} // namespace

class tst_WorksheetPdf : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!havePdfToText())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QVERIFY(m_dir.isValid());
    }

    void every_method_prints_20_problems_and_a_right_key_data()
    {
        QTest::addColumn<QString>("method");
        for (const QString& method : methodNames())
            QTest::newRow(qPrintable(method)) << method;
    }

    void every_method_prints_20_problems_and_a_right_key()
    {
        QFETCH(QString, method);
        const QStringList chosen = lastOptions(method);
        const QString pdf = m_dir.filePath(method + QStringLiteral(".pdf"));
        QStringList args{method, QStringLiteral("--random"), QStringLiteral("--pdf"), pdf, QStringLiteral("--answers"),
                         QStringLiteral("--title"), QStringLiteral("Class 4B"), QStringLiteral("--count"),
                         QString::number(Count), QStringLiteral("--seed"), QString::number(Seed)};
        for (const QString& o : chosen)
            args << QStringLiteral("--option") << o;
        if (method == QLatin1String("divide")) {
            // The built tool, end to end.
            const WorksheetRun run = runWorksheet(args);
            QCOMPARE(run.exitCode, 0);
            QVERIFY2(run.out.isEmpty() && run.err.isEmpty(), run.err.constData());
        } else {
            // The same command line in this process (a tool process per
            // method is slow under the sanitizers).
            const Worksheet::Outcome outcome = Worksheet::run(args);
            QCOMPARE(outcome.exitCode, 0);
            QVERIFY2(outcome.pdf && outcome.out.isEmpty(), qPrintable(outcome.error));
            QCOMPARE(outcome.pdf->path, pdf);
            QFile file(pdf);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(WorksheetPainter::pdf(outcome.pdf->sheet, WorksheetPainter::Paper::A4));
        }

        const QList<Word> words = pdfWords(pdf);
        QVERIFY(!words.isEmpty());
        // The same sheet laid out here says where each problem stands.
        const auto section = WorksheetSheet::section({method, chosen, Count, Seed});
        QVERIFY(section);
        Sheet sheet{QStringLiteral("Class 4B"), true, {*section}};
        const QList<WorksheetPainter::Placed> placed =
            WorksheetPainter::layout(sheet, WorksheetPainter::pageSize(WorksheetPainter::Paper::A4).size(QPageSize::Point));
        QCOMPARE(placed.size(), 2 * Count);
        const int pages = WorksheetPainter::pageCount(placed);
        for (int page = 0; page < pages; ++page) {
            const QString header = lineIn(words, page, QRectF(0, 0, 600, 70));
            QVERIFY2(header.startsWith(QStringLiteral("Class 4B")), qPrintable(header));
            QVERIFY2(header.endsWith(QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages)), qPrintable(header));
        }

        const PracticeMethod* practice = PracticeMethods::find(method);
        QRandomGenerator rng(Seed);
        for (const WorksheetPainter::Placed& p : placed) {
            const QString printed = lineIn(words, p.page, p.rect);
            if (!practice) {
                // A fact: "7. 6 × 7 = ______" on the sheet, "7. 6 × 7 = 42" in the key.
                QVERIFY2(printed.startsWith(QStringLiteral("%1. ").arg(p.problem + 1)), qPrintable(printed));
                if (p.key) {
                    const QString wrong = checkFact(method, chosen.value(0), printed);
                    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
                } else {
                    QVERIFY2(printed.endsWith(QStringLiteral(" = ______")), qPrintable(printed));
                }
                continue;
            }
            if (p.problem == 0)
                rng.seed(Seed); // the sheet, then the key: the same draws again
            const WorkedProblem worked = practice->draw(rng, chosen);
            QVERIFY(practice->solve(worked.question).ok()); // a question of the method's domain
            const QString question = section->problems.at(p.problem).question;
            QVERIFY2(printed.startsWith(QStringLiteral("%1. %2").arg(p.problem + 1).arg(question)), qPrintable(printed));

            // The grid: question digits, then the used boxes, then the carries.
            QStringList expected;
            for (const PanelText& q : worked.questionPanels)
                if (!q.text.isEmpty())
                    expected << q.text;
            for (const RuleBox& b : worked.boxes)
                if (!b.unused)
                    expected << (p.key ? b.text : QString());
            for (const RuleCarry& c : worked.carries)
                expected << (p.key ? PracticeText::carryText(c.value) : QString());
            QCOMPARE(p.cells.size(), expected.size());
            for (qsizetype k = 0; k < expected.size(); ++k)
                QVERIFY2(textIn(words, p.page, p.cells.at(k)) == expected.at(k),
                         qPrintable(QStringLiteral("%1 problem %2 cell %3: '%4', not '%5'")
                                        .arg(method)
                                        .arg(p.problem + 1)
                                        .arg(k)
                                        .arg(textIn(words, p.page, p.cells.at(k)), expected.at(k))));
            if (!p.key)
                continue;
            // The answer line, by the rules and by plain arithmetic.
            qint64 remainder = -1;
            const QString answer = arithmetic(method, question, &remainder);
            QString rulesAnswer = worked.answer; // the answer panels, a leading "0" panel too
            while (rulesAnswer.size() > 1 && rulesAnswer.startsWith(QLatin1Char('0')))
                rulesAnswer.remove(0, 1);
            QCOMPARE(rulesAnswer, answer);
            QString line = QStringLiteral("Answer: ") + answer;
            if (worked.remainder) {
                QCOMPARE(*worked.remainder, remainder);
                line += QStringLiteral(" Remainder: %1").arg(remainder);
            }
            QVERIFY2(printed.endsWith(line), qPrintable(printed + QStringLiteral(" / ") + line));
        }
    }

    void bad_arguments_are_refused()
    {
        const QString pdf = m_dir.filePath(QStringLiteral("refused.pdf"));
        const QString tool = QStringLiteral("--pdf");
        const QString random = QStringLiteral("--random");
        const QString divide = QStringLiteral("divide");
        const QList<QPair<QStringList, QString>> refusals = {
            {{divide, tool, pdf}, QStringLiteral("--pdf goes with --random")},
            {{divide, random, tool, pdf, QStringLiteral("--count"), QStringLiteral("101")}, QStringLiteral("from 1 to 100")},
            {{divide, random, tool, pdf, QStringLiteral("--paper"), QStringLiteral("A3")},
             QStringLiteral("--paper must be A4 or Letter")},
            {{QStringLiteral("multiplication"), random, tool, pdf, QStringLiteral("--option"), QStringLiteral("13")},
             QStringLiteral("unknown option '13'")},
            {{divide, random, QStringLiteral("--answers")}, QStringLiteral("go with --pdf only")},
            {{QStringLiteral("halving"), random}, QStringLiteral("prints with --random --pdf FILE only")},
            {{divide, random, tool, pdf, QStringLiteral("--json")}, QStringLiteral("either --pdf or --json")},
            {{divide, random, tool, pdf, QStringLiteral("--seed"), QStringLiteral("-1")}, QStringLiteral("--seed must be")},
        };
        for (const auto& [args, says] : refusals) {
            const Worksheet::Outcome outcome = Worksheet::run(args);
            QCOMPARE(outcome.exitCode, 2);
            QVERIFY(!outcome.pdf && outcome.out.isEmpty());
            QVERIFY2(outcome.error.contains(says), qPrintable(outcome.error));
        }
        // The tool says so on standard error and writes nothing.
        VERIFY_REFUSED(runWorksheet(refusals.first().first), refusals.first().second);
        QVERIFY(!QFile::exists(pdf));

        // A folder that cannot be written: a message, exit 1, nothing left behind.
        const QString missing = m_dir.filePath(QStringLiteral("no/such/folder/sheet.pdf"));
        const WorksheetRun run = runWorksheet({QStringLiteral("divide"), QStringLiteral("--random"), tool, missing});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.err.startsWith("could not write " + missing.toUtf8()));
        QVERIFY(!QFile::exists(missing));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(tst_WorksheetPdf)
#include "tst_WorksheetPdf.moc"
