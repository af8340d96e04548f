// The practice history at its size: 200,000 records (some 11 MB, below the
// 16 MiB bound) over a year, on four screens. Each case in a process of its
// own (offscreen), after the file is written:
// - read: the file read and summarised for the screen with most records;
// - window: Records > Progress opened for the learner, until it is shown.
// Prints the time and how much the peak resident memory grew. Targets: under
// 300 ms and under 40 MB each.

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>

#include <cstdio>

#include <sys/resource.h>

#include "ScreenTesting.h"
#include "records/HistoryRules.h"
#include "records/ProgressRules.h"
#include "records/ProgressWindow.h"
#include "shell/Globals.h"

namespace {

constexpr int RecordCount = 200000;

qint64 peakResidentBytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_maxrss) * 1024;
}

QString writeHistory(TestEnvironment& env)
{
    env.signIn(QStringLiteral("Ann"));
    const QString path = HistoryRules::pathFor(Globals::UserIniFile);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    QRandomGenerator rng(25);
    const QStringList sections = {QStringLiteral("Square2Digit"), QStringLiteral("SpeedAddition"),
                                  QStringLiteral("Addition"), QStringLiteral("Multiplication")};
    const qint64 start = HistoryRules::nowUtc() - 365LL * 86400;
    QByteArray bytes = HistoryRules::header();
    for (int i = 0; i < RecordCount; ++i) {
        HistoryRules::Record r;
        r.when = start + qint64(i) * 365 * 86400 / RecordCount;
        r.section = sections[i % 4 == 3 ? 2 + rng.bounded(2) : rng.bounded(2)];
        if (r.section.startsWith(QLatin1String("S"))) {
            r.option = QStringLiteral("Time%1").arg(1 + rng.bounded(3));
            r.right = rng.bounded(10) < 8;
            r.seconds = 5 + rng.bounded(60000) / 1000.0;
        } else {
            r.kind = HistoryRules::Kind::Drill;
            r.option = QStringLiteral("Basic");
            r.questions = 1 + rng.bounded(50);
            r.correct = rng.bounded(r.questions + 1);
            r.questionDelayMs = 1200;
            r.answerDelayMs = 900;
        }
        bytes += HistoryRules::line(r);
    }
    file.write(bytes);
    return path;
}

int runCase(const QString& name)
{
    TestEnvironment env;
    const QString path = writeHistory(env);
    TfrmMain main;
    main.show();
    QApplication::processEvents();
    const qint64 before = peakResidentBytes();
    QElapsedTimer timer;
    timer.start();
    QString outcome;
    if (name == QLatin1String("read")) {
        const QList<HistoryRules::Record> records = HistoryRules::readFile(path);
        const ProgressRules::Summary s = ProgressRules::summarise(records, QStringLiteral("Square2Digit"), std::nullopt);
        outcome = QStringLiteral("%1 records, %2 on the screen, %3 days").arg(records.size()).arg(s.records).arg(s.days.size());
    } else {
        main.menuItem(QStringLiteral("mnuProgress"))->trigger();
        QApplication::processEvents();
        auto* window = main.findChild<ProgressWindow*>();
        outcome = window && window->isVisible()
                      ? QStringLiteral("shown, %1 records on its screen").arg(window->summary().records)
                      : QStringLiteral("not shown");
    }
    const double ms = timer.nsecsElapsed() / 1e6;
    std::printf("  %-8s %6.1f MB file  %7.0f ms  peak +%4lld MB  %s\n", qPrintable(name),
                QFileInfo(path).size() / 1048576.0, ms, (peakResidentBytes() - before) >> 20, qPrintable(outcome));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--case") == 0)
        return runCase(QString::fromLatin1(argv[2]));
    std::printf("bench_History: %d records (offscreen; each case in its own process; targets < 300 ms, < 40 MB)\n",
                RecordCount);
    std::fflush(stdout);
    for (const char* name : {"read", "window"}) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--case"), QString::fromLatin1(name)});
        if (!child.waitForFinished(600000) || child.exitCode() != 0)
            std::printf("  %s: failed\n", name);
    }
    return 0;
}
