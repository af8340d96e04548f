#include "platform/FileSaver.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSysInfo>

#include <cerrno>
#include <climits>
#include <cstring>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QSaveFile>
#endif

namespace {

const QString Prefix = QStringLiteral(".vandrelsholm-speed-math-");
const QString Suffix = QStringLiteral(".part");

std::function<QString(const QString&)>& failureSeam()
{
    static std::function<QString(const QString&)> seam;
    return seam;
}

QString systemText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool fail(QString* reason, const QString& text)
{
    if (reason)
        *reason = text;
    return false;
}

#ifdef Q_OS_UNIX
qint64 ownProcessId()
{
    return qint64(::getpid());
}

// A process of that id runs on this machine (also one of another account,
// which may not be signalled).
bool processRuns(qint64 processId)
{
    return ::kill(pid_t(processId), 0) == 0 || errno != ESRCH;
}

// The file a save of path replaces: a link is followed to the file it
// names, so that the link stays and its file gets the new content.
QString finalTarget(const QString& path)
{
    QFileInfo file(path);
    for (int depth = 0; depth < 128 && file.isSymLink(); ++depth)
        file.setFile(file.symLinkTarget());
    return file.isSymLink() ? path : file.filePath();
}

bool isPlainFile(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}
#endif

} // namespace

namespace FileSaver {

QString diskFullText()
{
    return systemText(ENOSPC);
}

QString machineTag()
{
    static const QString tag = [] {
        QByteArray identity = QSysInfo::machineUniqueId();
        if (identity.isEmpty())
            identity = QSysInfo::machineHostName().toUtf8();
        return QString::fromLatin1(QCryptographicHash::hash(identity, QCryptographicHash::Sha256).left(4).toHex());
    }();
    return tag;
}

QString temporaryName(qint64 processId, const QString& tag, quint32 random)
{
    return Prefix + QString::number(processId) + QLatin1Char('-') + tag + QLatin1Char('-')
           + QStringLiteral("%1").arg(random, 8, 16, QLatin1Char('0')) + Suffix;
}

TemporaryName parseTemporaryName(const QString& fileName)
{
    static const QRegularExpression pattern(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(Prefix) + QStringLiteral("([1-9][0-9]{0,9})-([0-9a-f]{8})-[0-9a-f]{8}")
        + QRegularExpression::escape(Suffix)));
    const QRegularExpressionMatch match = pattern.match(fileName);
    TemporaryName name;
    if (!match.hasMatch())
        return name;
    name.processId = match.captured(1).toLongLong();
    name.machineTag = match.captured(2);
    name.ok = name.processId <= INT_MAX;
    return name;
}

int removeLeftovers(const QString& folder)
{
#ifdef Q_OS_UNIX
    if (folder.isEmpty())
        return 0;
    int removed = 0;
    const QStringList candidates = QDir(folder).entryList({Prefix + QLatin1Char('*') + Suffix},
                                                          QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString& candidate : candidates) {
        const TemporaryName name = parseTemporaryName(candidate);
        // This process has no save under way while it looks: a file with its
        // id is an earlier process's.
        if (!name.ok || name.machineTag != machineTag()
            || (name.processId != ownProcessId() && processRuns(name.processId)))
            continue;
        const QString path = QDir(folder).filePath(candidate);
        if (isPlainFile(path) && QFile::remove(path))
            ++removed;
    }
    return removed;
#else
    // Where a process cannot be asked whether it runs, nothing is removed.
    Q_UNUSED(folder);
    return 0;
#endif
}

bool save(const QString& path, const QByteArray& bytes, QString* reason)
{
#ifdef Q_OS_UNIX
    const QString target = finalTarget(path);
    const QFileInfo info(target);
    if (info.isDir())
        return fail(reason, systemText(EISDIR));
    // A file the user made read-only is not replaced behind their back.
    if (info.exists() && !info.isWritable())
        return fail(reason, systemText(EACCES));
    const QString folder = info.absolutePath();
    removeLeftovers(folder);

    QString copy;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        copy = QDir(folder).filePath(temporaryName(ownProcessId(), machineTag(), QRandomGenerator::global()->generate()));
        fd = ::open(QFile::encodeName(copy).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt == 100))
            return fail(reason, systemText(errno));
    }
    const auto abandon = [&](int error, const QString& text = QString()) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(QFile::encodeName(copy).constData());
        return fail(reason, text.isEmpty() ? systemText(error) : text);
    };
    // The new file keeps the old one's permissions.
    struct stat old {};
    if (::stat(QFile::encodeName(target).constData(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);
    // Every byte is written and checked with the system's own reason when a
    // write fails; some file systems (network shares, quotas) report a lost
    // write only when the data reaches the disk.
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return abandon(n < 0 ? errno : ENOSPC);
        done += n;
    }
    if (::fsync(fd) != 0)
        return abandon(errno);
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0)
        return abandon(errno);
    if (const auto& seam = failureSeam()) {
        const QString failure = seam(path);
        if (!failure.isEmpty())
            return abandon(0, failure);
    }
    if (::rename(QFile::encodeName(copy).constData(), QFile::encodeName(target).constData()) != 0)
        return abandon(errno);
    return true;
#else
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(reason, file.errorString());
    if (file.write(bytes) != bytes.size() || !file.flush())
        return fail(reason, file.errorString());
    if (const auto& seam = failureSeam()) {
        const QString failure = seam(path);
        if (!failure.isEmpty())
            return fail(reason, failure);
    }
    if (!file.commit())
        return fail(reason, file.errorString());
    return true;
#endif
}

void setFailureForTests(std::function<QString(const QString& path)> failure)
{
    failureSeam() = std::move(failure);
}

} // namespace FileSaver
