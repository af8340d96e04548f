#include "practice/PracticeClock.h"

#include <QDateTime>
#include <QElapsedTimer>

namespace PracticeClock {

namespace {

std::function<double()>& testClock()
{
    static std::function<double()> clock;
    return clock;
}

// Days since 30 December 1899 (the date-time origin of the settings file),
// read once; then advanced by a monotonic timer.
double realNow()
{
    static const double start = QDateTime::currentMSecsSinceEpoch() / (SecondsPerDay * 1000.0) + 25569.0;
    static const QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return start + timer.nsecsElapsed() / (SecondsPerDay * 1e9);
}

} // namespace

double now()
{
    return testClock() ? testClock()() : realNow();
}

void setNowForTests(std::function<double()> now)
{
    testClock() = std::move(now);
}

} // namespace PracticeClock
