#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Where the learners' files live and the list of their names ("UserList.ini"),
// apart from any window: locating the folders, reading and writing the name
// list, the store's side of signing a learner in, removing a learner, and the
// rule for names that can be used.
//
// The name list is Windows-1252 text, one name per line, CRLF line ends,
// written in the order the sign-in list shows. On reading, blank lines are
// dropped, a name that repeats is taken once, and lines that could never have
// been typed as a name (see checkName) are not offered for sign-in; they are
// written back unchanged after the names, so a hand-edited or damaged list
// loses nothing. A list another editor saved with a byte-order mark (UTF-8
// or UTF-16) is read as such and written back in Windows-1252.
class UserStore
{
public:
    // Why a name cannot be used.
    enum class NameProblem {
        None,
        Empty,
        ForbiddenCharacter, // one of \ / : * ? " < > |
        ControlCharacter,   // tabs, line breaks and other invisible control codes
        NotInCodePage,      // UserList.ini is Windows-1252: the name could not be written there
        EdgeBlank,          // begins or ends with a blank (typing removes these; only lists hold them)
        OnlyDots,           // ".", "..", ". ." ... would name a folder, not a file
        Reserved,           // the program's own files: "UserList", "QVL"
        TooLong             // name + ".ini" longer than a file name may be
    };
    struct NameCheck {
        NameProblem problem = NameProblem::None;
        QString message; // for the error box; empty when the name is fine
        bool ok() const { return problem == NameProblem::None; }
    };

    // Names are refused when they could not be stored safely as the file
    // <user data folder>/<name>.ini and as a line of UserList.ini:
    // - the nine characters \ / : * ? " < > | (the fixed message of the
    //   program), so a name never holds a path separator;
    // - control characters (below 0x20, 0x7F, 0x80..0x9F): a line break would
    //   split the name list, and such files cannot be told apart by eye;
    // - characters that Windows-1252 cannot hold (the name list would lose them);
    // - names of dots and blanks only ("." and ".." address folders);
    // - blanks at either end (never typed: the dialog removes them);
    // - "UserList" and "QVL" in any letter case, whose ".ini" files are the
    //   name list and the pointer file of a shared installation, and on
    //   Windows the device names CON, PRN, AUX, NUL, COM1..9 and LPT1..9;
    // - names whose file name (".ini" included) is longer than 255 bytes as
    //   the file system stores it (UTF-8).
    static NameCheck checkName(const QString& name);
    // The check with the Windows device names or without them (tests).
    static NameCheck checkName(const QString& name, bool windowsDeviceNames);

    // Longest name that can ever fit a file name (255 bytes less ".ini").
    static constexpr int MaxNameLength = 251;
    // Files larger than this are not read as a name list.
    static constexpr qint64 MaxListFileSize = 1024 * 1024;

    // Locates the users folder and the user data folder and sets
    // Globals::UsersFolder, UserDataFolder, UserDataWritable and
    // SharedInstall, showing the messages of each failure. False only when
    // the installation's user folder could not be created (the sign-in
    // dialog then sets itself up no further). The new files of saves killed
    // in an earlier run are removed from both folders (FileSaver).
    static bool locate(QWidget* parent);

    // The folder that holds the learners' user folder as locate() finds it:
    // the program's folder when the installation has no "User" folder and
    // the program has one, else the installation folder. Every start finds
    // the same folder whatever its environment, and keeps the lock that
    // keeps the program to one instance there.
    static QString dataHome();

    // UsersFolder + "UserList.ini" (empty when there is no users folder).
    static QString nameListFile();
    // UserDataFolder + name + ".ini" (empty when there is no user data folder).
    static QString learnerFile(const QString& name);

    enum class LoadResult { Loaded, NoFile, Failed };
    // Reads the name list; on Failed, error says why and the list is empty.
    LoadResult loadNames(QString* error);
    // Writes the name list at once and atomically; false with error on failure.
    bool saveNames(QString* error) const;

    // The names offered for sign-in, in list order.
    const QStringList& names() const { return m_names; }
    // Lines of the file that are not offered (written back unchanged).
    const QStringList& keptLines() const { return m_kept; }
    // Position of a name: the exact name, else one that differs only in
    // letter case (one learner file on a case-blind file system); -1 if none.
    int indexOf(const QString& name) const;
    // Adds a name in list order (nothing when it is already there).
    void addName(const QString& name);

    // A name was removed and the list file has not been written since.
    bool listChanged() const { return m_listChanged; }

    // Removes a listed learner at once, with no question, so that no record
    // is lost by a slip: every file of theirs (LearnerFiles) is moved to the
    // desktop's trash, or, where there is none, into the folder "Removed" of
    // the user data folder, and the name is taken off the list; the list file
    // is written at the next sign-in. When a file cannot be moved, the files
    // already moved are put back, the name stays listed and *error says why.
    // False when the name is not listed or could not be removed.
    bool removeLearner(const QString& name, QString* error = nullptr);

    // The folder inside the user data folder that keeps removed learners'
    // files where there is no trash.
    static QString removedFolderName() { return QStringLiteral("Removed"); }
    // Test seam: replaces the desktop's trash (QFile::moveToTrash); the
    // function moves the file and gives its new path, or returns false when
    // there is no trash. An empty function restores the desktop's trash.
    static void setTrashForTests(std::function<bool(const QString& path, QString* pathInTrash)> trash);

    struct SignInResult {
        bool accepted = false;   // false: the name cannot be used (nothing changed)
        bool newLearner = false; // the name was not in the list
        QString name;            // the name signed in (the listed spelling)
    };
    // The store's side of the sign-in OK: with no writable user data folder
    // the default preferences; otherwise, for another learner (or one whose
    // name is new to the list), UserIniFile and UserName are set and the
    // learner's preferences read; a new name is added to the list, and the
    // list is written when it gained or lost a name (a failure shows its
    // text and makes the folder unwritable for the rest of the run). The
    // same learner again reads nothing.
    SignInResult signIn(const QString& name, QWidget* parent);

    // Sort order of the list: letter case ignored, then exact.
    static bool nameLessThan(const QString& a, const QString& b);

private:
    QStringList m_names;
    QStringList m_kept;
    bool m_listChanged = false;
    bool m_unsavable = false;
};
