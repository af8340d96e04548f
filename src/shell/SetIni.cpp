#include "shell/SetIni.h"

#include <QDir>
#include <QFileInfo>

#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "shell/Globals.h"
#include "shell/Grading.h"
#include "shell/ScreenSettings.h"

namespace {

const QString GradePrefs = QStringLiteral("GradePrefs");
const QString PlaySounds = QStringLiteral("PlaySounds");

constexpr int DefaultLevel = 1;
constexpr int DefaultLower = 50;
constexpr int DefaultUpper = 74;

} // namespace

void RegisterHelpFolder(const QString& helpFile)
{
    const QString windows = GetWindowsFolder();
    if (windows.isEmpty())
        return;
    const QString platform = GetWindowsPlatform();
    QString iniName;
    if (platform == QLatin1String("WINNT"))
        iniName = QStringLiteral("WinHelp32.ini");
    else if (platform == QLatin1String("WIN9X"))
        iniName = QStringLiteral("WinHelp.ini");
    else
        return;

    // The folder without a trailing separator (a drive root keeps its own).
    const QString folder = QDir::toNativeSeparators(QFileInfo(helpFile).path());

    IniFile ini(windows + iniName);
    const QString section = QStringLiteral("FILES");
    const QString key = QStringLiteral("VandrelsholmSpeedMath.hlp");
    if (ini.valueExists(section, key))
        ini.deleteKey(section, key);
    ini.writeString(section, key, folder);
    if (!ini.save())
        Dialogs::current().error(nullptr, ini.errorString());
}

void DefaultPreferences()
{
    Globals::LowerAmber = DefaultLower;
    Globals::UpperAmber = DefaultUpper;
    Globals::UserLevel = DefaultLevel;
    Globals::CustomLowerAmber = DefaultLower;
    Globals::CustomUpperAmber = DefaultUpper;
    Globals::GreetingsOn = true;
    Globals::IdleMusicOn = true;
    Globals::PracticeSoundsOn = true;
}

void LoadPreferences(QWidget* parent)
{
    if (Globals::UserIniFile.isEmpty() || !QFileInfo::exists(Globals::UserIniFile)) {
        DefaultPreferences();
        return;
    }
    const IniFile ini(Globals::UserIniFile);
    if (ini.readFailed()) {
        ScreenSettings::reportError(parent, ini);
        DefaultPreferences();
        return;
    }
    const Grading::LevelPrefs prefs = Grading::readLevelPrefs(ini);
    Globals::CustomLowerAmber = quint8(prefs.customLowerAmber);
    Globals::CustomUpperAmber = quint8(prefs.customUpperAmber);
    Globals::UserLevel = quint8(prefs.level);
    Globals::LowerAmber = quint8(prefs.lowerAmber);
    Globals::UpperAmber = quint8(prefs.upperAmber);
    Globals::GreetingsOn = ini.readBool(PlaySounds, QStringLiteral("OpeningClosingGreetings"), true);
    Globals::IdleMusicOn = ini.readBool(PlaySounds, QStringLiteral("IdleMusic"), true);
    Globals::PracticeSoundsOn = ini.readBool(PlaySounds, QStringLiteral("PracticeSounds"), true);
}

bool SavePreferences(QWidget* parent)
{
    if (!Globals::UserDataWritable || Globals::UserIniFile.isEmpty())
        return false;
    IniFile ini(Globals::UserIniFile);
    ini.writeInteger(GradePrefs, QStringLiteral("UserLevel"), Globals::UserLevel);
    ini.writeInteger(GradePrefs, QStringLiteral("LowerAmber"), Globals::LowerAmber);
    ini.writeInteger(GradePrefs, QStringLiteral("UpperAmber"), Globals::UpperAmber);
    ini.writeInteger(GradePrefs, QStringLiteral("CustomLowerAmber"), Globals::CustomLowerAmber);
    ini.writeInteger(GradePrefs, QStringLiteral("CustomUpperAmber"), Globals::CustomUpperAmber);
    ini.writeBool(PlaySounds, QStringLiteral("OpeningClosingGreetings"), Globals::GreetingsOn);
    ini.writeBool(PlaySounds, QStringLiteral("IdleMusic"), Globals::IdleMusicOn);
    ini.writeBool(PlaySounds, QStringLiteral("PracticeSounds"), Globals::PracticeSoundsOn);
    if (!ini.save()) {
        Dialogs::current().error(parent, ini.errorString());
        return false;
    }
    return true;
}
