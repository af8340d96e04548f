#pragma once

#include <QString>
#include <QStringList>

#include "shell/TextHelpers.h"

// The variables the whole program shares, each with one writer (see the
// comments), and the helpers that go with them. Texts start empty, flags
// false, numbers 0, lists empty.
namespace Globals {

// Set by PLAY and cleared by STOP of the Basics and Practice screens; while it
// is set no window can be closed.
extern bool Practising;
// Title of the screen being opened, set by the main window's menu commands
// (at most 50 characters; use setScreenTitle).
extern QString ScreenTitle;
inline constexpr int ScreenTitleLimit = 50;
void setScreenTitle(const QString& title);

// Where the learners' files live (no trailing separator); set by the sign-in
// dialog.
extern QString UsersFolder;
extern QString UserDataFolder;
extern QString UserName;
extern QString UserIniFile;
extern bool UserDataWritable;
extern bool SharedInstall;

// Preferences of the signed-in learner.
extern quint8 UserLevel;
extern quint8 LowerAmber;
extern quint8 UpperAmber;
extern quint8 CustomLowerAmber;
extern quint8 CustomUpperAmber;
extern bool GreetingsOn;
extern bool IdleMusicOn;
extern bool PracticeSoundsOn;

// The custom question of the custom-question dialog (at most 10 characters each).
extern QString CustomQuestion;
extern QString CustomOperator;
inline constexpr int CustomTextLimit = 10;

// Right/wrong answer sounds, found by the main window at start-up.
extern QString RightSoundsFolder;
extern QString WrongSoundsFolder;
extern QString AltRightSoundsFolder;
extern QString AltWrongSoundsFolder;
extern QStringList RightSoundFiles;
extern QStringList WrongSoundFiles;
extern quint16 NextRightSound;
extern quint16 NextWrongSound;
extern bool SoundsInFolders;
extern bool SoundsInAltFolders;
extern bool SoundsFromResources;

// Puts every variable back to its start value (tests, and a clean start).
void resetAll();

} // namespace Globals

// ---- system helpers --------------------------------------------------------

// Number of directory entries of folder matching folder + pattern (pattern
// begins with a separator, e.g. "\*.WAV"; letter case is ignored);
// -1 when the folder does not exist.
int CountFiles(const QString& folder, const QString& pattern);
// Fills list with the names of the ".wav" files of folder, in name order; at
// most maxCount names (the number CountFiles gave). True when at least one
// was found; false when the folder is missing or has none.
bool ListWaveFiles(QStringList& list, const QString& folder, int maxCount);
// "major.minor.release" of the program for the key "VersionNo".
QString GetVersionText(const QString& key);
// Switches NumLock on so that the numeric keypad types digits.
void SetNumLockOn();
// Platform of the machine ("WINNT", "WIN9X" on Windows; see SystemInfo).
QString GetWindowsPlatform();
QString GetWindowsFolder();
QString GetSystemFolder();

// ---- sounds ----------------------------------------------------------------

// The built-in recordings.
namespace Sounds {
inline const QString BestTime = QStringLiteral("BestTime");
inline const QString Congratulations = QStringLiteral("Congratulations");
inline const QString ExitBasics = QStringLiteral("ExitBasics");
inline const QString ExitPractice = QStringLiteral("ExitPractice");
inline const QString Help = QStringLiteral("Help");
inline const QString Intro = QStringLiteral("Intro");
inline const QString KeepPracticing = QStringLiteral("KeepPracticing");
inline const QString MainScreen = QStringLiteral("MainScreen");
inline const QString Play = QStringLiteral("Play");
inline const QString ReadySetGo = QStringLiteral("ReadySetGo");
inline const QString ReDo = QStringLiteral("ReDo");
inline const QString SeeYaLater = QStringLiteral("SeeYaLater");
inline const QString Stop = QStringLiteral("Stop");
} // namespace Sounds

// A sound of a Basics or Practice screen: played only while PracticeSoundsOn,
// with the hourglass cursor while it starts (or, synchronously, plays).
void PlayScreenSound(const QString& name, bool synchronous = false);

// Finds the right/wrong sound folders beside the program (or, for a program
// on a network path, in the installation folder first) and sets the sound
// variables of Globals; exactly one of SoundsInFolders, SoundsInAltFolders and
// SoundsFromResources is true afterwards.
void DiscoverSoundFolders();
// Plays the next right or wrong answer sound, in turn through the files of
// the sound folders, or the built-in "Congratulations"/"KeepPracticing".
void PlayAnswerSound(bool right);
