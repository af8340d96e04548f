#include <QtTest>

#include <QAbstractItemView>
#include <QComboBox>
#include <QScreen>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "ScreenTesting.h"
#include "TestEnvironment.h"
#include "app/Main.h"
#include "platform/SystemInfo.h"
#include "shell/About.h"
#include "shell/Globals.h"
#include "shell/Hints.h"
#include "shell/Strings.h"
#include "shell/UserStore.h"

namespace {

// Notes the cursor shape whenever a sound plays synchronously.
class CursorNotingSounds : public RecordingSoundPlayer
{
public:
    void playResource(const QString& name, Mode mode) override
    {
        RecordingSoundPlayer::playResource(name, mode);
        if (mode == Mode::Sync)
            cursors.append(QApplication::overrideCursor() ? int(QApplication::overrideCursor()->shape()) : -1);
    }
    QList<int> cursors;
};

// The sign-in dialog as a learner sees it.
struct SignIn {
    explicit SignIn(TfrmMain& main)
    {
        main.mnuAboutClick();
        box = qobject_cast<TAboutBox*>(main.activeChild());
        if (!box)
            return;
        name = box->findChild<QComboBox*>("cboName");
        ok = box->findChild<QPushButton*>("btnOK");
        lblName = box->findChild<QLabel*>("lblName");
        name->setFocus();
    }
    QString okHint() const { return Hints::hint(ok); }
    void type(const QString& text) const { QTest::keyClicks(name, text); }
    void typeCharacter(QChar c) const
    {
        QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    void clickOk() const { QTest::mouseClick(ok, Qt::LeftButton); }
    // Right click on the name box.
    void rightClickName() const
    {
        QWidget* target = name->lineEdit() ? static_cast<QWidget*>(name->lineEdit()) : name;
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), target->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(target, &event);
    }
    QStringList items() const
    {
        QStringList list;
        for (int i = 0; i < name->count(); ++i)
            list.append(name->itemText(i));
        return list;
    }

    QPointer<TAboutBox> box;
    QComboBox* name = nullptr;
    QPushButton* ok = nullptr;
    QLabel* lblName = nullptr;
};

QString display(QString text)
{
    return text.replace("\r\n", "\n");
}

} // namespace

// Signing in through the real dialog, as a learner does it.
class TestSignIn : public QObject
{
    Q_OBJECT
private slots:
    void first_start_with_a_new_name()
    {
        TestEnvironment env;
        CursorNotingSounds sounds;
        SoundPlayer::install(&sounds);
        TfrmMain main;
        main.show();
        Globals::ScreenTitle = QStringLiteral("KEEP");
        SignIn dialog(main);
        QVERIFY(dialog.box);
        QCOMPARE(Globals::ScreenTitle, QStringLiteral("KEEP"));
        QVERIFY(QFileInfo(env.path("install/User")).isDir());
        QVERIFY(!main.menuBar()->actions().at(0)->isEnabled());
        QVERIFY(!main.menuItem("mnuAboutVandrelsholmSpeedMath")->isEnabled());
        QVERIFY(!(dialog.box->subWindow()->windowFlags() & Qt::WindowCloseButtonHint));
        QCOMPARE(dialog.name->count(), 0);
        QVERIFY(dialog.name->isEditable());
        QVERIFY(!dialog.ok->isEnabled());
        QCOMPARE(dialog.lblName->text(), QStringLiteral("Select/type your name:"));
        QCOMPARE(dialog.lblName->toolTip(), display(Strings::text(Strings::SelectTypeNameHint)));
        QCOMPARE(dialog.box->findChild<QLabel*>("lblPrefixWebsite")->text(), QStringLiteral("Portal:"));
        QCOMPARE(dialog.box->findChild<QLabel*>("lblURL")->text(), TAboutBox::websiteAddress());
        QCOMPARE(dialog.box->findChild<QLabel*>("lblVersion")->text(),
                 "Vandrelsholm Speed Math " + SystemInfo::versionText("VersionNo"));
        QVERIFY(!dialog.box->findChild<QLabel*>("imgBrindleCove")->pixmap().isNull());
        QVERIFY(!dialog.box->findChild<QLabel*>("imgQVL")->pixmap().isNull());

        dialog.type("Ann");
        QVERIFY(dialog.ok->isEnabled());
        QCOMPARE(dialog.okHint(), QStringLiteral("Hi Ann"));
        QVERIFY(dialog.name->toolTip().isEmpty()); // typed, not chosen from the list
        dialog.clickOk();

        QTRY_VERIFY(dialog.box.isNull());
        QCOMPARE(env.readFile("install/User/UserList.ini"), QByteArray("Ann\r\n"));
        QCOMPARE(Globals::UserName, QStringLiteral("Ann"));
        QCOMPARE(Globals::UserIniFile, env.installFolder() + "/User/Ann.ini");
        QCOMPARE(Globals::UserLevel, quint8(1));
        QCOMPARE(Globals::LowerAmber, quint8(50));
        QCOMPARE(Globals::UpperAmber, quint8(74));
        QVERIFY(Globals::GreetingsOn && Globals::IdleMusicOn && Globals::PracticeSoundsOn);
        QCOMPARE(sounds.calls, QStringList({"resource READYSETGO sync", "resource MAINSCREEN loop"}));
        QCOMPARE(sounds.cursors, QList<int>({int(Qt::WaitCursor)}));
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(env.help.requests.size(), 1);
        QCOMPARE(env.help.requests.constFirst().file, main.helpFile() + ">EStart");
        QCOMPARE(env.help.requests.constFirst().command, unsigned(Help::HELP_CONTEXT));
        QCOMPARE(env.help.requests.constFirst().data.toInt(), 300);
        QVERIFY(main.menuBar()->actions().at(0)->isEnabled());
        QVERIFY(env.dialogs.boxes.isEmpty());
    }

