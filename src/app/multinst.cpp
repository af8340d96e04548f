#include "app/multinst.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QSysInfo>
#include <QThread>

#include "platform/Dialogs.h"
#include "platform/FileSaver.h"
#include "shell/UserStore.h"

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

Q_LOGGING_CATEGORY(lcMultinst, "vsm.multinst", QtWarningMsg)

namespace {

const QByteArray RaiseRequest = "raise\n";
// A socket name is a short path; anything longer in the file is not one.
constexpr qint64 MaxServerNameBytes = 4096;

QString processText(qint64 processId)
{
    return QStringLiteral("process %1").arg(processId);
}

} // namespace

SingleInstance::SingleInstance(const QString& name, QObject* parent) : QObject(parent), m_name(name)
{
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
    // The next instance writes its own; a second start meanwhile finds none.
    if (m_lock && m_lock->isLocked())
        QFile::remove(serverNameFile());
}

QString SingleInstance::lockFilePath() const
{
    return QDir(UserStore::dataHome()).filePath(m_name + QStringLiteral(".lock"));
}

QString SingleInstance::serverNameFile() const
{
    return QDir(UserStore::dataHome()).filePath(m_name + QStringLiteral(".socket"));
}

QString SingleInstance::serverName() const
{
    // Private to the user (mode 0700), or empty when there is no such folder.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        return QString();
    // One socket per lock: instances on other learners' folders have their own.
    const QByteArray lockHash =
        QCryptographicHash::hash(QFile::encodeName(QFileInfo(lockFilePath()).absoluteFilePath()), QCryptographicHash::Sha256)
            .left(4)
            .toHex();
#ifdef Q_OS_UNIX
    const QString user = QString::number(::geteuid());
#else
    const QString user = qEnvironmentVariable("USERNAME");
#endif
    return QDir(folder).filePath(m_name + QLatin1Char('-') + user + QLatin1Char('-') + QString::fromLatin1(lockHash));
}

SingleInstance::Outcome SingleInstance::acquire()
{
    const QString path = lockFilePath();
    QDir().mkpath(QFileInfo(path).path());
    m_lock = std::make_unique<QLockFile>(path);
    // A lock left by a process that no longer runs is taken over; a lock of
    // a running instance never goes stale, however old.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0) || (m_lock->error() == QLockFile::LockFailedError && takeOverStaleLock())) {
        listen();
        return Outcome::First;
    }
    if (m_lock->error() != QLockFile::LockFailedError)
        return Outcome::First; // no lock can be made here: run all the same
    // Something that is not a lock file, or another account's instance,
    // cannot be asked to come to the front.
    if (QFileInfo(path).isFile() && !heldByAnotherAccount() && notifyRunningInstance())
        return Outcome::Raised;
    m_unreachable = whyUnreachable();
    return Outcome::Unreachable;
}

SingleInstance::Outcome SingleInstance::start()
{
    const Outcome outcome = acquire();
    if (outcome == Outcome::Unreachable)
        Dialogs::current().error(nullptr, m_unreachable);
    return outcome;
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

bool SingleInstance::heldByAnotherAccount() const
{
#ifdef Q_OS_UNIX
    return QFileInfo(lockFilePath()).ownerId() != uint(::geteuid());
#else
    return false;
#endif
}

QString SingleInstance::whyUnreachable() const
{
    const QString path = lockFilePath();
    const QFileInfo info(path);
    const QString remove = QStringLiteral(" If the program is not running, remove the %1 and start the program again.");
    QString reason;
    if (info.isSymLink() && !info.exists()) {
        reason = QStringLiteral("In place of its lock file there is a link to \"%1\", which does not exist.")
                     .arg(info.symLinkTarget())
                 + remove.arg(QStringLiteral("link"));
    } else if (!info.isFile()) {
        const QString what = info.isDir() ? QStringLiteral("folder") : QStringLiteral("special file");
        reason = QStringLiteral("In place of its lock file there is a %1.").arg(what) + remove.arg(what);
    } else {
        qint64 processId = 0;
        QString host;
        QString application;
        m_lock->getLockInfo(&processId, &host, &application);
        const QString running = QStringLiteral("It is already running with the same learners' files");
        if (heldByAnotherAccount())
            reason = running + QStringLiteral(" under another account (\"%1\", %2). Close it there first.")
                                   .arg(info.owner().isEmpty() ? QString::number(info.ownerId()) : info.owner(),
                                        processText(processId));
        else if (!host.isEmpty() && host != QSysInfo::machineHostName())
            reason = running + QStringLiteral(" on the computer \"%1\" (%2). Close it there first.")
                                   .arg(host, processText(processId));
        else
            reason = running + QStringLiteral(" (%1), but it does not answer. Close it, or wait until it has ended, "
                                              "and start the program again.")
                                   .arg(processText(processId));
    }
    return QStringLiteral("Vandrelsholm Speed Math cannot start.\r\n\r\n%1\r\n\r\nLock file: %2").arg(reason, path);
}

void SingleInstance::listen()
{
    const QString name = serverName();
    if (name.isEmpty()) {
        QFile::remove(serverNameFile());
        return; // a second start then says that this one does not answer
    }
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(name);
    if (!m_server->listen(name)) {
        QFile::remove(serverNameFile());
        return;
    }
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
    // Starts in another environment (another runtime folder, or none) find
    // the socket through this file.
    QString reason;
    if (!FileSaver::save(serverNameFile(), QFile::encodeName(m_server->fullServerName()), &reason))
        qCWarning(lcMultinst) << "cannot write" << serverNameFile() << reason;
}

bool SingleInstance::notifyRunningInstance()
{
    // The first instance may still be starting: try for a short while.
    for (int attempt = 0; attempt < 20; ++attempt) {
        QStringList names;
        QFile file(serverNameFile());
        if (file.open(QIODevice::ReadOnly) && file.size() <= MaxServerNameBytes) {
            const QString named = QFile::decodeName(file.readAll().trimmed());
            if (!named.isEmpty())
                names.append(named);
        }
        if (!serverName().isEmpty() && !names.contains(serverName()))
            names.append(serverName());
        for (const QString& name : names) {
            QLocalSocket socket;
            socket.connectToServer(name);
            if (socket.waitForConnected(250)) {
                socket.write(RaiseRequest);
                socket.waitForBytesWritten(1000);
                socket.disconnectFromServer();
                if (socket.state() != QLocalSocket::UnconnectedState)
                    socket.waitForDisconnected(500);
                return true;
            }
        }
        QThread::msleep(100);
    }
    return false;
}
