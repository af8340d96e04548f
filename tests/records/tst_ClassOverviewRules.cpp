#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include "CsvReading.h"

#include "platform/FileSaver.h"
#include "platform/IniFile.h"
#include "records/ClassOverviewRules.h"
#include "records/LearnerBackupRules.h"
#include "shell/Strings.h"

// The class overview read from a folder of generated learners (ordinary,
// unlisted, damaged, unreadable), checked against an independent model of the
// grading rule; sorting and medians as properties; the CSV read back by an
// RFC 4180 reader of the test's own; a backup and a restore, all or nothing.

using Rules = ClassOverviewRules;

namespace {

struct Made {
    QString name;
    bool listed = true;
    int level = 1, lower = 50, upper = 74;
    QList<std::pair<int, int>> counts; // correct, total per column
    QString kind;                      // "", "folder", "huge", "garbage", "damaged"
};

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The learner's file as the screens and the preferences dialog write it.
QByteArray iniOf(const Made& m)
{
    QByteArray text = "[GradePrefs]\r\nUserLevel=" + QByteArray::number(m.level) + "\r\nLowerAmber="
                      + QByteArray::number(m.lower) + "\r\nUpperAmber=" + QByteArray::number(m.upper) + "\r\n";
    for (qsizetype i = 0; i < m.counts.size(); ++i) {
        const auto [correct, total] = m.counts.at(i);
        if (correct == 0 && total == 0 && i % 2)
            continue; // a screen never opened has no section
        text += "[" + Rules::columns().at(i).section.toLatin1() + "]\r\nOption=1\r\nTotal="
                + QByteArray::number(total) + "\r\nCorrect=" + QByteArray::number(correct) + "\r\n";
        for (const MethodBestTime& t : Rules::columns().at(i).bestTimes)
            text += t.key.toLatin1() + "=" + QByteArray::number(0.0005 + i * 1e-5) + "\r\n";
    }
    return text;
}

// Red, amber or green as the grading rule words it.
QString expectedGrade(int correct, int total, int lower, int upper)
{
    if (total == 0)
        return QString();
    const int percent = correct * 100 / total;
    return percent < lower ? "red" : percent <= upper ? "amber" : "green";
}

QString gradeName(Grading::Grade g)
{
    switch (g) {
    case Grading::Grade::Red: return "red";
    case Grading::Grade::Amber: return "amber";
    case Grading::Grade::Green: return "green";
    default: return QString();
    }
}

QByteArray digest(const QString& folder)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files, QDir::Name)) {
        QFile file(info.filePath());
        file.open(QIODevice::ReadOnly);
        hash.addData(info.fileName().toUtf8());
        hash.addData(file.readAll());
        hash.addData(QByteArray::number(info.lastModified().toMSecsSinceEpoch()));
    }
    return hash.result();
}

} // namespace

