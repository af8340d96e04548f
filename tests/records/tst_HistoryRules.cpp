// The practice history without a window: records written and read back over
// many generated records, hostile and torn lines, the bound's rewrite, the
// last record's time, and the progress figures drawn from the records.

#include <QtTest>

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>

#include "records/HistoryRules.h"
#include "records/ProgressRules.h"

using HistoryRules::Kind;
using HistoryRules::Record;

namespace {

constexpr qint64 Now = 1796725800; // 2026-12-08T10:30:00Z

const QStringList Options = {QStringLiteral("2Digit"), QStringLiteral("Up to 10"), QStringLiteral("a, \"quoted\" one"),
                             QStringLiteral("Ünïcode ÷ ×"), QString()};

Record randomRecord(QRandomGenerator& rng, qint64 when)
{
    Record r;
    r.when = when;
    // A screen keeps one kind of record: problems or drill runs.
    r.kind = rng.bounded(2) ? Kind::Problem : Kind::Drill;
    r.section = r.kind == Kind::Problem ? QStringLiteral("Square2Digit") : QStringLiteral("Addition");
    r.option = Options[rng.bounded(int(Options.size()))];
    if (r.kind == Kind::Problem) {
        r.right = rng.bounded(2);
        r.seconds = double(rng.bounded(1, 500000)) / 1000.0;
    } else {
        r.questions = rng.bounded(1, 300);
        r.correct = rng.bounded(r.questions + 1);
        r.questionDelayMs = rng.bounded(0, 10000);
        r.answerDelayMs = rng.bounded(0, 10000);
    }
    return r;
}

QList<Record> randomRecords(QRandomGenerator& rng, int count)
{
    QList<Record> records;
    qint64 when = Now - 400LL * 86400;
    for (int i = 0; i < count; ++i) {
        when += rng.bounded(1, 20000);
        records.append(randomRecord(rng, std::min(when, Now)));
    }
    return records;
}

QByteArray fileOf(const QList<Record>& records)
{
    QByteArray bytes = HistoryRules::header();
    for (const Record& r : records)
        bytes += HistoryRules::line(r);
    return bytes;
}

} // namespace

