#include <QtTest>

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "ScreenTesting.h"
#include "TestEnvironment.h"
#include "app/Main.h"
#include "shell/DisplaySettings.h"
#include "shell/Globals.h"
#include "shell/Grading.h"
#include "shell/Hints.h"
#include "shell/Preferences.h"
#include "shell/WhatsThisMenu.h"

namespace {

// The preferences dialog opened from the menu, as a learner opens it.
struct Prefs {
    explicit Prefs(TfrmMain& main)
    {
        form = openFromMenu<TPrefsForm>(main, QStringLiteral("mnuPreferences"));
        if (!form)
            return;
        lower = form->lowerUpDown();
        upper = form->upperUpDown();
    }
    template <typename T> T* get(const char* name) const { return form->findChild<T*>(QString::fromLatin1(name)); }
    QString text(const char* name) const { return get<QLabel>(name)->text(); }
    QStringList customTexts() const
    {
        return {text("stxtCustomRed"), text("stxtCustomAmber"), text("stxtCustomGreen")};
    }
    void click(const char* name) const { QTest::mouseClick(get<QAbstractButton>(name), Qt::LeftButton); }
    static void press(UpDown* updn, bool up)
    {
        QTest::mouseClick(up ? updn->upButton() : updn->downButton(), Qt::LeftButton);
    }

    QPointer<TPrefsForm> form;
    UpDown* lower = nullptr;
    UpDown* upper = nullptr;
};

// A right click at a point of a control.
void rightClick(QWidget* control, const QPoint& pos)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, control->mapToGlobal(pos));
    QApplication::sendEvent(control, &event);
}

const QByteArray CustomFile = "[GradePrefs]\r\nUserLevel=4\r\nLowerAmber=60\r\nUpperAmber=70\r\n"
                              "CustomLowerAmber=60\r\nCustomUpperAmber=70\r\n"
                              "[PlaySounds]\r\nOpeningClosingGreetings=0\r\nIdleMusic=1\r\nPracticeSounds=1\r\n"
                              "[Addition]\r\nTotal=12\r\nCorrect=9\r\n";

} // namespace

class TestPreferences : public QObject
{
    Q_OBJECT
private slots:
    void opens_from_what_is_stored()
    {
        TestEnvironment env;
        env.signIn("Ann");
        env.writeFile("users/Ann.ini", CustomFile);
        Globals::UserLevel = 1; // what memory holds does not count
        TfrmMain main;
        main.show();
        Prefs prefs(main);
        QVERIFY(prefs.form);
        QCOMPARE(Globals::ScreenTitle, QStringLiteral("Preferences"));
        QCOMPARE(prefs.form->caption(), QStringLiteral("Preferences for Ann"));
        QVERIFY(!main.menuBar()->actions().at(0)->isEnabled());
        QVERIFY(prefs.get<QRadioButton>("rdoCustom")->isChecked());
        QVERIFY(prefs.lower->isEnabled() && prefs.upper->isEnabled());
        QCOMPARE(prefs.customTexts(), QStringList({"0 - 59", "60 - 70", "71 - 100"}));
        QCOMPARE(prefs.form->workLower(), 60);
        QCOMPARE(prefs.form->workUpper(), 70);
        QVERIFY(!prefs.get<QCheckBox>("chkOpenCloseGreeting")->isChecked());
        QVERIFY(prefs.get<QCheckBox>("chkPracticeSound")->isChecked());
        QVERIFY(prefs.get<QCheckBox>("chkIdleSound")->isChecked());
        QCOMPARE(Globals::UserLevel, quint8(4));
        // Fixed captions and hints.
        QCOMPARE(prefs.text("stxtAmberIntermediate"), QStringLiteral("65 - 84"));
        QCOMPARE(prefs.text("stxtGreenAdvanced"), QStringLiteral("95 - 100"));
        QCOMPARE(prefs.get<QGroupBox>("grpGrading")->title(), QStringLiteral(" Grading "));
        QCOMPARE(Hints::hint(prefs.get<QWidget>("pnlAmberLight")), QStringLiteral("Amber Light"));
        QCOMPARE(Hints::hint(prefs.get<QWidget>("BitBtnCancel")), QStringLiteral("Go back to previous settings."));
        QCOMPARE(Hints::hint(prefs.get<QWidget>("btnSetColorScheme")), QStringLiteral("Changes color scheme of your desktop."));
    }

