#include <QtTest>

#include "TestEnvironment.h"
#include "platform/SystemInfo.h"
#include "shell/Globals.h"

// Finding the right/wrong answer sounds at start-up, and playing them in turn.
class TestSoundFolders : public QObject
{
    Q_OBJECT
private:
    static void addWaves(TestEnvironment& env, const QString& folder, const QStringList& names)
    {
        for (const QString& name : names)
            env.writeFile(folder + QLatin1Char('/') + name, "RIFF");
    }

    static int flagsSet()
    {
        return int(Globals::SoundsInFolders) + int(Globals::SoundsInAltFolders) + int(Globals::SoundsFromResources);
    }

private slots:
    void both_folders_beside_the_program()
    {
        TestEnvironment env;
        addWaves(env, QStringLiteral("program/Sounds/Right"), {"b.wav", "a.WAV", "c.wav", "notes.txt"});
        addWaves(env, QStringLiteral("program/Sounds/Wrong"), {"x.wav"});
        DiscoverSoundFolders();
        QVERIFY(Globals::SoundsInFolders);
        QCOMPARE(flagsSet(), 1);
        QCOMPARE(Globals::RightSoundFiles, QStringList({"a.WAV", "b.wav", "c.wav"}));
        QCOMPARE(Globals::WrongSoundFiles, QStringList({"x.wav"}));
        QCOMPARE(CountFiles(Globals::RightSoundsFolder, QStringLiteral("\\*.WAV")), 3);
        QCOMPARE(CountFiles(env.path("nowhere"), QStringLiteral("\\*.WAV")), -1);
    }

    void one_folder_empty_uses_the_built_in_sounds()
    {
        TestEnvironment env;
        addWaves(env, QStringLiteral("program/Sounds/Right"), {"a.wav"});
        QDir().mkpath(env.path("program/Sounds/Wrong"));
        DiscoverSoundFolders();
        QVERIFY(Globals::SoundsFromResources);
        QCOMPARE(flagsSet(), 1);

        PlayAnswerSound(true);
        PlayAnswerSound(false);
        QCOMPARE(env.sounds.calls, QStringList({"resource CONGRATULATIONS async", "resource KEEPPRACTICING async"}));
    }

    void network_program_tries_the_installation_first_then_beside_the_program()
    {
        TestEnvironment env;
        // A folder whose path begins with two separators counts as a network path.
        const QString network = QLatin1Char('/') + env.programFolder();
        SystemInfo::setProgramFolderForTests(network);
        addWaves(env, QStringLiteral("program/Sounds/Right"), {"r1.wav"});
        addWaves(env, QStringLiteral("program/Sounds/Wrong"), {"w1.wav"});

        DiscoverSoundFolders();
        QVERIFY(Globals::SoundsInAltFolders);
        QCOMPARE(flagsSet(), 1);
        QVERIFY(Globals::RightSoundsFolder.startsWith(env.installFolder()));
        QVERIFY(Globals::AltRightSoundsFolder.startsWith(network));
        PlayAnswerSound(true);
        QCOMPARE(env.sounds.calls.constFirst(), "file " + Globals::AltRightSoundsFolder + "/r1.wav async");

        // Once the installation folder has sounds, those win.
        addWaves(env, QStringLiteral("install/Sounds/Right"), {"i.wav"});
        addWaves(env, QStringLiteral("install/Sounds/Wrong"), {"j.wav"});
        DiscoverSoundFolders();
        QVERIFY(Globals::SoundsInFolders);
        QCOMPARE(flagsSet(), 1);
    }

    void local_program_never_uses_the_installation_folder()
    {
        TestEnvironment env;
        addWaves(env, QStringLiteral("install/Sounds/Right"), {"i.wav"});
        addWaves(env, QStringLiteral("install/Sounds/Wrong"), {"j.wav"});
        DiscoverSoundFolders();
        QVERIFY(Globals::SoundsFromResources);
        QVERIFY(!Globals::SoundsInAltFolders);
    }

    void answer_sounds_rotate_independently()
    {
        TestEnvironment env;
        addWaves(env, QStringLiteral("program/Sounds/Right"), {"1.wav", "2.wav", "3.wav"});
        addWaves(env, QStringLiteral("program/Sounds/Wrong"), {"w1.wav", "w2.wav"});
        DiscoverSoundFolders();
        QVERIFY(Globals::SoundsInFolders);

        for (bool right : {true, false, true, true, false, false, true})
            PlayAnswerSound(right);
        QStringList played;
        for (const QString& call : env.sounds.calls)
            played.append(QFileInfo(call.section(QLatin1Char(' '), 1, 1)).fileName());
        QCOMPARE(played, QStringList({"1.wav", "w1.wav", "2.wav", "3.wav", "w2.wav", "w1.wav", "1.wav"}));
    }
};

QTEST_GUILESS_MAIN(TestSoundFolders)
#include "tst_SoundFolders.moc"
