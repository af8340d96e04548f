#include <QtTest>

#include "TestEnvironment.h"
#include "platform/IniFile.h"
#include "platform/SystemInfo.h"
#include "shell/Globals.h"
#include "shell/SetIni.h"
#include "shell/Strings.h"
#include "shell/UserStore.h"

using Problem = UserStore::NameProblem;
Q_DECLARE_METATYPE(UserStore::NameProblem)

// Where the learners' files are, the name list, the store's side of signing
// in and removing learners, the names that are refused, and the preferences.
class TestUserStore : public QObject
{
    Q_OBJECT
private:
    static QString networkProgramFolder(const TestEnvironment& env)
    {
        // A folder whose path begins with two separators counts as a network path.
        const QString network = QLatin1Char('/') + env.programFolder();
        SystemInfo::setProgramFolderForTests(network);
        return network;
    }

    static void useUsersFolder(const TestEnvironment& env)
    {
        QDir().mkpath(env.path("users"));
        Globals::UsersFolder = env.path("users");
        Globals::UserDataFolder = env.path("users");
        Globals::UserDataWritable = true;
    }

    // A writable users folder holding the name list and, when given, one
    // learner file; the store has read the list.
    static void prepare(const TestEnvironment& env, UserStore& store, const QByteArray& list,
                        const QString& learner = QString(), const QByteArray& learnerFile = QByteArray())
    {
        useUsersFolder(env);
        if (!list.isNull())
            env.writeFile("users/UserList.ini", list);
        if (!learner.isEmpty())
            env.writeFile("users/" + learner + ".ini", learnerFile);
        QString error;
        store.loadNames(&error);
    }

private slots:
    // ---- locating ---------------------------------------------------------------

    void local_program_prefers_the_installation_folder()
    {
        TestEnvironment env;
        QDir().mkpath(env.path("install/User"));
        QDir().mkpath(env.path("program/User"));
        QVERIFY(UserStore::locate(nullptr));
        QCOMPARE(Globals::UsersFolder, env.installFolder() + "/User");
        QCOMPARE(Globals::UserDataFolder, Globals::UsersFolder);
        QVERIFY(Globals::UserDataWritable);
        QVERIFY(!Globals::SharedInstall);
        QVERIFY(env.dialogs.boxes.isEmpty());
    }

    void local_program_uses_its_own_user_folder_next()
    {
        TestEnvironment env;
        QDir().mkpath(env.path("program/User"));
        QVERIFY(UserStore::locate(nullptr));
        QCOMPARE(Globals::UserDataFolder, env.programFolder() + "User");
        QVERIFY(Globals::UserDataWritable);
        QVERIFY(!QFileInfo::exists(env.path("install/User")));
    }

    void first_start_creates_the_installation_user_folder()
    {
        TestEnvironment env;
        QDir(env.installFolder()).removeRecursively(); // parents are made too
        QVERIFY(UserStore::locate(nullptr));
        QVERIFY(QFileInfo(env.path("install/User")).isDir());
        QCOMPARE(Globals::UserDataFolder, env.installFolder() + "/User");
        QVERIFY(Globals::UserDataWritable);
    }

    void a_user_folder_that_cannot_be_made_is_reported_and_nothing_is_writable()
    {
        TestEnvironment env;
        env.writeFile("blocker", "a file where a folder should be");
        SystemInfo::setInstallFolderForTests(env.path("blocker/Vandrelsholm Speed Math"));
        QVERIFY(!UserStore::locate(nullptr));
        QCOMPARE(env.dialogs.texts("error"),
                 QStringList({"Folder: " + env.path("blocker/Vandrelsholm Speed Math/User") + "\r\n"
                              + Strings::text(Strings::UnableToCreateFolder)}));
        QVERIFY(!Globals::UserDataWritable);
        QVERIFY(Globals::UsersFolder.isEmpty());
        QVERIFY(Globals::UserDataFolder.isEmpty());
    }

