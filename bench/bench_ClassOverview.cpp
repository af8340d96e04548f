// Records > Class Overview with a class of 1,000 learners, each with a
// settings file of ordinary size (every screen practised, best times kept)
// and a practice history of a few hundred records: the time from the menu
// command to the window shown with every learner read, best of 5 runs, and
// the reading of the files alone. The target is under 1 s.

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>

#include <cstdio>

#include <sys/resource.h>

#include "ScreenTesting.h"
#include "records/ClassOverview.h"
#include "records/HistoryRules.h"
#include "shell/UserStore.h"

namespace {

constexpr int Learners = 1000;
constexpr int Runs = 5;

// Processor time of the process so far (user and system), in ms: on a busy
// machine it tells the work done apart from the waiting for a processor.
double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

void makeClass(TestEnvironment& env)
{
    QByteArray list;
    for (int i = 0; i < Learners; ++i) {
        const QByteArray name = "Learner " + QByteArray::number(i);
        list += name + "\r\n";
        QByteArray ini = "[GradePrefs]\r\nUserLevel=2\r\nLowerAmber=65\r\nUpperAmber=84\r\n"
                         "CustomLowerAmber=50\r\nCustomUpperAmber=74\r\n[PlaySounds]\r\n"
                         "OpeningClosingGreetings=1\r\nIdleMusic=0\r\nPracticeSounds=1\r\n";
        for (const ClassOverviewRules::Column& c : ClassOverviewRules::columns()) {
            ini += "[" + c.section.toLatin1() + "]\r\nOption=2\r\nTotal=" + QByteArray::number(100 + i % 400)
                   + "\r\nCorrect=" + QByteArray::number(50 + i % 50) + "\r\nAnswerPosition=10\r\nQuestionPosition=4\r\n";
            for (const MethodBestTime& t : c.bestTimes)
                ini += t.key.toLatin1() + "=3.47222222222222E-4\r\n";
        }
        env.writeFile(QStringLiteral("users/") + QString::fromLatin1(name) + QStringLiteral(".ini"), ini);
        QByteArray history = HistoryRules::header();
        for (int r = 0; r < 300; ++r) {
            HistoryRules::Record record;
            record.when = 1796000000 + r * 60;
            record.section = QStringLiteral("Square2Digit");
            record.option = QStringLiteral("Time1");
            record.right = true;
            record.seconds = 14.25;
            history += HistoryRules::line(record);
        }
        env.writeFile(QStringLiteral("users/") + QString::fromLatin1(name) + QStringLiteral(".history.csv"), history);
    }
    env.writeFile(QStringLiteral("users/UserList.ini"), list);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestEnvironment env;
    env.signIn(QStringLiteral("Learner 1"));
    makeClass(env);
    TfrmMain main;
    main.show();

    double bestOpen = 1e9;
    double bestRead = 1e9;
    double bestOpenCpu = 1e9;
    double bestReadCpu = 1e9;
    int rows = 0;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        double cpu = cpuMs();
        UserStore store;
        QString error;
        store.loadNames(&error);
        const QList<ClassOverviewRules::Learner> learners =
            ClassOverviewRules::readClass(store.names(), env.path(QStringLiteral("users")),
                                          [](const QString& ini) { return HistoryRules::lastRecordTime(HistoryRules::pathFor(ini)); });
        bestRead = qMin(bestRead, timer.nsecsElapsed() / 1e6);
        bestReadCpu = qMin(bestReadCpu, cpuMs() - cpu);

        timer.restart();
        cpu = cpuMs();
        auto* overview = openFromMenu<TClassOverviewForm>(main, QStringLiteral("mnuClassOverview"));
        QCoreApplication::processEvents(); // laid out and painted once
        bestOpen = qMin(bestOpen, timer.nsecsElapsed() / 1e6);
        bestOpenCpu = qMin(bestOpenCpu, cpuMs() - cpu);
        rows = overview ? overview->table()->model()->rowCount() - 1 : -1;
        if (overview)
            overview->closeForm();
        QCoreApplication::processEvents();
    }
    std::printf("class overview, %d learners (settings file and a 300-record history each)\n", rows);
    std::printf("  reading every learner's files:  %8.1f ms (processor %6.1f ms; best of %d)\n", bestRead, bestReadCpu, Runs);
    std::printf("  Records > Class Overview shown: %8.1f ms (processor %6.1f ms; best of %d; target under 1000 ms)\n",
                bestOpen, bestOpenCpu, Runs);
    return rows == Learners ? 0 : 1;
}
