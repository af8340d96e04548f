#include <QtTest>

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>

#include "TestEnvironment.h"
#include "app/multinst.h"
#include "shell/UserStore.h"

#include <cstdio>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

// One instance on the learners' files, whatever the environment of each
// start. Real processes of the program: a second start, in the same
// environment or another (no runtime folder, a read-only one), ends at once
// and the running one is asked to come to the front; a lock no running
// instance holds does not keep the program out. In this process: a lock held
// by an instance that cannot be reached, or something else in the lock's
// place, is told in an error box instead of ending without a word.
namespace {

// A child that holds the lock file given until it is killed.
int holdLock(const QString& path)
{
    QLockFile lock(path);
    if (!lock.tryLock(0))
        return 3;
    std::puts("held");
    std::fflush(stdout);
    for (;;)
        QThread::sleep(60);
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT
private:
    static QString programPath() { return QStringLiteral(VSM_BINARY_DIR "/vandrelsholm-speed-math"); }

    // "<dir>/data" holds the learners' files of every start; each start has
    // its own runtime folder "<dir>/runtime-<n>" and temporary folder.
    // runtime: "private" (a folder of its own), "unset" (none named), "read-only".
    static QProcessEnvironment environment(const QTemporaryDir& dir, int n, const QString& runtime)
    {
        const QString own = QStringLiteral("runtime-%1").arg(n);
        QDir(dir.path()).mkpath(own);
        QDir(dir.path()).mkpath(QStringLiteral("tmp-%1").arg(n));
        QFile::setPermissions(dir.filePath(own), runtime == "read-only"
                                                     ? QFile::ReadOwner | QFile::ExeOwner
                                                     : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("QT_LOGGING_RULES", "vsm.multinst.debug=true");
        env.insert("USER", "tester");
        env.insert("TMPDIR", dir.filePath(QStringLiteral("tmp-%1").arg(n)));
        env.remove("XDG_RUNTIME_DIR");
        if (runtime != "unset")
            env.insert("XDG_RUNTIME_DIR", dir.filePath(own));
        env.insert("HOME", dir.path());
        env.insert("XDG_DATA_HOME", dir.filePath("data"));
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        return env;
    }
    static QString dataHome(const QTemporaryDir& dir) { return dir.filePath("data/Vandrelsholm Speed Math"); }
    static QString lockFile(const QTemporaryDir& dir) { return dataHome(dir) + "/ZRVandrelsholm.lock"; }
    static QString serverNameFile(const QTemporaryDir& dir) { return dataHome(dir) + "/ZRVandrelsholm.socket"; }

    static void start(QProcess& process, const QProcessEnvironment& env)
    {
        process.setProcessEnvironment(env);
        process.start(programPath(), {});
        QVERIFY(process.waitForStarted(10000));
    }
    // What a process wrote and how it ended, for a failure message.
    static QByteArray account(QProcess& process)
    {
        return "state " + QByteArray::number(process.state()) + ", exit code " + QByteArray::number(process.exitCode())
               + (process.exitStatus() == QProcess::CrashExit ? " (crashed)" : "") + ", error output:\n"
               + process.readAllStandardError();
    }
    // A start that becomes the running instance: it takes the lock, listens
    // on its socket, names it beside the lock and stays.
    static void startFirst(QProcess& process, const QProcessEnvironment& env, const QTemporaryDir& dir)
    {
        start(process, env);
        const auto named = [&dir] {
            QFile file(serverNameFile(dir));
            return file.open(QIODevice::ReadOnly) ? QFile::decodeName(file.readAll()) : QString();
        };
        QTRY_VERIFY2_WITH_TIMEOUT((!named().isEmpty() && QFileInfo(named()).exists()) || process.state() != QProcess::Running,
                                  account(process), 20000);
        QVERIFY2(process.state() == QProcess::Running, account(process));
        QVERIFY(QFileInfo(lockFile(dir)).size() > 0);
        QVERIFY2(!process.waitForFinished(1000), account(process));
    }
    // A start while another instance runs: it ends at once, without a
    // window, and the running one hears the request to come to the front.
    static void startSecond(const QProcessEnvironment& env, QProcess& first)
    {
        QProcess second;
        start(second, env);
        QVERIFY2(second.waitForFinished(30000), account(second));
        QVERIFY2(second.exitStatus() == QProcess::NormalExit && second.exitCode() == 0, account(second));
        QByteArray log;
        QTRY_VERIFY_WITH_TIMEOUT((log += first.readAllStandardError()).contains("raise request received"), 10000);
        QVERIFY2(first.state() == QProcess::Running, account(first));
    }
    static void stop(QProcess& process)
    {
        process.kill();
        process.waitForFinished(10000);
    }

    // A child process of this test that holds the lock file; as another
    // account when that account's user id is given (root only).
    static bool holdLockIn(QProcess& holder, const QString& path, unsigned account = 0)
    {
#ifdef Q_OS_UNIX
        if (account != 0)
            holder.setChildProcessModifier([account] {
                if (::setgid(account) != 0 || ::setuid(account) != 0)
                    ::_exit(4);
            });
#else
        Q_UNUSED(account);
#endif
        holder.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold-lock"), path});
        return holder.waitForReadyRead(20000) && holder.readAll().contains("held");
    }

private slots:
    void second_start_raises_the_first_whatever_its_environment_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("same kind of environment") << "private" << "private";
        QTest::newRow("second without a runtime folder") << "private" << "unset";
        QTest::newRow("second with a read-only runtime folder") << "private" << "read-only";
        QTest::newRow("first without a runtime folder") << "unset" << "private";
    }
    void second_start_raises_the_first_whatever_its_environment()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QVERIFY(QFile::exists(programPath()));
        QTemporaryDir dir;
        QProcess running;
        startFirst(running, environment(dir, 1, first), dir);
        startSecond(environment(dir, 2, second), running);

        // Even with its lock file emptied, the running instance holds the lock.
        if (first == second) {
            QFile lock(lockFile(dir));
            QVERIFY(lock.open(QIODevice::WriteOnly | QIODevice::Truncate));
            lock.close();
            startSecond(environment(dir, 3, second), running);
        }

        running.terminate();
        if (!running.waitForFinished(10000))
            stop(running);
    }

