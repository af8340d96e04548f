#include <QtTest>

#include <QDir>

#include "ReportTesting.h"
#include "platform/FileSaver.h"
#include "platform/IniFile.h"
#include "records/Scores.h"
#include "shell/Globals.h"

using namespace ReportTesting;

namespace {

const QString Question = QStringLiteral("Do you really want to reset ALL your scores to 0?");
const QString Completed = QStringLiteral("Completed resetting Correct and Total to zero");
const QString Nothing = QStringLiteral("There were no scores to set to zero");

void resetFromMenu(TfrmMain& main)
{
    main.menuItem(QStringLiteral("mnuResetScores"))->trigger();
}

} // namespace

class TestResetScores : public QObject
{
    Q_OBJECT
private slots:
    void resets_counts_and_keeps_everything_else()
    {
        Session s(QStringLiteral("Ann"), true);
        TestEnvironment& env = s.env;
        TfrmMain& main = s.main;
        env.sounds.clear();
        resetFromMenu(main);

        QCOMPARE(env.dialogs.texts("confirm"), QStringList{Question});
        QCOMPARE(env.dialogs.texts("information"), QStringList{Completed});
        QCOMPARE(env.dialogs.count("error"), 0);
        // No window, menus untouched.
        QVERIFY(main.childForms().isEmpty());
        QVERIFY(menusEnabled(main));
        QVERIFY(env.sounds.calls.isEmpty());

        // Line for line the same file, with the counts at 0 where they were.
        QByteArray expected = learnerFile();
        expected.replace("Total=50\r\nCorrect=37", "Total=0\r\nCorrect=0");
        expected.replace("Total=3\r\nCorrect=1", "Total=0\r\nCorrect=0");
        expected.replace("Total=10\r\nCorrect=9", "Total=0\r\nCorrect=0");
        expected.replace("Total=40\r\nCorrect=12", "Total=0\r\nCorrect=0");
        QCOMPARE(env.readFile(QStringLiteral("users/Ann.ini")), expected);
        QVERIFY(QDir(env.path(QStringLiteral("users"))).entryList(QDir::Files) == QStringList{"Ann.ini"});

        // The report shows zeros everywhere and an overall 0.
        auto* form = openFromMenu<TScoresForm>(main, QStringLiteral("mnuScores"));
        QVERIFY(form);
        const QString text = box(form)->toPlainText();
        QCOMPARE(text.count(QStringLiteral("         0         0    0")), 20);
        QVERIFY(text.contains(QStringLiteral("Overall percentage :    0 %")));
    }

    void no_answer_changes_nothing()
    {
        Session s(QStringLiteral("Ann"), true);
        TestEnvironment& env = s.env;
        TfrmMain& main = s.main;
        env.dialogs.confirmAnswers = {false};
        resetFromMenu(main);
        QCOMPARE(env.dialogs.texts("confirm"), QStringList{Question});
        QCOMPARE(env.dialogs.boxes.size(), 1);
        QCOMPARE(env.readFile(QStringLiteral("users/Ann.ini")), learnerFile());
    }

    void only_the_keys_a_section_has()
    {
        Session s(QStringLiteral("Ann"));
        TestEnvironment& env = s.env;
        // Correct without Total; keys in another letter case; a value that is
        // no number; a section of a screen the program does not know.
        const QByteArray file = "[GradePrefs]\r\nUserLevel=3\r\nLowerAmber=80\r\nUpperAmber=94\r\n\r\n"
                                "[Halving]\r\nCorrect=7\r\nAnswerPosition=5\r\n\r\n"
                                "[SquareRoot]\r\ntotal=12\r\nCORRECT=0\r\nTime3=0.001\r\n\r\n"
                                "[Doubling]\r\nTotal=lots\r\nCorrect=-1\r\nOption=3\r\n\r\n"
                                "[SomeOtherScreen]\r\nTotal=4\r\nTime1=2\r\n";
        env.writeFile(QStringLiteral("users/Ann.ini"), file);
        TfrmMain& main = s.main;
        resetFromMenu(main);
        QCOMPARE(env.dialogs.texts("information"), QStringList{Completed});
        const IniFile ini(Globals::UserIniFile);
        QVERIFY(!ini.valueExists(QStringLiteral("Halving"), QStringLiteral("Total")));
        QCOMPARE(ini.readInteger(QStringLiteral("Halving"), QStringLiteral("Correct"), -1), 0);
        QCOMPARE(ini.readInteger(QStringLiteral("Halving"), QStringLiteral("AnswerPosition"), -1), 5);
        QCOMPARE(ini.readInteger(QStringLiteral("SquareRoot"), QStringLiteral("Total"), -1), 0);
        QCOMPARE(ini.readInteger(QStringLiteral("Doubling"), QStringLiteral("Total"), -1), 0);
        QCOMPARE(ini.readInteger(QStringLiteral("Doubling"), QStringLiteral("Correct"), -1), 0);
        QCOMPARE(ini.readInteger(QStringLiteral("Doubling"), QStringLiteral("Option"), -1), 3);
        QCOMPARE(ini.readInteger(QStringLiteral("SomeOtherScreen"), QStringLiteral("Total"), -1), 0);
        QCOMPARE(ini.readString(QStringLiteral("SomeOtherScreen"), QStringLiteral("Time1")), QStringLiteral("2"));
        QCOMPARE(ini.readString(QStringLiteral("SquareRoot"), QStringLiteral("Time3")), QStringLiteral("0.001"));
        QCOMPARE(ini.sections(), QStringList({"GradePrefs", "Halving", "SquareRoot", "Doubling", "SomeOtherScreen"}));
        QCOMPARE(ini.keys(QStringLiteral("GradePrefs")), QStringList({"UserLevel", "LowerAmber", "UpperAmber"}));
        QCOMPARE(ini.readInteger(QStringLiteral("GradePrefs"), QStringLiteral("UserLevel"), -1), 3);
        // The lines without scores are as they were.
        const QByteArray after = env.readFile(QStringLiteral("users/Ann.ini"));
        QVERIFY(after.startsWith("[GradePrefs]\r\nUserLevel=3\r\nLowerAmber=80\r\nUpperAmber=94\r\n\r\n[Halving]\r\n"));
        QVERIFY(after.contains("Time3=0.001\r\n"));
    }

