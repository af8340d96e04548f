#include "shell/UserStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

#include "platform/Cp1252.h"
#include "platform/Dialogs.h"
#include "platform/FileReading.h"
#include "platform/FileSaver.h"
#include "platform/IniFile.h"
#include "platform/SystemInfo.h"
#include "shell/Globals.h"
#include "shell/LearnerFiles.h"
#include "shell/ScreenSettings.h"
#include "shell/SetIni.h"
#include "shell/Strings.h"

namespace {

const QString NineCharacters = QStringLiteral("\\/:*?\"<>|");

bool isControl(char16_t u)
{
    return u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F);
}

bool isBlankLine(const QString& line)
{
    return std::all_of(line.cbegin(), line.cend(), [](QChar c) { return c.isSpace(); });
}

bool isWindowsDeviceName(const QString& name)
{
    static const QStringList plain = {QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                                      QStringLiteral("NUL")};
    const QString upper = name.toUpper();
    if (plain.contains(upper))
        return true;
    return upper.size() == 4 && (upper.startsWith(QLatin1String("COM")) || upper.startsWith(QLatin1String("LPT")))
           && upper.at(3) >= u'1' && upper.at(3) <= u'9';
}

// The character at i as text (a surrogate pair stays whole) and its code.
QString characterAt(const QString& text, qsizetype i, char32_t* code)
{
    if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
        *code = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
        return text.mid(i, 2);
    }
    *code = text.at(i).unicode();
    return text.mid(i, 1);
}

// A folder path without trailing separators (a root stays as it is).
QString withoutTrailingSeparator(QString folder)
{
    while (folder.size() > 1 && (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
           && !(folder.size() == 3 && folder.at(1) == u':'))
        folder.chop(1);
    return folder;
}

std::function<bool(const QString&, QString*)>& trashForTests()
{
    static std::function<bool(const QString&, QString*)> trash;
    return trash;
}

// The desktop's trash; false where there is none (or it refuses the file).
bool moveToTrash(const QString& file, QString* inTrash)
{
    if (trashForTests())
        return trashForTests()(file, inTrash);
    return QFile::moveToTrash(file, inTrash);
}

// Into the folder "Removed" of the user data folder, under a name that no
// earlier removal holds ("Bob.ini", "Bob (2).ini" ...).
bool moveAside(const QString& file, QString* to, QString* reason)
{
    const QDir folder(SystemInfo::joinPath(Globals::UserDataFolder, UserStore::removedFolderName()));
    if (!folder.mkpath(QStringLiteral("."))) {
        *reason = QStringLiteral("the folder could not be made");
        return false;
    }
    const QString fileName = QFileInfo(file).fileName();
    QString ending;
    for (const QString& e : LearnerFiles::endings()) {
        if (fileName.endsWith(e, Qt::CaseInsensitive) && e.size() > ending.size())
            ending = fileName.right(e.size());
    }
    const QString base = fileName.chopped(ending.size());
    QString candidate = folder.filePath(fileName);
    for (int n = 2; QFileInfo::exists(candidate); ++n)
        candidate = folder.filePath(QStringLiteral("%1 (%2)%3").arg(base).arg(n).arg(ending));
    QFile source(file);
    if (!source.rename(candidate)) {
        *reason = source.errorString();
        return false;
    }
    *to = candidate;
    return true;
}

} // namespace

UserStore::NameCheck UserStore::checkName(const QString& name)
{
#ifdef Q_OS_WIN
    return checkName(name, true);
#else
    return checkName(name, false);
#endif
}

UserStore::NameCheck UserStore::checkName(const QString& name, bool windowsDeviceNames)
{
    if (name.isEmpty())
        return {NameProblem::Empty, QStringLiteral("Please type your name.")};
    // The nine characters first, examined from the first character, with the
    // program's fixed message.
    for (QChar c : name) {
        if (NineCharacters.contains(c))
            return {NameProblem::ForbiddenCharacter, Strings::text(Strings::ForbiddenNameChars)};
    }
    for (QChar c : name) {
        if (isControl(c.unicode()))
            return {NameProblem::ControlCharacter,
                    QStringLiteral("Cannot use control characters (such as tabs or line breaks) in your name!")};
    }
    for (qsizetype i = 0; i < name.size(); ++i) {
        uchar byte = 0;
        if (!Cp1252::fromUnicode(name.at(i), &byte)) {
            char32_t code = 0;
            const QString character = characterAt(name, i, &code);
            return {NameProblem::NotInCodePage,
                    QStringLiteral("Cannot use the character \"%1\" (U+%2) in your name!\r\n"
                                   "The list of names can hold only Western European letters.")
                        .arg(character, QString::number(uint(code), 16).toUpper().rightJustified(4, QLatin1Char('0')))};
        }
    }
    if (name.front().isSpace() || name.back().isSpace())
        return {NameProblem::EdgeBlank, QStringLiteral("A name cannot begin or end with a blank!")};
    if (std::all_of(name.cbegin(), name.cend(), [](QChar c) { return c == u'.' || c.isSpace(); }))
        return {NameProblem::OnlyDots, QStringLiteral("A name needs more than dots and blanks!")};
    if (name.compare(QLatin1String("UserList"), Qt::CaseInsensitive) == 0
        || name.compare(QLatin1String("QVL"), Qt::CaseInsensitive) == 0
        || (windowsDeviceNames && isWindowsDeviceName(name)))
        return {NameProblem::Reserved,
                QStringLiteral("The name \"%1\" is kept for the program's own files. Please choose another name!")
                    .arg(name)};
    if (QFile::encodeName(name + QStringLiteral(".ini")).size() > 255)
        return {NameProblem::TooLong, QStringLiteral("Your name is too long to be used as a file name!")};
    return {};
}

