#include "shell/SetIni.h"

#include <QFileInfo>

#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "shell/Globals.h"

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

    QString folder = QFileInfo(helpFile).path();
    // A drive root keeps its backslash; other folders lose the trailing one.
    if (folder.size() > 3 && (folder.endsWith(QLatin1Char('\\')) || folder.endsWith(QLatin1Char('/'))))
        folder.chop(1);

    IniFile ini(windows + iniName);
    const QString section = QStringLiteral("FILES");
    const QString key = QStringLiteral("VandrelsholmSpeedMath.hlp");
    if (ini.valueExists(section, key))
        ini.deleteKey(section, key);
    ini.writeString(section, key, folder);
    if (!ini.save())
        Dialogs::current().error(nullptr, ini.errorString());
}