    void only_preference_sections_still_complete()
    {
        Session s(QStringLiteral("Ann"));
        TestEnvironment& env = s.env;
        const QByteArray file = "[GradePrefs]\r\nUserLevel=1\r\n[PlaySounds]\r\nIdleMusic=0\r\n";
        env.writeFile(QStringLiteral("users/Ann.ini"), file);
        TfrmMain& main = s.main;
        resetFromMenu(main);
        QCOMPARE(env.dialogs.texts("information"), QStringList{Completed});
        QCOMPARE(env.readFile(QStringLiteral("users/Ann.ini")), file);
    }

    void no_file_or_no_sections_means_no_scores()
    {
        Session s(QStringLiteral("Ann"));
        TestEnvironment& env = s.env;
        TfrmMain& main = s.main;
        resetFromMenu(main);
        QCOMPARE(env.dialogs.texts("confirm"), QStringList{Question});
        QCOMPARE(env.dialogs.texts("information"), QStringList{Nothing});
        QVERIFY(!QFile::exists(Globals::UserIniFile));   // no file made

        env.dialogs.clear();
        env.writeFile(QStringLiteral("users/Ann.ini"), "; just a comment\r\nstray=line\r\n");
        resetFromMenu(main);
        QCOMPARE(env.dialogs.texts("information"), QStringList{Nothing});
        QCOMPARE(env.readFile(QStringLiteral("users/Ann.ini")), QByteArray("; just a comment\r\nstray=line\r\n"));
    }

    void refuses_where_nothing_can_be_written()
    {
        Session s(QStringLiteral("Ann"), true);
        TestEnvironment& env = s.env;
        Globals::UserDataWritable = false;
        TfrmMain& main = s.main;
        resetFromMenu(main);
        QCOMPARE(env.dialogs.count("confirm"), 0);
        QCOMPARE(env.dialogs.texts("information"),
                 QStringList{QStringLiteral("Folder: ") + env.path(QStringLiteral("users"))
                             + QStringLiteral("\r\n\r\nUnable to save your performance data in folder above.\r\n"
                                              "Your hard disk may be full, or you may have system errors.")});
        QCOMPARE(env.readFile(QStringLiteral("users/Ann.ini")), learnerFile());
    }

    void read_and_save_failures_lose_nothing()
    {
        Session s(QStringLiteral("Ann"), true);
        TestEnvironment& env = s.env;
        TfrmMain& main = s.main;

        // The new file cannot take the old one's place: the old one stays.
        FileSaver::setFailureForTests([](const QString&) { return FileSaver::diskFullText(); });
        resetFromMenu(main);
        FileSaver::setFailureForTests({});
        QCOMPARE(env.dialogs.count("error"), 1);
        QVERIFY(!env.dialogs.texts("error")[0].isEmpty());
        QCOMPARE(env.dialogs.count("information"), 0);
        QCOMPARE(env.readFile(QStringLiteral("users/Ann.ini")), learnerFile());
        QCOMPARE(QDir(env.path(QStringLiteral("users"))).entryList(QDir::Files), QStringList{"Ann.ini"});

        // A learner "file" that cannot be read is reported and left alone.
        env.dialogs.clear();
        Globals::UserIniFile = env.path(QStringLiteral("users/Folder.ini"));
        QVERIFY(QDir().mkpath(Globals::UserIniFile));
        resetFromMenu(main);
        QCOMPARE(env.dialogs.count("error"), 1);
        QVERIFY2(env.dialogs.texts("error")[0].contains(QStringLiteral("Folder.ini")),
                 qPrintable(env.dialogs.texts("error")[0]));
        QCOMPARE(env.dialogs.count("information"), 0);
        QVERIFY(QFileInfo(Globals::UserIniFile).isDir());
    }
};

QTEST_MAIN(TestResetScores)
#include "tst_ResetScores.moc"
