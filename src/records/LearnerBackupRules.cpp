#include "records/LearnerBackupRules.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include "platform/FileReading.h"
#include "platform/FileSaver.h"
#include "records/ClassOverviewRules.h"
#include "shell/LearnerFiles.h"

namespace {

// File systems that keep times to 2 s (FAT) must not make a copy look newer.
constexpr qint64 TimeSlackMs = 2000;

bool keepTime(const QString& path, const QDateTime& time)
{
    QFile file(path);
    return time.isValid() && file.open(QIODevice::ReadWrite)
           && file.setFileTime(time, QFileDevice::FileModificationTime);
}

QDateTime modified(const QString& path)
{
    return QFileInfo(path).lastModified();
}

} // namespace

int LearnerBackupRules::BackupReport::failures() const
{
    return int(std::count_if(files.cbegin(), files.cend(), [](const FileCopy& f) { return !f.error.isEmpty(); }));
}

QString LearnerBackupRules::BackupReport::text() const
{
    if (!error.isEmpty())
        return error;
    const QLocale locale;
    QStringList lines;
    lines.append(QStringLiteral("Backup folder: ") + folder);
    lines.append(QStringLiteral("%1 of %2 files copied and checked.")
                     .arg(files.size() - failures())
                     .arg(files.size()));
    lines.append(QString());
    // Failures first: a long report is cut short where it is shown.
    for (const bool failed : {true, false}) {
        for (const FileCopy& f : files) {
            const QString name = QFileInfo(f.from).fileName();
            if (failed && !f.error.isEmpty())
                lines.append(QStringLiteral("FAILED  %1: %2").arg(name, f.error));
            else if (!failed && f.error.isEmpty())
                lines.append(QStringLiteral("copied  %1 (%2 bytes)").arg(name, locale.toString(f.bytes)));
        }
    }
    return lines.join(QStringLiteral("\r\n"));
}

QString LearnerBackupRules::newFolderName(const QString& parent, const QDate& date)
{
    const QDir dir(parent);
    const QString base = QStringLiteral("Learner Data ") + date.toString(QStringLiteral("yyyy-MM-dd"));
    QString name = base;
    for (int n = 2; dir.exists(name); ++n)
        name = QStringLiteral("%1 (%2)").arg(base).arg(n);
    return dir.filePath(name);
}

bool LearnerBackupRules::readWhole(const QString& path, QByteArray* bytes, QString* error)
{
    QFile file(path);
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("it is not a file.");
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    *bytes = FileReading::readAtMost(file, MaxFileSize);
    if (file.error() != QFileDevice::NoError) {
        *error = file.errorString();
        return false;
    }
    if (bytes->size() > MaxFileSize) {
        *error = QStringLiteral("it is larger than 64 MB, far more than a learner's file holds.");
        return false;
    }
    return true;
}

bool LearnerBackupRules::copyChecked(const QString& from, const QString& to, qint64* bytes, QString* error)
{
    QByteArray original;
    if (!readWhole(from, &original, error))
        return false;
    *bytes = original.size();
    if (!FileSaver::save(to, original, error))
        return false;
    QByteArray copy;
    if (!readWhole(to, &copy, error))
        return false;
    if (copy != original) {
        *error = QStringLiteral("the copy read back differs from the original.");
        return false;
    }
    keepTime(to, modified(from)); // a copy with today's date is still a whole copy
    return true;
}

