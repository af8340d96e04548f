#include "platform/FileSaver.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
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
    const QDateTime oldest = QDateTime::currentDateTimeUtc().addSecs(-StaleCopyAgeSeconds);
    const QFileInfoList candidates = target.dir().entryInfoList({target.fileName() + QStringLiteral(".??????")},
                                                                QDir::Files | QDir::Hidden);
    for (const QFileInfo& copy : candidates) {
        const QString suffix = copy.fileName().right(6);
        const bool copyName = std::all_of(suffix.cbegin(), suffix.cend(), [](QChar c) {
            return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
        });
        if (copyName && copy.fileName().size() == target.fileName().size() + 7
            && copy.fileName().startsWith(target.fileName() + QLatin1Char('.')) && !copy.isSymLink()
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
