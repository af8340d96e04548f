#include "records/ResetScores.h"

#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "shell/Globals.h"
#include "shell/ScreenSettings.h"
#include "shell/Strings.h"

int ResetScoresIn(IniFile& ini)
{
    // Every value present becomes 0, also one that holds -1 or no number
    // at all (a damaged file), which the report would otherwise show or
    // count as it stands.
    int changed = 0;
    for (const QString& section : ini.sections()) {
        for (const QString& key : {QStringLiteral("Total"), QStringLiteral("Correct")}) {
            if (ini.valueExists(section, key) && ini.readInteger(section, key, -1) != 0) {
                ini.writeInteger(section, key, 0);
                ++changed;
            }
        }
    }
    return changed;
}

void ResetAllScores(QWidget* parent)
{
    // Writing into a folder the program was told it cannot write to would
    // surprise; refusing without a word would be worse.
    if (!Globals::UserDataWritable) {
        ScreenSettings::reportNotWritable(parent);
        return;
    }
    Dialogs& dialogs = Dialogs::current();
    if (!dialogs.confirm(parent, Strings::text(Strings::ResetAllQuestion)))
        return;
    IniFile ini(Globals::UserIniFile);
    if (ini.readFailed()) {
        dialogs.error(parent, ini.errorString());
        return;
    }
    if (ini.sections().isEmpty()) {
        dialogs.information(parent, Strings::text(Strings::ResetNothing));
        return;
    }
    if (ResetScoresIn(ini) > 0 && !ini.save()) {
        dialogs.error(parent, ini.errorString());
        return;
    }
    dialogs.information(parent, Strings::text(Strings::ResetCompleted));
}