    void forbidden_and_unusable_names_keep_ok_disabled()
    {
        TestEnvironment env;
        TfrmMain main;
        main.show();
        SignIn dialog(main);
        dialog.type("An/");
        QCOMPARE(env.dialogs.texts("error"), QStringList({"Cannot use \\/:*?\"<>| characters in your name!"}));
        QVERIFY(!dialog.ok->isEnabled());
        QVERIFY(dialog.okHint().isEmpty());
        QTest::keyClick(dialog.name, Qt::Key_Backspace);
        QVERIFY(dialog.ok->isEnabled());
        QCOMPARE(dialog.okHint(), QStringLiteral("Hi An"));

        for (QChar c : QStringLiteral("\\:*?\"<>|")) {
            env.dialogs.clear();
            dialog.typeCharacter(c);
            QCOMPARE(env.dialogs.count("error"), 1);
            QVERIFY(!dialog.ok->isEnabled());
            QTest::keyClick(dialog.name, Qt::Key_Backspace);
            QVERIFY(dialog.ok->isEnabled());
        }

        // Refusals of our own, each with its message.
        env.dialogs.clear();
        dialog.name->lineEdit()->clear();
        dialog.type(".");
        QCOMPARE(env.dialogs.texts("error"), QStringList({"A name needs more than dots and blanks!"}));
        QVERIFY(!dialog.ok->isEnabled());
        dialog.type("Ann");
        QVERIFY(dialog.ok->isEnabled());

        env.dialogs.clear();
        dialog.name->lineEdit()->clear();
        dialog.type("Bo");
        dialog.typeCharacter(QChar(0x0141)); // a letter that Windows-1252 lacks
        QCOMPARE(env.dialogs.count("error"), 1);
        QVERIFY(env.dialogs.texts("error").constFirst().contains("U+0141"));
        QVERIFY(!dialog.ok->isEnabled());

        env.dialogs.clear();
        dialog.name->lineEdit()->clear();
        dialog.name->lineEdit()->insert("Ann\tLee"); // pasted
        QCOMPARE(env.dialogs.count("error"), 1);
        QVERIFY(!dialog.ok->isEnabled());

        env.dialogs.clear();
        dialog.name->lineEdit()->clear();
        dialog.type("userlist");
        QCOMPARE(env.dialogs.count("error"), 1);
        QVERIFY(!dialog.ok->isEnabled());

        // Enter on a refused name does nothing; nothing was written.
        QTest::keyClick(dialog.name, Qt::Key_Return);
        QVERIFY(dialog.box);
        QVERIFY(!QFileInfo::exists(env.path("install/User/UserList.ini")));
        QVERIFY(Globals::UserName.isEmpty());
    }

