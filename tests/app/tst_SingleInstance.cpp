#include <QtTest>

#include <QProcess>
#include <QTemporaryDir>

// Two real processes of the program: the second start ends at once and the
// first one is asked to come to the front.
class TestSingleInstance : public QObject
{
    Q_OBJECT
private:
    static QString programPath() { return QStringLiteral(VSM_BINARY_DIR "/vandrelsholm-speed-math"); }

    static QProcessEnvironment environment(const QTemporaryDir& dir)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QT_LOGGING_RULES", "vsm.multinst.debug=true");
        env.insert("TMPDIR", dir.path()); // lock file and socket of this test only
        env.insert("HOME", dir.path());
        env.insert("XDG_DATA_HOME", dir.filePath("data"));
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        env.insert("XDG_RUNTIME_DIR", dir.path());
        return env;
    }

private slots:
    void second_start_ends_and_raises_the_first()
    {
        QVERIFY(QFile::exists(programPath()));
        QTemporaryDir dir;
        QProcess first;
        first.setProcessEnvironment(environment(dir));
        first.setProcessChannelMode(QProcess::SeparateChannels);
        first.start(programPath(), {});
        QVERIFY(first.waitForStarted(10000));
        // The first instance holds its lock once it is up.
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(dir.path()).entryList({"ZRVandrelsholm-*.lock"}, QDir::Files).isEmpty(), 20000);
        QTest::qWait(300);
        QCOMPARE(first.state(), QProcess::Running);

        QProcess second;
        second.setProcessEnvironment(environment(dir));
        second.start(programPath(), {});
        QVERIFY(second.waitForFinished(15000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);

        QByteArray log;
        QTRY_VERIFY_WITH_TIMEOUT((log += first.readAllStandardError()).contains("raise request received"), 10000);
        QCOMPARE(first.state(), QProcess::Running);

        first.terminate();
        if (!first.waitForFinished(5000)) {
            first.kill();
            first.waitForFinished(5000);
        }

        // With the first instance gone, its lock does not keep a new start out.
        QProcess third;
        third.setProcessEnvironment(environment(dir));
        third.start(programPath(), {});
        QVERIFY(third.waitForStarted(10000));
        QVERIFY(!third.waitForFinished(3000)); // still running: it is the only instance
        third.kill();
        third.waitForFinished(5000);
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_SingleInstance.moc"
