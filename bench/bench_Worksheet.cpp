// The worksheet tool at its limits, each run a process of its own with its
// output thrown away: the largest count (100,000 problems) of the method with
// the longest output and of the one with the shortest, as JSON and as text,
// and a call of 60,000 arguments (refused). Prints the time and the peak
// resident memory of each run; a run of one problem for comparison.

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QStringList>

#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

namespace {

struct Outcome {
    int exitCode = -1;
    double milliseconds = 0;
    long peakKilobytes = 0;
};

Outcome runTool(const QList<QByteArray>& args)
{
    std::vector<char*> argv;
    QByteArray program = VSM_WORKSHEET;
    argv.push_back(program.data());
    QList<QByteArray> copies = args;
    for (QByteArray& a : copies)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    Outcome outcome;
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.constData(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage{};
        if (wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status)) {
            outcome.exitCode = WEXITSTATUS(status);
            outcome.peakKilobytes = usage.ru_maxrss;
        }
    }
    outcome.milliseconds = timer.nsecsElapsed() / 1e6;
    posix_spawn_file_actions_destroy(&actions);
    return outcome;
}

} // namespace

int main()
{
    std::printf("bench_Worksheet (output to /dev/null)\n");
    QList<QByteArray> many{"multiply-basic", "93821547x3"};
    while (many.size() < 60000)
        many << "foo";
    const struct {
        const char* what;
        QList<QByteArray> args;
    } runs[] = {
        {"speed-addition, 1 problem, JSON", {"speed-addition", "--random", "--seed", "1", "--json"}},
        {"speed-addition, 100,000 problems, JSON", {"speed-addition", "--random", "--count", "100000", "--seed", "1", "--json"}},
        {"multiply-basic, 100,000 problems, text", {"multiply-basic", "--random", "--count", "100000", "--seed", "1"}},
        {"60,000 arguments (refused)", many},
    };
    for (const auto& run : runs) {
        const Outcome o = runTool(run.args);
        std::printf("  %-42s exit %d  %8.0f ms  peak %6.1f MB\n", run.what, o.exitCode, o.milliseconds,
                    o.peakKilobytes / 1024.0);
        std::fflush(stdout);
    }
    return 0;
}
