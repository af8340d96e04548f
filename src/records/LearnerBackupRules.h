#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// Backing up and restoring the learners' files, apart from any window.
//
// A backup is a new folder "Learner Data <yyyy-MM-dd>" (" (2)", " (3)" ...
// when that exists) inside the folder the teacher picks, holding a copy of
// the name list and of every file of every learner (LearnerFiles). Each copy
// is written by the atomic save, read back and compared with the original,
// and takes the original's modification time, so that the dates in a backup
// are the dates the learners last worked.
//
// A restore lists the learners of such a folder (its settings files) with
// the date of their newest file, and writes the files of each chosen learner
// into the user data folder: all of them or, when one cannot be written,
// none (those already written are put back as they were).
class LearnerBackupRules
{
public:
    // Files larger than this are not copied (a learner's files are a few KB).
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

    struct FileCopy {
        QString from;
        QString to;
        qint64 bytes = 0;
        QString error; // "" when copied and checked
    };
    struct BackupReport {
        QString folder;        // the new folder ("" when it could not be made)
        QString error;         // why nothing was copied
        QList<FileCopy> files; // every file tried, in order
        int failures() const;
        // What was copied, one line per file, and what failed.
        QString text() const;
    };

    // "Learner Data 2026-12-08" in parent, or with " (2)" ... when taken.
    static QString newFolderName(const QString& parent, const QDate& date);

    // Copies the name list (when it exists) and every existing file of each
    // learner into a new dated folder in parent.
    static BackupReport backUp(const QString& nameListFile, const QStringList& learnerIniFiles, const QString& parent,
                               const QDate& date);

    // Copies one file whole through the atomic save, reads the copy back and
    // compares it; the copy takes the original's modification time.
    static bool copyChecked(const QString& from, const QString& to, qint64* bytes, QString* error);

    struct BackedUpLearner {
        QString name;
        QStringList files;         // file names in the backup folder (settings file first)
        QDateTime date;            // the newest of them
        QDateTime current;         // the newest of the learner's files in the user data folder (invalid: none)
        bool newerInUserFolder = false; // a file in the user data folder was changed after its copy
    };
    // The learners of a backup folder, in name order.
    static QList<BackedUpLearner> readBackup(const QString& backupFolder, const QString& userDataFolder);

    // Writes the learner's files from the backup into the user data folder:
    // all or none. False with *error (naming the file) when nothing changed.
    static bool restore(const BackedUpLearner& learner, const QString& backupFolder, const QString& userDataFolder,
                        QString* error);

    // Reads a whole file of at most MaxFileSize bytes; false with *error.
    static bool readWhole(const QString& path, QByteArray* bytes, QString* error);
};
