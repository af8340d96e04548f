#include <QtTest>

#include <QProcess>
#include <QTemporaryDir>

// Real processes of the program: the second start ends at once and the
// first one is asked to come to the front. The lock and the socket live in
// the user's private runtime folder; a lock no running instance holds does
// not keep the program from starting.
class TestSingleInstance : public QObject
{
    Q_OBJECT
private:
    static QString programPath() { return QStringLiteral(VSM_BINARY_DIR "/vandrelsholm-speed-math"); }

    // "<dir>/runtime" is the private runtime folder, "<dir>/tmp" the shared
    // temporary folder.
    static QProcessEnvironment environment(const QTemporaryDir& dir)
    {
        QDir(dir.path()).mkpath(QStringLiteral("runtime"));
        QDir(dir.path()).mkpath(QStringLiteral("tmp"));
        QFile::setPermissions(dir.filePath("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QT_LOGGING_RULES", "vsm.multinst.debug=true");
        env.insert("USER", "tester");
        env.insert("TMPDIR", dir.filePath("tmp"));
        env.insert("XDG_RUNTIME_DIR", dir.filePath("runtime"));
        env.insert("HOME", dir.path());
        env.insert("XDG_DATA_HOME", dir.filePath("data"));
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        return env;
    }
    static QString lockFile(const QTemporaryDir& dir) { return dir.filePath("runtime/ZRVandrelsholm-tester.lock"); }

    static void start(QProcess& process, const QTemporaryDir& dir)
    {
        process.setProcessEnvironment(environment(dir));
        process.start(programPath(), {});
        QVERIFY(process.waitForStarted(10000));
    }
    // A start that becomes the running instance: it takes the lock, listens
    // on its socket and stays.
    static void startFirst(QProcess& process, const QTemporaryDir& dir)
    {
        start(process, dir);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(dir.filePath("runtime/ZRVandrelsholm-tester")), 20000);
        QVERIFY(QFileInfo(lockFile(dir)).size() > 0);
        QVERIFY(!process.waitForFinished(1000));
    }
    // A start while another instance runs: it ends at once, and the running
    // one hears the request to come to the front.
    static void startSecond(const QTemporaryDir& dir, QProcess& first)
    {
        QProcess second;
        start(second, dir);
        QVERIFY(second.waitForFinished(15000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QByteArray log;
        QTRY_VERIFY_WITH_TIMEOUT((log += first.readAllStandardError()).contains("raise request received"), 10000);
        QCOMPARE(first.state(), QProcess::Running);
    }
    static void stop(QProcess& process)
    {
        process.kill();
        process.waitForFinished(5000);
    }

private slots:
    void second_start_ends_and_raises_the_first()
    {
        QVERIFY(QFile::exists(programPath()));
        QTemporaryDir dir;
        QProcess first;
        startFirst(first, dir);
        // Nothing in the shared temporary folder.
        QCOMPARE(QDir(dir.filePath("tmp")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                 QStringList());

        startSecond(dir, first);

        // Even with its lock file emptied, the running instance holds the lock.
        QFile lock(lockFile(dir));
        QVERIFY(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
        lock.close();
        startSecond(dir, first);

        first.terminate();
        if (!first.waitForFinished(5000))
            stop(first);
    }

    // What another account, a kill while the lock was written, or an
    // instance that has ended may leave behind.
    void leftover_locks_do_not_keep_the_program_out_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty lock") << "runtime" << QByteArray();
        QTest::newRow("damaged lock") << "runtime" << QByteArray("\x01\x02 not a lock\n");
        QTest::newRow("lock of an ended process") << "runtime" << QByteArray("2147483646\nvandrelsholm-speed-math\n\n");
        QTest::newRow("lock in the shared temporary folder") << "tmp" << QByteArray();
    }
    void leftover_locks_do_not_keep_the_program_out()
    {
        QFETCH(QString, where);
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        environment(dir);
        QFile lock(dir.filePath(where + "/ZRVandrelsholm-tester.lock"));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(content);
        lock.close();

        QProcess first;
        startFirst(first, dir);
        // And it is the one instance: a second start ends.
        startSecond(dir, first);
        stop(first);
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_SingleInstance.moc"
