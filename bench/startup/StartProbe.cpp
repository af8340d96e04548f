// A Qt generic plugin that the start-up benchmark loads into the program it
// measures (QT_PLUGIN_PATH and QT_QPA_GENERIC_PLUGINS=vsmstartprobe), so the
// program itself needs no code for it. It watches the application's events
// and, once the first top-level window has been exposed and the event loop has
// come back from painting it, writes one line to standard error:
//   vsm-start-probe shown <CLOCK_MONOTONIC ns> <processor time of the process, ns>

#include <QCoreApplication>
#include <QEvent>
#include <QGenericPlugin>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <ctime>

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
    StartProbe()
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && !m_seen) {
            auto* window = qobject_cast<QWindow*>(watched);
            if (window && window->isTopLevel() && window->isExposed()) {
                m_seen = true;
                // The expose is delivered (and the window painted) after this
                // filter returns; the zero timer fires once that is done.
                QTimer::singleShot(0, this, [] {
                    std::fprintf(stderr, "vsm-start-probe shown %lld %lld\n",
                                 static_cast<long long>(nanoseconds(CLOCK_MONOTONIC)),
                                 static_cast<long long>(nanoseconds(CLOCK_PROCESS_CPUTIME_ID)));
                    std::fflush(stderr);
                });
            }
        }
        return false;
    }

private:
    bool m_seen = false;
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
