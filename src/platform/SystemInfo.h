#pragma once

#include <QString>

// Facts about the machine and the program's place on it.
namespace SystemInfo {

// Folder of the program file, with a trailing separator. When the program is
// installed under a prefix (".../bin/"), the data folder
// ".../share/vandrelsholm-speed-math/" stands in for it, so that "Help" and
// "Sounds" are found there.
QString programFolder();
// The installation folder, without trailing separator: on Windows
// "C:\Program Files\Vandrelsholm Speed Math", elsewhere the user's data folder
// + "/Vandrelsholm Speed Math".
QString installFolder();
// A path is a network path when it begins with two separators ("\\" or "//").
bool isNetworkPath(const QString& path);
// The platform's separator ("\" on Windows, "/" elsewhere).
QString separator();
// Joins a folder and a name with the platform's separator (no doubling).
QString joinPath(const QString& folder, const QString& name);

// "WINNT" or "WIN9X" on Windows (GetWindowsPlatform), otherwise a short name
// of the platform ("LINUX", "MACOS", ...); never empty on a known platform.
QString platformId();
// The Windows folder with a trailing backslash; empty elsewhere.
QString windowsFolder();
// The Windows system folder with a trailing backslash; empty elsewhere.
QString systemFolder();

// "major.minor.release" of the program for the key "VersionNo"; empty for
// any other key.
QString versionText(const QString& key);

// Switches NumLock on where the windowing system allows it (X11); does
// nothing elsewhere.
void setNumLockOn();
// How many times NumLock was asked on during the run (tests count them).
int numLockRequests();

// Test seams: replace the folders above (an empty text restores the real one).
void setProgramFolderForTests(const QString& folder);
void setInstallFolderForTests(const QString& folder);

} // namespace SystemInfo
