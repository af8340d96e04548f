#pragma once

// Opening a screen as the learner does: through its menu item in a shown main
// window, with a learner signed in. Every window test opens its screen this
// way.

#include <QAction>
#include <QtTest>

#include "TestEnvironment.h"
#include "app/Main.h"
#include "shell/ChildForm.h"

// The one open child window as Form (nullptr when none, several, or one of
// another class is open).
template <typename Form>
Form* onlyChild(const TfrmMain& main)
{
    const QList<ChildForm*> forms = main.childForms();
    return forms.size() == 1 ? qobject_cast<Form*>(forms.constFirst()) : nullptr;
}

// Triggers the menu item (by component name, e.g. "mnuSpeedAddition") and
// returns the one open child window as Form.
template <typename Form>
Form* openFromMenu(TfrmMain& main, const QString& menuItem)
{
    QAction* item = main.menuItem(menuItem);
    if (!item) {
        qWarning("no menu item %s", qPrintable(menuItem));
        return nullptr;
    }
    item->trigger();
    return onlyChild<Form>(main);
}

// Signs in through the sign-in dialog ("Switch User..."), typing the name
// and pressing OK as a learner does; true once the dialog has closed.
bool signInAs(TfrmMain& main, const QString& name);

// A learner "Ann" signed in (with her file written first when one is given),
// the main window shown and the screen opened from its menu item. The
// recorders start empty once the screen is open.
template <typename Form>
struct OpenedScreen {
    TestEnvironment env;
    TfrmMain main;
    Form* form = nullptr;

    explicit OpenedScreen(const QString& menuItem, const QByteArray& learnerFile = QByteArray())
    {
        env.signIn(QStringLiteral("Ann"));
        if (!learnerFile.isNull())
            env.writeFile(QStringLiteral("users/Ann.ini"), learnerFile);
        main.show();
        form = openFromMenu<Form>(main, menuItem);
        env.dialogs.clear();
        env.sounds.clear();
        env.help.clear();
    }
    // The learner's file as it stands on disk.
    QByteArray learnerFile() const { return env.readFile(QStringLiteral("users/Ann.ini")); }
};
