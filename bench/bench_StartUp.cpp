// Start-up of the program against a minimal Qt Widgets program that shows a
// main window and a dialog (startup/MinimalWindow.cpp): each is started N
// times (after one warm-up start) on the offscreen platform, in a fresh home
// folder. The probe plugin (startup/StartProbe.cpp), loaded into the process
// through Qt's generic-plugin mechanism, reports two moments: the first
// top-level window exposed and painted, and the dialog painted (the
// program's sign-in dialog, where the learner can first act). For each it
// gives the time since starting the process and the processor time the
// process has spent by then (every thread; unlike the time, it hardly
// depends on what else the machine is doing). Once idle (the resident memory
// has settled) the benchmark reads from /proc the resident memory, its peak
// and the processor time of the live threads.
// Prints the medians and how they compare: processor time to the dialog
// within 1.15 times the minimal program's, resident memory once idle within
// 8 MB of it. `--runs N` sets N (default 15).
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

constexpr double DialogCpuRatioTarget = 1.15;
constexpr double MemoryMarginTargetMb = 8.0;
const QByteArray Marker = "vsm-start-probe ";

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

// A memory figure of a process in kB ("VmRSS", "VmHWM"), or -1.
qint64 memoryKb(qint64 pid, const QByteArray& field)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

struct Moment {
    double ms = -1; // since the process was started
    double cpuMs = 0;
};

struct Start {
    Moment window;
    Moment dialog;
    double idleMb = 0;
    double peakMb = 0;
    double idleCpuMs = 0;
};

// Reads the probe's lines until both moments are in.
bool readMoments(QProcess& process, qint64 started, Start& start, QByteArray& seen)
{
    qsizetype from = 0;
    while (start.window.ms < 0 || start.dialog.ms < 0) {
        const qsizetype at = seen.indexOf(Marker, from);
        const qsizetype end = at < 0 ? -1 : seen.indexOf('\n', at);
        if (end < 0) {
            if (process.state() != QProcess::Running || !process.waitForReadyRead(30000))
                return false;
            seen += process.readAllStandardError();
            continue;
        }
        const QList<QByteArray> fields = seen.mid(at + Marker.size(), end - at - Marker.size()).split(' ');
        Moment* moment = fields.value(0) == "window" ? &start.window : fields.value(0) == "dialog" ? &start.dialog : nullptr;
        if (moment)
            *moment = Moment{double(fields.value(1).toLongLong() - started) / 1e6, fields.value(2).toDouble() / 1e6};
        from = end + 1;
    }
    return true;
}

// Starts program once and takes its figures; nothing when it failed to show
// both windows (the reason is printed).
std::optional<Start> startOnce(const QString& program, const QString& dialogName)
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
    env.insert(QStringLiteral("VSM_START_PROBE_DIALOG"), dialogName);

    QProcess process;
    process.setProcessEnvironment(env);
    process.setReadChannel(QProcess::StandardError);
    const qint64 started = monotonicNanoseconds();
    process.start(program, QStringList());
    if (!process.waitForStarted(10000)) {
        std::fprintf(stderr, "%s: could not start: %s\n", qPrintable(program), qPrintable(process.errorString()));
        return std::nullopt;
    }

    Start result;
    QByteArray seen;
    if (!readMoments(process, started, result, seen)) {
        std::fprintf(stderr, "%s did not show its window and dialog \"%s\"; it printed:\n%s\n", qPrintable(program),
                     qPrintable(dialogName), seen.constData());
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }

    // Idle: at least a second after the dialog is up, then until two
    // readings a quarter second apart differ by less than 1 % (at most 5 s).
    QThread::msleep(1000);
    qint64 last = memoryKb(process.processId(), "VmRSS");
    for (int i = 0; i < 20; ++i) {
        QThread::msleep(250);
        const qint64 now = memoryKb(process.processId(), "VmRSS");
        const bool settled = std::abs(now - last) * 100 < last;
        last = now;
        if (settled)
            break;
    }
    const qint64 peak = memoryKb(process.processId(), "VmHWM");
    result.idleMb = double(last) / 1024.0;
    result.peakMb = double(peak) / 1024.0;
    result.idleCpuMs = cpuMs(process.processId());

    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished();
    }
    if (last < 0 || peak < 0) {
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
    QString dialogName;
    std::vector<Start> starts;

    double medianOf(double Start::*figure) const
    {
        std::vector<double> values;
        for (const Start& start : starts)
            values.push_back(start.*figure);
        return median(values);
    }
    double medianOf(Moment Start::*moment, double Moment::*figure) const
    {
        std::vector<double> values;
        for (const Start& start : starts)
            values.push_back(start.*moment.*figure);
        return median(values);
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    int runs = 15;
    const QStringList args = app.arguments();
    if (const qsizetype at = args.indexOf(QStringLiteral("--runs")); at > 0 && at + 1 < args.size())
        runs = qMax(1, args.at(at + 1).toInt());

    Series program{"vandrelsholm-speed-math", QStringLiteral(VSM_PROGRAM), QStringLiteral("AboutBox"), {}};
    Series minimal{"minimal window + dialog", QStringLiteral(VSM_MINIMAL_WINDOW), QStringLiteral("dialog"), {}};

    // One warm-up start each fills the file cache; then the two take turns.
    for (int run = -1; run < runs; ++run) {
        for (Series* series : {&program, &minimal}) {
            const std::optional<Start> start = startOnce(series->program, series->dialogName);
            if (!start)
                return 1;
            if (run >= 0)
                series->starts.push_back(*start);
        }
    }

    std::printf("Start-up, median of %d starts on the offscreen platform; time since the start of the process,\n"
                "processor time in brackets (ms), memory in MB:\n", runs);
    std::printf("  %-24s %18s %18s %18s %9s %6s\n", "", "first window", "dialog painted", "once idle", "resident", "peak");
    for (const Series* series : {&program, &minimal}) {
        std::printf("  %-24s %8.1f (%7.1f) %8.1f (%7.1f) %8s (%7.1f) %9.1f %6.1f\n", series->name,
                    series->medianOf(&Start::window, &Moment::ms), series->medianOf(&Start::window, &Moment::cpuMs),
                    series->medianOf(&Start::dialog, &Moment::ms), series->medianOf(&Start::dialog, &Moment::cpuMs),
                    "", series->medianOf(&Start::idleCpuMs), series->medianOf(&Start::idleMb),
                    series->medianOf(&Start::peakMb));
    }
    const double cpuRatio = program.medianOf(&Start::dialog, &Moment::cpuMs) / minimal.medianOf(&Start::dialog, &Moment::cpuMs);
    const double margin = program.medianOf(&Start::idleMb) - minimal.medianOf(&Start::idleMb);
    std::printf("  processor time to the dialog: ratio %.2f (target %.2f or less): %s; time ratio %.2f; "
                "processor time ratio once idle %.2f\n",
                cpuRatio, DialogCpuRatioTarget, cpuRatio <= DialogCpuRatioTarget ? "met" : "MISSED",
                program.medianOf(&Start::dialog, &Moment::ms) / minimal.medianOf(&Start::dialog, &Moment::ms),
                program.medianOf(&Start::idleCpuMs) / minimal.medianOf(&Start::idleCpuMs));
    std::printf("  resident memory once idle %+.1f MB (target %.0f MB or less): %s; peak %+.1f MB\n", margin,
                MemoryMarginTargetMb, margin <= MemoryMarginTargetMb ? "met" : "MISSED",
                program.medianOf(&Start::peakMb) - minimal.medianOf(&Start::peakMb));
    return 0;
}