    void a_fixed_level_disables_the_up_downs_but_shows_the_custom_bounds()
    {
        TestEnvironment env;
        env.signIn("Ann");
        env.writeFile("users/Ann.ini", "[GradePrefs]\r\nUserLevel=1\r\nCustomLowerAmber=60\r\nCustomUpperAmber=70\r\n");
        TfrmMain main;
        main.show();
        Prefs prefs(main);
        QVERIFY(prefs.get<QRadioButton>("rdoBeginner")->isChecked());
        QVERIFY(!prefs.lower->isEnabled() && !prefs.upper->isEnabled());
        QCOMPARE(prefs.customTexts(), QStringList({"0 - 59", "60 - 70", "71 - 100"}));
        QCOMPARE(prefs.form->workLower(), 50);

        prefs.click("rdoAdvanced");
        QCOMPARE(prefs.form->workLower(), 80);
        QCOMPARE(prefs.form->workUpper(), 94);
        prefs.click("rdoCustom");
        QVERIFY(prefs.lower->isEnabled() && prefs.upper->isEnabled());
        QCOMPARE(prefs.form->workLower(), 60);
        QCOMPARE(prefs.form->workUpper(), 70);
        prefs.click("rdoIntermediate");
        QVERIFY(!prefs.lower->isEnabled());
        QCOMPARE(prefs.form->workLower(), 65);
        QCOMPARE(prefs.form->workUpper(), 84);
    }

    void the_up_downs_push_each_other()
    {
        TestEnvironment env;
        env.signIn("Ann");
        env.writeFile("users/Ann.ini", "[GradePrefs]\r\nUserLevel=4\r\nLowerAmber=73\r\nUpperAmber=74\r\n"
                                       "CustomLowerAmber=73\r\nCustomUpperAmber=74\r\n");
        TfrmMain main;
        main.show();
        Prefs prefs(main);
        QCOMPARE(prefs.customTexts(), QStringList({"0 - 72", "73 - 74", "75 - 100"}));
        Prefs::press(prefs.lower, true); // raising the lower bound onto the upper one
        QCOMPARE(prefs.lower->position(), 74);
        QCOMPARE(prefs.upper->position(), 75);
        QCOMPARE(prefs.customTexts(), QStringList({"0 - 73", "74 - 75", "76 - 100"}));
        Prefs::press(prefs.upper, false); // lowering the upper bound onto the lower one
        QCOMPARE(prefs.upper->position(), 74);
        QCOMPARE(prefs.lower->position(), 73);
        QCOMPARE(prefs.form->workLower(), 73);
        QCOMPARE(prefs.form->workUpper(), 74);

        // All the way up and all the way down: amber always spans two values.
        const auto pressOften = [&prefs](UpDown* updn, bool up) {
            for (int i = 0; i < 120; ++i) {
                Prefs::press(updn, up);
                if (prefs.lower->position() >= prefs.upper->position())
                    return false;
            }
            return true;
        };
        QVERIFY(pressOften(prefs.lower, true));
        QCOMPARE(prefs.customTexts(), QStringList({"0 - 96", "97 - 98", "99 - 100"}));
        QVERIFY(pressOften(prefs.upper, false));
        QCOMPARE(prefs.customTexts(), QStringList({"0 - 1", "2 - 3", "4 - 100"}));
        QCOMPARE(prefs.form->workLower(), 2);
        QCOMPARE(prefs.form->workUpper(), 3);
    }

    void stored_custom_bounds_are_kept_inside_their_ranges()
    {
        TestEnvironment env;
        env.signIn("Ann");
        env.writeFile("users/Ann.ini", "[GradePrefs]\r\nUserLevel=4\r\nCustomLowerAmber=100\r\nCustomUpperAmber=0\r\n");
        TfrmMain main;
        main.show();
        Prefs prefs(main);
        QCOMPARE(prefs.lower->position(), 97);
        QCOMPARE(prefs.upper->position(), 98);
        QCOMPARE(prefs.form->workLower(), 97);
        QCOMPARE(prefs.form->workUpper(), 98);
    }

