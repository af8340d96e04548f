#pragma once

// Walking every screen of the catalogue as a learner opens it: its menu item
// in the shown main window (the item makes the form with createScreen).

#include <QAbstractButton>
#include <QtTest>

#include "ScreenTesting.h"
#include "shell/Panel.h"
#include "shell/ScreenCatalogue.h"

// Opens the screen of a catalogue row; nullptr (with a warning) when it did
// not open.
inline ChildForm* openScreenOf(TfrmMain& main, const ScreenCatalogue::Row& row)
{
    if (!main.isVisible())
        main.show();
    return openFromMenu<ChildForm>(main, row.menuItem);
}

// PLAY or STOP of a screen, as a click would press it; false when the button
// is not there to press (a screen that only pages through its lesson).
inline bool pressVcr(ChildForm* form, const char* button)
{
    auto* b = form->findChild<QAbstractButton*>(QString::fromLatin1(button));
    if (!b || !b->isVisible() || !b->isEnabled())
        return false;
    b->click();
    return true;
}

// The option buttons of a screen in the order they were made.
inline QList<Panel*> optionButtonsOf(const QWidget* form)
{
    QList<Panel*> options;
    for (Panel* p : form->findChildren<Panel*>())
        if (p->kind() == Panel::Kind::OptionButton)
            options << p;
    return options;
}
