// Start-up of the program against a minimal Qt Widgets main window: each is
// started N times (after one warm-up start) on the offscreen platform, in a
// fresh home folder, and two figures are taken per start:
// - the time from starting the process to its first window shown: the probe
//   plugin (startup/StartProbe.cpp), loaded into the process through Qt's
//   generic-plugin mechanism, reports the moment the first top-level window
//   has been exposed and painted, and the processor time the process has
//   spent until then (which, unlike the time, hardly depends on what else the
//   machine is doing);
// - the resident memory once idle: VmRSS from /proc, read after the window is
//   up and the figure has settled;
// - the processor time spent by then (all threads alive then, from
//   /proc/PID/task/*/schedstat): it counts the start-up work done after the
//   first window too, which the first figure leaves out.
// Prints the medians and how they compare (start-up within 1.2 times the
// minimal window's, memory within 15 MB of it). `--runs N` sets N (default 15).
// The user's runtime folder is a fresh one on /dev/shm, a memory file system
// as the real one is; the temporary folder a fresh one in the system's.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <optional>
#include <vector>

namespace {

constexpr double StartUpRatioTarget = 1.2;
constexpr double MemoryMarginTargetMb = 15.0;
const QByteArray Marker = "vsm-start-probe shown ";

qint64 monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Processor time of the live threads of a process, in milliseconds.
double cpuMs(qint64 pid)
{
    double ns = 0;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile schedstat(tasks.filePath(task + QStringLiteral("/schedstat")));
        if (schedstat.open(QIODevice::ReadOnly))
            ns += schedstat.readAll().split(' ').value(0).toDouble();
    }
    return ns / 1e6;
}

// Resident memory of a process in kB, or -1.
qint64 residentKb(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

struct Start {
    double shownMs = 0;
    double shownCpuMs = 0;
    double idleMb = 0;
    double cpuMs = 0;
};

// Starts program once and takes its figures; nothing when it failed to show
// a window (the reason is printed).
std::optional<Start> startOnce(const QString& program)
{
    QTemporaryDir home;
    QTemporaryDir runtimeDir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/vsm-bench-XXXXXX")
                                                                      : home.filePath(QStringLiteral("run-XXXXXX")));
    const QString runtime = runtimeDir.path();
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QDir().mkpath(home.filePath(QStringLiteral("tmp")));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral("cache")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("TMPDIR"), home.filePath(QStringLiteral("tmp")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(VSM_PROBE_PLUGIN_DIR));
    env.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("vsmstartprobe"));

    QProcess process;
    process.setProcessEnvironment(env);
    process.setReadChannel(QProcess::StandardError);
    const qint64 started = monotonicNanoseconds();
    process.start(program, QStringList());
    if (!process.waitForStarted(10000)) {
        std::fprintf(stderr, "%s: could not start: %s\n", qPrintable(program), qPrintable(process.errorString()));
        return std::nullopt;
    }

    std::optional<Start> result;
    QByteArray seen;
    while (!result && process.state() == QProcess::Running && process.waitForReadyRead(30000)) {
        seen += process.readAllStandardError();
        const qsizetype at = seen.indexOf(Marker);
        const qsizetype end = at < 0 ? -1 : seen.indexOf('\n', at);
        if (end > 0) {
            const QList<QByteArray> fields = seen.mid(at + Marker.size(), end - at - Marker.size()).split(' ');
            result = Start{double(fields.value(0).toLongLong() - started) / 1e6, fields.value(1).toDouble() / 1e6, 0, 0};
        }
    }
    if (!result) {
        std::fprintf(stderr, "%s showed no window; it printed:\n%s\n", qPrintable(program), seen.constData());
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }

    // Idle: at least a second after the window is up, then until two readings
    // a quarter second apart differ by less than 1 % (at most 5 s).
    QThread::msleep(1000);
    qint64 last = residentKb(process.processId());
    for (int i = 0; i < 20; ++i) {
        QThread::msleep(250);
        const qint64 now = residentKb(process.processId());
        const bool settled = std::abs(now - last) * 100 < last;
        last = now;
        if (settled)
            break;
    }
    result->idleMb = double(last) / 1024.0;
    result->cpuMs = cpuMs(process.processId());

    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished();
    }
    if (last < 0) {
        std::fprintf(stderr, "%s: no resident memory figure\n", qPrintable(program));
        return std::nullopt;
    }
    return result;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Series {
    const char* name;
    QString program;
    std::vector<double> shownMs;
    std::vector<double> shownCpuMs;
    std::vector<double> idleMb;
    std::vector<double> cpuMs;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    int runs = 15;
    const QStringList args = app.arguments();
    if (const qsizetype at = args.indexOf(QStringLiteral("--runs")); at > 0 && at + 1 < args.size())
        runs = qMax(1, args.at(at + 1).toInt());

    Series program{"vandrelsholm-speed-math", QStringLiteral(VSM_PROGRAM), {}, {}, {}, {}};
    Series minimal{"minimal main window", QStringLiteral(VSM_MINIMAL_WINDOW), {}, {}, {}, {}};

    // One warm-up start each fills the file cache; then the two take turns.
    for (int run = -1; run < runs; ++run) {
        for (Series* series : {&program, &minimal}) {
            const std::optional<Start> start = startOnce(series->program);
            if (!start)
                return 1;
            if (run >= 0) {
                series->shownMs.push_back(start->shownMs);
                series->shownCpuMs.push_back(start->shownCpuMs);
                series->idleMb.push_back(start->idleMb);
                series->cpuMs.push_back(start->cpuMs);
            }
        }
    }

    const double programMs = median(program.shownMs);
    const double minimalMs = median(minimal.shownMs);
    const double programMb = median(program.idleMb);
    const double minimalMb = median(minimal.idleMb);
    const double ratio = programMs / minimalMs;
    const double margin = programMb - minimalMb;

    std::printf("Start-up, median of %d starts on the offscreen platform (processor time in brackets):\n", runs);
    for (const Series* series : {&program, &minimal}) {
        const auto [fastest, slowest] = std::minmax_element(series->shownMs.begin(), series->shownMs.end());
        std::printf("  %-24s first window shown %6.1f ms (%5.1f ms; fastest %.1f, slowest %.1f)\n", series->name,
                    median(series->shownMs), median(series->shownCpuMs), *fastest, *slowest);
        std::printf("  %-24s once idle: resident %5.1f MB (%5.1f ms)\n", "", median(series->idleMb),
                    median(series->cpuMs));
    }
    std::printf("  start-up ratio %.2f (target %.1f or less): %s; processor time ratio %.2f\n", ratio,
                StartUpRatioTarget, ratio <= StartUpRatioTarget ? "met" : "MISSED",
                median(program.shownCpuMs) / median(minimal.shownCpuMs));
    std::printf("  memory %+.1f MB (target %.0f MB or less): %s; processor time ratio once idle %.2f\n", margin,
                MemoryMarginTargetMb, margin <= MemoryMarginTargetMb ? "met" : "MISSED",
                median(program.cpuMs) / median(minimal.cpuMs));
    return 0;
}