bool UserStore::nameLessThan(const QString& a, const QString& b)
{
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

namespace {

// The folders as UserStore::locate() says, without the clean-up.
bool locateFolders(QWidget* parent)
{
    Globals::SharedInstall = false;
    Globals::UsersFolder.clear();
    Globals::UserDataFolder.clear();
    Globals::UserDataWritable = false;

    const QString program = SystemInfo::programFolder();
    const QString programUsers = SystemInfo::joinPath(program, QStringLiteral("User"));

    if (!SystemInfo::isNetworkPath(program)) {
        // The installation's folder, else the program's, else the
        // installation's made now.
        const QString folder = SystemInfo::joinPath(UserStore::dataHome(), QStringLiteral("User"));
        if (!QFileInfo(folder).isDir() && !(QDir().mkpath(folder) && QFileInfo(folder).isDir())) {
            Dialogs::current().error(parent, QStringLiteral("Folder: ") + folder + QStringLiteral("\r\n")
                                                 + Strings::text(Strings::UnableToCreateFolder));
            return false;
        }
        Globals::UsersFolder = folder;
        Globals::UserDataFolder = folder;
        Globals::UserDataWritable = true;
        return true;
    }

    // A shared installation on the network: the name list beside the program
    // and, optionally, a pointer file naming the folder of the learners' files.
    if (!QFileInfo(SystemInfo::joinPath(programUsers, QStringLiteral("UserList.ini"))).isFile())
        return true; // nothing located: defaults, nothing saved
    Globals::SharedInstall = true;
    Globals::UsersFolder = programUsers;

    const QString pointerFile = SystemInfo::joinPath(programUsers, QStringLiteral("QVL.ini"));
    if (!QFileInfo::exists(pointerFile)) {
        Globals::UserDataWritable = true;
        Globals::UserDataFolder = programUsers;
        return true;
    }
    const IniFile pointer(pointerFile);
    if (pointer.readFailed()) {
        Dialogs::current().error(parent, pointer.errorString());
        return true;
    }
    const QString named = pointer.readString(QStringLiteral("UserDirectory"), QStringLiteral("UserFolder"));
    const QFileInfo info(named);
    if (!named.isEmpty() && info.isAbsolute() && info.isDir()) {
        Globals::UserDataWritable = true;
        Globals::UserDataFolder = withoutTrailingSeparator(named);
        return true;
    }
    Dialogs::current().error(parent, QStringLiteral("Unable to locate user folder specified in QVL.ini as:\r\n")
                                         + (named.isEmpty() ? QStringLiteral("---Could not retrieve---") : named)
                                         + QStringLiteral("\r\nWill not be able to save your performance data."));
    return true;
}

} // namespace

bool UserStore::locate(QWidget* parent)
{
    const bool located = locateFolders(parent);
    // A save killed in an earlier run left its new file behind.
    FileSaver::removeLeftovers(Globals::UsersFolder);
    if (Globals::UserDataFolder != Globals::UsersFolder)
        FileSaver::removeLeftovers(Globals::UserDataFolder);
    return located;
}

QString UserStore::dataHome()
{
    const QString program = SystemInfo::programFolder();
    const QString install = SystemInfo::installFolder();
    if (!SystemInfo::isNetworkPath(program)
        && !QFileInfo(SystemInfo::joinPath(install, QStringLiteral("User"))).isDir()
        && QFileInfo(SystemInfo::joinPath(program, QStringLiteral("User"))).isDir())
        return withoutTrailingSeparator(program);
    return install;
}

QString UserStore::nameListFile()
{
    if (Globals::UsersFolder.isEmpty())
        return QString();
    return SystemInfo::joinPath(Globals::UsersFolder, QStringLiteral("UserList.ini"));
}

QString UserStore::learnerFile(const QString& name)
{
    if (Globals::UserDataFolder.isEmpty())
        return QString();
    return SystemInfo::joinPath(Globals::UserDataFolder, name + QStringLiteral(".ini"));
}

UserStore::LoadResult UserStore::loadNames(QString* error)
{
    m_names.clear();
    m_kept.clear();
    m_listChanged = false;
    m_unsavable = false;
    const QString path = nameListFile();
    if (path.isEmpty() || !QFileInfo::exists(path))
        return LoadResult::NoFile;

    const auto fail = [&](const QString& reason) {
        *error = QStringLiteral("Unable to read the list of names \"%1\": %2").arg(path, reason);
        return LoadResult::Failed;
    };
    if (!QFileInfo(path).isFile())
        return fail(QStringLiteral("it is not a file."));
    QFile file(path);
    // One byte more than allowed tells a file that is too large.
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? FileReading::readAtMost(file, MaxListFileSize) : QByteArray();
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());
    if (bytes.size() > MaxListFileSize)
        return fail(QStringLiteral("it is larger than 1 MB."));

    const Cp1252::FileText decoded = Cp1252::decodeFile(bytes);
    if (!decoded.error.isEmpty())
        return fail(decoded.error);
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QSet<QString> seen;
    for (const QString& line : decoded.text.split(lineEnd)) {
        if (isBlankLine(line) || seen.contains(line))
            continue; // also the empty text after the last line end
        seen.insert(line);
        (checkName(line).ok() ? m_names : m_kept).append(line);
    }
    // A list another editor wrote in Unicode is written back in the list's
    // own code page, which must hold every line of it.
    m_unsavable = decoded.otherEncoding && !Cp1252::canEncode(m_kept.join(QString()));
    std::sort(m_names.begin(), m_names.end(), nameLessThan);
    return LoadResult::Loaded;
}