    void intermediate_and_ok_stores_the_level_bounds()
    {
        TestEnvironment env;
        env.signIn("Ann");
        env.writeFile("users/Ann.ini", CustomFile);
        TfrmMain main;
        main.show();
        Prefs prefs(main);
        Prefs::press(prefs.lower, false); // custom 59..70
        prefs.click("rdoIntermediate");
        prefs.click("chkOpenCloseGreeting");
        prefs.click("chkIdleSound");
        prefs.click("BitBtnOK");
        QTRY_VERIFY(prefs.form.isNull());
        QCOMPARE(env.readFile("users/Ann.ini"),
                 QByteArray("[GradePrefs]\r\nUserLevel=2\r\nLowerAmber=65\r\nUpperAmber=84\r\n"
                            "CustomLowerAmber=59\r\nCustomUpperAmber=70\r\n"
                            "[PlaySounds]\r\nOpeningClosingGreetings=1\r\nIdleMusic=0\r\nPracticeSounds=1\r\n"
                            "[Addition]\r\nTotal=12\r\nCorrect=9\r\n"));
        QCOMPARE(Globals::UserLevel, quint8(2));
        QCOMPARE(Globals::LowerAmber, quint8(65));
        QCOMPARE(Globals::UpperAmber, quint8(84));
        QCOMPARE(Globals::CustomLowerAmber, quint8(59));
        QVERIFY(Globals::GreetingsOn);
        QVERIFY(!Globals::IdleMusicOn);
        QVERIFY(main.menuBar()->actions().at(0)->isEnabled());
        // The screens grade with the new bounds: 74 per cent is amber for Intermediate.
        QCOMPARE(Grading::grade(37, 50, Globals::LowerAmber, Globals::UpperAmber), Grading::Grade::Amber);
        QCOMPARE(Grading::grade(32, 50, Globals::LowerAmber, Globals::UpperAmber), Grading::Grade::Red);
    }

    void cancel_and_the_close_box_change_nothing()
    {
        TestEnvironment env;
        env.signIn("Ann");
        env.writeFile("users/Ann.ini", CustomFile);
        TfrmMain main;
        main.show();
        const auto preferences = [] {
            return QList<int>{Globals::UserLevel, Globals::LowerAmber, Globals::UpperAmber,
                              Globals::CustomLowerAmber, Globals::CustomUpperAmber, Globals::GreetingsOn,
                              Globals::IdleMusicOn, Globals::PracticeSoundsOn};
        };
        for (const char* way : {"BitBtnCancel", "closeBox"}) {
            Prefs prefs(main);
            const QList<int> before = preferences();
            prefs.click("rdoAdvanced");
            prefs.click("chkPracticeSound");
            prefs.click("rdoCustom");
            Prefs::press(prefs.upper, true);
            if (QByteArray(way) == "closeBox")
                QVERIFY(prefs.form->closeForm());
            else
                prefs.click(way);
            QTRY_VERIFY(prefs.form.isNull());
            QCOMPARE(preferences(), before);
            QCOMPARE(env.readFile("users/Ann.ini"), CustomFile);
        }
    }

    void ok_without_a_writable_folder_changes_nothing()
    {
        TestEnvironment env;
        env.signIn("Ann");
        Globals::UserDataWritable = false;
        TfrmMain main;
        main.show();
        Prefs prefs(main);
        prefs.click("rdoAdvanced");
        prefs.click("chkPracticeSound");
        prefs.click("BitBtnOK");
        QTRY_VERIFY(prefs.form.isNull());
        QCOMPARE(Globals::UserLevel, quint8(1));
        QCOMPARE(Globals::LowerAmber, quint8(50));
        QVERIFY(Globals::PracticeSoundsOn);
        QVERIFY(QDir(env.path("users")).isEmpty());
        QVERIFY(env.dialogs.boxes.isEmpty());
    }

    void a_learner_file_that_cannot_be_saved_shows_its_error()
    {
        TestEnvironment env;
        env.signIn("Ann");
        TfrmMain main;
        main.show();
        Prefs prefs(main);
        QDir().mkpath(env.path("users/Ann.ini")); // a folder in the way
        prefs.click("BitBtnOK");
        QTRY_VERIFY(prefs.form.isNull());
        QCOMPARE(env.dialogs.count("error"), 1);
        QVERIFY(env.dialogs.texts("error").constFirst().contains("Ann.ini"));
    }

