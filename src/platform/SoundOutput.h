#pragma once

#include <QString>
#include <QtPlugin>

#include "platform/SoundPlayer.h"

// The part of the sound player that needs the multimedia library. It lives in
// a module of its own (target vandrelsholm-sound, sound/QtSoundOutput.cpp),
// which the player loads with the first sound, so that starting the program
// does not wait for the multimedia library and the sound service.
class SoundOutput
{
public:
    virtual ~SoundOutput() = default;
    // Plays an existing file, or a resource (":/..."); cuts off what plays.
    // Sync waits, taking no user input, until the sound ends or fails.
    virtual void play(const QString& path, SoundPlayer::Mode mode) = 0;
    virtual void stop() = 0;
};

#define VSM_SOUND_OUTPUT_IID "org.brindlecove.VandrelsholmSpeedMath.SoundOutput/1"
Q_DECLARE_INTERFACE(SoundOutput, VSM_SOUND_OUTPUT_IID)
