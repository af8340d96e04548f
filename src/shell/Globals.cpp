#include "shell/Globals.h"

#include <QDir>
#include <QFileInfo>
#include <QCursor>
#include <QGuiApplication>

#include "platform/SoundPlayer.h"
#include "platform/SystemInfo.h"

namespace Globals {

bool Practising = false;
QString ScreenTitle;
QString UsersFolder;
QString UserDataFolder;
QString UserName;
QString UserIniFile;
bool UserDataWritable = false;
bool SharedInstall = false;
quint8 UserLevel = 0;
quint8 LowerAmber = 0;
quint8 UpperAmber = 0;
quint8 CustomLowerAmber = 0;
quint8 CustomUpperAmber = 0;
bool GreetingsOn = false;
bool IdleMusicOn = false;
bool PracticeSoundsOn = false;
QString CustomQuestion;
QString CustomOperator;
QString RightSoundsFolder;
QString WrongSoundsFolder;
QString AltRightSoundsFolder;
QString AltWrongSoundsFolder;
QStringList RightSoundFiles;
QStringList WrongSoundFiles;
quint16 NextRightSound = 0;
quint16 NextWrongSound = 0;
bool SoundsInFolders = false;
bool SoundsInAltFolders = false;
bool SoundsFromResources = false;

void setScreenTitle(const QString& title)
{
    ScreenTitle = title.left(ScreenTitleLimit);
}

void resetAll()
{
    Practising = false;
    ScreenTitle.clear();
    UsersFolder.clear();
    UserDataFolder.clear();
    UserName.clear();
    UserIniFile.clear();
    UserDataWritable = false;
    SharedInstall = false;
    UserLevel = LowerAmber = UpperAmber = CustomLowerAmber = CustomUpperAmber = 0;
    GreetingsOn = IdleMusicOn = PracticeSoundsOn = false;
    CustomQuestion.clear();
    CustomOperator.clear();
    RightSoundsFolder.clear();
    WrongSoundsFolder.clear();
    AltRightSoundsFolder.clear();
    AltWrongSoundsFolder.clear();
    RightSoundFiles.clear();
    WrongSoundFiles.clear();
    NextRightSound = NextWrongSound = 0;
    SoundsInFolders = SoundsInAltFolders = SoundsFromResources = false;
}

} // namespace Globals

namespace {

// The wildcard of a pattern such as "\*.WAV" or "/*.wav".
QString wildcardOf(const QString& pattern)
{
    QString wildcard = pattern;
    while (wildcard.startsWith(QLatin1Char('\\')) || wildcard.startsWith(QLatin1Char('/')))
        wildcard.remove(0, 1);
    return wildcard;
}

QStringList matchingEntries(const QString& folder, const QString& wildcard)
{
    QDir dir(folder);
    dir.setNameFilters({wildcard});
    dir.setFilter(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    return dir.entryList();
}

} // namespace

int CountFiles(const QString& folder, const QString& pattern)
{
    if (!QFileInfo(folder).isDir())
        return -1;
    return int(matchingEntries(folder, wildcardOf(pattern)).size());
}

bool ListWaveFiles(QStringList& list, const QString& folder, int maxCount)
{
    list.clear();
    if (!QFileInfo(folder).isDir())
        return false;
    const QStringList names = matchingEntries(folder, QStringLiteral("*.wav"));
    for (const QString& name : names) {
        if (list.size() >= maxCount)
            break;
        list.append(name);
    }
    return !list.isEmpty();
}

QString GetVersionText(const QString& key)
{
    return SystemInfo::versionText(key);
}

void SetNumLockOn()
{
    SystemInfo::setNumLockOn();
}

QString GetWindowsPlatform()
{
    return SystemInfo::platformId();
}

QString GetWindowsFolder()
{
    return SystemInfo::windowsFolder();
}

QString GetSystemFolder()
{
    return SystemInfo::systemFolder();
}

namespace {

// Sizes and fills both lists from the two folders; false unless both hold at
// least one ".wav" file.
bool fillSoundLists(const QString& rightFolder, const QString& wrongFolder)
{
    using namespace Globals;
    const int rightCount = CountFiles(rightFolder, QStringLiteral("\\*.WAV"));
    const int wrongCount = CountFiles(wrongFolder, QStringLiteral("\\*.WAV"));
    if (rightCount <= 0 || wrongCount <= 0) {
        RightSoundFiles.clear();
        WrongSoundFiles.clear();
        return false;
    }
    const bool listed = ListWaveFiles(RightSoundFiles, rightFolder, rightCount)
                        && ListWaveFiles(WrongSoundFiles, wrongFolder, wrongCount);
    if (!listed) {
        RightSoundFiles.clear();
        WrongSoundFiles.clear();
    }
    return listed;
}

} // namespace

void DiscoverSoundFolders()
{
    using namespace Globals;
    const QString program = SystemInfo::programFolder();
    const bool network = SystemInfo::isNetworkPath(program);
    const QString sounds = QStringLiteral("Sounds");
    if (!network) {
        RightSoundsFolder = SystemInfo::joinPath(SystemInfo::joinPath(program, sounds), QStringLiteral("Right"));
        WrongSoundsFolder = SystemInfo::joinPath(SystemInfo::joinPath(program, sounds), QStringLiteral("Wrong"));
    } else {
        const QString install = SystemInfo::joinPath(SystemInfo::installFolder(), sounds);
        RightSoundsFolder = SystemInfo::joinPath(install, QStringLiteral("Right"));
        WrongSoundsFolder = SystemInfo::joinPath(install, QStringLiteral("Wrong"));
    }

    SoundsInFolders = fillSoundLists(RightSoundsFolder, WrongSoundsFolder);
    SoundsInAltFolders = false;
    if (!SoundsInFolders && network) {
        AltRightSoundsFolder = SystemInfo::joinPath(SystemInfo::joinPath(program, sounds), QStringLiteral("Right"));
        AltWrongSoundsFolder = SystemInfo::joinPath(SystemInfo::joinPath(program, sounds), QStringLiteral("Wrong"));
        SoundsInAltFolders = fillSoundLists(AltRightSoundsFolder, AltWrongSoundsFolder);
    }
    SoundsFromResources = !SoundsInFolders && !SoundsInAltFolders;
}

void PlayScreenSound(const QString& name, bool synchronous)
{
    if (!Globals::PracticeSoundsOn)
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    SoundPlayer::current().playResource(name, synchronous ? SoundPlayer::Mode::Sync : SoundPlayer::Mode::Async);
    QGuiApplication::restoreOverrideCursor();
}

void PlayAnswerSound(bool right)
{
    using namespace Globals;
    if (SoundsInFolders || SoundsInAltFolders) {
        const QStringList& files = right ? RightSoundFiles : WrongSoundFiles;
        if (files.isEmpty())
            return;
        const QString& folder = SoundsInFolders ? (right ? RightSoundsFolder : WrongSoundsFolder)
                                                : (right ? AltRightSoundsFolder : AltWrongSoundsFolder);
        quint16& next = right ? NextRightSound : NextWrongSound;
        if (next >= files.size())
            next = 0;
        SoundPlayer::current().playFile(SystemInfo::joinPath(folder, files.at(next)), SoundPlayer::Mode::Async);
        next = quint16((next + 1) % files.size());
    } else if (SoundsFromResources) {
        SoundPlayer::current().playResource(right ? Sounds::Congratulations : Sounds::KeepPracticing,
                                            SoundPlayer::Mode::Async);
    }
}
