#include "shell/ScreenSettings.h"

#include <QFileInfo>

#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "shell/Globals.h"
#include "shell/Strings.h"

namespace ScreenSettings {

bool learnerFileExists()
{
    return !Globals::UserIniFile.isEmpty() && QFileInfo(Globals::UserIniFile).isFile();
}

bool load(QWidget* parent, const std::function<void(const IniFile&)>& read)
{
    if (!learnerFileExists())
        return false;
    const IniFile ini(Globals::UserIniFile);
    if (ini.readFailed()) {
        Dialogs::current().error(parent, ini.errorString());
        return false;
    }
    read(ini);
    return true;
}

bool save(QWidget* parent, const std::function<void(IniFile&)>& write)
{
    if (!Globals::UserDataWritable || Globals::UserIniFile.isEmpty()) {
        reportNotWritable(parent);
        return false;
    }
    IniFile ini(Globals::UserIniFile);
    write(ini);
    if (!ini.save()) {
        Dialogs::current().error(parent, ini.errorString());
        return false;
    }
    return true;
}

void reportNotWritable(QWidget* parent)
{
    Dialogs::current().information(parent, QStringLiteral("Folder: ") + Globals::UserDataFolder
                                               + QStringLiteral("\r\n\r\n") + Strings::text(Strings::UnableToSave));
}

} // namespace ScreenSettings
