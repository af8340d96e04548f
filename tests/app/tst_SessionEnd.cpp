#include <QtTest>

#include <QAbstractButton>
#include <QProcess>
#include <QTemporaryDir>

#include "../practice/PracticeTestSupport.h"
#include "ScreenTesting.h"
#include "platform/IniFile.h"
#include "shell/Globals.h"

#ifdef Q_OS_UNIX
#include <csignal>
#endif

// Ending the program from outside is a close: the open screen saves its
// section, then the program ends. The real program, driven as a learner by
// a test plugin, is told to end with SIGTERM; in this process, the session's
// end closes a practice screen in the middle of a problem.
class TestSessionEnd : public QObject
{
    Q_OBJECT
private:
    static QString programPath() { return QStringLiteral(VSM_BINARY_DIR "/vandrelsholm-speed-math"); }

private slots:
    void sigterm_saves_the_open_screen_then_ends_data()
    {
        QTest::addColumn<bool>("stopped");
        QTest::newRow("while practising") << false;
        QTest::newRow("after STOP") << true;
    }
    void sigterm_saves_the_open_screen_then_ends()
    {
#ifndef Q_OS_UNIX
        QSKIP("signals are Unix's");
#else
        QFETCH(bool, stopped);
        QTemporaryDir dir;
        const QString users = dir.filePath("data/Vandrelsholm Speed Math/User");
        QVERIFY(QDir().mkpath(users));
        QDir().mkpath(dir.filePath("runtime"));
        QFile::setPermissions(dir.filePath("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile list(users + "/UserList.ini");
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("Kim\r\n");
        list.close();
        // Kim has counted 5 questions; the answer comes 1.5 s after each
        // question, the next question 5 s after that.
        IniFile before(users + "/Kim.ini");
        before.writeInteger("Addition", "Total", 5);
        before.writeInteger("Addition", "Correct", 4);
        before.writeInteger("Addition", "AnswerPosition", 10);
        before.writeInteger("Addition", "QuestionPosition", 20);
        before.writeBool("PlaySounds", "OpeningClosingGreetings", false);
        before.writeBool("PlaySounds", "IdleMusic", false);
        before.writeBool("PlaySounds", "PracticeSounds", false);
        QVERIFY(before.save());

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("HOME", dir.path());
        env.insert("XDG_DATA_HOME", dir.filePath("data"));
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        env.insert("XDG_RUNTIME_DIR", dir.filePath("runtime"));
        env.insert("QT_PLUGIN_PATH", VSM_DRIVER_PLUGIN_DIR);
        env.insert("QT_QPA_GENERIC_PLUGINS", "vsmsessiondriver");
        env.insert("VSM_DRIVER_MENU", "mnuAddition");
        env.insert("VSM_DRIVER_STOP", stopped ? "1" : "0");
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(programPath(), {});
        QVERIFY(program.waitForStarted(10000));
        QByteArray log;
        QTRY_VERIFY2_WITH_TIMEOUT((log += program.readAllStandardError()).contains("vsm-driver ready")
                                      || program.state() != QProcess::Running,
                                  log, 60000);
        QVERIFY2(log.contains("vsm-driver opened 5\n") && log.contains("vsm-driver answered 6\n"), log);
        QVERIFY(::kill(pid_t(program.processId()), SIGTERM) == 0);
        QVERIFY2(program.waitForFinished(30000), log);
        log += program.readAllStandardError();
        QVERIFY2(program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0, log);

        // The answer counted is kept; the question shown when the signal
        // came is not counted.
        const IniFile after(users + "/Kim.ini");
        QCOMPARE(after.readInteger("Addition", "Total", -1), 6);
        QCOMPARE(after.readInteger("Addition", "Correct", -1), 5);
        QCOMPARE(after.readInteger("Addition", "AnswerPosition", -1), 10);
        // A run ended by STOP is in the practice history; one cut short is not.
        const QStringList files = stopped ? QStringList({"Kim.history.csv", "Kim.ini", "UserList.ini"})
                                          : QStringList({"Kim.ini", "UserList.ini"});
        QCOMPARE(QDir(users).entryList(QDir::Files | QDir::Hidden), files);
#endif
    }

    // A problem half worked when the session ends: the screen closes and
    // saves as it stood before the problem; the problem is not counted.
    void session_end_closes_a_screen_in_the_middle_of_a_problem()
    {
        PracticeSeams seams;
        OpenedScreen<ChildForm> screen("mnuSquareRoot", "[SquareRoot]\r\nOption=2\r\nTotal=7\r\nCorrect=3\r\n");
        QVERIFY(screen.form);
        screen.form->findChild<QAbstractButton*>("BitBtnPlay")->click();
        QVERIFY(Globals::Practising);
        typeDigits(screen.form, "12");
        // The learner could not close it; the session's end does.
        QVERIFY(!screen.form->closeForm());
        screen.env.dialogs.clear();
        QPointer<ChildForm> form = screen.form;
        screen.main.endSession();
        QVERIFY(form.isNull() || form->isClosed());
        QVERIFY(screen.main.childForms().isEmpty());
        QVERIFY(screen.env.dialogs.boxes.isEmpty());
        const IniFile after(Globals::UserIniFile);
        QCOMPARE(after.readInteger("SquareRoot", "Total", -1), 7);
        QCOMPARE(after.readInteger("SquareRoot", "Correct", -1), 3);
        QCOMPARE(after.readInteger("SquareRoot", "Option", -1), 2);
        // The main window closes then, with no farewell prompt, and tells the
        // help viewer to quit.
        screen.env.sounds.clear();
        screen.env.help.clear();
        QVERIFY(screen.main.close());
        QVERIFY(!screen.env.sounds.calls.contains("resource SEEYALATER sync"));
        QVERIFY(screen.env.dialogs.boxes.isEmpty());
        QCOMPARE(screen.env.help.requests.size(), 1);
        QCOMPARE(screen.env.help.requests.constFirst().command, unsigned(Help::HELP_QUIT));
    }
};

QTEST_MAIN(TestSessionEnd)
#include "tst_SessionEnd.moc"
