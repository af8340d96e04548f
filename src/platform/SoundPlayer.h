#pragma once

#include <QString>

// Plays the built-in recordings (by name, from the program's resources) and
// ".wav" files (by path). A new request cuts off the sound that is playing.
// A sound that cannot be played is skipped silently.
// Tests install a recorder (a subclass) in place of the real player.
class SoundPlayer
{
public:
    enum class Mode {
        Async, // returns at once
        Sync,  // waits, taking no user input, until the sound ends or fails
        Loop   // repeats until the next request
    };

    virtual ~SoundPlayer() = default;

    static SoundPlayer& current();
    // Installs a replacement (not owned); nullptr restores the real player.
    static void install(SoundPlayer* player);

    // Built-in recording by its name, any letter case ("Intro", "INTRO").
    virtual void playResource(const QString& name, Mode mode);
    // A ".wav" file by path.
    virtual void playFile(const QString& path, Mode mode = Mode::Async);
    // Stops whatever plays.
    virtual void stop();

    // Resource path of a built-in recording (":/sounds/INTRO.wav").
    static QString resourcePath(const QString& name);

    // The real player plays through a module of its own (the multimedia part),
    // loaded with the first sound. Loads it now when not loaded yet; false when
    // it cannot be found or loaded, and then every sound is skipped.
    static bool loadOutput();
    // The module's file name ("vandrelsholm-sound.so").
    static QString outputModuleFileName();
};
