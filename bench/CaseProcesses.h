#pragma once

// What the benchmarks that measure each case in a process of its own share.

#include <QCoreApplication>
#include <QList>
#include <QProcess>
#include <QString>

#include <cstdio>

#include <sys/resource.h>

namespace Bench {

inline qint64 peakResidentBytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_maxrss) * 1024;
}

// Processor time of the process so far, which a busy machine does not stretch.
inline double processorMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// Called with "--case NAME": runs that case and returns what runCase
// returns. Otherwise prints the title and runs every case in a process of
// its own: this program with "--case NAME". A Case has `name` (as given
// after --case) and `what` (as printed).
template <typename Case>
int runEachInOwnProcess(int argc, char** argv, const char* title, const QList<Case>& cases,
                        int (*runCase)(const Case&))
{
    if (argc == 3 && qstrcmp(argv[1], "--case") == 0) {
        for (const Case& c : cases) {
            if (qstrcmp(c.name, argv[2]) == 0)
                return runCase(c);
        }
        return 2;
    }
    std::printf("%s\n", title);
    std::fflush(stdout);
    for (const Case& c : cases) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--case"), QString::fromLatin1(c.name)});
        if (!child.waitForFinished(600000) || child.exitCode() != 0)
            std::printf("  %s: failed\n", c.what);
    }
    return 0;
}

} // namespace Bench
