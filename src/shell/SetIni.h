#pragma once

#include <QString>

class QWidget;

// Registers the folder of the help file with the help viewer: key
// "VandrelsholmSpeedMath.hlp" of section "FILES" in the viewer's
// initialisation file in the Windows folder ("WinHelp32.ini" on WINNT,
// "WinHelp.ini" on WIN9X). Other platforms have no such file; nothing is
// done there. A write error shows its text in an error box.
void RegisterHelpFolder(const QString& helpFile);

// ---- the learner's preferences ----------------------------------------------
//
// Section "GradePrefs": UserLevel (1 Beginner .. 4 Custom), LowerAmber,
// UpperAmber, CustomLowerAmber, CustomUpperAmber; section "PlaySounds":
// OpeningClosingGreetings, IdleMusic, PracticeSounds (flags).

// Beginner, bounds 50 and 74 (also the custom ones), all sounds on.
void DefaultPreferences();

// Reads the preferences from Globals::UserIniFile into the shared variables;
// the defaults when the learner has no file. A key missing, not a number or
// out of its range (level 1..4, percentages 0..100) reads as its default, so
// a hand-edited file never puts nonsense into the grading bounds. A file that
// exists but cannot be read shows its error and gives the defaults.
void LoadPreferences(QWidget* parent = nullptr);

// Writes the eight keys when the user data folder is writable and saves the
// file at once; a failure shows the failure's own text in an error box.
// When not writable nothing happens and nothing is reported. True when the
// file was written.
bool SavePreferences(QWidget* parent = nullptr);