    void a_pasted_name_too_long_for_a_file_is_refused_whole()
    {
        TestEnvironment env;
        TfrmMain main;
        main.show();
        SignIn dialog(main);
        const QString pasted = QString(UserStore::MaxNameLength, u'a') + QStringLiteral("bcdefghij");
        dialog.name->lineEdit()->insert(pasted);   // what pasting does
        QCOMPARE(dialog.name->currentText(), pasted);
        QVERIFY(!dialog.ok->isEnabled());
        QCOMPARE(env.dialogs.texts("error").value(0), UserStore::checkName(pasted).message);
        QCOMPARE(UserStore::checkName(pasted).problem, UserStore::NameProblem::TooLong);
        QVERIFY(!QFileInfo::exists(env.path("install/User/UserList.ini")));
    }

    void leading_blanks_vanish_and_trailing_ones_are_not_part_of_the_name()
    {
        TestEnvironment env;
        TfrmMain main;
        main.show();
        SignIn dialog(main);
        dialog.type("   ");
        QCOMPARE(dialog.name->currentText(), QString());
        QVERIFY(!dialog.ok->isEnabled());
        dialog.type("Bo Lee ");
        QCOMPARE(dialog.name->currentText(), QStringLiteral("Bo Lee "));
        QVERIFY(dialog.ok->isEnabled());
        QVERIFY(env.dialogs.boxes.isEmpty());
        QTest::keyClick(dialog.name, Qt::Key_Return); // OK is the default button
        QTRY_VERIFY(dialog.box.isNull());
        QCOMPARE(Globals::UserName, QStringLiteral("Bo Lee"));
        QCOMPARE(env.readFile("install/User/UserList.ini"), QByteArray("Bo Lee\r\n"));
    }

    void the_first_listed_name_is_offered_and_the_list_drops_blank_lines()
    {
        TestEnvironment env;
        env.writeFile("install/User/UserList.ini", "\r\n  \r\n\r\nbob\r\nAnn\r\n");
        TfrmMain main;
        main.show();
        SignIn dialog(main);
        QCOMPARE(dialog.items(), QStringList({"Ann", "bob"}));
        QCOMPARE(dialog.name->currentIndex(), 0);
        QCOMPARE(dialog.name->currentText(), QStringLiteral("Ann"));
        QVERIFY(dialog.ok->isEnabled());
        QCOMPARE(dialog.okHint(), QStringLiteral("Hi Ann"));
        QCOMPARE(dialog.name->toolTip(), Strings::text(Strings::RemoveNameHint));

        // A key typed over a chosen name starts a new one.
        dialog.name->lineEdit()->end(false);
        dialog.type("e");
        QCOMPARE(dialog.name->currentIndex(), -1);
        QCOMPARE(dialog.name->currentText(), QStringLiteral("Anne"));
        QCOMPARE(dialog.okHint(), QStringLiteral("Hi Anne"));
        QVERIFY(dialog.name->toolTip().isEmpty());
        dialog.clickOk();
        QTRY_VERIFY(dialog.box.isNull());
        QCOMPARE(env.readFile("install/User/UserList.ini"), QByteArray("Ann\r\nAnne\r\nbob\r\n"));
        QCOMPARE(env.help.requests.size(), 1); // Anne is new
    }

