#include "components/soundplayer/SoundPlayer.h"

#include "framework/Input.h"
#include "framework/Maths.h"
#include "framework/Sound.h"

#include <utility>

namespace {

struct VolumeStep {
    Int32 volume;
    const char* letter;
};

// Steps 0 to 8, loudest first; mute is step 9.
constexpr std::array<VolumeStep, 9> VolumeSteps{{
    {100, "A"},
    {70, "B"},
    {50, "C"},
    {35, "D"},
    {25, "E"},
    {17, "F"},
    {12, "G"},
    {8, "H"},
    {6, "I"},
}};
constexpr Int32 MuteStep = 9;
constexpr const char* MuteLetter = "0";

bool IsVolumeStep(Int32 step)
{
    return step >= 0 && step < static_cast<Int32>(VolumeSteps.size());
}

} // namespace

String SoundPlayer::VersionInfo()
{
    return "2012-05-19,1";
}

void SoundPlayer::Play(const std::shared_ptr<Sound>& snd)
{
    if (!SoundEnable || !snd) {
        return;
    }
    snd->Volume = SoundVolume;
    snd->Play();
    LastPlayTime = Microseconds();
}

void SoundPlayer::SetEnable(bool b)
{
    SoundEnable = b;
    SoundVolume = b ? 100 : 0;
    SoundVolumeIndex = b ? 0 : 99;
}

bool SoundPlayer::RefEnable()
{
    return SoundEnable;
}

void SoundPlayer::Beep()
{
    if (SoundEnable) {
        ::Beep();
    }
}

void SoundPlayer::SetVolume(Int32 step)
{
    SoundEnable = IsVolumeStep(step);
    SoundVolume = SoundEnable ? VolumeSteps[step].volume : 0;
    SoundVolumeIndex = SoundEnable ? step : MuteStep;
}

Int32 SoundPlayer::RefVolume()
{
    return SoundVolumeIndex;
}

String SoundPlayer::SaveData()
{
    return IsVolumeStep(SoundVolumeIndex) ? VolumeSteps[SoundVolumeIndex].letter : MuteLetter;
}

void SoundPlayer::RestoreData(const String& s)
{
    for (Int32 step = 0; step < static_cast<Int32>(VolumeSteps.size()); ++step) {
        if (s == VolumeSteps[step].letter) {
            SetVolume(step);
            return;
        }
    }
    SetVolume(s == MuteLetter ? MuteStep : 0);
}

void SoundPlayer::PushQueue(const std::shared_ptr<Sound>& snd, Int32 priority)
{
    if (!snd || priority <= 0 || SoundQueueBound >= QueueSize - 1) {
        return;
    }
    // Make room after the last entry of the same or a higher priority.
    Int32 i = SoundQueueBound;
    while (i >= 0 && PriorityQueue[i] < priority) {
        MoveSlot(i, i + 1);
        --i;
    }
    SoundQueue[i + 1] = snd;
    PriorityQueue[i + 1] = priority;
    ++SoundQueueBound;
}

void SoundPlayer::PlayQueue()
{
    if (SoundQueueBound < 0) {
        if (SacrificeSound && Microseconds() - LastPlayTime > SacrificeInterval * 100000.0) {
            Play(SacrificeSound);
        }
        return;
    }
    PlaySlot(0);
    Int32 remaining = 0;
    for (Int32 i = 1; i <= SoundQueueBound; ++i) {
        if (!PriorityMode || PriorityQueue[i] > 6) {
            PlaySlot(i);
        } else if (PriorityQueue[i] < 4) {
            ClearSlot(i);
        } else {
            MoveSlot(i, remaining++);
        }
    }
    SoundQueueBound = remaining - 1;
}

void SoundPlayer::SetSacrifice(const std::shared_ptr<Sound>& snd, Int32 interval)
{
    SacrificeSound = snd;
    SacrificeInterval = interval;
}

void SoundPlayer::SetPriorityMode(bool b)
{
    PriorityMode = b;
}

void SoundPlayer::PlaySlot(Int32 i)
{
    Play(SoundQueue[i]);
    ClearSlot(i);
}

void SoundPlayer::ClearSlot(Int32 i)
{
    SoundQueue[i] = nullptr;
    PriorityQueue[i] = 0;
}

void SoundPlayer::MoveSlot(Int32 from, Int32 to)
{
    SoundQueue[to] = std::move(SoundQueue[from]);
    PriorityQueue[to] = PriorityQueue[from];
    PriorityQueue[from] = 0;
}
