#include <QtTest>

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>

#include "app/Main.h"
#include "platform/SoundPlayer.h"
#include "shell/Globals.h"

// Where a real program finds its help and answer sounds, with no environment
// variable set: installed under a prefix ("cmake --install" into a temporary
// folder), it uses PREFIX/share/vandrelsholm-speed-math/; in a build folder it
// uses the folders beside itself. A copy of this test program stands in for
// the program at each place: started with "--report", it makes the main
// window as the program does and prints what it found.

namespace {

const char* const ReportArgument = "--report";

int report(int argc, char* argv[])
{
    QApplication app(argc, argv);
    TfrmMain main;
    QTextStream out(stdout);
    out << "help=" << main.helpFile() << '\n'
        << "right=" << Globals::RightSoundsFolder << '\n'
        << "wrong=" << Globals::WrongSoundsFolder << '\n'
        << "rightFiles=" << Globals::RightSoundFiles.join(QLatin1Char(',')) << '\n'
        << "inFolders=" << Globals::SoundsInFolders << '\n'
        << "soundOutput=" << SoundPlayer::loadOutput() << '\n';
    return 0;
}

} // namespace

class TestInstalledLayout : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;

    // Copies this test program to path and runs it there in report mode.
    QMap<QString, QString> runCopyAt(const QString& path)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile::remove(path);
        if (!QFile::copy(QCoreApplication::applicationFilePath(), path))
            return {};
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", m_dir.filePath("home"));
        env.insert("XDG_DATA_HOME", m_dir.filePath("home/data"));
        env.insert("XDG_CONFIG_HOME", m_dir.filePath("home/config"));
        QProcess probe;
        probe.setProcessEnvironment(env);
        probe.start(path, {QString::fromLatin1(ReportArgument)});
        if (!probe.waitForFinished(60000) || probe.exitCode() != 0) {
            qWarning() << probe.readAllStandardError();
            return {};
        }
        QMap<QString, QString> found;
        for (const QString& line : QString::fromUtf8(probe.readAllStandardOutput()).split(QLatin1Char('\n'))) {
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            if (eq > 0)
                found.insert(line.left(eq), line.mid(eq + 1));
        }
        return found;
    }

    static int run(const QString& program, const QStringList& args)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(program, args);
        return process.waitForFinished(120000) ? process.exitCode() : -1;
    }

private slots:
    void installed_program_uses_the_data_folder_of_its_prefix()
    {
        const QString prefix = m_dir.filePath("prefix");
        QCOMPARE(run(QStringLiteral(VSM_CMAKE_COMMAND), {"--install", VSM_BINARY_DIR, "--prefix", prefix}), 0);
        const QString data = prefix + "/share/vandrelsholm-speed-math/";
        QVERIFY(QFileInfo(prefix + "/bin/vandrelsholm-speed-math").isExecutable());

        // The copy stands beside the installed program.
        const QMap<QString, QString> found = runCopyAt(prefix + "/bin/probe");
        QVERIFY(!found.isEmpty());
        QCOMPARE(found["help"], data + "Help/VandrelsholmSpeedMath.hlp");
        QVERIFY(QFileInfo::exists(found["help"]));
        QCOMPARE(found["right"], data + "Sounds/Right");
        QCOMPARE(found["wrong"], data + "Sounds/Wrong");
        QCOMPARE(found["rightFiles"], QStringLiteral("Right1.wav,Right2.wav,Right3.wav"));
        QCOMPARE(found["inFolders"], QStringLiteral("1"));
        QCOMPARE(found["soundOutput"], QStringLiteral("1"));
    }

    void program_in_a_build_folder_uses_the_folders_beside_it()
    {
        // A folder named "bin" without an installation around it is a build
        // folder like any other.
        const QString folder = m_dir.filePath("tree/bin");
        for (const char* sub : {"Help", "Sounds"})
            QCOMPARE(run(QStringLiteral(VSM_CMAKE_COMMAND),
                         {"-E", "copy_directory", VSM_BINARY_DIR "/" + QString::fromLatin1(sub), folder + '/' + sub}),
                     0);
        QFile::copy(QStringLiteral(VSM_BINARY_DIR "/") + SoundPlayer::outputModuleFileName(),
                    folder + '/' + SoundPlayer::outputModuleFileName());

        const QMap<QString, QString> found = runCopyAt(folder + "/probe");
        QVERIFY(!found.isEmpty());
        QCOMPARE(found["help"], folder + "/Help/VandrelsholmSpeedMath.hlp");
        QCOMPARE(found["right"], folder + "/Sounds/Right");
        QCOMPARE(found["inFolders"], QStringLiteral("1"));
        QCOMPARE(found["soundOutput"], QStringLiteral("1"));

        // Without its sound output module the program goes on, silent.
        QFile::remove(folder + '/' + SoundPlayer::outputModuleFileName());
        QCOMPARE(runCopyAt(folder + "/probe")["soundOutput"], QStringLiteral("0"));
    }
};

int main(int argc, char* argv[])
{
    if (argc > 1 && qstrcmp(argv[1], ReportArgument) == 0)
        return report(argc, argv);
    QCoreApplication app(argc, argv);
    TestInstalledLayout test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_InstalledLayout.moc"
