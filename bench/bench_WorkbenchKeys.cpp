// Speed of the practice workbench on the speed-addition screen, in one
// process on the offscreen platform:
// - a digit key: from the key event to the box showing the digit and the
//   highlight moved on (handling only, and handling plus painting), median
//   and worst over 1,000 keys;
// - opening the screen from its menu item until it is shown, and closing it.

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMdiArea>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "TestEnvironment.h"
#include "app/Main.h"
#include "practice/PractiseSpeedAddition.h"
#include "practice/QuestionSource.h"
#include "shell/Globals.h"
#include "shell/Panel.h"

namespace {

const QString Example = QStringLiteral("63275198+25845355+56996957+43713367+62696137+63119398");
// The worked example, box by box in list order.
const QString Keys = QStringLiteral("010100720100100201101003100100920101101301000091101010431011009312111406140605113");

struct Figures {
    double median = 0;
    double worst = 0;
};

Figures summarise(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

void sendKey(QWidget* form, int key, QEvent::Type type)
{
    QKeyEvent event(type, key, Qt::NoModifier, QString(QChar(u'0' + (key - Qt::Key_0))));
    QApplication::sendEvent(form, &event);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    TestEnvironment env;
    env.signIn(QStringLiteral("Bench"));
    Globals::PracticeSoundsOn = false;
    Globals::IdleMusicOn = false;
    TfrmMain main;
    main.show();
    QApplication::processEvents();

    // Opening and closing.
    std::vector<double> openMs;
    std::vector<double> closeMs;
    QElapsedTimer timer;
    for (int i = 0; i < 60; ++i) {
        timer.start();
        main.menuItem(QStringLiteral("mnuSpeedAddition"))->trigger();
        auto* form = qobject_cast<TPractiseSpeedAdditionForm*>(main.activeChild());
        QApplication::processEvents();
        openMs.push_back(timer.nsecsElapsed() / 1e6);
        if (!form) {
            std::fprintf(stderr, "the screen did not open\n");
            return 1;
        }
        timer.start();
        form->closeForm();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        closeMs.push_back(timer.nsecsElapsed() / 1e6);
    }

    // Digit keys.
    main.menuItem(QStringLiteral("mnuSpeedAddition"))->trigger();
    auto* form = qobject_cast<TPractiseSpeedAdditionForm*>(main.activeChild());
    QuestionSource::pose(SpeedAdditionRules::methodName(), {Example});
    form->BitBtnPlayClick(form->findChild<QWidget*>(QStringLiteral("BitBtnPlay")));
    QApplication::processEvents();

    std::vector<double> handleMs;
    std::vector<double> paintMs;
    int wrong = 0;
    const int count = 1000;
    for (int i = 0; i < count; ++i) {
        const int key = Qt::Key_0 + (Keys.at(i % Keys.size()).unicode() - u'0');
        const int before = form->currentIndex();
        timer.start();
        sendKey(form, key, QEvent::KeyPress);
        const qint64 handled = timer.nsecsElapsed();
        QApplication::processEvents(); // paints what changed
        const qint64 painted = timer.nsecsElapsed();
        sendKey(form, key, QEvent::KeyRelease);
        handleMs.push_back(handled / 1e6);
        paintMs.push_back(painted / 1e6);
        auto* box = form->findChild<Panel*>(QStringLiteral("pnlWorking%1").arg(before));
        if (!box || box->caption().isEmpty())
            ++wrong;
    }
    form->BitBtnStopClick();

    const Figures open = summarise(openMs);
    const Figures close = summarise(closeMs);
    const Figures handle = summarise(handleMs);
    const Figures paint = summarise(paintMs);
    std::printf("bench_WorkbenchKeys (speed addition, offscreen)\n");
    std::printf("  open screen   : median %7.3f ms, worst %7.3f ms (%zu runs; target < 50 ms)\n", open.median, open.worst, openMs.size());
    std::printf("  close screen  : median %7.3f ms, worst %7.3f ms\n", close.median, close.worst);
    std::printf("  digit key     : median %7.3f ms, worst %7.3f ms (%d keys, handling; target < 1 ms median)\n", handle.median, handle.worst, count);
    std::printf("  digit + paint : median %7.3f ms, worst %7.3f ms (handling and painting)\n", paint.median, paint.worst);
    std::printf("  the attempt was %s\n", form->isCorrect() ? "right" : "wrong");
    if (wrong > 0)
        std::printf("  %d keys did not show in their box\n", wrong);
    return wrong > 0 ? 1 : 0;
}
