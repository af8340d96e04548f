#include <QtTest>

#include "ScreenTesting.h"
#include "TestEnvironment.h"
#include "platform/FileSaver.h"
#include "platform/IniFile.h"
#include "shell/Globals.h"
#include "shell/ScreenSettings.h"
#include "shell/Strings.h"

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

// The shared load and save of a screen's own section of the learner file.
class TestScreenSettings : public QObject
{
    Q_OBJECT
private slots:
    void a_missing_file_gives_the_defaults()
    {
        TestEnvironment env;
        env.signIn("Ann");
        bool called = false;
        QVERIFY(!ScreenSettings::learnerFileExists());
        QVERIFY(!ScreenSettings::load(nullptr, [&](const IniFile&) { called = true; }));
        QVERIFY(!called);
        Globals::UserIniFile.clear(); // nobody signed in
        QVERIFY(!ScreenSettings::load(nullptr, [&](const IniFile&) { called = true; }));
        QVERIFY(!called);
        QVERIFY(env.dialogs.boxes.isEmpty());
    }

    void load_reads_the_section()
    {
        TestEnvironment env;
        env.signIn("Ann");
        env.writeFile("users/Ann.ini", "[addition]\r\nTOTAL=12\r\nOption=3\r\n");
        int total = 0;
        int option = 0;
        QVERIFY(ScreenSettings::load(nullptr, [&](const IniFile& ini) {
            total = ini.readInteger("Addition", "Total", 0);
            option = ini.readInteger("Addition", "Option", 1);
        }));
        QCOMPARE(total, 12);
        QCOMPARE(option, 3);
    }