    // The longest name a learner can have keeps the dialog, and OK, on the
    // screen: the list shows it elided and in full as its tooltip.
    void the_longest_name_keeps_the_dialog_on_the_screen()
    {
        TestEnvironment env;
        const QString longest = "Wilhelmina " + QString(UserStore::MaxNameLength - 11, u'W');
        QVERIFY(UserStore::checkName(longest).ok());
        env.writeFile("install/User/UserList.ini", "Ann\r\n" + longest.toLatin1() + "\r\n");
        TfrmMain main;
        main.show();
        SignIn dialog(main);
        QCOMPARE(dialog.items(), QStringList({"Ann", longest}));
        const QRect screen = main.screen()->availableGeometry();
        const auto onScreen = [&](QWidget* w) {
            return screen.contains(QRect(w->mapToGlobal(QPoint(0, 0)), w->size()));
        };
        QMdiSubWindow* frame = dialog.box->subWindow();
        const QSize size = frame->size();
        QVERIFY2(size.width() <= 640, qPrintable(QString::number(size.width())));
        QVERIFY(onScreen(frame) && onScreen(dialog.ok));
        QCOMPARE(dialog.name->itemData(1, Qt::ToolTipRole).toString(), longest);
        QCOMPARE(dialog.name->itemData(1, Qt::AccessibleTextRole).toString(), longest);

        // Chosen from the list, which opens no wider than the dialog.
        dialog.name->showPopup();
        QWidget* popup = dialog.name->view()->window();
        QTRY_VERIFY(popup->isVisible());
        QVERIFY2(popup->width() <= dialog.box->width() && onScreen(popup),
                 qPrintable(QStringLiteral("%1 wide").arg(popup->width())));
        QTest::keyClick(dialog.name->view(), Qt::Key_Down);
        QTest::keyClick(dialog.name->view(), Qt::Key_Return);
        QTRY_VERIFY(!popup->isVisible());
        QCOMPARE(dialog.name->currentText(), longest);
        QCOMPARE(dialog.name->lineEdit()->cursorPosition(), 0); // shown from its start
        QCOMPARE(frame->size(), size);
        QVERIFY(onScreen(dialog.ok) && dialog.ok->isEnabled());
        dialog.clickOk();
        QTRY_VERIFY(dialog.box.isNull());
        QCOMPARE(Globals::UserName, longest);
    }

    void switch_user_preselects_the_learner_and_the_same_name_reloads_nothing()
    {
        TestEnvironment env;
        env.writeFile("install/User/UserList.ini", "Ann\r\nBob\r\n");
        env.writeFile("install/User/Bob.ini", "[GradePrefs]\r\nUserLevel=2\r\nLowerAmber=65\r\nUpperAmber=84\r\n");
        TfrmMain main;
        main.show();
        {
            SignIn first(main);
            first.name->setCurrentIndex(1); // chosen from the drop-down list
            QCOMPARE(first.okHint(), QStringLiteral("Hi Bob"));
            first.clickOk();
            QTRY_VERIFY(first.box.isNull());
        }
        QCOMPARE(Globals::UserLevel, quint8(2));
        QVERIFY(env.help.requests.isEmpty()); // Bob is not new

        env.writeFile("install/User/Bob.ini", "[GradePrefs]\r\nUserLevel=3\r\n");
        env.sounds.clear();
        main.menuItem("mnuAbout")->trigger();
        auto* box = qobject_cast<TAboutBox*>(main.activeChild());
        QVERIFY(box);
        auto* name = box->findChild<QComboBox*>("cboName");
        QCOMPARE(name->currentText(), QStringLiteral("Bob"));
        QCOMPARE(name->currentIndex(), 1);
        QCOMPARE(Hints::hint(box->findChild<QPushButton*>("btnOK")), QStringLiteral("Hi Bob"));
        QCOMPARE(name->toolTip(), Strings::text(Strings::RemoveNameHint));
        QPointer<TAboutBox> watch(box);
        QTest::mouseClick(box->findChild<QPushButton*>("btnOK"), Qt::LeftButton);
        QTRY_VERIFY(watch.isNull());
        QCOMPARE(Globals::UserLevel, quint8(2)); // nothing read again
        QCOMPARE(env.sounds.calls, QStringList({"stop", "resource READYSETGO sync", "resource MAINSCREEN loop"}));
        QVERIFY(env.help.requests.isEmpty());
        QCOMPARE(env.readFile("install/User/UserList.ini"), QByteArray("Ann\r\nBob\r\n"));
    }

