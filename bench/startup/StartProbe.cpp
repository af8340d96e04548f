// A Qt generic plugin that the start-up benchmark loads into the program it
// measures (QT_PLUGIN_PATH and QT_QPA_GENERIC_PLUGINS=vsmstartprobe), so the
// program itself needs no code for it. It watches the application's events
// and writes one line to standard error for each of two moments, once the
// event loop has come back from painting:
//   vsm-start-probe window <CLOCK_MONOTONIC ns> <processor time of the process, ns>
// when the first top-level window has been exposed, and
//   vsm-start-probe dialog <CLOCK_MONOTONIC ns> <processor time of the process, ns>
// when the object named by VSM_START_PROBE_DIALOG (an objectName, default
// "AboutBox") has first been painted. The processor time counts every thread
// the process has had. With VSM_START_PROBE_EXIT=1 the process ends at once
// after the dialog line (for profiling the start-up alone).

#include <QCoreApplication>
#include <QEvent>
#include <QGenericPlugin>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <ctime>
#include <string_view>
#include <unistd.h>

namespace {

qint64 nanoseconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

class StartProbe : public QObject
{
public:
    StartProbe() : m_dialogName(qEnvironmentVariable("VSM_START_PROBE_DIALOG", QStringLiteral("AboutBox")))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && !m_windowSeen) {
            auto* window = qobject_cast<QWindow*>(watched);
            if (window && window->isTopLevel() && window->isExposed()) {
                m_windowSeen = true;
                reportLater("window");
            }
        } else if (event->type() == QEvent::Paint && !m_dialogSeen && watched->objectName() == m_dialogName) {
            m_dialogSeen = true;
            reportLater("dialog");
        }
        return false;
    }

private:
    // The event is delivered (and the window painted and flushed) after this
    // filter returns; the zero timer fires once that is done.
    void reportLater(const char* what)
    {
        QTimer::singleShot(0, this, [what] {
            std::fprintf(stderr, "vsm-start-probe %s %lld %lld\n", what,
                         static_cast<long long>(nanoseconds(CLOCK_MONOTONIC)),
                         static_cast<long long>(nanoseconds(CLOCK_PROCESS_CPUTIME_ID)));
            std::fflush(stderr);
            if (what == std::string_view("dialog") && qEnvironmentVariableIntValue("VSM_START_PROBE_EXIT") == 1)
                _exit(0);
        });
    }

    QString m_dialogName;
    bool m_windowSeen = false;
    bool m_dialogSeen = false;
};

} // namespace

class StartProbePlugin : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "StartProbe.json")
public:
    QObject* create(const QString& key, const QString&) override
    {
        return key.compare(QLatin1String("vsmstartprobe"), Qt::CaseInsensitive) == 0 ? new StartProbe : nullptr;
    }
};

#include "StartProbe.moc"
