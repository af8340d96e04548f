// The worksheet tool's limits: how many arguments a call may have, how long
// its question may be, how many problems --count may ask for, and that a
// long run is written as it is made.

#include <QtTest>

#include <QJsonDocument>
#include <QJsonObject>

#include "WorksheetTool.h"
#include "tools/WorksheetCommand.h"

namespace {

const QString kQuestion = QStringLiteral("93821547x3");

// The method and one-letter words: `total` arguments in all.
QStringList methodAndWords(int total)
{
    QStringList args{QStringLiteral("multiply-basic")};
    while (args.size() < total)
        args << QStringLiteral("1");
    return args;
}

} // namespace

class TestWorksheetLimits : public QObject
{
    Q_OBJECT

private slots:
    void argumentCountIsBounded()
    {
        // Up to the bound the question is read (and found wrong); one more,
        // or tens of thousands more, are refused before any reading.
        VERIFY_REFUSED(runWorksheet(methodAndWords(100)), "question must be an 8-digit multiplicand");
        for (const int total : {101, 60000})
            VERIFY_REFUSED(runWorksheet(methodAndWords(total)),
                           QStringLiteral("too many arguments (%1; at most 100)").arg(total));
        // --help does not get round it.
        QStringList helps(101, QStringLiteral("--help"));
        VERIFY_REFUSED(runWorksheet(helps), "too many arguments");
    }

    void questionLengthIsBounded()
    {
        // 200 characters with the spaces between the words: the method's own
        // message; 201: too long, whether one word or several.
        const QString word = QString(190, QLatin1Char('1')) + kQuestion;
        VERIFY_REFUSED(runWorksheet({"multiply-basic", word}), "multiplicand must have 8 digits");
        VERIFY_REFUSED(runWorksheet({"multiply-basic", word + QLatin1Char('1')}),
                       "the question is too long (201 characters; at most 200)");
        VERIFY_REFUSED(runWorksheet({"multiply-basic", QString(190, QLatin1Char('1')), kQuestion}),
                       "the question is too long (201 characters; at most 200)");
    }

    void countIsBounded_data()
    {
        QTest::addColumn<QString>("count");
        QTest::newRow("one past") << QStringLiteral("100001");
        QTest::newRow("a million") << QStringLiteral("1000000");
        QTest::newRow("past 64 bits") << QStringLiteral("99999999999999999999");
    }
    void countIsBounded()
    {
        QFETCH(QString, count);
        VERIFY_REFUSED(runWorksheet({"speed-addition", "--random", "--count", count}),
                       QStringLiteral("--count must be a whole number from 1 to 100000, not '%1'").arg(count));
    }

    void longRunIsWrittenAsItIsMade()
    {
        // The largest count is handed on one problem at a time, and a write
        // that fails ends the run there: exit code 1 and its one line.
        int writes = 0;
        QByteArray written;
        QString error;
        const int exitCode = Worksheet::run({"speed-addition", "--random", "--count", "100000", "--seed", "5", "--json"},
                                            [&](const QByteArray& piece) {
                                                written += piece;
                                                return ++writes < 3;
                                            },
                                            &error);
        QCOMPARE(exitCode, 1);
        QCOMPARE(error, QStringLiteral("could not write the output"));
        QCOMPARE(writes, 3);
        const QList<QByteArray> problems = lines(written);
        QCOMPARE(problems.size(), 3);
        for (const QByteArray& line : problems)
            QCOMPARE(QJsonDocument::fromJson(line).object().value("method").toString(), QStringLiteral("speed-addition"));
        // The same run in full gathers the same problems first.
        QCOMPARE(Worksheet::run({"speed-addition", "--random", "--count", "3", "--seed", "5", "--json"}).out, written);

        // The program: a reader that stops after three lines (a closed pipe).
        QProcess tool;
        QProcess head;
        tool.setStandardOutputProcess(&head);
        head.start(QStringLiteral("head"), {"-n", "3"});
        tool.start(worksheetToolPath(), {"speed-addition", "--random", "--count", "100000", "--seed", "5", "--json"});
        QVERIFY(tool.waitForFinished(120000));
        QVERIFY(head.waitForFinished(10000));
        QCOMPARE(head.readAllStandardOutput(), written);
        QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tool.exitCode(), 1);
        QCOMPARE(tool.readAllStandardError(), QByteArray("could not write the output\n"));
    }
};

QTEST_GUILESS_MAIN(TestWorksheetLimits)
#include "tst_WorksheetLimits.moc"