    void switch_user_offers_a_learner_missing_from_the_list_as_typed()
    {
        TestEnvironment env;
        env.writeFile("install/User/UserList.ini", "Ann\r\n");
        Globals::UserName = QStringLiteral("Zed"); // signed in while the list could not be saved
        TfrmMain main;
        main.show();
        SignIn dialog(main);
        QCOMPARE(dialog.name->currentIndex(), -1);
        QCOMPARE(dialog.name->currentText(), QStringLiteral("Zed"));
        QCOMPARE(dialog.okHint(), QStringLiteral("Hi Zed"));
        dialog.clickOk();
        QTRY_VERIFY(dialog.box.isNull());
        QCOMPARE(env.readFile("install/User/UserList.ini"), QByteArray("Ann\r\nZed\r\n"));
    }

    // Files saved by another editor with a byte-order mark: read in full
    // and written back in the program's own code page, or, where that would
    // lose characters, refused and left as they are.
    void files_another_editor_saved_data()
    {
        QTest::addColumn<QByteArray>("mark");
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QString>("comment");   // a line of the learner's file
        QTest::addColumn<int>("level");         // read from the file
        QTest::addColumn<QString>("error");     // part of the one error box, if any
        QTest::newRow("UTF-8") << QByteArray("\xEF\xBB\xBF") << "UTF-8" << "; Zoë" << 3 << "";
        QTest::newRow("UTF-16 LE") << QByteArray("\xFF\xFE") << "UTF-16LE" << "; Zoë" << 3 << "";
        QTest::newRow("UTF-16 BE") << QByteArray("\xFE\xFF") << "UTF-16BE" << "; Zoë" << 3 << "";
        QTest::newRow("UTF-16 beyond the code page") << QByteArray("\xFF\xFE") << "UTF-16LE" << "; Ζωή" << 3
                                                     << "characters that this program's files cannot hold";
        QTest::newRow("damaged UTF-16") << QByteArray("\xFF\xFE") << "UTF-16LE" << "; Zoë\r\n " << 1
                                        << "no valid UTF-16";
    }
    void files_another_editor_saved()
    {
        QFETCH(QByteArray, mark);
        QFETCH(QString, encoding);
        QFETCH(QString, comment);
        QFETCH(int, level);
        QFETCH(QString, error);
        QStringEncoder encode(qPrintable(encoding), QStringEncoder::Flag::Stateless);
        TestEnvironment env;
        env.writeFile("install/User/UserList.ini", mark + QByteArray(encode(u"Zoë\r\n")));
        QByteArray learner = mark + QByteArray(encode(comment + "\r\n[GradePrefs]\r\nUserLevel=3\r\n"));
        if (error.contains("UTF-16"))
            learner.chop(1);   // an odd number of bytes
        env.writeFile(QString::fromUtf8("install/User/Zoë.ini"), learner);
        TfrmMain main;
        main.show();
        SignIn dialog(main);
        QCOMPARE(dialog.items(), QStringList({QString::fromUtf8("Zoë")}));
        dialog.clickOk();
        QTRY_VERIFY(dialog.box.isNull());
        QCOMPARE(Globals::UserName, QString::fromUtf8("Zoë"));
        QCOMPARE(int(Globals::UserLevel), level);

        ChildForm* screen = openFromMenu<ChildForm>(main, "mnuAddition");
        QVERIFY(screen);
        QVERIFY(screen->closeForm());
        const QByteArray saved = env.readFile(QString::fromUtf8("install/User/Zoë.ini"));
        if (error.isEmpty()) {
            QVERIFY(env.dialogs.texts("error").isEmpty());
            QVERIFY2(saved.startsWith("; Zo\xEB\r\n[GradePrefs]\r\nUserLevel=3\r\n[Addition]\r\n"), saved.constData());
        } else {
            // A file that cannot be read is told at the sign-in and again at
            // the close whose save it refuses; one that only cannot be
            // written back, at the close.
            const QStringList errors = env.dialogs.texts("error");
            QCOMPARE(errors.size(), level == 1 ? 2 : 1);
            for (const QString& text : errors)
                QVERIFY2(text.contains(error), qPrintable(text));
            QCOMPARE(saved, learner);
        }
    }

