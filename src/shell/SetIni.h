#pragma once

#include <QString>

// Registers the folder of the help file with the help viewer: key
// "VandrelsholmSpeedMath.hlp" of section "FILES" in the viewer's
// initialisation file in the Windows folder ("WinHelp32.ini" on WINNT,
// "WinHelp.ini" on WIN9X). Other platforms have no such file; nothing is
// done there. A write error shows its text in an error box.
void RegisterHelpFolder(const QString& helpFile);