bool UserStore::saveNames(QString* error) const
{
    const QString path = nameListFile();
    const auto fail = [&](const QString& reason) {
        *error = QStringLiteral("Unable to save the list of names \"%1\": %2").arg(path, reason);
        return false;
    };
    if (path.isEmpty())
        return fail(QStringLiteral("there is no folder for it."));
    QString text;
    for (const QString& line : m_names + m_kept)
        text += line + QStringLiteral("\r\n");
    if (m_unsavable)
        return fail(QStringLiteral("another program wrote it in Unicode, and some of its lines hold "
                                   "characters this list cannot hold, which would be lost."));
    QByteArray bytes = Cp1252::encode(text);
    if (Cp1252::beginsWithMark(bytes))
        bytes.prepend("\r\n");
    if (bytes.size() > MaxListFileSize)
        return fail(QStringLiteral("it would become larger than 1 MB, more than the program reads back."));
    QString reason;
    if (!FileSaver::save(path, bytes, &reason))
        return fail(reason);
    return true;
}

int UserStore::indexOf(const QString& name) const
{
    const qsizetype exact = m_names.indexOf(name);
    if (exact >= 0)
        return int(exact);
    for (qsizetype i = 0; i < m_names.size(); ++i) {
        if (m_names.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

void UserStore::addName(const QString& name)
{
    if (indexOf(name) >= 0)
        return;
    m_names.insert(std::upper_bound(m_names.begin(), m_names.end(), name, nameLessThan), name);
}

void UserStore::setTrashForTests(std::function<bool(const QString&, QString*)> trash)
{
    trashForTests() = std::move(trash);
}

bool UserStore::removeLearner(const QString& name, QString* error)
{
    const qsizetype at = m_names.indexOf(name);
    if (at < 0)
        return false;
    // Listed names have passed checkName, so the files lie in the user data
    // folder; without such a folder there is no file to move.
    QList<std::pair<QString, QString>> moved; // from, to
    for (const QString& file : LearnerFiles::all(learnerFile(name))) {
        if (!QFileInfo::exists(file))
            continue;
        QString to;
        QString reason;
        if (moveToTrash(file, &to) || moveAside(file, &to, &reason)) {
            moved.append({file, to});
            continue;
        }
        for (const auto& [from, now] : std::as_const(moved))
            QFile::rename(now, from);
        if (error)
            *error = QStringLiteral("Unable to remove %1: the file \"%2\" could not be moved to the trash or into "
                                    "the folder \"%3\" (%4).\r\nThe name stays in the list.")
                         .arg(name, file, removedFolderName(), reason);
        return false;
    }
    m_names.removeAt(at);
    m_listChanged = true;
    return true;
}

UserStore::SignInResult UserStore::signIn(const QString& typed, QWidget* parent)
{
    SignInResult result;
    if (!checkName(typed).ok())
        return result;
    const int at = indexOf(typed);
    result.accepted = true;
    result.newLearner = at < 0;
    result.name = at < 0 ? typed : m_names.at(at);

    if (!Globals::UserDataWritable) {
        DefaultPreferences();
        return result;
    }
    const bool otherLearner = result.name != Globals::UserName || result.newLearner;
    if (otherLearner) {
        Globals::UserIniFile = learnerFile(result.name);
        Globals::UserName = result.name;
        ScreenSettings::newSession();
    }
    if (result.newLearner || m_listChanged) {
        addName(result.name);
        QString error;
        if (!saveNames(&error)) {
            Dialogs::current().error(parent, error);
            Globals::UserDataWritable = false;
        }
        m_listChanged = false;
    }
    if (otherLearner)
        LoadPreferences(parent);
    return result;
}