class TestHistoryRules : public QObject
{
    Q_OBJECT

private slots:
    // Every record written comes back as it was, whole files and line by
    // line, among hostile lines that are all skipped; a file cut anywhere
    // gives exactly the records whose lines are whole.
    void recordsRoundTripAmongHostileLines()
    {
        QRandomGenerator rng(2501);
        const QList<Record> records = randomRecords(rng, 3000);
        QCOMPARE(HistoryRules::parse(fileOf(records), Now), records);

        const QList<QByteArray> hostile = {
            "2026-12-08T09:15:02Z,problem,Square2Digit,2Digit,1,14.250,,,",              // 9 columns
            "2026-12-08T09:15:02Z,problem,Square2Digit,2Digit,1,14.250,,,,,",            // 11 columns
            "2026-12-08T09:15:02Z,problem,Square2Digit,2Digit,1,nan,,,,",                // NaN
            "2026-12-08T09:15:02Z,problem,Square2Digit,2Digit,1,inf,,,,",
            "2026-12-08T09:15:02Z,problem,Square2Digit,2Digit,1,1e308,,,,",              // huge
            "2026-12-08T09:15:02Z,problem,Square2Digit,2Digit,1,99999999999999999,,,,",
            "2026-12-08T09:15:02Z,problem,Square2Digit,2Digit,1,-3,,,,",
            "2026-12-08T09:15:02Z,problem,Square2Digit,2Digit,yes,3,,,,",                // text
            "2026-12-08T09:15:02Z,problem,Square2Digit,2Digit,1,,,,,",
            "2026-12-08T09:15:02Z,problem,Square2Digit,2Digit,1,3,5,,,",                 // drill field on a problem
            "2026-12-08T09:15:02Z,drill,Addition,,,,99999999999,5,100,100",              // huge
            "2026-12-08T09:15:02Z,drill,Addition,,,,0,0,100,100",                        // no question
            "2026-12-08T09:15:02Z,drill,Addition,,,,5,6,100,100",                        // more right than asked
            "2026-12-08T09:15:02Z,drill,Addition,,,,5,x,100,100",
            "2026-12-08T09:15:02Z,drill,Addition,,,,-5,1,100,100",
            "2026-12-08T09:15:02Z,drill,Addition,,1,,5,1,100,100",
            "2099-01-01T00:00:00Z,drill,Addition,,,,5,1,100,100",                        // future
            "2026-02-30T00:00:00Z,drill,Addition,,,,5,1,100,100",                        // no such day
            "2026-12-08 09:15:02,drill,Addition,,,,5,1,100,100",
            "2026-12-08T09:15:02Z,lesson,Addition,,,,5,1,100,100",                       // unknown kind
            "2026-12-08T09:15:02Z,drill,Add\"ition,,,,5,1,100,100",
            "2026-12-08T09:15:02Z,drill,Addition,\"open,,,,5,1,100,100",
            "2026-12-08T09:15:02Z,drill,,,,,5,1,100,100",                                // no section
            "2026-12-08T09:15:02Z,drill,Addition,\"a\x01b\",,,5,1,100,100",
            "",
            "\xff\xfe garbage \x00\x80",
        };
        QByteArray mixed = HistoryRules::header();
        QList<Record> expected;
        for (int i = 0; i < records.size(); ++i) {
            mixed += hostile[i % hostile.size()] + (i % 3 ? "\r\n" : "\n");
            mixed += HistoryRules::line(records[i]);
            expected.append(records[i]);
        }
        QCOMPARE(HistoryRules::parse(mixed, Now), expected);
        for (const QByteArray& line : hostile)
            QVERIFY2(!HistoryRules::parseLine(line, Now), line.constData());

        // A kill during an append: cut anywhere, whole lines only.
        const QByteArray whole = fileOf(records.mid(0, 200));
        for (int t = 0; t < 300; ++t) {
            const qsizetype cut = rng.bounded(int(whole.size()) + 1);
            const QByteArray torn = whole.left(cut);
            const qsizetype wholeLines = torn.count('\n') - 1; // less the header
            const QList<Record> read = HistoryRules::parse(torn, Now);
            QCOMPARE(read, records.mid(0, std::max<qsizetype>(0, wholeLines)));
        }
    }

    // The file: read in blocks, the last record's time from the tail alone,
    // a torn end that an append would leave.
    void fileReadingAndLastRecord()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Ann.history.csv"));
        QCOMPARE(HistoryRules::pathFor(dir.filePath(QStringLiteral("Ann.ini"))), path);
        QVERIFY(HistoryRules::readFile(path, Now).isEmpty());
        QVERIFY(!HistoryRules::lastRecordTime(path, Now).isValid());

        QRandomGenerator rng(77);
        const QList<Record> records = randomRecords(rng, 40000); // over one read block
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(fileOf(records) + "2026-12-08T10:29:59Z,drill,Addit"); // torn
        file.close();
        QVERIFY(file.size() > 1024 * 1024);
        QCOMPARE(HistoryRules::readFile(path, Now), records);
        QCOMPARE(HistoryRules::lastRecordTime(path, Now), records.last().time());
        QCOMPARE(records.last().time().toString(Qt::ISODate).toLatin1(), HistoryRules::line(records.last()).left(20));