    void shared_installation_without_pointer_file()
    {
        TestEnvironment env;
        const QString network = networkProgramFolder(env);
        env.writeFile("program/User/UserList.ini", "Ann\r\n");
        QVERIFY(UserStore::locate(nullptr));
        QVERIFY(Globals::SharedInstall);
        QCOMPARE(Globals::UsersFolder, network + "User");
        QCOMPARE(Globals::UserDataFolder, network + "User");
        QVERIFY(Globals::UserDataWritable);
        QVERIFY(env.dialogs.boxes.isEmpty());
        // The installation folder is not tried for a program on the network.
        QVERIFY(!QFileInfo::exists(env.path("install/User")));
    }

    void shared_installation_with_pointer_file()
    {
        TestEnvironment env;
        const QString network = networkProgramFolder(env);
        QDir().mkpath(env.path("learners"));
        env.writeFile("program/User/UserList.ini", "Ann\r\n");
        env.writeFile("program/User/QVL.ini",
                      "[UserDirectory]\r\nUserFolder=" + env.path("learners/").toUtf8() + "\r\n");
        QVERIFY(UserStore::locate(nullptr));
        QVERIFY(Globals::SharedInstall);
        QCOMPARE(Globals::UsersFolder, network + "User");
        QCOMPARE(Globals::UserDataFolder, env.path("learners")); // no trailing separator
        QVERIFY(Globals::UserDataWritable);
        QCOMPARE(UserStore::learnerFile("Ann"), env.path("learners/Ann.ini"));
    }

    void pointer_file_naming_a_missing_folder()
    {
        TestEnvironment env;
        networkProgramFolder(env);
        env.writeFile("program/User/UserList.ini", "Ann\r\n");
        env.writeFile("program/User/QVL.ini", "[userdirectory]\r\nuserfolder=/no/such/folder\r\n");
        QVERIFY(UserStore::locate(nullptr));
        QCOMPARE(env.dialogs.texts("error"),
                 QStringList({"Unable to locate user folder specified in QVL.ini as:\r\n/no/such/folder\r\n"
                              "Will not be able to save your performance data."}));
        QVERIFY(!Globals::UserDataWritable);
        QVERIFY(Globals::UserDataFolder.isEmpty());
        QVERIFY(UserStore::learnerFile("Ann").isEmpty());
        QVERIFY(Globals::SharedInstall);

        // Without the key, or with a relative path, the same message.
        env.dialogs.clear();
        env.writeFile("program/User/QVL.ini", "[UserDirectory]\r\n");
        UserStore::locate(nullptr);
        QCOMPARE(env.dialogs.texts("error"),
                 QStringList({"Unable to locate user folder specified in QVL.ini as:\r\n---Could not retrieve---\r\n"
                              "Will not be able to save your performance data."}));
        env.dialogs.clear();
        QDir().mkpath(env.path("program/User/relative"));
        env.writeFile("program/User/QVL.ini", "[UserDirectory]\r\nUserFolder=relative\r\n");
        UserStore::locate(nullptr);
        QCOMPARE(env.dialogs.count("error"), 1);
        QVERIFY(!Globals::UserDataWritable);
    }

    void unreadable_pointer_file_shows_its_error()
    {
        TestEnvironment env;
        networkProgramFolder(env);
        env.writeFile("program/User/UserList.ini", "Ann\r\n");
        QDir().mkpath(env.path("program/User/QVL.ini"));
        QVERIFY(UserStore::locate(nullptr));
        QCOMPARE(env.dialogs.count("error"), 1);
        QVERIFY(env.dialogs.texts("error").constFirst().contains("QVL.ini"));
        QVERIFY(!Globals::UserDataWritable);
        QVERIFY(Globals::UserDataFolder.isEmpty());
    }

