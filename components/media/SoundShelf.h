#pragma once
// The slots of the game's nine sounds. Each file is read at most once per run: a sound that
// failed to load stays null.

#include "framework/Types.h"

#include <array>

class Sound;

class SoundShelf {
public:
    enum Id { Beep, Click, Complete, DeadEnd, Silence, SoundVol, Start, Step, Tile, Count };

    // The sound's file in the resources folder: "BeepSnd.wav" and so on.
    static String FileName(Id id);

    // The sound, loaded at the first call; null when that load failed.
    std::shared_ptr<Sound> Get(Id id);

    // Drops the sounds in the order of Id; they are not loaded again.
    void Release();

    // The program's one shelf, behind the sound accessors.
    static SoundShelf& Shared();

private:
    struct Slot {
        std::shared_ptr<Sound> permaSound;
        bool loaded = false;
    };
    std::array<Slot, Count> itsSlots;
};
