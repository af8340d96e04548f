// Whether a long session makes the program grow, on the offscreen platform:
// - the addition flash drill for 10,000 questions, its timers' handlers
//   called directly in place of the delays, the space bar pressed for every
//   third answer;
// - the speed-addition screen for 1,000 problems: PLAY, the 83 digits of
//   the worked example typed, STOP, with the stopwatch's clock moved on by
//   hand.
// Prints the resident memory when the screen is open, after a warm-up of 1%,
// and at the end. Target: under 2 MB of growth after the warm-up.

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

#include "ScreenTesting.h"
#include "basics/BaseBasics.h"
#include "practice/PracticeClock.h"
#include "practice/PractiseSpeedAddition.h"
#include "practice/QuestionSource.h"
#include "practice/SpeedAdditionRules.h"
#include "shell/Globals.h"

namespace {

const QString Example = QStringLiteral("63275198+25845355+56996957+43713367+62696137+63119398");
const QString Keys = QStringLiteral("010100720100100201101003100100920101101301000091101010431011009312111406140605113");

double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}

void settle()
{
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void sendKey(QWidget* target, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

struct Run {
    const char* what;
    int count;
    double open = 0;
    double warm = 0;
    double end = 0;
};

void report(const Run& run)
{
    std::printf("  %-34s resident %6.1f MB open, %6.1f MB after %d, %6.1f MB after %d: "
                "growth %+5.2f MB (%+5.2f MB since open; target < 2 MB)\n",
                run.what, run.open, run.warm, run.count / 100, run.end, run.count, run.end - run.warm,
                run.end - run.open);
}

// Runs `step` count times, noting memory after the first 1%. The
// recorders that stand in for sounds, help and boxes are emptied as it goes:
// what they note is the benchmark's, not the program's.
template <typename Step>
void measure(TestEnvironment& env, Run& run, Step step)
{
    run.open = residentMegabytes();
    for (int i = 0; i < run.count; ++i) {
        step(i);
        if (i % 50 == 49) {
            settle();
            env.sounds.clear();
            env.help.clear();
            env.dialogs.clear();
        }
        if (i + 1 == run.count / 100)
            run.warm = residentMegabytes();
    }
    settle();
    run.end = residentMegabytes();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestEnvironment env;
    env.signIn(QStringLiteral("Bench"));
    TfrmMain main;
    main.show();
    settle();
    std::printf("bench_Memory (offscreen)\n");
    QElapsedTimer clock;
    clock.start();

    // The flash drill.
    auto* drill = openFromMenu<TBasicsBaseForm>(main, QStringLiteral("mnuAddition"));
    if (!drill)
        return 1;
    settle();
    Run flash{"flash drill, 10,000 questions", 10000};
    drill->findChild<QPushButton*>(QStringLiteral("BitBtnPlay"))->click();
    measure(env, flash, [drill](int i) {
        drill->tmrAnswerTimer();
        if (i % 3 == 0)
            sendKey(drill, Qt::Key_Space, QStringLiteral(" "));
        drill->tmrQuestionTimer();
    });
    drill->findChild<QPushButton*>(QStringLiteral("BitBtnStop"))->click();
    drill->closeForm();
    settle();

    // The practice screen.
    double now = 45000;
    PracticeClock::setNowForTests([&now] { return now; });
    auto* practice = openFromMenu<TPractiseSpeedAdditionForm>(main, QStringLiteral("mnuSpeedAddition"));
    if (!practice)
        return 1;
    settle();
    Run problems{"speed addition, 1,000 problems", 1000};
    int wrong = 0;
    measure(env, problems, [&](int i) {
        QuestionSource::pose(SpeedAdditionRules::methodName(), {Example});
        practice->BitBtnPlayClick(practice->findChild<QWidget*>(QStringLiteral("BitBtnPlay")));
        for (const QChar digit : Keys)
            sendKey(practice, Qt::Key_0 + (digit.unicode() - u'0'), QString(digit));
        now += PracticeClock::fromSeconds(60 + i % 7);
        practice->BitBtnStopClick();
        wrong += practice->isCorrect() ? 0 : 1;
    });
    practice->closeForm();
    PracticeClock::setNowForTests({});
    settle();

    report(flash);
    report(problems);
    std::printf("  (%.1f s in all)\n", clock.elapsed() / 1000.0);
    if (wrong > 0)
        std::printf("  %d problems were not solved by their keys\n", wrong);
    return wrong > 0 ? 1 : 0;
}
