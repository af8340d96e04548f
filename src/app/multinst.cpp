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
    return QDir(QDir::tempPath()).filePath(m_name + QLatin1Char('-') + userName() + QStringLiteral(".lock"));
}

QString SingleInstance::serverName() const
{
    return m_name + QLatin1Char('-') + userName();
}

bool SingleInstance::acquire()
{
    m_lock = std::make_unique<QLockFile>(lockFilePath());
    // A lock left by a process that no longer runs is taken over; a lock of
    // a running instance never goes stale, however old.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) {
        listen();
        return true;
    }
    if (m_lock->error() == QLockFile::LockFailedError) {
        notifyRunningInstance();
        return false;
    }
    // The lock file cannot be made (no temporary folder?): run all the same.
    return true;
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
