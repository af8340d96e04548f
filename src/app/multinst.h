#pragma once

#include <QLockFile>
#include <QObject>

#include <memory>

class QLocalServer;

// Keeps the program to one running instance on the learners' files. The
// first instance holds a lock file beside the learners' user folder, in the
// folder every start finds whatever its environment (UserStore::dataHome()),
// and listens on a local socket in the user's private runtime folder, whose
// full name it writes beside the lock; a second start finds the lock taken,
// asks the first instance through that socket to come to the front, and
// ends. A lock that no running instance holds (left empty or damaged by a
// kill while it was written, or by an instance that has ended) is taken
// over. When the lock is held but its holder cannot be reached (another
// account's instance, a folder or a broken link in the lock's place, an
// instance that does not answer) the start says so and ends. Where no lock
// can be made at all (a read-only folder), the program runs unguarded.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    enum class Outcome {
        First,       // this process is the one instance and goes on
        Raised,      // another instance runs and was asked to come to the front
        Unreachable, // another instance holds the lock and cannot be reached
    };

    explicit SingleInstance(const QString& name = QStringLiteral("ZRVandrelsholm"), QObject* parent = nullptr);
    ~SingleInstance() override;

    Outcome acquire();
    // acquire(); an Unreachable outcome is told in an error box (Dialogs).
    Outcome start();
    // Why the running instance cannot be reached, after Unreachable.
    const QString& unreachableText() const { return m_unreachable; }

    // Beside the learners' user folder.
    QString lockFilePath() const;
    // The file beside the lock that names the running instance's socket.
    QString serverNameFile() const;
    // The socket of this process, in the private runtime folder (empty when
    // the user has none).
    QString serverName() const;

signals:
    // Another start of the program asked this instance to come to the front.
    void raiseRequested();

private:
    void listen();
    bool takeOverStaleLock();
    bool notifyRunningInstance();
    QString whyUnreachable() const;
    bool heldByAnotherAccount() const;

    QString m_name;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
    QString m_unreachable;
};
