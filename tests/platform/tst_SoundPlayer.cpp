#include <QtTest>

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QMediaDevices>

#include "platform/SoundPlayer.h"

// The real sound player. Where the machine has a sound output, a synchronous
// recording holds the caller for at least its own length; everywhere, sounds
// that cannot play are skipped without a fuss.
class TestSoundPlayer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        Q_INIT_RESOURCE(resources);
        // The sound output module is built beside the program.
        QCoreApplication::addLibraryPath(QStringLiteral(VSM_BINARY_DIR));
    }

    void the_sound_output_module_loads()
    {
        QVERIFY(SoundPlayer::loadOutput());
    }

    void every_built_in_recording_is_there()
    {
        for (const char* name : {"BestTime", "Congratulations", "ExitBasics", "ExitPractice", "Help", "Intro",
                                 "KeepPracticing", "MainScreen", "Play", "ReadySetGo", "ReDo", "SeeYaLater", "Stop"}) {
            const QString path = SoundPlayer::resourcePath(QString::fromLatin1(name));
            QFile file(path);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
            const QByteArray head = file.read(12);
            QVERIFY2(head.startsWith("RIFF") && head.mid(8, 4) == "WAVE", qPrintable(path));
            QVERIFY2(file.size() < 150 * 1024, qPrintable(path));
        }
    }

    void sounds_that_cannot_play_are_skipped()
    {
        SoundPlayer& player = SoundPlayer::current();
        player.playResource(QStringLiteral("NoSuchSound"), SoundPlayer::Mode::Sync);
        player.playFile(QStringLiteral("/nowhere/at/all.wav"), SoundPlayer::Mode::Sync);
        player.playFile(QStringLiteral(VSM_SOURCE_DIR "/README.md"), SoundPlayer::Mode::Sync);
        player.stop();
    }

    void a_synchronous_recording_lasts_its_length()
    {
        if (QMediaDevices::audioOutputs().isEmpty())
            QSKIP("this machine has no sound output");
        QElapsedTimer timer;
        timer.start();
        SoundPlayer::current().playResource(QStringLiteral("Stop"), SoundPlayer::Mode::Sync);
        // STOP.wav holds about 0.79 s of sound.
        QVERIFY(timer.elapsed() >= 750);
        SoundPlayer::current().stop();
    }
};

QTEST_MAIN(TestSoundPlayer)
#include "tst_SoundPlayer.moc"