class tst_ClassOverviewRules : public QObject
{
    Q_OBJECT
private slots:
    void a_generated_class_reads_as_the_grading_rule_says()
    {
        QTemporaryDir dir;
        QRandomGenerator rng(26);
        const int columns = int(Rules::columns().size());
        QList<Made> made;
        QStringList listed;
        for (int n = 0; n < 120; ++n) {
            Made m;
            m.name = QStringLiteral("Learner %1").arg(n, 3, 10, QLatin1Char('0'));
            if (n % 17 == 5)
                m.name += QStringLiteral(", \"Jr\" é");
            m.listed = n % 9 != 4;
            m.level = 1 + rng.bounded(4);
            const Grading::Bounds fixed = Grading::levelBounds(m.level);
            m.lower = m.level == 4 ? rng.bounded(0, 60) : fixed.lower;
            m.upper = m.level == 4 ? rng.bounded(m.lower, 101) : fixed.upper;
            for (int c = 0; c < columns; ++c) {
                const int total = rng.bounded(3) == 0 ? 0 : rng.bounded(1, 1001);
                m.counts.append({total ? int(rng.bounded(total + 1)) : 0, total});
            }
            m.kind = n == 7 ? "folder" : n == 8 ? "huge" : n == 9 ? "garbage" : n == 10 ? "damaged" : "";
            if (m.kind == "damaged")
                m.counts[3] = {9, 4};
            made.append(m);
            if (m.listed)
                listed.append(m.name);
            const QString path = dir.filePath(m.name + ".ini");
            if (m.kind == "folder")
                QVERIFY(QDir().mkpath(path));
            else if (m.kind == "huge")
                write(path, QByteArray(IniFile::kMaxFileSize + 1, ';'));
            else if (m.kind == "garbage")
                write(path, QByteArray("\x00\xff\x01garbage\x00", 11).repeated(50));
            else
                write(path, iniOf(m));
        }
        listed.append("Never Started"); // listed, no file yet
        write(dir.filePath("UserList.ini"), "not a learner\r\n");
        write(dir.filePath("Learner 001.history.csv"), "When\r\n");
        const QByteArray before = digest(dir.path());

        int asked = 0;
        const QList<Rules::Learner> learners = Rules::readClass(listed, dir.path(), [&asked](const QString& ini) {
            ++asked;
            return ini.endsWith("Learner 002.ini") ? QDateTime(QDate(2026, 12, 1), QTime(9, 30)) : QDateTime();
        });
        QCOMPARE(digest(dir.path()), before); // nothing written, not even a time
        QCOMPARE(learners.size(), made.size() + 1);
        QCOMPARE(asked, learners.size());

        // The listed names in list order, then the files no name owns.
        QStringList expectedOrder = listed;
        for (const Made& m : made)
            if (!m.listed)
                expectedOrder.append(m.name);
        QStringList order;
        for (const Rules::Learner& l : learners)
            order.append(l.name);
        QCOMPARE(order, expectedOrder);

        for (const Rules::Learner& l : learners) {
            if (l.name == "Never Started") {
                QVERIFY(l.listed && l.problem.isEmpty());
                QVERIFY(std::none_of(l.cells.cbegin(), l.cells.cend(), [](const Rules::Cell& c) { return c.practised(); }));
                continue;
            }
            const Made& m = *std::find_if(made.cbegin(), made.cend(), [&l](const Made& x) { return x.name == l.name; });
            QCOMPARE(l.listed, m.listed);
            if (m.kind == "folder" || m.kind == "huge") {
                QVERIFY2(!l.problem.isEmpty(), qPrintable(l.name));
                continue;
            }
            QVERIFY2(l.problem.isEmpty(), qPrintable(l.name + ": " + l.problem));
            if (m.kind == "garbage") {
                QVERIFY(l.note.contains("no settings"));
                QCOMPARE(l.problemsDone, 0);
                continue;
            }
            QCOMPARE(l.level, m.level);
            QCOMPARE(l.lowerAmber, m.lower);
            QCOMPARE(l.upperAmber, m.upper);
            qint64 done = 0;
            for (int c = 0; c < columns; ++c) {
                const auto [correct, total] = m.counts.at(c);
                const Rules::Cell& cell = l.cells.at(c);
                if (correct > total) {
                    QVERIFY(cell.damaged && !cell.practised());
                    QVERIFY(l.note.contains(Strings::text(Rules::columns().at(c).titleId)));
                    continue;
                }
                done += total;
                QCOMPARE(cell.percent, total ? correct * 100 / total : -1);
                QCOMPARE(gradeName(cell.grade), expectedGrade(correct, total, m.lower, m.upper));
                QCOMPARE(cell.bestTimes.size(), Rules::columns().at(c).bestTimes.size());
                for (const Rules::BestTime& t : cell.bestTimes)
                    QVERIFY(total == 0 && c % 2 ? t.days == 0 : qAbs(t.days - (0.0005 + c * 1e-5)) < 1e-12);
            }
            QCOMPARE(l.problemsDone, done);
            QCOMPARE(l.lastPractised.isValid(), l.name == "Learner 002");
        }

        // Sorting: every key, both orders; blanks last, the rest in order.
        for (int c = 0; c < columns; ++c) {
            for (bool ascending : {true, false}) {
                QList<Rules::Learner> sorted = learners;
                Rules::sort(sorted, {Rules::Key::Screen, c}, ascending);
                QCOMPARE(sorted.size(), learners.size());
                bool blanks = false;
                int previous = ascending ? -1 : 101;
                for (const Rules::Learner& l : sorted) {
                    const bool blank = !l.problem.isEmpty() || !l.cells.at(c).practised();
                    QVERIFY(!(blanks && !blank));
                    blanks = blank;
                    if (blank)
                        continue;
                    const int p = l.cells.at(c).percent;
                    QVERIFY(ascending ? p >= previous : p <= previous);
                    previous = p;
                }
            }
        }
        QList<Rules::Learner> byDone = learners;
        Rules::sort(byDone, {Rules::Key::ProblemsDone, 0}, false);
        QVERIFY(byDone.constFirst().problemsDone >= byDone.at(1).problemsDone);
        QVERIFY(!byDone.constLast().problem.isEmpty());
        Rules::sort(byDone, {Rules::Key::LastPractised, 0}, true);
        QCOMPARE(byDone.constFirst().name, QStringLiteral("Learner 002"));
        Rules::sort(byDone, {Rules::Key::Level, 0}, true);
        QVERIFY(std::is_sorted(byDone.cbegin(), byDone.cend() - 2,
                               [](const auto& a, const auto& b) { return a.level < b.level; }));
        Rules::sort(byDone, {Rules::Key::Note, 0}, false);
        QVERIFY(!byDone.constFirst().note.isEmpty() || !byDone.constFirst().problem.isEmpty());
        QVERIFY(byDone.constLast().note.isEmpty() && byDone.constLast().problem.isEmpty());
        Rules::sort(byDone, {Rules::Key::Name, 0}, false);
        QCOMPARE(byDone.constFirst().name, QStringLiteral("Never Started"));

        // Medians: the middle of the practised percents, checked by counting.
        for (int c = 0; c < columns; ++c) {
            const int median = Rules::medianTenths(learners, c);
            QList<int> values;
            for (const Rules::Learner& l : learners)
                if (l.problem.isEmpty() && l.cells.at(c).practised())
                    values.append(l.cells.at(c).percent * 10);
            const auto below = std::count_if(values.cbegin(), values.cend(), [median](int v) { return v < median; });
            const auto above = std::count_if(values.cbegin(), values.cend(), [median](int v) { return v > median; });
            QVERIFY(below <= values.size() / 2 && above <= values.size() / 2);
        }
        QCOMPARE(Rules::tenthsText(725), QStringLiteral("72.5"));
        QCOMPARE(Rules::tenthsText(720), QStringLiteral("72"));
        QCOMPARE(Rules::tenthsText(-1), QString());

        // The CSV reads back as the table, one heading line, for every filter.
        for (Rules::Filter filter : {Rules::Filter::All, Rules::Filter::Basics, Rules::Filter::Practice}) {
            const QList<QStringList> table = Rules::table(learners, filter);
            const QByteArray csv = Rules::csv(table);
            QVERIFY(!csv.startsWith("\xEF\xBB\xBF"));
            QCOMPARE(readCsv(QString::fromUtf8(csv)), table);
            QCOMPARE(table.constFirst().constFirst(), QStringLiteral("Learner"));
            QCOMPARE(table.size(), learners.size() + 2);
            QCOMPARE(table.constLast().constFirst(), QStringLiteral("Class median"));
            const int shown = int(std::count_if(Rules::columns().cbegin(), Rules::columns().cend(),
                                                [filter](const Rules::Column& c) { return Rules::shows(filter, c); }));
            QCOMPARE(table.constFirst().size(), shown + 6);
        }
        QCOMPARE(Rules::csvField("a \"b\", c\r\nd"), QStringLiteral("\"a \"\"b\"\", c\r\nd\""));
        QCOMPARE(Rules::csvField("plain 72"), QStringLiteral("plain 72"));
    }