    void network_program_without_name_list_locates_nothing()
    {
        TestEnvironment env;
        networkProgramFolder(env);
        QDir().mkpath(env.path("program/User"));
        QDir().mkpath(env.path("install/User"));
        QVERIFY(UserStore::locate(nullptr));
        QVERIFY(!Globals::SharedInstall);
        QVERIFY(!Globals::UserDataWritable);
        QVERIFY(Globals::UsersFolder.isEmpty());
        QVERIFY(Globals::UserDataFolder.isEmpty());
        QVERIFY(UserStore::nameListFile().isEmpty());
        QVERIFY(env.dialogs.boxes.isEmpty());
    }

    // ---- names ------------------------------------------------------------------

    void name_rules_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Problem>("problem");
        QTest::newRow("plain") << "Ann" << Problem::None;
        QTest::newRow("inner blank") << "Ann Lee" << Problem::None;
        QTest::newRow("western letters") << QString::fromUtf8("Zoë O'Brien-Ærø €") << Problem::None;
        QTest::newRow("starts with a dot") << ".Ann" << Problem::None;
        QTest::newRow("empty") << "" << Problem::Empty;
        const QString nine = QStringLiteral("\\/:*?\"<>|");
        for (QChar c : nine)
            QTest::newRow(qPrintable("forbidden " + QString(c))) << "An" + QString(c) + "n" << Problem::ForbiddenCharacter;
        QTest::newRow("forbidden before control") << "a/\tb" << Problem::ForbiddenCharacter;
        QTest::newRow("tab") << "Ann\tLee" << Problem::ControlCharacter;
        QTest::newRow("line break") << "Ann\r\nBob" << Problem::ControlCharacter;
        QTest::newRow("nul") << QString("Ann") + QChar(0) << Problem::ControlCharacter;
        QTest::newRow("delete") << "Ann\x7f" << Problem::ControlCharacter;
        QTest::newRow("C1 control") << QString("Ann") + QChar(0x85) << Problem::ControlCharacter;
        QTest::newRow("not in the code page") << QString::fromUtf8("Łukasz") << Problem::NotInCodePage;
        QTest::newRow("emoji") << QString::fromUtf8("Ann😀") << Problem::NotInCodePage;
        QTest::newRow("leading blank") << " Ann" << Problem::EdgeBlank;
        QTest::newRow("trailing no-break space") << QString("Ann") + QChar(0xA0) << Problem::EdgeBlank;
        QTest::newRow("dot") << "." << Problem::OnlyDots;
        QTest::newRow("dot dot") << ".." << Problem::OnlyDots;
        QTest::newRow("dots and blanks") << ". . ." << Problem::OnlyDots;
        QTest::newRow("name list") << "userlist" << Problem::Reserved;
        QTest::newRow("pointer file") << "QVL" << Problem::Reserved;
        QTest::newRow("longest") << QString(251, 'a') << Problem::None;
        QTest::newRow("one too long") << QString(252, 'a') << Problem::TooLong;
        QTest::newRow("two-byte letters fit") << QString(125, QChar(0xE9)) << Problem::None;      // 250 + 4 bytes
        QTest::newRow("two-byte letters too long") << QString(126, QChar(0xE9)) << Problem::TooLong; // 252 + 4
    }

    void name_rules()
    {
        QFETCH(QString, name);
        QFETCH(Problem, problem);
        const UserStore::NameCheck check = UserStore::checkName(name, false);
        QCOMPARE(check.problem, problem);
        QCOMPARE(check.message.isEmpty(), problem == Problem::None);
        if (problem == Problem::ForbiddenCharacter)
            QCOMPARE(check.message, QStringLiteral("Cannot use \\/:*?\"<>| characters in your name!"));
    }

    void name_messages_say_what_is_wrong()
    {
        QVERIFY(UserStore::checkName(QString::fromUtf8("Łukasz"), false).message.contains(QString::fromUtf8("\"Ł\" (U+0141)")));
        QVERIFY(UserStore::checkName(QString::fromUtf8("😀"), false).message.contains("U+1F600"));
        QVERIFY(UserStore::checkName("QVL", false).message.contains("\"QVL\""));
        // Windows device names are refused where they are devices.
        QCOMPARE(UserStore::checkName("con", true).problem, Problem::Reserved);
        QCOMPARE(UserStore::checkName("LPT9", true).problem, Problem::Reserved);
        QCOMPARE(UserStore::checkName("COM0", true).problem, Problem::None);
        QCOMPARE(UserStore::checkName("Connor", true).problem, Problem::None);
        QCOMPARE(UserStore::checkName("con", false).problem, Problem::None);
    }

    void no_usable_name_addresses_a_file_outside_the_user_data_folder()
    {
        TestEnvironment env;
        useUsersFolder(env);
        const QString folder = QFileInfo(Globals::UserDataFolder).canonicalFilePath();
        const QStringList hostile = {"..", ".", "...", " ..", "../Ann", "..\\Ann", "a/../../b", "/etc/passwd",
                                     "C:\\Windows\\win", "\\\\server\\share", "~/Ann", "Ann\n../x",
                                     QString("..") + QChar(0), QString(300, '.'), QString(400, 'x'),
                                     "UserList", "qvl", "Ann", "Ann Lee", "-rf", "$HOME", "%APPDATA%"};
        for (const QString& name : hostile) {
            if (!UserStore::checkName(name).ok())
                continue;
            const QFileInfo file(UserStore::learnerFile(name));
            QVERIFY2(QFileInfo(file.absolutePath()).canonicalFilePath() == folder, qPrintable(name));
            QCOMPARE(file.fileName(), name + ".ini");
        }
        // And the store refuses to sign such a name in, whatever the caller does.
        UserStore store;
        QVERIFY(!store.signIn("../Ann", nullptr).accepted);
        QVERIFY(!store.signIn("..", nullptr).accepted);
        QVERIFY(Globals::UserName.isEmpty());
        QVERIFY(QDir(env.path("users")).isEmpty());
    }

    // ---- the name list ------------------------------------------------------------

    void name_list_is_sorted_crlf_windows_1252()
    {
        TestEnvironment env;
        useUsersFolder(env);
        UserStore store;
        QString error;
        QCOMPARE(store.loadNames(&error), UserStore::LoadResult::NoFile);
        for (const QString& name : {QStringLiteral("bob"), QString::fromUtf8("Zoë"), QStringLiteral("Ann"),
                                    QStringLiteral("ann"), QStringLiteral("Bob")})
            store.addName(name);
        // A name that differs only in letter case is the same learner.
        QCOMPARE(store.names(), QStringList({"Ann", "bob", QString::fromUtf8("Zoë")}));
        QVERIFY(store.saveNames(&error));
        QCOMPARE(env.readFile("users/UserList.ini"), QByteArray("Ann\r\nbob\r\nZo\xEB\r\n"));
    }

    void name_list_with_blank_lines_and_other_line_ends()
    {
        TestEnvironment env;
        useUsersFolder(env);
        env.writeFile("users/UserList.ini", "\r\n\r\n   \r\n\t\r\nCarl\nann\rBob\r\n\r\nBob\r\nAnn");
        UserStore store;
        QString error;
        QCOMPARE(store.loadNames(&error), UserStore::LoadResult::Loaded);
        QCOMPARE(store.names(), QStringList({"Ann", "ann", "Bob", "Carl"}));
        QVERIFY(store.keptLines().isEmpty());
        QCOMPARE(store.indexOf("ann"), 1); // the exact name first
        QCOMPARE(store.indexOf("ANN"), 0);
        QCOMPARE(store.indexOf("Dora"), -1);
    }

    void unreadable_name_list()
    {
        TestEnvironment env;
        useUsersFolder(env);
        UserStore store;
        QString error;
        QDir().mkpath(env.path("users/UserList.ini"));
        QCOMPARE(store.loadNames(&error), UserStore::LoadResult::Failed);
        QVERIFY(error.contains("it is not a file"));
        QDir(env.path("users/UserList.ini")).removeRecursively();
        env.writeFile("users/UserList.ini", QByteArray(UserStore::MaxListFileSize + 1, 'a'));
        QCOMPARE(store.loadNames(&error), UserStore::LoadResult::Failed);
        QVERIFY(error.contains("larger than 1 MB"));
        QVERIFY(store.names().isEmpty());
    }

    // ---- signing in and removing ------------------------------------------------------

    void a_name_in_other_letters_signs_in_the_listed_learner()
    {
        TestEnvironment env;
        UserStore store;
        prepare(env, store, "Ann\r\nBob\r\n", "Bob", "[GradePrefs]\r\nUserLevel=3\r\nLowerAmber=80\r\nUpperAmber=94\r\n");
        const UserStore::SignInResult bob = store.signIn("bOB", nullptr);
        QCOMPARE(bob.name, QStringLiteral("Bob"));
        QVERIFY(!bob.newLearner);
        QCOMPARE(Globals::UserIniFile, env.path("users/Bob.ini"));
        QCOMPARE(Globals::LowerAmber, quint8(80));
        QCOMPARE(env.readFile("users/UserList.ini"), QByteArray("Ann\r\nBob\r\n")); // untouched
    }
    void a_name_list_that_cannot_be_saved_ends_saving_for_the_run()
    {
        TestEnvironment env;
        UserStore store;
        prepare(env, store, QByteArray());
        QDir().mkpath(env.path("users/UserList.ini")); // a folder in the way
        QVERIFY(store.signIn("Ann", nullptr).accepted);
        QCOMPARE(env.dialogs.count("error"), 1);
        QVERIFY(env.dialogs.texts("error").constFirst().startsWith("Unable to save the list of names"));
        QVERIFY(!Globals::UserDataWritable);
        QCOMPARE(Globals::UserName, QStringLiteral("Ann"));
    }

    void removing_trashes_the_files_now_and_the_list_line_at_the_next_sign_in()
    {
        TestEnvironment env;
        UserStore store;
        prepare(env, store, "Ann\r\nBob\r\n", "Ann", "[GradePrefs]\r\nUserLevel=2\r\n");
        env.writeFile("users/Bob.ini", "[Addition]\r\nTotal=5\r\n");
        store.signIn("Ann", nullptr);

        UserStore again; // Switch User
        QString error;
        again.loadNames(&error);
        QVERIFY(!again.removeLearner("Carl"));
        env.writeFile("users/Bob.review.csv", "misses");
        QVERIFY(again.removeLearner("Bob"));
        QVERIFY(!QFileInfo::exists(env.path("users/Bob.ini")));
        QCOMPARE(env.readFile("trash/Bob.ini"), QByteArray("[Addition]\r\nTotal=5\r\n"));
        QCOMPARE(env.readFile("trash/Bob.review.csv"), QByteArray("misses"));
        QVERIFY(QFileInfo::exists(env.path("users/Ann.ini")));
        QVERIFY(again.listChanged());
        QCOMPARE(env.readFile("users/UserList.ini"), QByteArray("Ann\r\nBob\r\n"));
        // The same learner signs in again: nothing is read, but the removal is kept.
        QVERIFY(!again.signIn("Ann", nullptr).newLearner);
        QCOMPARE(env.readFile("users/UserList.ini"), QByteArray("Ann\r\n"));
        QVERIFY(!again.listChanged());
    }

    void a_learner_who_removed_their_own_name_starts_afresh()
    {
        TestEnvironment env;
        UserStore store;
        prepare(env, store, "Ann\r\n", "Ann", "[GradePrefs]\r\nUserLevel=3\r\nLowerAmber=80\r\nUpperAmber=94\r\n");
        store.signIn("Ann", nullptr);
        QCOMPARE(Globals::UserLevel, quint8(3));
        QVERIFY(store.removeLearner("Ann"));
        QVERIFY(store.signIn("Ann", nullptr).newLearner);
        QCOMPARE(Globals::UserLevel, quint8(1));
        QCOMPARE(env.readFile("users/UserList.ini"), QByteArray("Ann\r\n"));
    }

    // ---- preferences --------------------------------------------------------------------

    void preferences_missing_or_nonsense_read_as_defaults()
    {
        TestEnvironment env;
        env.signIn("Ann");
        env.writeFile("users/Ann.ini", "[Addition]\r\nTotal=4\r\n");
        Globals::UserLevel = 0;
        Globals::GreetingsOn = false;
        const auto grading = [] {
            return QList<int>{Globals::UserLevel, Globals::LowerAmber, Globals::UpperAmber,
                              Globals::CustomLowerAmber, Globals::CustomUpperAmber};
        };
        LoadPreferences();
        QCOMPARE(grading(), QList<int>({1, 50, 74, 50, 74}));
        QVERIFY(Globals::GreetingsOn && Globals::IdleMusicOn && Globals::PracticeSoundsOn);

        env.writeFile("users/Ann.ini", "[GradePrefs]\r\nUserLevel=9\r\nLowerAmber=300\r\nUpperAmber=abc\r\n"
                                       "CustomLowerAmber=-5\r\nCustomUpperAmber=$5A\r\n"
                                       "[PlaySounds]\r\nIdleMusic=0\r\nPracticeSounds=x\r\n");
        LoadPreferences();
        QCOMPARE(grading(), QList<int>({1, 50, 74, 50, 90}));
        QVERIFY(!Globals::IdleMusicOn);
        QVERIFY(Globals::PracticeSoundsOn);
        QVERIFY(env.dialogs.boxes.isEmpty());
    }

    void preferences_are_saved_beside_the_other_sections()
    {
        TestEnvironment env;
        env.signIn("Ann");
        env.writeFile("users/Ann.ini", "[Addition]\r\nTotal=4\r\n; a note\r\n");
        Globals::UserLevel = 4;
        Globals::LowerAmber = 60;
        Globals::UpperAmber = 70;
        Globals::IdleMusicOn = false;
        QVERIFY(SavePreferences());
        QCOMPARE(env.readFile("users/Ann.ini"),
                 QByteArray("[Addition]\r\nTotal=4\r\n; a note\r\n"
                            "[GradePrefs]\r\nUserLevel=4\r\nLowerAmber=60\r\nUpperAmber=70\r\n"
                            "CustomLowerAmber=50\r\nCustomUpperAmber=74\r\n"
                            "[PlaySounds]\r\nOpeningClosingGreetings=1\r\nIdleMusic=0\r\nPracticeSounds=1\r\n"));
        DefaultPreferences();
        LoadPreferences();
        QCOMPARE(Globals::UserLevel, quint8(4));
        QCOMPARE(Globals::UpperAmber, quint8(70));
        QVERIFY(!Globals::IdleMusicOn);

        // Without a writable folder nothing is written and nothing is said.
        const QByteArray saved = env.readFile("users/Ann.ini");
        Globals::UserDataWritable = false;
        Globals::UserLevel = 2;
        QVERIFY(!SavePreferences());
        QCOMPARE(env.readFile("users/Ann.ini"), saved);
        QVERIFY(env.dialogs.boxes.isEmpty());
    }

    void unreadable_learner_file_is_reported_and_kept()
    {
        TestEnvironment env;
        env.signIn("Ann");
        QDir().mkpath(env.path("users/Ann.ini"));
        Globals::UserLevel = 3;
        LoadPreferences();
        QCOMPARE(Globals::UserLevel, quint8(1));
        QCOMPARE(env.dialogs.count("error"), 1);
        QVERIFY(!SavePreferences());
        QCOMPARE(env.dialogs.count("error"), 2);
        QVERIFY(QFileInfo(env.path("users/Ann.ini")).isDir());
    }
};

QTEST_MAIN(TestUserStore)
#include "tst_UserStore.moc"
