#include <QtTest>

#include <QProcess>
#include <QTemporaryDir>

#include "app/multinst.h"
#include "platform/SystemInfo.h"

// The built program's command line. The runs name a Qt platform that does
// not exist: a run that went as far as making the application object would
// fail there, so a clean exit with the expected output shows that no window,
// lock or sound was made. The private runtime folder (where the lock and the
// socket of the single-instance guard live) stays as the test made it.
class TestCommandLine : public QObject
{
    Q_OBJECT
private:
    struct Run {
        int exitCode = -1; // -1: did not end normally
        QString out;
        QString err;
    };

    QTemporaryDir m_dir;

    QString runtimeFolder() const { return m_dir.filePath(QStringLiteral("runtime")); }

    Run run(const QStringList& args, const QString& platform = QStringLiteral("vsm-no-such-platform"))
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder());
        env.insert(QStringLiteral("USER"), QStringLiteral("tester"));
        env.insert(QStringLiteral("HOME"), m_dir.path());
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(VSM_BINARY_DIR "/vandrelsholm-speed-math"), args);
        Run result;
        if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
            return result;
        result.exitCode = process.exitCode();
        result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
        result.err = QString::fromLocal8Bit(process.readAllStandardError());
        return result;
    }

    QStringList runtimeEntries() const
    {
        return QDir(runtimeFolder()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("runtime")));
        QFile::setPermissions(runtimeFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void help_and_version_print_and_end()
    {
        const QString version = SystemInfo::versionText(QStringLiteral("VersionNo"));
        QVERIFY(!version.isEmpty());
        // Qt's own options stand beside ours, with one dash or two.
        const QList<QStringList> helps = {{"--help"}, {"-h"}, {"-platform", "offscreen", "--help"},
                                          {"--style=Fusion", "-h", "--version"}};
        for (const QStringList& args : helps) {
            const Run help = run(args);
            QVERIFY2(help.exitCode == 0, qPrintable(args.join(' ') + ": " + help.err));
            QVERIFY(help.err.isEmpty());
            QVERIFY2(help.out.startsWith("Usage: vandrelsholm-speed-math [options]\n"), qPrintable(help.out));
            for (const char* line : {"\n  -h, --help ", "\n  -v, --version ", "\nQt's own options"})
                QVERIFY2(help.out.contains(QLatin1String(line)), line);
            QVERIFY(help.out.endsWith('\n'));
            // Qt's options are not listed one by one.
            QVERIFY(!help.out.contains(QLatin1String("--platform")));
        }
        for (const QStringList& args : QList<QStringList>{{"--version"}, {"-v"}, {"-reverse", "-v"}}) {
            const Run shown = run(args);
            QCOMPARE(shown.exitCode, 0);
            QVERIFY(shown.err.isEmpty());
            const QStringList lines = shown.out.split('\n');
            QCOMPARE(lines.constFirst(), QStringLiteral("Vandrelsholm Speed Math ") + version);
            QVERIFY2(shown.out.contains(QLatin1String("GPL-3.0-or-later")), qPrintable(shown.out));
            QCOMPARE(lines.constLast(), QString()); // ends in a line end
        }
        QCOMPARE(runtimeEntries(), QStringList());
    }

    void anything_else_is_refused_with_status_2()
    {
        const QList<QPair<QStringList, QString>> refused = {
            {{"--bogus"}, "Unknown option 'bogus'."},
            {{"-x"}, "Unknown option 'x'."},
            {{"--help", "--bogus"}, "Unknown option 'bogus'."},
            {{"report.rtf"}, "Unexpected argument 'report.rtf'."},
            {{"-platform"}, "Missing value after '-platform'."},
            {{"--version=2"}, "Unexpected value after '--version'."},
        };
        for (const auto& [args, says] : refused) {
            const Run r = run(args);
            QVERIFY2(r.exitCode == 2, qPrintable(args.join(' ') + QStringLiteral(": exit code %1").arg(r.exitCode)));
            QVERIFY2(r.out.isEmpty(), qPrintable(r.out));
            QCOMPARE(r.err, QStringLiteral("vandrelsholm-speed-math: %1 See 'vandrelsholm-speed-math --help'.\n").arg(says));
        }
        QCOMPARE(runtimeEntries(), QStringList());
    }

    // With the program running, --help and --version leave it alone; a start
    // without options asks it to come to the front, as ever.
    void a_running_instance_is_not_raised()
    {
        // The lock lies beside the user folder: this process and the
        // program's starts share the environment that finds it.
        qputenv("XDG_RUNTIME_DIR", runtimeFolder().toLocal8Bit());
        qputenv("USER", "tester");
        qputenv("HOME", m_dir.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", m_dir.filePath(QStringLiteral("data")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toLocal8Bit());
        SingleInstance running;
        QCOMPARE(running.acquire(), SingleInstance::Outcome::First);
        QSignalSpy raised(&running, &SingleInstance::raiseRequested);

        QCOMPARE(run({"--help"}).exitCode, 0);
        QCOMPARE(run({"--version"}).exitCode, 0);
        QCOMPARE(run({"--bogus"}).exitCode, 2);
        const Run plain = run({}, QStringLiteral("offscreen"));
        QCOMPARE(plain.exitCode, 0);
        QTRY_COMPARE_WITH_TIMEOUT(raised.count(), 1, 20000);
        QTest::qWait(100);
        QCOMPARE(raised.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_CommandLine.moc"