    void a_backup_restores_whole_or_not_at_all()
    {
        QTemporaryDir dir;
        const QString users = dir.filePath("users");
        const QString place = dir.filePath("backups");
        QDir().mkpath(users);
        QDir().mkpath(place);
        write(users + "/UserList.ini", "Ann\r\nBob\r\n");
        write(users + "/Ann.ini", "[Addition]\r\nTotal=10\r\nCorrect=9\r\n");
        write(users + "/Ann.history.csv", "When,Kind\r\n");
        write(users + "/Bob.ini", "[Addition]\r\nTotal=4\r\nCorrect=1\r\n");
        write(users + "/Bob.review.csv", "x\r\n");
        const QDateTime old = QDateTime::currentDateTime().addDays(-3);
        for (const QString& f : QDir(users).entryList(QDir::Files)) {
            QFile file(users + "/" + f);
            QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(old, QFileDevice::FileModificationTime));
        }

        const QDate day(2026, 12, 8);
        LearnerBackupRules::BackupReport report = LearnerBackupRules::backUp(
            users + "/UserList.ini", {users + "/Ann.ini", users + "/Bob.ini"}, place, day);
        QCOMPARE(report.folder, place + "/Learner Data 2026-12-08");
        QCOMPARE(report.failures(), 0);
        QCOMPARE(report.files.size(), 5);
        QVERIFY(report.text().contains("copied  Bob.review.csv (3 bytes)"));
        QCOMPARE(digest(report.folder), digest(users)); // same bytes, same times
        // A second backup the same day goes into a folder of its own.
        QCOMPARE(LearnerBackupRules::newFolderName(place, day), place + "/Learner Data 2026-12-08 (2)");

