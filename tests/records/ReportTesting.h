#pragma once

// Helpers shared by the tests of the report windows.

#include <QAbstractButton>
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>
#include <QTextEdit>

#include "ScreenTesting.h"
#include "TestEnvironment.h"
#include "app/Main.h"
#include "shell/ChildForm.h"

namespace ReportTesting {

// A learner file with counts in some screens, options and best times that
// must survive everything, and the two preference sections.
inline QByteArray learnerFile()
{
    return QByteArrayLiteral(
        "[GradePrefs]\r\nUserLevel=1\r\nLowerAmber=50\r\nUpperAmber=74\r\n"
        "[Addition]\r\nOption=2\r\nTotal=50\r\nCorrect=37\r\nAnswerPosition=12\r\nQuestionPosition=3\r\n"
        "[OddEven]\r\nTotal=3\r\nCorrect=1\r\n"
        "[Keyboard]\r\nTotal=0\r\nCorrect=0\r\n"
        "[SpeedAddition]\r\nOption=1\r\nTime1=0.000150462962962963\r\nTotal=10\r\nCorrect=9\r\n"
        "[Multiply2Finger]\r\nOption=3\r\nTotal=40\r\nCorrect=12\r\nTime25=0.0002\r\n"
        "[PlaySounds]\r\nOpeningClosingGreetings=1\r\nIdleMusic=0\r\nPracticeSounds=1\r\n");
}

// A learner signed in ("<temp>/users/<name>.ini", with learnerFile() when
// asked) and the main window.
struct Session {
    explicit Session(const QString& name, bool withFile = false)
    {
        env.signIn(name);
        if (withFile)
            env.writeFile(QStringLiteral("users/") + name + QStringLiteral(".ini"), learnerFile());
    }
    TestEnvironment env;
    TfrmMain main;
};

// The top-level menus that open screens are enabled.
inline bool menusEnabled(const TfrmMain& main)
{
    for (int i = 0; i < 4; ++i) {
        if (!main.topMenu(i)->menuAction()->isEnabled())
            return false;
    }
    return main.menuItem(QStringLiteral("mnuAboutVandrelsholmSpeedMath"))->isEnabled();
}

inline bool menusDisabled(const TfrmMain& main)
{
    for (int i = 0; i < 5; ++i) {
        if (main.topMenu(i)->menuAction()->isEnabled())
            return false;
    }
    return !main.menuItem(QStringLiteral("mnuAboutVandrelsholmSpeedMath"))->isEnabled()
           && main.topMenu(5)->menuAction()->isEnabled();
}

inline QTextEdit* box(QWidget* form)
{
    return form->findChild<QTextEdit*>(QStringLiteral("rtfScores"));
}

// Clicks a button of a window by its name.
inline void click(QWidget* form, const char* name)
{
    auto* button = form->findChild<QAbstractButton*>(QString::fromLatin1(name));
    QVERIFY2(button, name);
    button->click();
}

// Presses and lets go of Esc in the rich-text box, as a learner does.
inline void pressEscape(QWidget* form)
{
    QWidget* target = box(form);
    QTest::keyPress(target, Qt::Key_Escape);
    QTest::keyRelease(target, Qt::Key_Escape);
}

} // namespace ReportTesting
