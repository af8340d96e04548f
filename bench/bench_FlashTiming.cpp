// How closely the flash drills keep their delays: the addition screen runs at
// the shortest delays (answer 300 ms, question 250 ms) for 60 cycles on the
// real timers, and every moment a question or an answer appears is taken.
// Prints the median and the worst difference from the requested delay.

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include <algorithm>
#include <cstdio>

#include "TestEnvironment.h"
#include "app/Main.h"
#include "basics/BasicsAdd.h"
#include "shell/Strings.h"

namespace {

constexpr int Cycles = 60;

// The addition screen, noting when its question and answer appear.
class TimedAddForm : public TBasicsAddForm
{
public:
    QElapsedTimer clock;
    QList<qint64> questionsShown; // nanoseconds
    QList<qint64> answersShown;
    std::function<void()> onAnswer;

protected:
    void ShowQuestion() override
    {
        TBasicsAddForm::ShowQuestion();
        questionsShown << clock.nsecsElapsed();
    }
    void ShowAnswer() override
    {
        TBasicsAddForm::ShowAnswer();
        answersShown << clock.nsecsElapsed();
        if (onAnswer)
            onAnswer();
    }
};

struct Figures {
    double median;
    double worst;
};

Figures errors(QList<double> ms)
{
    std::sort(ms.begin(), ms.end());
    const qsizetype n = ms.size();
    const double median = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
    return {median, ms.constLast()};
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    TestEnvironment env;
    env.signIn(QStringLiteral("Bench"));
    TfrmMain main;
    main.show();

    TimedAddForm* form = nullptr;
    main.openScreen(Strings::TitleAddition, true, [&form] { return form = new TimedAddForm; });
    auto* answer = form->findChild<QSlider*>(QStringLiteral("trkbrAnswer"));
    auto* question = form->findChild<QSlider*>(QStringLiteral("trkbrQuestion"));
    answer->setValue(answer->minimum());
    question->setValue(question->minimum());
    const int answerMs = form->findChild<QTimer*>(QStringLiteral("tmrAnswer"))->interval();
    const int questionMs = form->findChild<QTimer*>(QStringLiteral("tmrQuestion"))->interval();

    QEventLoop loop;
    form->onAnswer = [&] {
        if (form->answersShown.size() > Cycles)
            QTimer::singleShot(0, &loop, &QEventLoop::quit);
    };
    QTimer::singleShot(0, [&] {
        form->clock.start();
        form->findChild<QPushButton*>(QStringLiteral("BitBtnPlay"))->click();
    });
    QTimer::singleShot((answerMs + questionMs) * (Cycles + 10), &loop, &QEventLoop::quit); // a guard
    loop.exec();
    form->findChild<QPushButton*>(QStringLiteral("BitBtnStop"))->click();

    // answersShown holds one more (the answer STOP reveals) when stopped after
    // the last cycle; pair each question with the answer after it.
    QList<double> answerErrors;
    QList<double> questionErrors;
    for (int i = 0; i < Cycles && i + 1 < form->questionsShown.size() && i < form->answersShown.size(); ++i) {
        const double toAnswer = (form->answersShown[i] - form->questionsShown[i]) / 1e6;
        const double toQuestion = (form->questionsShown[i + 1] - form->answersShown[i]) / 1e6;
        answerErrors << qAbs(toAnswer - answerMs);
        questionErrors << qAbs(toQuestion - questionMs);
    }
    if (answerErrors.size() < 50) {
        std::printf("flash timing: only %lld cycles measured\n", static_cast<long long>(answerErrors.size()));
        return 1;
    }
    const Figures a = errors(answerErrors);
    const Figures q = errors(questionErrors);
    const Figures all = errors(answerErrors + questionErrors);
    std::printf("flash timing over %lld cycles (answer delay %d ms, question delay %d ms)\n",
                static_cast<long long>(answerErrors.size()), answerMs, questionMs);
    std::printf("  answer delay error:   median %.3f ms, worst %.3f ms\n", a.median, a.worst);
    std::printf("  question delay error: median %.3f ms, worst %.3f ms\n", q.median, q.worst);
    std::printf("  all delays:           median %.3f ms, worst %.3f ms (target: median < 2, worst < 10)\n",
                all.median, all.worst);
    form->closeForm();
    return 0;
}