    void removing_a_name()
    {
        TestEnvironment env;
        env.writeFile("install/User/UserList.ini", "Ann\r\nBob\r\n");
        env.writeFile("install/User/Ann.ini", "[Addition]\r\nTotal=3\r\n");
        env.writeFile("install/User/Bob.ini", "[Addition]\r\nTotal=7\r\n");
        TfrmMain main;
        main.show();
        SignIn dialog(main);
        auto* menu = dialog.box->findChild<QMenu*>("popCboName");
        auto* remove = dialog.box->findChild<QAction*>("mnuRemoveNameFromList");
        QCOMPARE(remove->text(), QStringLiteral("Remove Name From List"));

        dialog.name->setCurrentIndex(1);
        dialog.rightClickName();
        QTRY_VERIFY(menu->isVisible());
        QVERIFY(remove->isEnabled());
        menu->hide();
        remove->trigger();
        QVERIFY(!QFileInfo::exists(env.path("install/User/Bob.ini")));
        QCOMPARE(env.readFile("trash/Bob.ini"), QByteArray("[Addition]\r\nTotal=7\r\n")); // nothing lost
        QVERIFY(QFileInfo::exists(env.path("install/User/Ann.ini")));
        QCOMPARE(env.readFile("install/User/UserList.ini"), QByteArray("Ann\r\nBob\r\n"));
        QCOMPARE(dialog.items(), QStringList({"Ann"}));
        QCOMPARE(dialog.name->currentText(), QString());
        QVERIFY(!dialog.ok->isEnabled());
        QVERIFY(dialog.okHint().isEmpty());
        QVERIFY(dialog.name->toolTip().isEmpty());
        QVERIFY(env.dialogs.boxes.isEmpty()); // no confirmation

        // No menu while no listed name is chosen.
        dialog.type("Carl");
        dialog.rightClickName();
        QTest::qWait(20);
        QVERIFY(!menu->isVisible());
        remove->trigger(); // even when reached, it removes nothing
        QCOMPARE(dialog.items(), QStringList({"Ann"}));

        dialog.clickOk();
        QTRY_VERIFY(dialog.box.isNull());
        QCOMPARE(env.readFile("install/User/UserList.ini"), QByteArray("Ann\r\nCarl\r\n"));
    }

    void a_name_list_full_of_garbage()
    {
        TestEnvironment env;
        const QByteArray garbage = QByteArray("\x00\x01\x02 bin\r\n..\r\n../x\r\nZed\r\n\xff\xfe\r\n", 27)
                                   + QByteArray(5000, '.') + "\r\n";
        env.writeFile("install/User/UserList.ini", garbage);
        TfrmMain main;
        main.show();
        SignIn dialog(main);
        QCOMPARE(dialog.items(), QStringList({"Zed", QString::fromLatin1("\xff\xfe")}));
        QVERIFY(env.dialogs.boxes.isEmpty());
        dialog.name->lineEdit()->clear();
        dialog.type("Amy");
        dialog.clickOk();
        QTRY_VERIFY(dialog.box.isNull());
        const QByteArray written = env.readFile("install/User/UserList.ini");
        QVERIFY(written.startsWith(QByteArray("Amy\r\nZed\r\n\xff\xfe\r\n")));
        QVERIFY(written.contains(QByteArray("\x00\x01\x02 bin\r\n", 9)));
        QVERIFY(written.contains("\r\n..\r\n../x\r\n"));
        QVERIFY(written.contains(QByteArray(5000, '.')));
        QCOMPARE(QDir(env.path("install/User")).entryList(QDir::Files), QStringList({"UserList.ini"}));
    }

