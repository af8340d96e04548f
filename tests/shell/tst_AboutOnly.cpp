#include <QtTest>

#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTimer>

#include "ScreenTesting.h"
#include "TestEnvironment.h"
#include "app/Main.h"
#include "shell/AboutOnly.h"
#include "shell/Globals.h"

namespace {

TAboutOnlyBox* openAbout(TfrmMain& main)
{
    return openFromMenu<TAboutOnlyBox>(main, QStringLiteral("mnuAboutVandrelsholmSpeedMath"));
}

QString memo(const TAboutOnlyBox* box)
{
    return box->findChild<QPlainTextEdit*>("mmoFileData")->toPlainText();
}

QString expected(const QString& sounds, const QString& help, const QString& user)
{
    return "SOUNDS FOLDER:\n" + sounds + "\n\nHELP FOLDER:\n" + help + "\n\nUSER FILES FOLDER:\n" + user + "\n\n"
           + QString(TAboutOnlyBox::designText()).replace("\r\n", "\n");
}

} // namespace

// Help > "About...": what the program found, and the ways the box closes.
class TestAboutOnly : public QObject
{
    Q_OBJECT
private slots:
    void built_in_sounds_no_help_file_no_user_folder()
    {
        TestEnvironment env;
        TfrmMain main;
        main.show();
        QVERIFY(Globals::SoundsFromResources);
        TAboutOnlyBox* box = openAbout(main);
        QVERIFY(box);
        QCOMPARE(Globals::ScreenTitle, QStringLiteral("About Vandrelsholm Speed Math..."));
        QCOMPARE(box->caption(), QStringLiteral("About Vandrelsholm Speed Math"));
        QVERIFY(!main.menuItem("mnuAboutVandrelsholmSpeedMath")->isEnabled());
        QCOMPARE(memo(box), expected("Resources in EXE", "Help file could not be found",
                                     "Default settings used. Could not find user data files."));
        QVERIFY(box->findChild<QPlainTextEdit*>("mmoFileData")->isReadOnly());
        QVERIFY(!box->findChild<QLabel*>("imgBrindleCove")->pixmap().isNull());
        QVERIFY(!box->findChild<QLabel*>("imgQVL")->pixmap().isNull());
    }

    void sound_folders_help_folder_and_user_folder()
    {
        TestEnvironment env;
        env.writeFile("program/Help/VandrelsholmSpeedMath.hlp", "help");
        env.writeFile("program/Sounds/Right/r.wav", "RIFF");
        env.writeFile("program/Sounds/Wrong/w.wav", "RIFF");
        env.signIn("Ann");
        TfrmMain main;
        main.show();
        QVERIFY(Globals::SoundsInFolders);
        TAboutOnlyBox* box = openAbout(main);
        QCOMPARE(memo(box), expected(env.programFolder() + "Sounds/", env.programFolder() + "Help/",
                                     env.path("users")));
        // Exactly one sounds line, whichever flag is set.
        Globals::SoundsInAltFolders = true; // even with two flags set, one line
        Globals::AltRightSoundsFolder = "//server/share/Sounds/Right";
        const QString text = TAboutOnlyBox::fileDataText("D");
        QVERIFY(text.startsWith("SOUNDS FOLDER:\r\n//server/share/Sounds/\r\n\r\nHELP FOLDER:\r\n"));
        QVERIFY(text.endsWith("\r\n\r\nD"));
        QCOMPARE(TAboutOnlyBox::folderPart("C:\\Program Files\\VSM\\Help\\x.hlp"), QStringLiteral("C:\\Program Files\\VSM\\Help\\"));
        QCOMPARE(TAboutOnlyBox::folderPart("nofolder"), QString());
    }

    void closes_after_ten_seconds_or_a_click()
    {
        TestEnvironment env;
        TfrmMain main;
        main.show();
        QPointer<TAboutOnlyBox> box = openAbout(main);
        QCOMPARE(box->timer()->interval(), 10000);
        QVERIFY(box->timer()->isActive());
        QCOMPARE(box->timer()->objectName(), QStringLiteral("Timer1"));
        box->Timer1Timer();
        QTRY_VERIFY(box.isNull());
        QVERIFY(main.menuItem("mnuAboutVandrelsholmSpeedMath")->isEnabled());
        QVERIFY(main.menuBar()->actions().at(0)->isEnabled());

        for (const char* target : {"imgBrindleCove", "imgQVL", "lblNotice"}) {
            box = openAbout(main);
            QTest::mouseClick(box->findChild<QWidget*>(target), Qt::LeftButton);
            QTRY_VERIFY2(box.isNull(), target);
        }

        // A click on the memo does not close the box; one on the form does.
        box = openAbout(main);
        QTest::mouseClick(box->findChild<QPlainTextEdit*>("mmoFileData")->viewport(), Qt::LeftButton);
        QTest::qWait(20);
        QVERIFY(box);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 2, 2));
        QTRY_VERIFY(box.isNull());

        // Not while a screen is practising.
        box = openAbout(main);
        Globals::Practising = true;
        box->Timer1Timer();
        QCOMPARE(env.dialogs.count("beep"), 1);
        QVERIFY(box);
        Globals::Practising = false;
        QVERIFY(box->closeForm());
    }
};

QTEST_MAIN(TestAboutOnly)
#include "tst_AboutOnly.moc"