LearnerBackupRules::BackupReport LearnerBackupRules::backUp(const QString& nameListFile,
                                                            const QStringList& learnerIniFiles,
                                                            const QString& parent, const QDate& date)
{
    BackupReport report;
    if (parent.isEmpty() || !QFileInfo(parent).isDir()) {
        report.error = QStringLiteral("Unable to back up the learner data: the folder \"%1\" does not exist.").arg(parent);
        return report;
    }
    const QString folder = newFolderName(parent, date);
    if (!QDir().mkdir(folder)) {
        report.error = QStringLiteral("Unable to back up the learner data: the folder \"%1\" could not be made "
                                      "(is the place read-only or full?).")
                           .arg(folder);
        return report;
    }
    report.folder = folder;
    QStringList sources;
    if (!nameListFile.isEmpty() && QFileInfo::exists(nameListFile))
        sources.append(nameListFile);
    for (const QString& ini : learnerIniFiles) {
        for (const QString& file : LearnerFiles::all(ini)) {
            if (QFileInfo::exists(file))
                sources.append(file);
        }
    }
    const QDir target(folder);
    for (const QString& from : std::as_const(sources)) {
        FileCopy copy;
        copy.from = from;
        copy.to = target.filePath(QFileInfo(from).fileName());
        copyChecked(copy.from, copy.to, &copy.bytes, &copy.error);
        report.files.append(copy);
    }
    return report;
}

QList<LearnerBackupRules::BackedUpLearner> LearnerBackupRules::readBackup(const QString& backupFolder,
                                                                          const QString& userDataFolder)
{
    QList<BackedUpLearner> learners;
    const QDir backup(backupFolder);
    const QDir users(userDataFolder);
    for (const QString& name : ClassOverviewRules::learnerNamesInFolder(backupFolder)) {
        BackedUpLearner learner;
        learner.name = name;
        for (const QString& file : LearnerFiles::all(backup.filePath(name + QStringLiteral(".ini")))) {
            if (!QFileInfo(file).isFile())
                continue;
            const QString fileName = QFileInfo(file).fileName();
            learner.files.append(fileName);
            const QDateTime saved = modified(file);
            if (!learner.date.isValid() || saved > learner.date)
                learner.date = saved;
            const QString now = users.filePath(fileName);
            if (!userDataFolder.isEmpty() && QFileInfo::exists(now)) {
                const QDateTime current = modified(now);
                if (!learner.current.isValid() || current > learner.current)
                    learner.current = current;
                if (saved.msecsTo(current) > TimeSlackMs)
                    learner.newerInUserFolder = true;
            }
        }
        learners.append(learner);
    }
    return learners;
}

bool LearnerBackupRules::restore(const BackedUpLearner& learner, const QString& backupFolder,
                                 const QString& userDataFolder, QString* error)
{
    struct Planned {
        QString from;
        QString to;
        QByteArray bytes;
        bool existed = false;
        QByteArray before;
        QDateTime beforeTime;
    };
    const QDir backup(backupFolder);
    const QDir users(userDataFolder);
    QList<Planned> plan;
    // Everything is read first: a file that cannot be read changes nothing.
    for (const QString& fileName : learner.files) {
        Planned p;
        p.from = backup.filePath(fileName);
        p.to = users.filePath(fileName);
        QString reason;
        if (!readWhole(p.from, &p.bytes, &reason)) {
            *error = QStringLiteral("%1: %2").arg(p.from, reason);
            return false;
        }
        p.existed = QFileInfo::exists(p.to);
        if (p.existed) {
            p.beforeTime = modified(p.to);
            if (!readWhole(p.to, &p.before, &reason)) {
                *error = QStringLiteral("%1: %2").arg(p.to, reason);
                return false;
            }
        }
        plan.append(p);
    }
    for (qsizetype i = 0; i < plan.size(); ++i) {
        QString reason;
        if (FileSaver::save(plan.at(i).to, plan.at(i).bytes, &reason)) {
            keepTime(plan.at(i).to, modified(plan.at(i).from));
            continue;
        }
        *error = QStringLiteral("%1: %2").arg(plan.at(i).to, reason);
        // Put back what was already written.
        for (qsizetype j = 0; j < i; ++j) {
            const Planned& done = plan.at(j);
            QString ignored;
            if (!done.existed)
                QFile::remove(done.to);
            else if (FileSaver::save(done.to, done.before, &ignored))
                keepTime(done.to, done.beforeTime);
        }
        return false;
    }
    return true;
}
