#include "app/multinst.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QThread>

Q_LOGGING_CATEGORY(lcMultinst, "vsm.multinst", QtWarningMsg)

namespace {

const QByteArray RaiseRequest = "raise\n";

QString userName()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    if (user.isEmpty())
        user = QStringLiteral("user");
    // Keep the name usable in a file and socket name.
    for (QChar& c : user) {
        if (!c.isLetterOrNumber() && c != QLatin1Char('_') && c != QLatin1Char('-'))
            c = QLatin1Char('_');
    }
    return user;
}

} // namespace

SingleInstance::SingleInstance(const QString& name, QObject* parent) : QObject(parent), m_name(name)
{
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
}

QString SingleInstance::lockFilePath() const
{
    const QString server = serverName();
    return server.isEmpty() ? QString() : server + QStringLiteral(".lock");
}

QString SingleInstance::serverName() const
{
    // Private to the user (mode 0700), or empty when there is no such folder.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        return QString();
    return QDir(folder).filePath(m_name + QLatin1Char('-') + userName());
}

bool SingleInstance::acquire()
{
    const QString path = lockFilePath();
    if (path.isEmpty())
        return true; // nowhere private to keep a lock: run all the same
    m_lock = std::make_unique<QLockFile>(path);
    // A lock left by a process that no longer runs is taken over; a lock of
    // a running instance never goes stale, however old.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0) || (m_lock->error() == QLockFile::LockFailedError && takeOverStaleLock())) {
        listen();
        return true;
    }
    if (m_lock->error() == QLockFile::LockFailedError) {
        notifyRunningInstance();
        return false;
    }
    // The lock file cannot be made: run all the same.
    return true;
}

bool SingleInstance::takeOverStaleLock()
{
    // The running instance keeps its lock file open and locked by the
    // system; removeStaleLockFile() removes the file only when no process
    // holds that lock, whatever the file says or fails to say. The second
    // lock keeps two starts from taking over at the same moment.
    QLockFile takeover(m_lock->fileName() + QStringLiteral(".rmlock"));
    if (!takeover.tryLock(0))
        return false;
    return m_lock->removeStaleLockFile() && m_lock->tryLock(0);
}

void SingleInstance::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(serverName());
    if (!m_server->listen(serverName()))
        return; // start-up goes on; a second start then only ends
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                const QByteArray request = socket->readAll();
                if (request.contains(RaiseRequest.trimmed())) {
                    qCDebug(lcMultinst) << "raise request received";
                    emit raiseRequested();
                }
            });
        }
    });
}

bool SingleInstance::notifyRunningInstance()
{
    // The first instance may still be starting: try for a short while.
    for (int attempt = 0; attempt < 20; ++attempt) {
        QLocalSocket socket;
        socket.connectToServer(serverName());
        if (socket.waitForConnected(250)) {
            socket.write(RaiseRequest);
            socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            if (socket.state() != QLocalSocket::UnconnectedState)
                socket.waitForDisconnected(500);
            return true;
        }
        QThread::msleep(100);
    }
    return false;
}
