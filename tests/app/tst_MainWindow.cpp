#include <QtTest>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

#include "ScreenTesting.h"
#include "TestEnvironment.h"
#include "app/Main.h"
#include "platform/SystemInfo.h"
#include "shell/ChildForm.h"
#include "shell/Globals.h"
#include "shell/StatusBar.h"

namespace {

// The menu as text: items joined by ", ", separator groups by " | ",
// sub-menus in brackets.
QString describe(const QMenu* menu)
{
    QStringList groups;
    QStringList group;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            groups.append(group.join(QStringLiteral(", ")));
            group.clear();
        } else if (action->menu()) {
            group.append(action->text() + QStringLiteral(" (") + describe(action->menu()) + QLatin1Char(')'));
        } else {
            group.append(action->text());
        }
    }
    groups.append(group.join(QStringLiteral(", ")));
    return groups.join(QStringLiteral(" | "));
}

class PlainChild : public ChildForm
{
public:
    PlainChild()
    {
        setObjectName(QStringLiteral("PlainChild"));
        setClientSize(300, 200);
    }
    int closes = 0;

protected:
    void formClose() override { ++closes; }
};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void menu_captions_and_groups()
    {
        TestEnvironment env;
        TfrmMain main;
        QCOMPARE(main.windowTitle(), QStringLiteral("Vandrelsholm Speed Math"));
        const QList<QAction*> top = main.menuBar()->actions();
        QCOMPARE(top.size(), 6);
        QCOMPARE(describe(top[0]->menu()), QStringLiteral("Open Report... | Back Up Learner Data..., Restore Learner Data... | "
                                                          "Print &Worksheets..., Printer Setup... | Exit"));
        QCOMPARE(describe(top[1]->menu()),
                 QStringLiteral("Addition..., Subtraction... | Doubling..., Halving..., Odds && Evens... | "
                                "Multiplication..., Division... | Units && Tens..., Number && Tens... | Keyboard Skills..."));
        QCOMPARE(describe(top[2]->menu()),
                 QStringLiteral("Speed &Addition... | Speed &Multiplication (Rules for Multiplication..., Basic... | "
                                "Direct Method..., Two-finger Method...) | S&quare (5?  && ?5..., 2-Digit... | 3-Digit...) | "
                                "Speed Di&vision... | Square &Root..."));
        QCOMPARE(describe(top[3]->menu()), QStringLiteral("Switch User... | Performance Report..., Reset Scores... | Preferences..."));
        QCOMPARE(top[4]->objectName(), QStringLiteral("mnuRecords"));
        QCOMPARE(top[4]->text(), QStringLiteral("&Records"));
        QCOMPARE(describe(top[4]->menu()), QStringLiteral("Progress..., Class Overview..."));
        QCOMPARE(describe(top[5]->menu()),
                 QStringLiteral("Help Topics | Getting Started, Learning Plan, Getting Screen Help, How To... | "
                                "The Vandrelsholm Story | About..."));
        for (int i = 0; i < 5; ++i)
            QCOMPARE(top[i]->property("vsmHint").toString(), QStringLiteral("|To open the menu, first CLOSE this screen."));
        QVERIFY(top[5]->property("vsmHint").toString().isEmpty());
        for (const char* name : {"mnuAddition", "mnuMultiplyBasic", "mnu5__5", "mnuSquareRoot", "mnuAbout", "mnuProgress",
                                 "mnuClassOverview", "mnuBackUpLearnerData", "mnuRestoreLearnerData",
                                 "mnuPreferences", "mnuHelpVandrelsholmStory", "mnuAboutVandrelsholmSpeedMath"})
            QVERIFY2(main.menuItem(QString::fromLatin1(name)), name);
    }

    void disable_and_enable_menus_with_idle_music()
    {
        TestEnvironment env;
        TfrmMain main;
        Globals::IdleMusicOn = true;
        main.DisableMenuItemsAll();
        const QList<QAction*> top = main.menuBar()->actions();
        for (int i = 0; i < 5; ++i)
            QVERIFY(!top[i]->isEnabled());
        QVERIFY(top[5]->isEnabled());
        QVERIFY(!main.menuItem("mnuAboutVandrelsholmSpeedMath")->isEnabled());
        QVERIFY(main.menuItem("mnuHelpTopics")->isEnabled());
        QVERIFY(main.menuItem("mnuHelpVandrelsholmStory")->isEnabled());
        QCOMPARE(env.sounds.calls, QStringList({"stop"}));

        main.EnableMenuItemsAll();
        for (QAction* action : top)
            QVERIFY(action->isEnabled());
        QVERIFY(main.menuItem("mnuAboutVandrelsholmSpeedMath")->isEnabled());
        QCOMPARE(env.sounds.calls, QStringList({"stop", "resource MAINSCREEN loop"}));

        // Without idle music no sound is touched.
        env.sounds.clear();
        Globals::IdleMusicOn = false;
        main.DisableMenuItemsAll();
        main.EnableMenuItemsAll();
        QVERIFY(env.sounds.calls.isEmpty());
    }

    // While a screen is open the greyed menu titles still say why: with the
    // mouse over one, or with its Alt key, the screen's status bar shows it.
    void greyed_menus_tell_the_learner_to_close_the_screen()
    {
        TestEnvironment env;
        env.signIn(QStringLiteral("Ann"));
        TfrmMain main;
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        auto* screen = openFromMenu<ChildForm>(main, QStringLiteral("mnuSpeedAddition"));
        QVERIFY(screen);
        auto* status = screen->findChild<StatusBar*>(QStringLiteral("stbrScreen"));
        const QString hint = QStringLiteral("To open the menu, first CLOSE this screen.");
        QVERIFY(status->simpleText() != hint);

        QTest::keyClick(screen, Qt::Key_B, Qt::AltModifier); // Basics
        QCOMPARE(status->simpleText(), hint);

        status->setSimpleText(QString());
        QMenuBar* bar = main.menuBar();
        QAction* practice = main.menuItem(QStringLiteral("mnuPractice"));
        QVERIFY(!practice->isEnabled());
        QTest::mouseMove(bar, bar->actionGeometry(practice).center());
        QCOMPARE(status->simpleText(), hint);
    }

    void a_child_window_closes_once_and_gives_the_menus_back()
    {
        TestEnvironment env;
        TfrmMain main;
        main.show();
        main.DisableMenuItemsAll();
        auto* child = new PlainChild;
        main.showChild(child);
        QCOMPARE(main.childForms().size(), 1);

        Globals::Practising = true;
        QVERIFY(!child->closeForm());
        QCOMPARE(env.dialogs.count("beep"), 1);
        QCOMPARE(env.dialogs.texts("information"), QStringList({"Unable to close while practising! Press STOP first."}));
        QCOMPARE(child->closes, 0);
        QVERIFY(!main.menuBar()->actions()[0]->isEnabled());

        Globals::Practising = false;
        QPointer<PlainChild> watch(child);
        QVERIFY(child->closeForm());
        QVERIFY(main.menuBar()->actions()[0]->isEnabled());
        QTRY_VERIFY(watch.isNull()); // freed with its frame
        QVERIFY(main.childForms().isEmpty());
    }

    void closing_the_main_window()
    {
        TestEnvironment env;
        TfrmMain main;
        main.show();
        Globals::Practising = true;
        QVERIFY(!main.close());
        QCOMPARE(env.dialogs.count("beep"), 1);
        QCOMPARE(env.dialogs.texts("information"), QStringList({"Unable to close while practising! Press STOP first."}));
        QVERIFY(env.help.requests.isEmpty());

        Globals::Practising = false;
        Globals::GreetingsOn = true;
        auto* child = new PlainChild;
        main.showChild(child);
        QVERIFY(main.close());
        QCOMPARE(child->closes, 1);
        QCOMPARE(env.help.requests.size(), 1);
        QCOMPARE(env.help.requests[0].command, unsigned(Help::HELP_QUIT));
        QCOMPARE(env.sounds.calls.constLast(), QStringLiteral("resource SEEYALATER sync"));
    }

    void help_menu_requests()
    {
        TestEnvironment env;
        TfrmMain main;
        const QString file = env.programFolder() + QStringLiteral("Help/VandrelsholmSpeedMath.hlp");
        QCOMPARE(main.helpFile(), file);
        main.menuItem("mnuHelpTopics")->trigger();
        main.menuItem("mnuHelpHowTo")->trigger();
        main.menuItem("mnuHelpGettingStarted")->trigger();
        main.menuItem("mnuHelpWhatsNeededtoLearn")->trigger();
        main.menuItem("mnuGettingScreenHelp")->trigger();
        const QList<Help::Request> expected = {
            {file, Help::HELP_FINDER, 0},
            {file + ">EHowTo", Help::HELP_CONTEXT, 200},
            {file + ">EStart", Help::HELP_CONTEXT, 300},
            {file + ">ESkills", Help::HELP_CONTEXT, 400},
            {file + ">RStart", Help::HELP_CONTEXT, 410},
        };
        QCOMPARE(env.help.requests.size(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(env.help.requests[i].file, expected[i].file);
            QCOMPARE(env.help.requests[i].command, expected[i].command);
            QCOMPARE(env.help.requests[i].data.toInt(), expected[i].data.toInt());
        }
    }

    void help_file_in_the_installation_folder_wins()
    {
        TestEnvironment env;
        env.writeFile("install/Help/VandrelsholmSpeedMath.hlp", "x");
        env.writeFile("install/Help/VandrelsholmSpeedMath.GID", "cache");
        TfrmMain main;
        QCOMPARE(main.helpFile(), env.installFolder() + QStringLiteral("/Help/VandrelsholmSpeedMath.hlp"));
        QVERIFY(!QFile::exists(env.path("install/Help/VandrelsholmSpeedMath.GID")));
        QCOMPARE(Help::applicationHelpFile(), main.helpFile());
    }

    void history_help()
    {
        TestEnvironment env;
        TfrmMain main;
        main.menuItem("mnuHelpVandrelsholmStory")->trigger();
        QCOMPARE(env.dialogs.texts("error"), QStringList({"The Story of Tobbel Vandrelsholm.hlp was not found!"}));
        QVERIFY(env.help.requests.isEmpty());

        env.writeFile("program/Help/The Story of Tobbel Vandrelsholm.hlp", "x");
        env.writeFile("program/Help/The Story of Tobbel Vandrelsholm.GID", "cache");
        main.menuItem("mnuHelpVandrelsholmStory")->trigger();
        QCOMPARE(env.help.requests.size(), 1);
        QCOMPARE(env.help.requests[0].file, env.programFolder() + QStringLiteral("Help/The Story of Tobbel Vandrelsholm.hlp"));
        QCOMPARE(env.help.requests[0].command, unsigned(Help::HELP_CONTENTS));
        QVERIFY(!QFile::exists(env.path("program/Help/The Story of Tobbel Vandrelsholm.GID")));

        // From a network path the cache beside the program is left alone.
        env.help.clear();
        env.writeFile("program/Help/The Story of Tobbel Vandrelsholm.GID", "cache");
        SystemInfo::setProgramFolderForTests(QLatin1Char('/') + env.programFolder());
        main.menuItem("mnuHelpVandrelsholmStory")->trigger();
        QCOMPARE(env.help.requests.size(), 1);
        QVERIFY(QFile::exists(env.path("program/Help/The Story of Tobbel Vandrelsholm.GID")));

        // The installation folder is looked at first.
        env.help.clear();
        env.writeFile("install/Help/The Story of Tobbel Vandrelsholm.hlp", "x");
        main.menuItem("mnuHelpVandrelsholmStory")->trigger();
        QCOMPARE(env.help.requests[0].file, env.installFolder() + QStringLiteral("/Help/The Story of Tobbel Vandrelsholm.hlp"));
    }

    void fit_to_screen_and_placement_arithmetic()
    {
        // The screen's available area: the whole of it on a 640-pixel-wide
        // screen, a 20-pixel margin left and right elsewhere; a panel at the
        // top or a task bar at the bottom is left free.
        QCOMPARE(TfrmMain::fitGeometry(QRect(0, 0, 640, 452), 640), QRect(0, 0, 640, 452));
        QCOMPARE(TfrmMain::fitGeometry(QRect(0, 0, 1024, 768), 1024), QRect(20, 0, 984, 768));
        QCOMPARE(TfrmMain::fitGeometry(QRect(0, 27, 1280, 997), 1280), QRect(20, 27, 1240, 997));
        QCOMPARE(TfrmMain::fitGeometry(QRect(1920, 0, 800, 560), 800), QRect(1940, 0, 760, 560));
        // 640 pixels: top 0, left (640 - width - 8) div 2, or 0 with less than 9 spare.
        QCOMPARE(TfrmMain::childPosition(640, QSize(), QSize(596, 400)), QPoint(18, 0));
        QCOMPARE(TfrmMain::childPosition(640, QSize(), QSize(632, 400)), QPoint(0, 0));
        QCOMPARE(TfrmMain::childPosition(640, QSize(), QSize(631, 400)), QPoint(0, 0));
        QCOMPARE(TfrmMain::childPosition(640, QSize(), QSize(630, 400)), QPoint(1, 0));
        // Elsewhere: centred in the client area.
        QCOMPARE(TfrmMain::childPosition(1024, QSize(900, 700), QSize(600, 400)), QPoint(150, 150));
    }

    // Shown, the main window fills the available area of its screen from
    // top to bottom, with its margins.
    void the_main_window_fills_the_available_area()
    {
        TestEnvironment env;
        TfrmMain main;
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        const QRect available = main.screen()->availableGeometry();
        // Once its frame is known, the frame (not the client area) fits.
        QTRY_VERIFY(available.contains(main.frameGeometry()));
        const QRect frame = main.frameGeometry();
        QCOMPARE(frame.top(), available.top());
        QCOMPARE(frame.bottom(), available.bottom());
        QCOMPARE(frame.left(), available.left() + 20);
        QCOMPARE(frame.right(), available.right() - 20);
    }

    void report_window_takes_the_client_height_less_100()
    {
        TestEnvironment env;
        TfrmMain main;
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        auto* child = new PlainChild;
        child->setMinimumSize(296, 146);
        child->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        main.showChild(child);
        main.PlaceReportWindow();
        const int client = main.mdiArea()->viewport()->height();
        QCOMPARE(child->subWindow()->height(), client - 100);
        const int left = child->subWindow()->x();
        QCOMPARE(left, (main.mdiArea()->viewport()->width() - child->subWindow()->width()) / 2);
    }

    void brought_to_front_restores_a_minimised_window()
    {
        TestEnvironment env;
        TfrmMain main;
        main.showMinimized();
        QVERIFY(main.isMinimized());
        main.bringToFront();
        QVERIFY(!main.isMinimized());
        QVERIFY(main.isVisible());
    }

    // Keys go where the learner's keyboard sends them, to the focus widget.
    // With a screen open F1 and Ctrl+Q are the screen's: F1 its own topic,
    // Ctrl+Q nothing. With no screen open F1 opens the contents of the help
    // file and Ctrl+Q quits as File > Exit does.
    void f1_and_ctrl_q_without_a_screen()
    {
        TestEnvironment env;
        env.signIn(QStringLiteral("Ann"));
        TfrmMain main;
        main.show();
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        const auto press = [&main](Qt::Key key, Qt::KeyboardModifiers modifiers) {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus ? focus : &main, key, modifiers);
        };
        QCOMPARE(main.menuItem("mnuExit")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));

        ChildForm* screen = openFromMenu<ChildForm>(main, QStringLiteral("mnuAddition"));
        QVERIFY(screen);
        env.help.clear();
        press(Qt::Key_F1, Qt::NoModifier);
        QCOMPARE(env.help.requests.size(), 1);
        QCOMPARE(env.help.requests[0].command, unsigned(Help::HELP_CONTEXT));
        QVERIFY(env.help.requests[0].data.toInt() != 0);
        press(Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(main.isVisible());
        QCOMPARE(main.childForms().size(), 1);
        QCOMPARE(env.help.requests.size(), 1);

        screen->subWindow()->close();
        QTRY_VERIFY(main.childForms().isEmpty());
        env.help.clear();
        press(Qt::Key_F1, Qt::NoModifier);
        QCOMPARE(env.help.requests, QList<Help::Request>({{main.helpFile(), Help::HELP_CONTENTS, 0}}));
        press(Qt::Key_F1, Qt::ShiftModifier); // What's This, not the contents
        QCOMPARE(env.help.requests.size(), 1);

        Globals::GreetingsOn = true;
        env.sounds.clear();
        press(Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!main.isVisible());
        QCOMPARE(env.help.requests.constLast().command, unsigned(Help::HELP_QUIT));
        QCOMPARE(env.sounds.calls.constLast(), QStringLiteral("resource SEEYALATER sync"));
    }

    void screen_title_is_cut_to_50_characters()
    {
        Globals::setScreenTitle(QString(60, QLatin1Char('x')));
        QCOMPARE(Globals::ScreenTitle.size(), 50);
        Globals::setScreenTitle(QStringLiteral("TWO-FINGER METHOD SPEED MULTIPLICATION : "));
        QCOMPARE(Globals::ScreenTitle.size(), 41);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_MainWindow.moc"