        // A place that cannot take the folder: nothing, and why.
        const LearnerBackupRules::BackupReport nowhere =
            LearnerBackupRules::backUp({}, {users + "/Ann.ini"}, dir.filePath("missing"), day);
        QVERIFY(nowhere.folder.isEmpty() && nowhere.error.contains("does not exist"));

        // Ann works on; Bob is removed.
        write(users + "/Ann.ini", "[Addition]\r\nTotal=20\r\nCorrect=19\r\n");
        QVERIFY(QFile::remove(users + "/Bob.ini") && QFile::remove(users + "/Bob.review.csv"));
        const QList<LearnerBackupRules::BackedUpLearner> found = LearnerBackupRules::readBackup(report.folder, users);
        QCOMPARE(found.size(), 2);
        QCOMPARE(found.at(0).name, QStringLiteral("Ann"));
        QVERIFY(found.at(0).newerInUserFolder);
        QCOMPARE(found.at(0).files, QStringList({"Ann.ini", "Ann.history.csv"}));
        QCOMPARE(found.at(1).name, QStringLiteral("Bob"));
        QVERIFY(!found.at(1).newerInUserFolder && !found.at(1).current.isValid());
        QCOMPARE(found.at(1).date.toSecsSinceEpoch(), old.toSecsSinceEpoch());

        // A save that fails at the second file puts the first back.
        QString error;
        int saves = 0;
        FileSaver::setFailureForTests([&saves](const QString&) { return ++saves == 2 ? QString("No space left on device") : QString(); });
        QVERIFY(!LearnerBackupRules::restore(found.at(0), report.folder, users, &error));
        FileSaver::setFailureForTests({});
        QVERIFY(error.contains("No space left on device"));
        QCOMPARE(Rules::readLearner("Ann", users + "/Ann.ini", true).cells.at(0).total, 20);

        QVERIFY2(LearnerBackupRules::restore(found.at(1), report.folder, users, &error), qPrintable(error));
        const Rules::Learner bob = Rules::readLearner("Bob", users + "/Bob.ini", true);
        QCOMPARE(bob.cells.at(0).percent, 25);
        QVERIFY(QFileInfo::exists(users + "/Bob.review.csv"));
        QVERIFY(!LearnerBackupRules::readBackup(report.folder, users).at(1).newerInUserFolder);
    }
};

QTEST_GUILESS_MAIN(tst_ClassOverviewRules)
#include "tst_ClassOverviewRules.moc"