    void an_unreadable_name_list_means_nothing_is_saved()
    {
        TestEnvironment env;
        QDir().mkpath(env.path("install/User/UserList.ini"));
        TfrmMain main;
        main.show();
        SignIn dialog(main);
        QCOMPARE(env.dialogs.count("error"), 1);
        QVERIFY(env.dialogs.texts("error").constFirst().contains("UserList.ini"));
        QCOMPARE(dialog.name->count(), 0);
        QVERIFY(!Globals::UserDataWritable);
        dialog.type("Ann");
        dialog.clickOk();
        QTRY_VERIFY(dialog.box.isNull());
        QVERIFY(Globals::UserName.isEmpty());
        QCOMPARE(Globals::LowerAmber, quint8(50));
        QCOMPARE(QDir(env.path("install/User")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList({"UserList.ini"}));
    }

    void a_user_folder_that_cannot_be_made()
    {
        TestEnvironment env;
        env.writeFile("blocker", "x");
        SystemInfo::setInstallFolderForTests(env.path("blocker/Vandrelsholm Speed Math"));
        TfrmMain main;
        main.show();
        SignIn dialog(main);
        QCOMPARE(env.dialogs.count("error"), 1);
        QVERIFY(env.dialogs.texts("error").constFirst().startsWith("Folder: " + env.path("blocker/")));
        QVERIFY(!dialog.box->located());
        QCOMPARE(dialog.name->count(), 0);
        QVERIFY(!dialog.ok->isEnabled());
        dialog.type("Ann");
        QVERIFY(dialog.ok->isEnabled());
        dialog.clickOk();
        QTRY_VERIFY(dialog.box.isNull());
        QCOMPARE(Globals::UserLevel, quint8(1));
        QVERIFY(Globals::GreetingsOn);
        QCOMPARE(env.sounds.calls.constFirst(), QStringLiteral("resource READYSETGO sync"));
        QVERIFY(!Globals::UserDataWritable);
        QCOMPARE(QDir(env.root()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList({"blocker", "install", "program"}));
        QVERIFY(QDir(env.installFolder()).isEmpty());
        QVERIFY(QDir(env.programFolder()).isEmpty());
    }

    void shared_installation_offers_a_list_to_choose_from()
    {
        TestEnvironment env;
        const QString network = QLatin1Char('/') + env.programFolder();
        SystemInfo::setProgramFolderForTests(network);
        env.writeFile("program/User/UserList.ini", "Bob\r\nAnn\r\n");
        env.writeFile("program/User/Bob.ini", "[PlaySounds]\r\nOpeningClosingGreetings=0\r\n");
        TfrmMain main;
        main.show();
        SignIn dialog(main);
        QVERIFY(!dialog.name->isEditable());
        QCOMPARE(dialog.items(), QStringList({"Ann", "Bob"}));
        QCOMPARE(dialog.lblName->text(), QStringLiteral("Select your name from the list:"));
        QCOMPARE(dialog.lblName->toolTip(), Strings::text(Strings::SelectNameHint));
        QVERIFY(dialog.name->toolTip().isEmpty());
        QCOMPARE(dialog.name->contextMenuPolicy(), Qt::NoContextMenu);
        QVERIFY(dialog.ok->isEnabled());

        dialog.name->setCurrentIndex(1);
        QCOMPARE(dialog.okHint(), QStringLiteral("Hi Bob"));
        dialog.clickOk();
        QTRY_VERIFY(dialog.box.isNull());
        QCOMPARE(Globals::UserIniFile, network + "User/Bob.ini");
        QVERIFY(!Globals::GreetingsOn);
        QVERIFY(!env.sounds.calls.contains("resource READYSETGO sync"));
        QCOMPARE(env.readFile("program/User/UserList.ini"), QByteArray("Bob\r\nAnn\r\n")); // not rewritten
    }

    void shared_installation_with_a_broken_pointer_file_saves_nothing()
    {
        TestEnvironment env;
        SystemInfo::setProgramFolderForTests(QLatin1Char('/') + env.programFolder());
        env.writeFile("program/User/UserList.ini", "Ann\r\n");
        env.writeFile("program/User/QVL.ini", "[UserDirectory]\r\nUserFolder=" + env.path("gone").toUtf8() + "\r\n");
        TfrmMain main;
        main.show();
        SignIn dialog(main);
        QCOMPARE(env.dialogs.texts("error"),
                 QStringList({"Unable to locate user folder specified in QVL.ini as:\r\n" + env.path("gone")
                              + "\r\nWill not be able to save your performance data."}));
        dialog.clickOk();
        QTRY_VERIFY(dialog.box.isNull());
        QVERIFY(Globals::UserIniFile.isEmpty());
        QCOMPARE(QDir(env.path("program/User")).entryList(QDir::Files), QStringList({"QVL.ini", "UserList.ini"}));
        QVERIFY(!QFileInfo::exists(env.path("gone")));
    }
};

QTEST_MAIN(TestSignIn)
#include "tst_SignIn.moc"
