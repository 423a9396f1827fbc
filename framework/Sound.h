#pragma once
// A short sound effect loaded from a WAV file.

#include "framework/Types.h"

class SoundEffect;

class Sound {
public:
    // The WAV file at path, read once and checked; nullptr when it is missing, not a regular
    // file, larger than a medium can be, truncated or not a PCM WAV file that can be played.
    static std::shared_ptr<Sound> Open(const String& path);

    ~Sound();
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    // 0 (silent) to 100 (full); taken at each Play.
    Int32 Volume = 100;

    // Starts the sound from its beginning and returns at once. Without an audio device
    // nothing is heard and nothing fails.
    void Play();

private:
    friend String SoundSourceFile(const Sound& sound);
    explicit Sound(std::unique_ptr<SoundEffect> effect);

    std::unique_ptr<SoundEffect> itsEffect;
};
