#pragma once

#include <QString>
#include <QTemporaryDir>

#include "Recorders.h"

class TfrmMain;

// A clean world for one test: a temporary folder standing in for both the
// program folder ("<temp>/program/") and the installation folder
// ("<temp>/install"), fresh shared variables, and the recorders installed in
// place of dialogs, sounds and help. Everything is put back on destruction.
class TestEnvironment
{
public:
    TestEnvironment();
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    QString root() const { return m_dir.path(); }
    QString programFolder() const { return m_dir.path() + QStringLiteral("/program/"); }
    QString installFolder() const { return m_dir.path() + QStringLiteral("/install"); }
    QString path(const QString& relative) const { return m_dir.filePath(relative); }
    // The desktop's trash of the test: removed learners' files are moved to
    // "<temp>/trash" (set trashAvailable false for a desktop without one).
    QString trashFolder() const { return m_dir.path() + QStringLiteral("/trash"); }
    bool trashAvailable = true;

    // Writes a file (creating its folders); bytes as given.
    void writeFile(const QString& relative, const QByteArray& bytes) const;
    // Writes a large file at any path: the head, then the line again and
    // again, up to `size` bytes. False when it could not be written.
    static bool writeRepeated(const QString& path, const QByteArray& head, const QByteArray& line, qint64 size);
    QByteArray readFile(const QString& relative) const;

    // Signs a learner in without the dialog: a writable user data folder
    // "<temp>/users", UserName, UserIniFile and the default preferences
    // (Beginner 50/74, all sounds on).
    void signIn(const QString& name);

    RecordingDialogs dialogs;
    RecordingSoundPlayer sounds;
    RecordingHelp help;

private:
    QTemporaryDir m_dir;
};