    void whats_this_inside_the_grading_box()
    {
        TestEnvironment env;
        env.signIn("Ann");
        TfrmMain main;
        main.show();
        Prefs prefs(main);
        auto* menu = prefs.form->findChild<WhatsThisMenu*>("popupWhatsThis");
        auto* custom = prefs.get<QWidget>("rdoCustom");
        rightClick(custom, QPoint(3, 3));
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(menu->popupComponent(), custom);
        menu->hide();
        menu->whatsThisAction()->trigger();
        QCOMPARE(env.help.requests.size(), 1);
        QCOMPARE(env.help.requests.constFirst().command, unsigned(Help::HELP_CONTEXTPOPUP));
        QCOMPARE(env.help.requests.constFirst().data.toInt(), 90160);

        // The lamp inside its panel gives the panel's context.
        auto* lamp = prefs.get<QWidget>("pnlGreenLight");
        rightClick(lamp, QPoint(15, 15));
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(menu->popupComponent(), lamp);
        menu->hide();

        // Where no control lies, nothing opens.
        auto* group = prefs.get<QGroupBox>("grpGrading");
        const QPoint empty(group->width() - 3, group->height() - 3);
        QVERIFY(!group->childAt(empty));
        rightClick(group, empty);
        QTest::qWait(20);
        QVERIFY(!menu->isVisible());
    }

    void set_scheme_starts_the_desktop_settings()
    {
        TestEnvironment env;
        env.signIn("Ann");
        QStringList started;
        QSet<QString> installed = {"lxappearance", "xfce4-appearance-settings"};
        bool startWorks = true;
        DisplaySettings::setFinder([&](const QString& program) {
            return installed.contains(program) ? "/usr/bin/" + program : QString();
        });
        DisplaySettings::setStarter([&](const QString& program, const QStringList& arguments) {
            started.append((QStringList{program} + arguments).join(' '));
            return startWorks;
        });
        TfrmMain main;
        main.show();
        Prefs prefs(main);
        prefs.click("btnSetColorScheme");
        QCOMPARE(started.size(), 1);
        QVERIFY(started.constFirst() == "/usr/bin/xfce4-appearance-settings"
                || started.constFirst() == "/usr/bin/lxappearance");
        QVERIFY(env.dialogs.boxes.isEmpty());
        QVERIFY(prefs.form); // the dialog stays open

        // A program that does not start: the next one is tried, then the message.
        started.clear();
        startWorks = false;
        prefs.click("btnSetColorScheme");
        QCOMPARE(started.size(), 2);
        QCOMPARE(env.dialogs.texts("error"), QStringList({"System Error: Cannot open Control Panel!"}));

        // None installed.
        env.dialogs.clear();
        started.clear();
        installed.clear();
        prefs.click("btnSetColorScheme");
        QVERIFY(started.isEmpty());
        QCOMPARE(env.dialogs.texts("error"), QStringList({"System Error: Cannot open Control Panel!"}));

        DisplaySettings::setFinder(nullptr);
        DisplaySettings::setStarter(nullptr);
    }

    void scheme_programs_and_platforms()
    {
        TestEnvironment env;
        QCOMPARE(DisplaySettings::candidates("ubuntu:GNOME").constFirst().program, QStringLiteral("gnome-control-center"));
        QCOMPARE(DisplaySettings::candidates("XFCE").constFirst().program, QStringLiteral("xfce4-appearance-settings"));
        QCOMPARE(DisplaySettings::candidates("kde").constFirst().program, QStringLiteral("systemsettings"));
        const QList<DisplaySettings::Command> none = DisplaySettings::candidates(QString());
        const QList<DisplaySettings::Command> mate = DisplaySettings::candidates("MATE");
        QCOMPARE(mate.size(), none.size());
        QCOMPARE(mate.constFirst().program, QStringLiteral("mate-appearance-properties"));

        QStringList started;
        DisplaySettings::setFinder([](const QString& program) { return "/bin/" + program; });
        DisplaySettings::setStarter([&](const QString& program, const QStringList&) {
            started.append(program);
            return true;
        });
        QVERIFY(!DisplaySettings::open(nullptr, QString()));
        QCOMPARE(env.dialogs.texts("error"),
                 QStringList({"Error: Couldn't detect Windows version! Sorry, cannot set the scheme."}));
        env.dialogs.clear();
        // Windows asked for where there is no Windows folder.
        QCOMPARE(DisplaySettings::open(nullptr, "WINNT"), !GetSystemFolder().isEmpty());
        if (GetSystemFolder().isEmpty())
            QCOMPARE(env.dialogs.texts("error"), QStringList({"System Error: Cannot open Control Panel!"}));
        else
            QCOMPARE(started.constLast(), GetSystemFolder() + "rundll32.exe");
        DisplaySettings::setFinder(nullptr);
        DisplaySettings::setStarter(nullptr);
    }
};

QTEST_MAIN(TestPreferences)
#include "tst_Preferences.moc"
