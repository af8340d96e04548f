#pragma once

#include <QLockFile>
#include <QObject>

#include <memory>

class QLocalServer;

// Keeps the program to one running instance per user. The first instance
// holds a lock file and listens on a local socket, both named after
// "ZRVandrelsholm" and the user, in the user's private runtime folder (never
// the shared temporary folder, where another account could make them first);
// a second start finds the lock taken, asks the first instance to come to
// the front, and ends. A lock that no running instance holds (left empty or
// damaged by a kill while it was written, or by an instance that has ended)
// is taken over. Without a private runtime folder the program runs unguarded.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstance(const QString& name = QStringLiteral("ZRVandrelsholm"), QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is the first instance and goes on; false when
    // another instance runs (it has then been asked to come to the front).
    bool acquire();

    // Both empty when the user has no private runtime folder.
    QString lockFilePath() const;
    QString serverName() const;

signals:
    // Another start of the program asked this instance to come to the front.
    void raiseRequested();

private:
    void listen();
    bool takeOverStaleLock();
    bool notifyRunningInstance();

    QString m_name;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};
