#pragma once

#include <QObject>

class QSocketNotifier;

// Turns the requests to end the process (SIGTERM, SIGINT, SIGHUP) into a Qt
// signal on the thread that made the object: the handler only writes the
// signal's number into a pipe, which a socket notifier reads. A second such
// signal ends the process at once, as if none were handled.
class TerminationSignals : public QObject
{
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void endRequested(int signalNumber);

private:
    QSocketNotifier* m_notifier = nullptr;
};
