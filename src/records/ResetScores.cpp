#include "records/ResetScores.h"

#include <QApplication>

#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "shell/Globals.h"
#include "shell/ScreenSettings.h"
#include "shell/Strings.h"

int ResetScoresIn(IniFile& ini)
{
    // Every value present becomes 0, also one that holds -1 or no number
    // at all (a damaged file), which the report would otherwise show or
    // count as it stands; one pass, however many sections the file has.
    return ini.writeIntegerEverywhere({QStringLiteral("Total"), QStringLiteral("Correct")}, 0);
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
    // Reading and saving a file at the size limit takes a moment.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    IniFile ini(Globals::UserIniFile);
    const int changed = ini.readFailed() || !ini.hasSections() ? 0 : ResetScoresIn(ini);
    const bool saved = changed == 0 || ini.save();
    QApplication::restoreOverrideCursor();
    if (ini.readFailed()) {
        dialogs.error(parent, ini.errorString());
        return;
    }
    if (!ini.hasSections()) {
        dialogs.information(parent, Strings::text(Strings::ResetNothing));
        return;
    }
    if (!saved) {
        dialogs.error(parent, ini.errorString());
        return;
    }
    dialogs.information(parent, Strings::text(Strings::ResetCompleted));
}