    // What a kill while the lock was written, or an instance that has ended,
    // may leave behind.
    void leftover_locks_do_not_keep_the_program_out_data()
    {
        QTest::addColumn<QByteArray>("lock");
        QTest::addColumn<QByteArray>("named");
        QTest::newRow("empty lock") << QByteArray() << QByteArray();
        QTest::newRow("damaged lock") << QByteArray("\x01\x02 not a lock\n") << QByteArray();
        QTest::newRow("lock and socket name of an ended process")
            << QByteArray("2147483646\nvandrelsholm-speed-math\n\n") << QByteArray("/nowhere/ZRVandrelsholm-0-00000000");
    }
    void leftover_locks_do_not_keep_the_program_out()
    {
        QFETCH(QByteArray, lock);
        QFETCH(QByteArray, named);
        QTemporaryDir dir;
        const QProcessEnvironment env = environment(dir, 1, "private");
        QDir().mkpath(dataHome(dir));
        QFile file(lockFile(dir));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(lock);
        file.close();
        QFile name(serverNameFile(dir));
        QVERIFY(name.open(QIODevice::WriteOnly));
        name.write(named);
        name.close();

        QProcess first;
        startFirst(first, env, dir);
        // And it is the one instance: a second start ends.
        startSecond(environment(dir, 2, "private"), first);
        stop(first);
    }

    // The start in this process: told through the dialogs, no window made.
    void an_instance_that_cannot_be_reached_is_told_data()
    {
        QTest::addColumn<QString>("holder");
        QTest::addColumn<QString>("said");
        QTest::newRow("a folder in the lock's place") << "folder" << "there is a folder";
        QTest::newRow("a broken link in the lock's place") << "link" << "there is a link to";
        QTest::newRow("an instance that does not answer") << "silent" << "it does not answer";
        QTest::newRow("another account's instance") << "account" << "running with the same learners' files under another account";
    }
    void an_instance_that_cannot_be_reached_is_told()
    {
        QFETCH(QString, holder);
        QFETCH(QString, said);
        TestEnvironment env;
        const QString lock = QDir(UserStore::dataHome()).filePath("ZRVandrelsholm.lock");
        QCOMPARE(QFileInfo(lock).path(), env.installFolder());
        QProcess process;
        if (holder == "folder") {
            QVERIFY(QDir().mkpath(lock + "/inside"));
        } else if (holder == "link") {
            QVERIFY(QFile::link(env.path("nowhere/ZRVandrelsholm.lock"), lock));
        } else if (holder == "silent") {
            QVERIFY(holdLockIn(process, lock));
        } else {
#ifdef Q_OS_UNIX
            if (::geteuid() != 0)
                QSKIP("only root can run a process as another account");
            // The account "nobody" reaches the folder and makes the lock.
            QFile::setPermissions(env.root(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                                  | QFile::ExeOther);
            QFile::setPermissions(env.installFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                           | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
            QVERIFY2(holdLockIn(process, lock, 65534), process.readAllStandardError());
#else
            QSKIP("accounts are told apart on Unix");
#endif
        }

        SingleInstance guard;
        QCOMPARE(guard.lockFilePath(), lock);
        QCOMPARE(guard.start(), SingleInstance::Outcome::Unreachable);
        const QStringList errors = env.dialogs.texts("error");
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.constFirst().startsWith("Vandrelsholm Speed Math cannot start.\r\n\r\n")
                     && errors.constFirst().contains(said) && errors.constFirst().endsWith("Lock file: " + lock),
                 qPrintable(errors.constFirst()));
        QCOMPARE(env.dialogs.boxes.size(), 1);
        // What stands in the lock's place stays as it is.
        if (holder == "folder")
            QVERIFY(QFileInfo(lock + "/inside").isDir());
        if (holder == "link")
            QVERIFY(QFileInfo(lock).isSymLink());
        if (process.state() == QProcess::Running) {
            QVERIFY(QFileInfo(lock).isFile());
            stop(process);
        }
    }
};

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--hold-lock") == 0)
        return holdLock(QString::fromLocal8Bit(argv[2]));
    QApplication app(argc, argv);
    TestSingleInstance test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_SingleInstance.moc"
