#include "platform/FileSaver.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

std::function<QString(const QString&)>& failureSeam()
{
    static std::function<QString(const QString&)> seam;
    return seam;
}

// A copy younger than this may belong to a save still under way in another
// process (two computers sharing a folder); older ones are leftovers.
constexpr qint64 StaleCopyAgeSeconds = 60;

// QSaveFile writes to "<name>.XXXXXX" beside the target (six letters or
// digits). A save killed after writing but before its rename leaves such a
// copy; nothing else ever needs it.
void removeStaleCopies(const QString& path)
{
    const QFileInfo target(path);
    const QDir folder = target.dir();
    const QRegularExpression copyName(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(target.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    const QDateTime oldest = QDateTime::currentDateTimeUtc().addSecs(-StaleCopyAgeSeconds);
    const QFileInfoList candidates =
        folder.entryInfoList({target.fileName() + QStringLiteral(".??????")}, QDir::Files | QDir::Hidden);
    for (const QFileInfo& copy : candidates) {
        if (copyName.match(copy.fileName()).hasMatch() && !copy.isSymLink()
            && copy.lastModified().toUTC() < oldest)
            QFile::remove(copy.filePath());
    }
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

} // namespace

namespace FileSaver {

QString diskFullText()
{
    return systemText(ENOSPC);
}

bool save(const QString& path, const QByteArray& bytes, QString* reason)
{
    removeStaleCopies(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(reason, file.errorString());
    // QSaveFile holds small writes in its buffer and writes them only in
    // commit(), which renames even when that last write fails. So every
    // byte is written out and checked here, before anything is replaced.
#ifdef Q_OS_UNIX
    // Straight to the file, for the system's own reason when a write fails;
    // some file systems (network shares, quotas) report a lost write only
    // when the data reaches the disk.
    const int fd = file.handle();
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail(reason, systemText(n < 0 ? errno : ENOSPC));
        done += n;
    }
    if (::fsync(fd) != 0)
        return fail(reason, systemText(errno));
#else
    if (file.write(bytes) != bytes.size() || !file.flush())
        return fail(reason, file.errorString());
#endif
    if (const auto& seam = failureSeam()) {
        const QString failure = seam(path);
        if (!failure.isEmpty())
            return fail(reason, failure);
    }
    if (!file.commit())
        return fail(reason, file.errorString());
    return true;
}

void setFailureForTests(std::function<QString(const QString& path)> failure)
{
    failureSeam() = std::move(failure);
}

} // namespace FileSaver
