#pragma once
// The game's one sound player: a volume of nine steps or mute, a 16-entry priority queue that
// is filled during a tick and played at its end, and an idle sound for quiet stretches.

#include "framework/Types.h"

#include <array>
#include <memory>

class Sound;

class SoundPlayer {
public:
    SoundPlayer() = default;
    virtual ~SoundPlayer() = default;

    virtual String VersionInfo();
    // Starts the sound at the player's volume; does nothing while muted.
    virtual void Play(const std::shared_ptr<Sound>& snd);
    // True: full volume (step 0); False: mute with step 99.
    virtual void SetEnable(bool b);
    virtual bool RefEnable();
    virtual void Beep();
    // Steps 0 to 8 from loudest to softest; any other value mutes (step 9).
    virtual void SetVolume(Int32 step);
    virtual Int32 RefVolume();
    // The step as one letter, "A" to "I", or "0" when muted.
    virtual String SaveData();
    virtual void RestoreData(const String& s);
    // Queues a sound for the next PlayQueue; nil sounds, priorities below 1 and a 17th sound
    // are ignored.
    virtual void PushQueue(const std::shared_ptr<Sound>& snd, Int32 priority);
    // Plays what is queued, highest priority first, or else the idle sound when it is due.
    virtual void PlayQueue();
    virtual void SetSacrifice(const std::shared_ptr<Sound>& snd, Int32 interval);
    // True: only the head of the queue and priorities above 6 play; 4 to 6 wait, below 4 drop.
    virtual void SetPriorityMode(bool b);

protected:
    static constexpr Int32 QueueSize = 16;

    // False = mute.
    bool SoundEnable = true;
    Int32 SoundVolume = 100;
    Int32 SoundVolumeIndex = 0;
    std::array<std::shared_ptr<Sound>, QueueSize> SoundQueue;
    Int32 SoundQueueBound = -1;
    std::shared_ptr<Sound> SacrificeSound;
    // Microseconds() at the last sound actually played.
    double LastPlayTime = 0.0;

public:
    // Idle interval in tenths of a second.
    Int32 SacrificeInterval = 0;

protected:
    std::array<Int32, QueueSize> PriorityQueue{};
    bool PriorityMode = false;

private:
    void PlaySlot(Int32 i);
    void ClearSlot(Int32 i);
    void MoveSlot(Int32 from, Int32 to);
};