    void an_unreadable_file_is_reported_and_counts_as_missing()
    {
        TestEnvironment env;
        env.signIn("Ann");
        QFile big(env.path("users/Ann.ini"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(IniFile::kMaxFileSize + 1)); // far too large for a settings file
        big.close();
        bool called = false;
        QVERIFY(!ScreenSettings::load(nullptr, [&](const IniFile&) { called = true; }));
        QVERIFY(!called);
        QCOMPARE(env.dialogs.count("error"), 1);
        // Another read in this learner's session says nothing more.
        QVERIFY(!ScreenSettings::load(nullptr, [&](const IniFile&) { called = true; }));
        QCOMPARE(env.dialogs.count("error"), 1);
        // Nor is it overwritten, which would lose what it holds; every save
        // refused says so, since what it was to keep is lost.
        for (int i = 2; i <= 3; ++i) {
            QVERIFY(!ScreenSettings::save(nullptr, [](IniFile& ini) { ini.writeInteger("Halving", "Total", 1); }));
            QCOMPARE(env.dialogs.count("error"), i);
            QCOMPARE(env.dialogs.texts("error").constLast(), env.dialogs.texts("error").constFirst());
        }
        ScreenSettings::newSession();
        QVERIFY(!ScreenSettings::load(nullptr, [&](const IniFile&) { called = true; }));
        QCOMPARE(env.dialogs.count("error"), 4);
        QCOMPARE(QFileInfo(env.path("users/Ann.ini")).size(), IniFile::kMaxFileSize + 1);
    }

    // Through the window: every close of a screen whose save is refused
    // says why, once, with the file's own reason; the file stays as it is.
    void every_close_says_why_the_file_was_not_saved_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a folder") << "folder" << "it is a folder.";
        QTest::newRow("over the size limit") << "large" << "it is larger than 16 MB.";
#ifdef Q_OS_UNIX
        QTest::newRow("a pipe") << "fifo" << "it is not a regular file.";
#endif
    }
    void every_close_says_why_the_file_was_not_saved()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        TestEnvironment env;
        env.signIn("Ann");
        const QString file = env.path("users/Ann.ini");
        if (kind == "folder") {
            QVERIFY(QDir().mkpath(file));
        } else if (kind == "large") {
            QFile big(file);
            QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(IniFile::kMaxFileSize + 1));
        } else {
#ifdef Q_OS_UNIX
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
#endif
        }
        TfrmMain main;
        main.show();
        for (int close = 1; close <= 3; ++close) {
            ChildForm* screen = openFromMenu<ChildForm>(main, "mnuAddition");
            QVERIFY(screen);
            env.dialogs.clear();
            QVERIFY(screen->closeForm());
            const QStringList errors = env.dialogs.texts("error");
            QCOMPARE(errors.size(), 1);
            QVERIFY2(errors.constFirst().contains(file) && errors.constFirst().contains(reason),
                     qPrintable(errors.constFirst()));
        }
        const QFileInfo after(file);
        QVERIFY(kind == "folder" ? after.isDir() : kind == "large" ? after.size() == IniFile::kMaxFileSize + 1
                                                                     : !after.isFile() && after.exists());
    }

    void save_writes_the_section_and_keeps_the_rest()
    {
        TestEnvironment env;
        env.signIn("Ann");
        env.writeFile("users/Ann.ini", "[GradePrefs]\r\nUserLevel=2\r\n");
        QVERIFY(ScreenSettings::save(nullptr, [](IniFile& ini) {
            ini.writeInteger("Halving", "Total", 7);
            ini.writeInteger("Halving", "Correct", 5);
        }));
        QCOMPARE(env.readFile("users/Ann.ini"),
                 QByteArray("[GradePrefs]\r\nUserLevel=2\r\n[Halving]\r\nTotal=7\r\nCorrect=5\r\n"));
        QVERIFY(env.dialogs.boxes.isEmpty());
    }

    // A save killed before its replace leaves its new file, named after the
    // process that wrote it; the next save removes it once that process has
    // ended. The learner's own copies stay, however old and whatever their
    // names.
    void copies_left_by_a_killed_save_are_removed()
    {
        TestEnvironment env;
        env.signIn("Ann");
        env.writeFile("users/Ann.ini", "[Halving]\r\nTotal=1\r\n");
        // No process has this number (far above the largest the system gives).
        const QString leftover = FileSaver::temporaryName(2147483646, FileSaver::machineTag(), 7);
        env.writeFile("users/" + leftover, "[Halving]\r\nTotal=2\r\n");
        env.writeFile("users/Ann.ini.YBaUZb", "[Halving]\r\nTotal=2\r\n");
        env.writeFile("users/Ann.ini.notes", "a file of the learner's own");
        for (const char* name : {"users/Ann.ini.YBaUZb", "users/Ann.ini.notes"}) {
            QFile old(env.path(name));
            QVERIFY(old.open(QIODevice::ReadWrite));
            QVERIFY(old.setFileTime(QDateTime::currentDateTime().addDays(-30), QFileDevice::FileModificationTime));
        }
        QVERIFY(ScreenSettings::save(nullptr, [](IniFile& ini) { ini.writeInteger("Halving", "Total", 3); }));
        QCOMPARE(QDir(env.path("users")).entryList(QDir::Files | QDir::Hidden),
                 QStringList({"Ann.ini", "Ann.ini.notes", "Ann.ini.YBaUZb"}));
        QCOMPARE(env.readFile("users/Ann.ini"), QByteArray("[Halving]\r\nTotal=3\r\n"));
    }

    void not_writable_tells_the_folder_and_writes_nothing()
    {
        TestEnvironment env;
        env.signIn("Ann");
        Globals::UserDataWritable = false;
        bool called = false;
        QVERIFY(!ScreenSettings::save(nullptr, [&](IniFile&) { called = true; }));
        QVERIFY(!called);
        QCOMPARE(env.dialogs.texts("information"),
                 QStringList({"Folder: " + env.path("users") + "\r\n\r\n"
                              "Unable to save your performance data in folder above.\r\n"
                              "Your hard disk may be full, or you may have system errors."}));
        QVERIFY(QDir(env.path("users")).isEmpty());
    }

    void a_failed_save_shows_the_files_message_and_keeps_the_old_file()
    {
        TestEnvironment env;
        env.signIn("Ann");
        env.writeFile("users/Ann.ini", "[Halving]\r\nTotal=1\r\n");
        FileSaver::setFailureForTests([](const QString&) { return FileSaver::diskFullText(); });
        QVERIFY(!ScreenSettings::save(nullptr, [](IniFile& ini) { ini.writeInteger("Halving", "Total", 9); }));
        FileSaver::setFailureForTests(nullptr);
        QCOMPARE(env.dialogs.count("error"), 1);
        const QString message = env.dialogs.texts("error").constFirst();
        QVERIFY2(message.contains(env.path("users/Ann.ini")), qPrintable(message));
        QCOMPARE(env.readFile("users/Ann.ini"), QByteArray("[Halving]\r\nTotal=1\r\n"));
        QVERIFY(env.dialogs.texts("information").isEmpty());
    }
};

QTEST_MAIN(TestScreenSettings)
#include "tst_ScreenSettings.moc"
