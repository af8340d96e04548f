#include "shell/ScreenSettings.h"

#include <QFileInfo>
#include <QSet>

#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "shell/Globals.h"
#include "shell/Strings.h"

namespace {

QSet<QString>& reportedThisSession()
{
    static QSet<QString> texts;
    return texts;
}

// True the first time the text is reported in this session.
bool reportedFirstTime(const QString& text)
{
    QSet<QString>& texts = reportedThisSession();
    const qsizetype before = texts.size();
    texts.insert(text);
    return texts.size() > before;
}

} // namespace

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
        reportError(parent, ini);
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
        // Every refused save says why: what the screen counted is lost.
        Dialogs::current().error(parent, ini.errorString());
        return false;
    }
    return true;
}

void reportError(QWidget* parent, const IniFile& ini)
{
    if (ini.readFailed() && !reportedFirstTime(ini.errorString()))
        return;
    Dialogs::current().error(parent, ini.errorString());
}

void newSession()
{
    reportedThisSession().clear();
}

void reportNotWritable(QWidget* parent)
{
    Dialogs::current().information(parent, QStringLiteral("Folder: ") + Globals::UserDataFolder
                                               + QStringLiteral("\r\n\r\n") + Strings::text(Strings::UnableToSave));
}

} // namespace ScreenSettings