        // Only hostile lines at the end: the last valid one before them.
        QVERIFY(file.open(QIODevice::Append));
        file.write("\r\n2099-01-01T00:00:00Z,drill,Addition,,,,5,1,100,100\r\n");
        file.close();
        QCOMPARE(HistoryRules::lastRecordTime(path, Now), records.last().time());
        // A tail of nothing but noise: no time rather than a guess.
        QVERIFY(file.open(QIODevice::Append));
        file.write(QByteArray(HistoryRules::TailBytes, 'x') + "\r\n");
        file.close();
        QVERIFY(!HistoryRules::lastRecordTime(path, Now).isValid());
    }

    // Beyond the bound the newest whole lines are kept under the header, as
    // many as fit; below it nothing changes.
    void boundKeepsTheNewestWholeLines()
    {
        QRandomGenerator rng(9);
        const QList<Record> records = randomRecords(rng, 2000);
        const QByteArray bytes = fileOf(records);
        QVERIFY(!HistoryRules::trimmed(bytes, 60, bytes.size() + 60, 1000));
        for (int t = 0; t < 200; ++t) {
            const qint64 keep = rng.bounded(100, int(bytes.size()));
            const QByteArray torn = bytes + (t % 2 ? QByteArray("2026-12-08T10:29:59Z,dr") : QByteArray());
            const std::optional<QByteArray> cut = HistoryRules::trimmed(torn, 60, torn.size(), keep);
            QVERIFY(cut);
            QVERIFY(cut->size() <= keep);
            QVERIFY(cut->startsWith(HistoryRules::header()));
            QVERIFY(cut->endsWith("\r\n"));
            const QList<Record> kept = HistoryRules::parse(*cut, Now);
            // The newest records, and no room for one more.
            QCOMPARE(kept, records.mid(records.size() - kept.size()));
            if (kept.size() < records.size()) {
                const qsizetype next = HistoryRules::line(records[records.size() - kept.size() - 1]).size();
                QVERIFY(cut->size() + next > keep);
            }
        }
        // The real bound: a file at 16 MiB comes back at no more than 12 MiB.
        QByteArray big = HistoryRules::header();
        const QByteArray one = HistoryRules::line(records.first());
        while (big.size() + one.size() <= HistoryRules::MaxFileBytes)
            big += one;
        const std::optional<QByteArray> cut = HistoryRules::trimmed(big, one.size());
        QVERIFY(cut);
        QVERIFY(cut->size() <= HistoryRules::KeepBytes);
        QVERIFY(cut->size() > HistoryRules::KeepBytes - one.size());
    }

    // A worked example by hand: six problems over two days (UTC), four right.
    void progressWorkedExample()
    {
        const auto problem = [](const char* when, bool right, double seconds, const char* option = "2Digit") {
            Record r;
            r.when = QDateTime::fromString(QString::fromLatin1(when), Qt::ISODate).toSecsSinceEpoch();
            r.section = QStringLiteral("Square2Digit");
            r.option = QString::fromLatin1(option);
            r.right = right;
            r.seconds = seconds;
            return r;
        };
        QList<Record> records = {
            problem("2026-12-06T09:00:00Z", true, 20), problem("2026-12-06T09:05:00Z", false, 5),
            problem("2026-12-06T23:59:59Z", true, 16), problem("2026-12-07T00:00:00Z", true, 12),
            problem("2026-12-07T08:00:00Z", true, 14), problem("2026-12-07T08:10:00Z", false, 30),
            problem("2026-12-07T08:20:00Z", true, 1, "3Digit"),
        };
        const ProgressRules::Summary s =
            ProgressRules::summarise(records, QStringLiteral("Square2Digit"), QStringLiteral("2Digit"), QTimeZone::utc());
        QCOMPARE(s.records, 6);
        QCOMPARE(s.correct, 4);
        QCOMPARE(s.accuracy, 400.0 / 6);
        QCOMPARE(s.bestSeconds, 12.0);
        QCOMPARE(s.averageSeconds, 15.5);
        QCOMPARE(s.medianSeconds, 15.0);
        QCOMPARE(s.last10.records, 6);
        QCOMPARE(s.before10.records, 0);
        QVERIFY(std::isnan(s.before10.accuracy));
        QCOMPARE(s.days.size(), 2);
        QCOMPARE(s.days[0].date, QDate(2026, 12, 6));
        QCOMPARE(s.days[0].questions, 3);
        QCOMPARE(s.days[0].medianSeconds, 18.0);
        QCOMPARE(s.days[1].accuracy, 200.0 / 3);
        QCOMPARE(s.days[1].medianSeconds, 13.0);
        // A zone two hours ahead puts the third problem on the 7th.
        const ProgressRules::Summary east = ProgressRules::summarise(
            records, QStringLiteral("Square2Digit"), QStringLiteral("2Digit"), QTimeZone(2 * 3600));
        QCOMPARE(east.days[0].questions, 2);
        QCOMPARE(east.days[1].questions, 4);
        QCOMPARE(ProgressRules::options(records, QStringLiteral("Square2Digit")),
                 QStringList({QStringLiteral("2Digit"), QStringLiteral("3Digit")}));
        // Every option together.
        QCOMPARE(ProgressRules::summarise(records, QStringLiteral("Square2Digit"), std::nullopt, QTimeZone::utc()).bestSeconds, 1.0);
    }

    // Over many generated histories: the days add up to the whole, each
    // option's summary adds up to that of all options, the recent spans are
    // the newest records, the times are ordered best <= median and lie
    // within the right answers' times.
    void progressPropertiesOverGeneratedHistories()
    {
        QRandomGenerator rng(4242);
        for (int round = 0; round < 60; ++round) {
            const QList<Record> records = randomRecords(rng, rng.bounded(0, 400));
            for (const QString& section : {QStringLiteral("Square2Digit"), QStringLiteral("Addition")}) {
                const ProgressRules::Summary all = ProgressRules::summarise(records, section, std::nullopt, QTimeZone::utc());
                QList<const Record*> mine;
                for (const Record& r : records)
                    if (r.section == section && (mine.isEmpty() || r.kind == mine.first()->kind))
                        mine.append(&r);
                QCOMPARE(all.records, int(mine.size()));
                int questions = 0, correct = 0;
                for (const ProgressRules::Day& d : all.days) {
                    questions += d.questions;
                    correct += d.correct;
                    QVERIFY(d.correct <= d.questions && d.accuracy >= 0 && d.accuracy <= 100);
                }
                QCOMPARE(questions, all.questions);
                QCOMPARE(correct, all.correct);
                for (qsizetype i = 1; i < all.days.size(); ++i)
                    QVERIFY(all.days[i - 1].date < all.days[i].date);

                int optionRecords = 0, optionCorrect = 0;
                for (const QString& option : ProgressRules::options(records, section)) {
                    const ProgressRules::Summary one = ProgressRules::summarise(records, section, option, QTimeZone::utc());
                    optionRecords += one.records;
                    optionCorrect += one.correct;
                    if (!std::isnan(one.bestSeconds))
                        QVERIFY(one.bestSeconds >= all.bestSeconds);
                }
                QCOMPARE(optionRecords, all.records);
                QCOMPARE(optionCorrect, all.correct);

                const qsizetype n = mine.size();
                QCOMPARE(all.last10.records, int(std::min<qsizetype>(n, 10)));
                QCOMPARE(all.before10.records, int(std::clamp<qsizetype>(n - 10, 0, 10)));
                int lastCorrect = 0;
                for (qsizetype i = std::max<qsizetype>(0, n - 10); i < n; ++i)
                    lastCorrect += mine[i]->kind == Kind::Problem ? mine[i]->right : mine[i]->correct;
                QCOMPARE(all.last10.correct, lastCorrect);

                QList<double> times;
                for (const Record* r : mine)
                    if (r->kind == Kind::Problem && r->right)
                        times.append(r->seconds);
                std::sort(times.begin(), times.end());
                if (times.isEmpty()) {
                    QVERIFY(std::isnan(all.medianSeconds));
                } else {
                    QCOMPARE(all.bestSeconds, times.first());
                    QVERIFY(all.medianSeconds >= all.bestSeconds && all.medianSeconds <= times.last());
                    const qsizetype below = std::count_if(times.begin(), times.end(), [&](double t) { return t < all.medianSeconds; });
                    const qsizetype above = std::count_if(times.begin(), times.end(), [&](double t) { return t > all.medianSeconds; });
                    QVERIFY(below <= times.size() / 2 && above <= times.size() / 2);
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestHistoryRules)
#include "tst_HistoryRules.moc"
